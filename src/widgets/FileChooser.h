#pragma once

#include <QString>

class QWidget;

// Asks the user where to save a file. Tests put their own answer in place.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The path chosen, or an empty text when the user cancelled. The dialog
    // itself asks before an existing file is replaced.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                                 const QString &filter)
        = 0;
    // The file chosen to open, or an empty text when the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
        = 0;
};

// The toolkit's own file dialog.
class DialogFileChooser : public FileChooser {
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                         const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter) override;
};
