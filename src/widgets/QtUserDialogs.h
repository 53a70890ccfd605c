#pragma once

#include "base/UserDialogs.h"

// The toolkit's own dialogs, over the active window.
class QtUserDialogs : public UserDialogs {
public:
    QString saveFileName(const QString &title, const QString &suggestedPath, const QString &filter,
                         QString *chosenFilter = nullptr) override;
    QString openFileName(const QString &title, const QString &folder, const QString &filter) override;
    std::optional<QString> askText(const QString &title, const QString &label, const QString &initial) override;
    std::optional<int> chooseItem(const QString &title, const QString &label, const QStringList &items) override;
    bool openDocument(const QString &path) override;
    std::optional<SendChoice> askSendChoice(const SendChoice &initial) override;
    std::unique_ptr<ProgressTask> startProgress(const QString &title, const QString &label, int maximum) override;
    PrintOutcome print(const QString &title, const std::function<bool(QPagedPaintDevice &)> &paint) override;
};
