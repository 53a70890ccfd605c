#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"

Command::Help MidiCommand::help() const
{
    return {QStringLiteral("midi"),
            QStringLiteral("[--as-played] INPUT OUTPUT.mid"),
            2,
            2,
            QCoreApplication::translate("MidiCommand",
                                        "曲をスタンダードMIDIファイルに書き出す。音は拍に合わせる"
                                        "（--as-played：ブロックが鳴らす 10 ミリ秒単位の時間のまま）"),
            QStringLiteral("zepa midi furusato.mml furusato.mid")};
}

QList<QCommandLineOption> MidiCommand::options() const
{
    return ForceOption::options() + AsPlayedOption::options();
}

std::optional<QString> MidiCommand::readOptions(const QCommandLineParser &parser)
{
    m_force.read(parser);
    m_asPlayed.read(parser);
    return std::nullopt;
}

int MidiCommand::run(const QStringList &arguments)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], VoiceOptions{}, true);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(m_asPlayed.asPlayed ? OutputId::MidiAsPlayed : OutputId::Midi,
                                           OutputSource::of(read->melody), arguments[1], m_force);
}
