#include "widgets/QtUserDialogs.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QProgressDialog>
#include <QScreen>
#include <QUrl>

#include "base/LateModule.h"
#include "widgets/PrintPreview.h"
#include "widgets/SendDialog.h"

namespace {

QWidget *activeWindow()
{
    return QApplication::activeWindow();
}

class DialogProgress : public ProgressTask {
public:
    DialogProgress(const QString &title, const QString &label, int maximum)
        : m_dialog(label, QCoreApplication::translate("QtUserDialogs", "中止"), 0, maximum, activeWindow())
    {
        m_dialog.setWindowTitle(title);
        m_dialog.setWindowModality(Qt::WindowModal);
        m_dialog.setMinimumDuration(500);
        m_dialog.setAutoClose(false);
        m_dialog.setAutoReset(false);
        m_dialog.setValue(0);
    }

    void setValue(int value) override { m_dialog.setValue(value); }
    void setLabel(const QString &label) override { m_dialog.setLabelText(label); }
    bool wasCancelled() const override { return m_dialog.wasCanceled(); }

private:
    QProgressDialog m_dialog;
};

} // namespace

QString QtUserDialogs::saveFileName(const QString &title, const QString &suggestedPath, const QString &filter,
                                    QString *chosenFilter)
{
    return QFileDialog::getSaveFileName(activeWindow(), title, suggestedPath, filter, chosenFilter);
}

QString QtUserDialogs::openFileName(const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(activeWindow(), title, folder, filter);
}

std::optional<QString> QtUserDialogs::askText(const QString &title, const QString &label, const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(activeWindow(), title, label, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<int> QtUserDialogs::chooseItem(const QString &title, const QString &label, const QStringList &items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(activeWindow(), title, label, items, 0, false, &ok);
    return ok ? std::optional<int>(int(items.indexOf(chosen))) : std::nullopt;
}

bool QtUserDialogs::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

std::optional<SendChoice> QtUserDialogs::askSendChoice(const SendChoice &initial)
{
    SendDialog dialog(initial, activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.choice();
}

std::unique_ptr<ProgressTask> QtUserDialogs::startProgress(const QString &title, const QString &label, int maximum)
{
    return std::make_unique<DialogProgress>(title, label, maximum);
}

PrintOutcome QtUserDialogs::print(const QString &title, const std::function<bool(QPagedPaintDevice &)> &paint)
{
    // The print preview is in the module "printing" (PrintPreviewModule.cpp),
    // loaded now: only printing loads Qt Print Support.
    QString why;
    PrintWithPreview *print = LateModule::function<PrintWithPreview>("printing", PrintWithPreviewSymbol, &why);
    if (!print) {
        qWarning("ZEPA's printing module could not be loaded: %s", qPrintable(why));
        return PrintOutcome::Failed;
    }
    return print(title, paint, activeWindow());
}
