#pragma once

#include <QDialog>

// 「ヘルプ」→「キー操作」: every key of the computer keyboard that enters a
// note or runs a command, beside what it does.
class KeyListDialog : public QDialog {
    Q_OBJECT

public:
    explicit KeyListDialog(QWidget *parent = nullptr);
};
