#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "playback/SpeakerOutput.h"

Command::Help PlayCommand::help() const
{
    return {QStringLiteral("play"),
            QStringLiteral("INPUT"),
            1,
            1,
            QCoreApplication::translate("PlayCommand", "曲を再生し、鳴り終わると終わる（Ctrl+C で止まる）"),
            QStringLiteral("zepa play music0.nqc")};
}

int PlayCommand::run(const QStringList &arguments)
{
    std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], VoiceOptions{}, false);
    if (!read)
        return ExitStatus::WorkFailed;
    SpeakerOutput speaker;
    int status = ExitStatus::Success;
    QObject::connect(&speaker, &SoundOutput::finished, [] { QCoreApplication::exit(ExitStatus::Success); });
    QObject::connect(&speaker, &SoundOutput::failed, [&status] {
        status = CommandSupport::fail(
            ExitStatus::WorkFailed, QCoreApplication::translate("CommandLine", "再生中に音の出力装置がなくなりました"));
        QCoreApplication::exit(status);
    });
    if (!speaker.play(std::move(read->events)))
        return CommandSupport::fail(
            ExitStatus::WorkFailed,
            QCoreApplication::translate("CommandLine",
                                        "音の出力装置が見つかりません。zepa render で曲をWAVファイルに書き出せます"));
    QCoreApplication::exec();
    return status;
}
