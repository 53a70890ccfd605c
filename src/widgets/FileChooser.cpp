#include "widgets/FileChooser.h"

#include <QFileDialog>

QString DialogFileChooser::saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                                        const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, title, suggestedPath, filter);
}
