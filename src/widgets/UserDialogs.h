#pragma once

#include <optional>

#include <QString>
#include <QStringList>

class QWidget;

// The small dialogs that ask the user for a file or a value. Tests put their
// own answers in place.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The path chosen, or an empty text when the user cancelled. The dialog
    // itself asks before an existing file is replaced.
    virtual QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                                 const QString &filter)
        = 0;
    // The file chosen to open, or an empty text when the user cancelled.
    virtual QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter)
        = 0;
    // A line of text, or nothing when the user cancelled.
    virtual std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label,
                                           const QString &initial)
        = 0;
    // One of a list of choices, by its place, or nothing when the user cancelled.
    virtual std::optional<int> chooseItem(QWidget *parent, const QString &title, const QString &label,
                                          const QStringList &items)
        = 0;
    // Shows a document in the desktop's own viewer; false when none could.
    virtual bool openDocument(const QString &path) = 0;
};

// The toolkit's own dialogs.
class QtUserDialogs : public UserDialogs {
public:
    QString saveFileName(QWidget *parent, const QString &title, const QString &suggestedPath,
                         const QString &filter) override;
    QString openFileName(QWidget *parent, const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> askText(QWidget *parent, const QString &title, const QString &label,
                                   const QString &initial) override;
    std::optional<int> chooseItem(QWidget *parent, const QString &title, const QString &label,
                                  const QStringList &items) override;
    bool openDocument(const QString &path) override;
};
