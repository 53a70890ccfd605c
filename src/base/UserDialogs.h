#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QString>
#include <QStringList>

// A long piece of work shown to the user while it goes on, with a way to stop
// it. It goes when the object does.
class ProgressTask {
public:
    virtual ~ProgressTask() = default;
    // How far the work is, of the maximum it was started with.
    virtual void setValue(int value) = 0;
    virtual void setLabel(const QString &label) = 0;
    // The user asked to stop.
    virtual bool wasCancelled() const = 0;
};

// Where a melody is sent: the tower's port ("usb", or a serial port's path),
// the RCX's program slot 1 to 5, and whether the program starts once there.
struct SendChoice {
    QString port = QStringLiteral("usb");
    int slot = 1;
    bool run = false;
};

class QPagedPaintDevice;

// What became of a print: printed, the user cancelled, or the printer or the
// painting failed.
enum class PrintOutcome { Printed, Cancelled, Failed };

// The small dialogs that ask the user for a file or a value, over the window
// the user is working in. Tests put their own answers in place, so that
// nothing that asks needs a display.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;
    // The path chosen, or an empty text when the user cancelled. The dialog
    // itself asks before an existing file is replaced. filter may offer
    // several kinds, ";;" between them; chosenFilter, if given, says which.
    virtual QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter,
                                 QString *chosenFilter = nullptr)
        = 0;
    // The file chosen to open, or an empty text when the user cancelled.
    virtual QString openFileName(const QString &title, const QString &folder, const QString &filter) = 0;
    // A line of text, or nothing when the user cancelled.
    virtual std::optional<QString> askText(const QString &title, const QString &label, const QString &initial) = 0;
    // One of a list of choices, by its place, or nothing when the user cancelled.
    virtual std::optional<int> chooseItem(const QString &title, const QString &label, const QStringList &items) = 0;
    // Shows a document in the desktop's own viewer; false when none could.
    virtual bool openDocument(const QString &path) = 0;
    // Where to send the melody, starting from the choice made last time; nothing
    // when the user cancelled.
    virtual std::optional<SendChoice> askSendChoice(const SendChoice &initial) = 0;
    // Shows the progress of work of maximum steps; shown only once it takes
    // long enough to be worth seeing.
    virtual std::unique_ptr<ProgressTask> startProgress(const QString &title, const QString &label, int maximum) = 0;
    // The print dialog, with a preview of the pages; paint draws the document
    // on the device the user chose (for the preview too, as often as it asks)
    // and says whether it could.
    virtual PrintOutcome print(const QString &title, const std::function<bool(QPagedPaintDevice &)> &paint) = 0;
};
