#include "cli/Commands.h"
#include "cli/CommandSupport.h"
#include "files/UserFileWriter.h"
#include "mml/MmlWriter.h"

Command::Help MmlCommand::help() const
{
    return {QStringLiteral("mml"),
            QStringLiteral("[--track N] [--channel N] INPUT OUTPUT.mml"),
            2,
            2,
            true,
            QStringLiteral("make a melody file of a program ZEPA wrote or of one voice of a MIDI file "
                           "(by default the first track and channel with notes)"),
            QStringLiteral("ZEPAが書いたプログラムか、MIDIファイルのひとつの声部をメロディファイルにする"
                           "（省くと、音のある最初のトラックとチャンネル）"),
            QStringLiteral("zepa mml --track 2 --channel 1 song.mid song.mml"),
            {QStringLiteral("track"), QStringLiteral("channel")}};
}

int MmlCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const QString &input = arguments[0];
    const std::optional<MelodyRead> read = CommandSupport::readInput(input, options, true);
    if (!read)
        return ExitStatus::WorkFailed;
    if ((options.track != 0 || options.channel != 0) && read->kind != MelodyKind::Midi)
        return CommandSupport::fail(
            ExitStatus::UsageError,
            QStringLiteral("%1 is not a MIDI file; --track and --channel choose a voice of one").arg(input));
    const UserFileWriter::Result written
        = UserFileWriter::write(arguments[1], mmlText(read->melody),
                                options.force ? UserFileWriter::Replace::Existing : UserFileWriter::Replace::Never);
    if (written.status == UserFileWriter::Result::Status::Exists)
        return CommandSupport::fail(
            ExitStatus::WorkFailed,
            QStringLiteral("%1: exists already; not replaced (--force replaces it)").arg(arguments[1]));
    if (!written.written())
        return CommandSupport::fail(ExitStatus::WorkFailed,
                                    QStringLiteral("%1: cannot write: %2").arg(arguments[1], written.reason));
    return ExitStatus::Success;
}
