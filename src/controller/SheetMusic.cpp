// 「印刷」 and 「PDFに書き出す」: the melody as sheet music under a title the user confirms.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "controller/DocumentController.h"
#include "drawing/ScorePages.h"

std::optional<QString> DocumentController::askScoreTitle(const QString &dialogTitle)
{
    if (m_document.state().noteTotal() == 0) {
        emit status(QCoreApplication::translate("SheetMusic", "楽譜にする音がありません"));
        return std::nullopt;
    }
    // The title confirmed before for this melody, else its name.
    const bool remembered = m_scoreTitleOf == m_document.name() && !m_scoreTitle.isEmpty();
    const std::optional<QString> title
        = m_services.dialogs.askText(dialogTitle, QCoreApplication::translate("SheetMusic", "楽譜の題名:"),
                                     remembered ? m_scoreTitle : m_document.name());
    if (!title)
        return std::nullopt;
    m_scoreTitle = title->trimmed();
    m_scoreTitleOf = m_document.name();
    return m_scoreTitle;
}

void DocumentController::print()
{
    const QString dialogTitle = QCoreApplication::translate("SheetMusic", "印刷");
    const std::optional<QString> title = askScoreTitle(dialogTitle);
    if (!title)
        return;
    const WrittenMelody written = writeMelody(m_document.melody());
    switch (m_services.dialogs.print(title->isEmpty() ? m_document.name() : *title,
                                     [&](QPagedPaintDevice &device) { return paintScore(device, written, *title); })) {
    case PrintOutcome::Printed:
        emit status(QCoreApplication::translate("SheetMusic", "印刷しました"));
        break;
    case PrintOutcome::Cancelled:
        break;
    case PrintOutcome::Failed:
        m_services.messages.show(Message::refusal(
            QCoreApplication::translate("SheetMusic", "印刷できませんでした。プリンターの設定を確かめてください。"),
            QCoreApplication::translate("SheetMusic", "印刷できません")));
        break;
    }
}

void DocumentController::exportPdf()
{
    const QString dialogTitle = QCoreApplication::translate("SheetMusic", "PDFに書き出す");
    const std::optional<QString> title = askScoreTitle(dialogTitle);
    if (!title)
        return;
    const QString path = m_services.dialogs.saveFileName(
        dialogTitle, QDir(folder()).filePath(suggestedFileName(m_document.name(), QStringLiteral(".pdf"))),
        QCoreApplication::translate("SheetMusic", "PDFファイル (*.pdf);;すべてのファイル (*)"));
    if (path.isEmpty())
        return;
    const WrittenMelody written = writeMelody(m_document.melody());
    std::unique_ptr<ProgressTask> progress = m_services.dialogs.startProgress(
        dialogTitle, QCoreApplication::translate("SheetMusic", "楽譜をPDFにしています…"), 1000);
    const QByteArray pdf = scorePdf(written, *title, [&progress](int page, int pages) {
        progress->setValue(int(qint64(page - 1) * 1000 / pages));
        progress->setLabel(
            QCoreApplication::translate("SheetMusic", "楽譜をPDFにしています…（%1 / %2 ページ）").arg(page).arg(pages));
        return !progress->wasCancelled();
    });
    progress.reset();
    if (pdf.isEmpty()) {
        emit status(QCoreApplication::translate("SheetMusic", "書き出しを取りやめました"));
        return;
    }
    // The save dialog asked before an existing file is replaced.
    const UserFileWriter::Result result = UserFileWriter::write(path, pdf, UserFileWriter::Replace::Existing);
    if (!result.written()) {
        writeFailed(path, QCoreApplication::translate("SheetMusic", "書き込めませんでした"), result.reason);
        return;
    }
    emit status(QCoreApplication::translate("SheetMusic", "%1 に書き出しました").arg(QFileInfo(path).fileName()));
}
