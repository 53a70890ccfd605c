#include <cstdio>

#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "sending/RcxSender.h"

Command::Help SendCommand::help() const
{
    return {QStringLiteral("send"),
            QStringLiteral("[--port PORT] [--slot 1-5] [--run] INPUT"),
            1,
            1,
            false,
            QCoreApplication::translate("SendCommand",
                                        "曲を nqc と赤外線タワーで RCX のプログラムに送る（PORT：usb（省いたとき）か "
                                        "/dev/ttyS0 などのシリアルポート。スロットは省くと 1）"),
            QStringLiteral("zepa send --slot 3 --run furusato.mml"),
            {QStringLiteral("port"), QStringLiteral("slot"), QStringLiteral("run")}};
}

int SendCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, true);
    if (!read)
        return ExitStatus::WorkFailed;
    RcxSender sender;
    const SendResult result = sender.send(read->melody.notes, options.send);
    const QString message = result.message();
    if (!result.sent())
        return CommandSupport::fail(ExitStatus::WorkFailed, message.split(QLatin1Char('\n')).join(QLatin1Char(' ')));
    std::printf("%s\n", qPrintable(message.split(QLatin1Char('\n')).front()));
    if (result.batteryLow)
        CommandSupport::fail(ExitStatus::Success, message.split(QLatin1Char('\n')).back());
    return ExitStatus::Success;
}
