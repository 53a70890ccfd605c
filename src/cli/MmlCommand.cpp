#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "files/UserFileWriter.h"
#include "mml/MmlWriter.h"

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
    const UserFileWriter::Result written
        = UserFileWriter::write(arguments[1], mmlText(read->melody), m_force.replace());
    if (written.status == UserFileWriter::Result::Status::Exists)
        return CommandSupport::fail(
            ExitStatus::WorkFailed,
            QCoreApplication::translate("CommandLine",
                                        "%1: もうあるので置き換えませんでした（--force を付けると置き換えます）")
                .arg(arguments[1]));
    if (!written.written())
        return CommandSupport::fail(
            ExitStatus::WorkFailed,
            QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(arguments[1], written.reason));
    return ExitStatus::Success;
}
