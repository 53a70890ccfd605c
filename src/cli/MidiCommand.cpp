#include "cli/Commands.h"
#include "cli/CommandSupport.h"

Command::Help MidiCommand::help() const
{
    return {QStringLiteral("midi"),
            QStringLiteral("INPUT OUTPUT.mid"),
            2,
            2,
            true,
            QStringLiteral("write the melody as a Standard MIDI File"),
            QStringLiteral("曲をスタンダードMIDIファイルに書き出す"),
            QStringLiteral("zepa midi furusato.mml furusato.mid"),
            {}};
}

int MidiCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, true);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(OutputKind::Midi, OutputSource::of(read->melody), arguments[1], options);
}
