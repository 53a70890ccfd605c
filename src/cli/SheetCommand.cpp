#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"

QList<QCommandLineOption> SheetCommand::options() const
{
    return ForceOption::options() + SheetOptions::options();
}

std::optional<QString> SheetCommand::readOptions(const QCommandLineParser &parser)
{
    m_force.read(parser);
    return m_sheet.read(parser);
}

int SheetCommand::run(const QStringList &arguments)
{
    const std::optional<CommandSupport::TitledMelody> read = CommandSupport::readTitledInput(arguments[0], m_sheet);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(m_outputId, OutputSource::of(read->melody, read->title), arguments[1],
                                           m_force);
}

Command::Help SheetCommand::sheetHelp(const QString &file, const QString &description) const
{
    const OutputFormat format = outputFormat(m_outputId);
    return {format.commandName,
            QStringLiteral("[--meter 4/4|3/4|2/4|none] [--title TEXT] INPUT %1").arg(file),
            2,
            2,
            description
                + QCoreApplication::translate(
                    "NotationCommand",
                    "。題名は --title がなければファイルが曲に付けた題名、それもなければファイルの名前、拍子は --meter "
                    "がなければファイルのとおり"),
            QStringLiteral("zepa %1 --meter 3/4 furusato.mml furusato%2").arg(format.commandName, format.nameEnding)};
}

PdfCommand::PdfCommand()
    : SheetCommand(OutputId::Pdf)
{ }

Command::Help PdfCommand::help() const
{
    Help help{QStringLiteral("pdf"),
              QStringLiteral("[--meter 4/4|3/4|2/4|none] [--title TEXT] INPUT OUTPUT.pdf"),
              2,
              2,
              QCoreApplication::translate("PdfCommand",
                                          "曲を楽譜にしてPDFファイル（A4）に書き出す。題名（--title "
                                          "がなければファイルが曲に付けた題名、それもなければファイルの名前）、"
                                          "テンポ、五線譜、ページ番号。拍子は --meter がなければファイルのとおり"),
              QStringLiteral("zepa pdf --meter 3/4 furusato.mml furusato.pdf")};
    help.paints = true;
    return help;
}

MusicXmlCommand::MusicXmlCommand()
    : SheetCommand(OutputId::MusicXml)
{ }

Command::Help MusicXmlCommand::help() const
{
    return sheetHelp(QStringLiteral("OUTPUT.musicxml"),
                     QCoreApplication::translate("NotationCommand", "曲を楽譜ソフト用のMusicXMLに書き出す"));
}

LilyPondCommand::LilyPondCommand()
    : SheetCommand(OutputId::LilyPond)
{ }

Command::Help LilyPondCommand::help() const
{
    return sheetHelp(QStringLiteral("OUTPUT.ly"),
                     QCoreApplication::translate("NotationCommand", "曲をLilyPondの楽譜に書き出す"));
}
