#include "app/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

MessageAnswer QtMessageService::show(const Message &message)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(message.shownTitle());
    box.setText(message.text);
    switch (message.icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    if (message.buttons == MessageButtons::OkCancel) {
        cancel = box.addButton(QStringLiteral("キャンセル"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
    } else {
        box.setEscapeButton(ok);
    }
    box.setDefaultButton(message.defaultButton == 1 && cancel ? cancel : ok);
    if (message.foreground) {
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
    // Closing the box any other way than with OK counts as Cancel.
    return box.clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}
