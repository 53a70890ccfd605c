#pragma once

#include <functional>

#include "base/MessageService.h"
#include "base/UserDialogs.h"
#include "controller/ExportMelody.h"
#include "controller/SaveMelody.h"
#include "controller/SendMelody.h"

// The use cases' ports as the windows answer them: dialogs over the composer,
// boxes through the message service, words in the status bar.
struct DialogContext {
    MessageService &messages;
    UserDialogs &dialogs;
    std::function<void(const QString &)> status;
    QString folder; // where the file dialogs open
    QString melodyName; // the melody's own name, for the names offered
};

// The title of sheet music the user last confirmed for a melody, offered
// again for the next print or PDF of it, so that it is typed once.
struct RememberedTitle {
    QString title;
    QString of; // the melody's name it was confirmed for
};

class DialogExportPort : public ExportPort {
public:
    DialogExportPort(const DialogContext &context, RememberedTitle &remembered);

    std::optional<QString> title(const OutputFormat &format, const QString &offered) override;
    QString destination(const std::vector<OutputFormat> &offered, std::size_t &chosen) override;
    UserFileWriter::Replace replace() const override;
    OutputProgress progress(const OutputFormat &format) override;
    void finished(const OutputFormat &format, const QString &path, const OutputResult &result) override;

private:
    const DialogContext &m_context;
    RememberedTitle &m_remembered;
    std::unique_ptr<ProgressTask> m_progress;
};

// Asks for the title of sheet music, offering the one remembered for this
// melody or else its name; none when the user cancelled.
std::optional<QString> askScoreTitle(const DialogContext &context, RememberedTitle &remembered,
                                     const QString &dialogTitle);

class DialogSendPort : public SendPort {
public:
    explicit DialogSendPort(const DialogContext &context);

    std::optional<SendChoice> choice() override;
    void started(const SendChoice &choice, int blocks) override;
    void progressed(int blocks, int total) override;
    bool cancelled() override;
    void finished(const SendResult &result) override;

private:
    const DialogContext &m_context;
    std::unique_ptr<ProgressTask> m_progress;
    int m_slot = 1;
};

// Saving as the windows do it: the save dialog (which asks before replacing)
// only when there is a filter to offer, for 「名前を付けて保存」 or a melody
// that has no file yet; the file named in the status bar, a failure in a box.
class DialogSavePort : public SavePort {
public:
    // askWithFilter: the save dialog's filter; empty: save under the name offered.
    DialogSavePort(const DialogContext &context, QString askWithFilter);

    QString destination(const QString &offered) override;
    UserFileWriter::Replace replace() const override { return UserFileWriter::Replace::Existing; }
    void saved(const QString &path) override;
    void failed(const QString &path, const UserFileWriter::Result &result) override;

private:
    const DialogContext &m_context;
    QString m_filter;
};

// "・first\n・second": what a box lists.
QString bulleted(const QStringList &lines);
// The box that says a file could not be written, naming it.
Message writeFailure(const QString &path, const QString &failed, const QString &reason);
