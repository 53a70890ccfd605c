#include <QCoreApplication>

#include "cli/Commands.h"
#include "cli/CommandSupport.h"

Command::Help ExportCommand::help() const
{
    return {QStringLiteral("export"),
            QStringLiteral("--target nxc|pybricks|microbit|ev3dev INPUT OUTPUT"),
            2,
            2,
            true,
            QCoreApplication::translate(
                "ExportCommand",
                "曲をほかのブロック用のプログラムに書き出す（NXT の NXC、Pybricks のハブ、micro:bit、"
                "ev3dev の EV3）。変えたところがあれば知らせる"),
            QStringLiteral("zepa export --target nxc furusato.mml furusato.nxc"),
            {QStringLiteral("target")}};
}

int ExportCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<MelodyRead> read = CommandSupport::readInput(arguments[0], options, true);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(*options.target, OutputSource::of(read->melody), arguments[1], options);
}
