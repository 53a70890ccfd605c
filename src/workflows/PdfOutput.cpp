// The melody as sheet music on A4 pages, under the title the user confirmed.
#include <QCoreApplication>

#include "drawing/ScorePages.h"
#include "workflows/Outputs.h"

namespace {

class PdfOutput : public OutputWriter {
public:
    OutputFormat format() const override
    {
        OutputFormat format;
        format.id = OutputId::Pdf;
        format.commandName = QStringLiteral("pdf");
        format.menuText = QCoreApplication::translate("Outputs", "楽譜をPDFに書き出す(&D)...");
        format.description
            = QCoreApplication::translate("Outputs", "楽譜をPDFファイル（A4）に書き出します（先に題名を聞きます）。");
        format.dialogTitle = QCoreApplication::translate("Outputs", "PDFに書き出す");
        format.fileFilter = QCoreApplication::translate("Outputs", "PDFファイル (*.pdf)");
        format.nameEnding = QStringLiteral(".pdf");
        format.titled = true;
        format.paints = true;
        format.progressWords = QCoreApplication::translate("Outputs", "楽譜をPDFにしています…");
        return format;
    }

    OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                       const OutputProgress &progress) const override
    {
        const QByteArray pdf = scorePdf(writeMelody(*source.melody), source.title, [&progress](int page, int pages) {
            return !progress
                || progress(int(qint64(page - 1) * 1000 / pages),
                            QCoreApplication::translate("Outputs", "楽譜をPDFにしています…（%1 / %2 ページ）")
                                .arg(page)
                                .arg(pages));
        });
        if (pdf.isEmpty())
            return {OutputResult::Status::Cancelled, QString(), {}};
        return fromWrite(UserFileWriter::write(path, pdf, replace));
    }
};

} // namespace

std::unique_ptr<OutputWriter> makePdfOutput()
{
    return std::make_unique<PdfOutput>();
}
