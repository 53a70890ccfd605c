#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"

Command::Help RenderCommand::help() const
{
    return {QStringLiteral("render"),
            QStringLiteral("INPUT OUTPUT.wav"),
            2,
            2,
            QCoreApplication::translate("RenderCommand", "曲をWAVファイル（44100 Hz、モノラル、16ビット）に書き出す"),
            QStringLiteral("zepa render furusato.mml furusato.wav")};
}

// A program is rendered as its statements say, whether or not its notes can
// be told.
std::optional<QString> RenderCommand::readOptions(const QCommandLineParser &parser)
{
    m_force.read(parser);
    return std::nullopt;
}

int RenderCommand::run(const QStringList &arguments)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], VoiceOptions{}, false);
    if (!read)
        return ExitStatus::WorkFailed;
    OutputSource source;
    source.events = read->events;
    return CommandSupport::writeOutputFile(OutputId::Wav, source, arguments[1], m_force);
}
