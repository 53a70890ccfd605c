#include <QCoreApplication>

#include "cli/Commands.h"
#include "cli/CommandSupport.h"

Command::Help MidiCommand::help() const
{
    return {QStringLiteral("midi"),
            QStringLiteral("[--as-played] INPUT OUTPUT.mid"),
            2,
            2,
            true,
            QCoreApplication::translate("MidiCommand",
                                        "曲をスタンダードMIDIファイルに書き出す。音は拍に合わせる"
                                        "（--as-played：ブロックが鳴らす 10 ミリ秒単位の時間のまま）"),
            QStringLiteral("zepa midi furusato.mml furusato.mid"),
            {QStringLiteral("as-played")}};
}

int MidiCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, true);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(options.asPlayed ? OutputKind::MidiAsPlayed : OutputKind::Midi,
                                           OutputSource::of(read->melody), arguments[1], options);
}
