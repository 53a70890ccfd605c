#include <cstdio>

#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "controller/SendMelody.h"

namespace {

// The choice is the options'; the outcome is a line on standard output when
// sent, on standard error otherwise.
class SendAsOptionsSay : public SendPort {
public:
    explicit SendAsOptionsSay(const SendChoice &choice)
        : m_choice(choice)
    { }

    std::optional<SendChoice> choice() override { return m_choice; }
    void started(const SendChoice &, int) override { }
    void progressed(int, int) override { }
    bool cancelled() override { return false; }

    void finished(const SendResult &result) override
    {
        const QStringList lines = result.message().split(QLatin1Char('\n'));
        if (!result.sent()) {
            CommandSupport::fail(ExitStatus::WorkFailed, lines.join(QLatin1Char(' ')));
            return;
        }
        std::printf("%s\n", qPrintable(lines.front()));
        if (result.batteryLow)
            CommandSupport::fail(ExitStatus::Success, lines.back());
    }

private:
    SendChoice m_choice;
};

} // namespace

Command::Help SendCommand::help() const
{
    return {QStringLiteral("send"),
            QStringLiteral("[--port PORT] [--slot 1-5] [--run] INPUT"),
            1,
            1,
            QCoreApplication::translate("SendCommand",
                                        "曲を nqc と赤外線タワーで RCX のプログラムに送る（PORT：usb（省いたとき）か "
                                        "/dev/ttyS0 などのシリアルポート。スロットは省くと 1）"),
            QStringLiteral("zepa send --slot 3 --run furusato.mml")};
}

int SendCommand::run(const QStringList &arguments)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], VoiceOptions{}, true);
    if (!read)
        return ExitStatus::WorkFailed;
    SendAsOptionsSay port(m_send.choice);
    return SendMelody(port).run(read->melody.notes).sent() ? ExitStatus::Success : ExitStatus::WorkFailed;
}
