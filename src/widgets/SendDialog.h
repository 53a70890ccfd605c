#pragma once

#include <QDialog>

#include "base/UserDialogs.h"

class QCheckBox;
class QComboBox;
class QSpinBox;

// 「RCXに送る」: the tower's port, the program slot and whether to start it.
class SendDialog : public QDialog {
    Q_OBJECT

public:
    explicit SendDialog(const SendChoice &initial, QWidget *parent = nullptr);

    SendChoice choice() const;
    QComboBox *portBox() const { return m_port; }
    QSpinBox *slotBox() const { return m_slot; }
    QCheckBox *runBox() const { return m_run; }

private:
    QComboBox *m_port;
    QSpinBox *m_slot;
    QCheckBox *m_run;
};
