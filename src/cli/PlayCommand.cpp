#include <QCoreApplication>

#include "cli/Commands.h"
#include "cli/CommandSupport.h"
#include "playback/SpeakerOutput.h"

Command::Help PlayCommand::help() const
{
    return {QStringLiteral("play"),
            QStringLiteral("INPUT"),
            1,
            1,
            false,
            QStringLiteral("play the melody and end when it has been heard (Ctrl+C stops it)"),
            QStringLiteral("曲を再生し、鳴り終わると終わる（Ctrl+C で止まる）"),
            QStringLiteral("zepa play music0.nqc"),
            {}};
}

int PlayCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, false);
    if (!read)
        return ExitStatus::WorkFailed;
    SpeakerOutput speaker;
    int status = ExitStatus::Success;
    QObject::connect(&speaker, &SoundOutput::finished, [] { QCoreApplication::exit(ExitStatus::Success); });
    QObject::connect(&speaker, &SoundOutput::failed, [&status] {
        status = CommandSupport::fail(ExitStatus::WorkFailed,
                                      QStringLiteral("the sound output device went away while playing"));
        QCoreApplication::exit(status);
    });
    if (!speaker.play(std::move(read->events)))
        return CommandSupport::fail(ExitStatus::WorkFailed,
                                    QStringLiteral("no sound output device found; 'zepa render' writes the melody as "
                                                   "a WAV file instead"));
    QCoreApplication::exec();
    return status;
}
