// The module "printing": the print preview and the printer, the only code
// that links Qt Print Support.
#include <QCoreApplication>
#include <QPageLayout>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>

#include "widgets/PrintPreview.h"

extern "C" Q_DECL_EXPORT PrintOutcome zepa_print_with_preview(const QString &title,
                                                              const std::function<bool(QPagedPaintDevice &)> &paint,
                                                              QWidget *parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(title);
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    // The preview shows the pages as they will print and has the printer's
    // own dialog behind its print button; the pages are painted for each.
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QCoreApplication::translate("QtUserDialogs", "印刷プレビュー - %1").arg(title));
    // Large enough to read a page of music: most of the screen it opens on.
    if (const QScreen *screen = preview.screen())
        preview.resize(screen->availableGeometry().size() * 0.8);
    bool painted = true;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&paint, &painted](QPrinter *device) { painted = paint(*device); });
    if (preview.exec() != QDialog::Accepted)
        return PrintOutcome::Cancelled;
    return painted && printer.printerState() != QPrinter::Error ? PrintOutcome::Printed : PrintOutcome::Failed;
}
