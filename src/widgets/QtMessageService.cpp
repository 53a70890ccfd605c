#include "widgets/QtMessageService.h"

#include <QApplication>
#include <QGridLayout>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A box with a short text is narrow, and the window manager then cuts its
// title ("NQC用簡易…"). Room for the title, the caption icon and the title
// bar's buttons keeps it whole.
void keepTitleWhole(QMessageBox &box)
{
    constexpr int TitleBarExtras = 120;
    auto *grid = qobject_cast<QGridLayout *>(box.layout());
    if (!grid)
        return;
    const int width = box.fontMetrics().horizontalAdvance(box.windowTitle()) + TitleBarExtras;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0, 1,
                  grid->columnCount());
}

} // namespace

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
    keepTitleWhole(box);
    if (message.foreground) {
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
    // Closing the box any other way than with OK counts as Cancel.
    return box.clickedButton() == ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
}
