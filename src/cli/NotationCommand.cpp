#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"

Command::Help NotationCommand::notationHelp(const QString &file, const QString &description) const
{
    const OutputFormat &format = outputFormat(m_kind);
    return {format.commandName,
            QStringLiteral("[--meter 4/4|3/4|2/4|none] [--title TEXT] INPUT %1").arg(file),
            2,
            2,
            true,
            description
                + QCoreApplication::translate(
                    "NotationCommand",
                    "。題名は --title がなければファイルが曲に付けた題名、それもなければファイルの名前、拍子は --meter "
                    "がなければファイルのとおり"),
            QStringLiteral("zepa %1 --meter 3/4 furusato.mml furusato%2").arg(format.commandName, format.nameEnding),
            {QStringLiteral("meter"), QStringLiteral("title")}};
}

int NotationCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<CommandSupport::TitledMelody> read = CommandSupport::readTitledInput(arguments[0], options);
    if (!read)
        return ExitStatus::WorkFailed;
    return CommandSupport::writeOutputFile(m_kind, OutputSource::of(read->melody, read->title), arguments[1], options);
}

Command::Help MusicXmlCommand::help() const
{
    return notationHelp(QStringLiteral("OUTPUT.musicxml"),
                        QCoreApplication::translate("NotationCommand", "曲を楽譜ソフト用のMusicXMLに書き出す"));
}

Command::Help LilyPondCommand::help() const
{
    return notationHelp(QStringLiteral("OUTPUT.ly"),
                        QCoreApplication::translate("NotationCommand", "曲をLilyPondの楽譜に書き出す"));
}
