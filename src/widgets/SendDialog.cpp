#include "widgets/SendDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>

SendDialog::SendDialog(const SendChoice &initial, QWidget *parent)
    : QDialog(parent)
    , m_port(new QComboBox(this))
    , m_slot(new QSpinBox(this))
    , m_run(new QCheckBox(QCoreApplication::translate("SendDialog", "送ったあとでプログラムを動かす(&R)"), this))
{
    setWindowTitle(QCoreApplication::translate("SendDialog", "RCXに送る"));
    // The USB tower, the usual serial ports, and the serial ports there are now.
    QStringList ports{QStringLiteral("usb"), QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyUSB0")};
    for (const QString &name :
         QDir(QStringLiteral("/dev")).entryList({QStringLiteral("ttyUSB*"), QStringLiteral("rcx")}, QDir::System))
        ports << QStringLiteral("/dev/") + name;
    ports.removeDuplicates();
    m_port->addItems(ports);
    m_port->setEditable(true);
    m_port->setCurrentText(initial.port);
    m_port->setToolTip(QCoreApplication::translate(
        "SendDialog", "USB タワーは usb、シリアルタワーはつないだポート（/dev/ttyS0 など）"));
    m_slot->setRange(1, 5);
    m_slot->setValue(initial.slot);
    m_run->setChecked(initial.run);

    auto *form = new QFormLayout(this);
    form->addRow(QCoreApplication::translate("SendDialog", "タワーのポート(&P):"), m_port);
    form->addRow(QCoreApplication::translate("SendDialog", "プログラムの番号(&N):"), m_slot);
    form->addRow(m_run);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QCoreApplication::translate("SendDialog", "送る"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QCoreApplication::translate("SendDialog", "キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
}

SendChoice SendDialog::choice() const
{
    return {m_port->currentText().trimmed(), m_slot->value(), m_run->isChecked()};
}
