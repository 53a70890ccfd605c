#include "widgets/UserDialogs.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QUrl>

QString QtUserDialogs::saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                                    const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}

QString QtUserDialogs::openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}

std::optional<QString> QtUserDialogs::askText(QWidget *parent, const QString &title, const QString &label,
                                              const QString &initial)
{
    bool ok = false;
    const QString text = QInputDialog::getText(parent, title, label, QLineEdit::Normal, initial, &ok);
    return ok ? std::optional<QString>(text) : std::nullopt;
}

std::optional<int> QtUserDialogs::chooseItem(QWidget *parent, const QString &title, const QString &label,
                                             const QStringList &items)
{
    bool ok = false;
    const QString chosen = QInputDialog::getItem(parent, title, label, items, 0, false, &ok);
    return ok ? std::optional<int>(int(items.indexOf(chosen))) : std::nullopt;
}

bool QtUserDialogs::openDocument(const QString &path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
