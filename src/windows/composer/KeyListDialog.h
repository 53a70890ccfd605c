#pragma once

#include <QDialog>

// 「ヘルプ」→「キー操作」: every key of the computer keyboard that enters a
// note, beside what it does, and then every key of a menu command, from the
// window's own table of commands.
class KeyListDialog : public QDialog {
    Q_OBJECT

public:
    explicit KeyListDialog(const QList<std::pair<QString, QString>> &commandKeys, QWidget *parent = nullptr);
};
