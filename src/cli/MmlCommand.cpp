#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "controller/SaveMelody.h"

namespace {

// The melody file the argument names, replaced only with --force.
class MelodyToArgument : public SavePort {
public:
    explicit MelodyToArgument(const ForceOption &force)
        : m_force(force)
    { }

    QString destination(const QString &offered) override { return offered; }
    UserFileWriter::Replace replace() const override { return m_force.replace(); }
    void saved(const QString &) override { }
    void failed(const QString &path, const UserFileWriter::Result &result) override
    {
        if (result.status == UserFileWriter::Result::Status::Exists)
            CommandSupport::fail(
                ExitStatus::WorkFailed,
                QCoreApplication::translate("CommandLine",
                                            "%1: もうあるので置き換えませんでした（--force を付けると置き換えます）")
                    .arg(path));
        else
            CommandSupport::fail(
                ExitStatus::WorkFailed,
                QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(path, result.reason));
    }

private:
    const ForceOption &m_force;
};

} // namespace

Command::Help MmlCommand::help() const
{
    return {QStringLiteral("mml"),
            QStringLiteral("[--track N] [--channel N] INPUT OUTPUT.mml"),
            2,
            2,
            QCoreApplication::translate("MmlCommand",
                                        "ZEPAが書いたプログラムか、MIDIファイルのひとつの声部をメロディファイルにする"
                                        "（省くと、音のある最初のトラックとチャンネル）"),
            QStringLiteral("zepa mml --track 2 --channel 1 song.mid song.mml")};
}

QList<QCommandLineOption> MmlCommand::options() const
{
    return ForceOption::options() + VoiceOptions::options();
}

std::optional<QString> MmlCommand::readOptions(const QCommandLineParser &parser)
{
    m_force.read(parser);
    return m_voice.read(parser);
}

int MmlCommand::run(const QStringList &arguments)
{
    const QString &input = arguments[0];
    const std::optional<MelodyRead> read = CommandSupport::readInput(input, m_voice, true);
    if (!read)
        return ExitStatus::WorkFailed;
    if (m_voice.chosen() && read->kind != MelodyKind::Midi)
        return CommandSupport::fail(
            ExitStatus::UsageError,
            QCoreApplication::translate(
                "CommandLine", "%1 はMIDIファイルではありません。--track と --channel はMIDIファイルの声部を選びます")
                .arg(input));
    MelodyToArgument port(m_force);
    return SaveMelody(port).run(read->melody, arguments[1]).isEmpty() ? ExitStatus::WorkFailed : ExitStatus::Success;
}
