#include <QCoreApplication>

#include "cli/Commands.h"
#include "cli/CommandSupport.h"

Command::Help RenderCommand::help() const
{
    return {QStringLiteral("render"),
            QStringLiteral("INPUT OUTPUT.wav"),
            2,
            2,
            true,
            QCoreApplication::translate("RenderCommand", "曲をWAVファイル（44100 Hz、モノラル、16ビット）に書き出す"),
            QStringLiteral("zepa render furusato.mml furusato.wav"),
            {}};
}

// A program is rendered as its statements say, whether or not its notes can
// be told.
int RenderCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, false);
    if (!read)
        return ExitStatus::WorkFailed;
    OutputSource source;
    source.events = read->events;
    return CommandSupport::writeOutputFile(OutputKind::Wav, source, arguments[1], options);
}
