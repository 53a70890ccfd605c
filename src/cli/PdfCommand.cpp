#include <QCoreApplication>

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "drawing/ScorePages.h"

Command::Help PdfCommand::help() const
{
    Help help{QStringLiteral("pdf"),
              QStringLiteral("[--meter 4/4|3/4|2/4|none] [--title TEXT] INPUT OUTPUT.pdf"),
              2,
              2,
              true,
              QCoreApplication::translate("PdfCommand",
                                          "曲を楽譜にしてPDFファイル（A4）に書き出す。題名（--title "
                                          "がなければファイルが曲に付けた題名、それもなければファイルの名前）、"
                                          "テンポ、五線譜、ページ番号。拍子は --meter がなければファイルのとおり"),
              QStringLiteral("zepa pdf --meter 3/4 furusato.mml furusato.pdf"),
              {QStringLiteral("meter"), QStringLiteral("title")}};
    help.paints = true;
    return help;
}

int PdfCommand::run(const QStringList &arguments, const CommandOptions &options)
{
    const std::optional<CommandSupport::TitledMelody> read = CommandSupport::readTitledInput(arguments[0], options);
    if (!read)
        return ExitStatus::WorkFailed;
    const QByteArray pdf = scorePdf(writeMelody(read->melody), read->title);
    const QString &path = arguments[1];
    const UserFileWriter::Result result = UserFileWriter::write(
        path, pdf, options.force ? UserFileWriter::Replace::Existing : UserFileWriter::Replace::Never);
    switch (result.status) {
    case UserFileWriter::Result::Status::Written:
        return ExitStatus::Success;
    case UserFileWriter::Result::Status::Exists:
        return CommandSupport::fail(
            ExitStatus::WorkFailed,
            QCoreApplication::translate("CommandLine",
                                        "%1: もうあるので置き換えませんでした（--force を付けると置き換えます）")
                .arg(path));
    case UserFileWriter::Result::Status::Cancelled:
    case UserFileWriter::Result::Status::Failed:
        break;
    }
    return CommandSupport::fail(
        ExitStatus::WorkFailed,
        QCoreApplication::translate("CommandLine", "%1: 書き込めません: %2").arg(path, result.reason));
}
