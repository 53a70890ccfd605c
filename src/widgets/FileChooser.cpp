#include "widgets/FileChooser.h"

#include <QFileDialog>

QString DialogFileChooser::saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                                        const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}

QString DialogFileChooser::openFileName(QWidget *parent, const QString &title, const QString &folder,
                                        const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, folder, filter);
}
