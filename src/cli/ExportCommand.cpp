#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"

Command::Help ExportCommand::help() const
{
    Help help{QStringLiteral("export"),
              QStringLiteral("--target %1 INPUT OUTPUT").arg(TargetOption::names(QStringLiteral("|"))),
              2,
              2,
              QCoreApplication::translate(
                  "ExportCommand",
                  "曲をほかのブロック用のプログラムに書き出す（NXT の NXC、Pybricks のハブ、micro:bit、"
                  "ev3dev の EV3）。変えたところがあれば知らせる。ZEPAが書き出せるほかの形にも、その名前で書き出す"),
              QStringLiteral("zepa export --target nxc furusato.mml furusato.nxc")};
    help.paints = true; // the sheet music among the formats draws pages
    return help;
}

QList<QCommandLineOption> ExportCommand::options() const
{
    return ForceOption::options() + TargetOption::options() + SheetOptions::options();
}

std::optional<QString> ExportCommand::readOptions(const QCommandLineParser &parser)
{
    m_force.read(parser);
    if (std::optional<QString> problem = m_target.read(parser, help().name))
        return problem;
    return m_sheet.read(parser);
}

int ExportCommand::run(const QStringList &arguments)
{
    const std::optional<CommandSupport::TitledMelody> read = CommandSupport::readTitledInput(arguments[0], m_sheet);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(m_target.target, OutputSource::of(read->melody, read->title), arguments[1],
                                           m_force);
}
