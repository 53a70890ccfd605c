#include "widgets/QtMessageService.h"

#include <QApplication>
#include <QCoreApplication>
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
    case MessageIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    }
    // The buttons in order, with the answer each gives; the last answers Esc
    // and the close box.
    std::vector<std::pair<QPushButton *, MessageAnswer>> buttons;
    auto add = [&box, &buttons](const QString &text, QMessageBox::ButtonRole role, MessageAnswer answer) {
        buttons.emplace_back(box.addButton(text, role), answer);
    };
    switch (message.buttons) {
    case MessageButtons::Ok:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        break;
    case MessageButtons::OkCancel:
        add(QStringLiteral("OK"), QMessageBox::AcceptRole, MessageAnswer::Ok);
        add(QCoreApplication::translate("QtMessageService", "キャンセル"), QMessageBox::RejectRole,
            MessageAnswer::Cancel);
        break;
    case MessageButtons::YesNo:
        add(QCoreApplication::translate("QtMessageService", "はい"), QMessageBox::YesRole, MessageAnswer::Yes);
        add(QCoreApplication::translate("QtMessageService", "いいえ"), QMessageBox::NoRole, MessageAnswer::No);
        break;
    case MessageButtons::SaveDiscardCancel:
        add(QCoreApplication::translate("QtMessageService", "保存"), QMessageBox::AcceptRole, MessageAnswer::Save);
        add(QCoreApplication::translate("QtMessageService", "保存しない"), QMessageBox::DestructiveRole,
            MessageAnswer::Discard);
        add(QCoreApplication::translate("QtMessageService", "キャンセル"), QMessageBox::RejectRole,
            MessageAnswer::Cancel);
        break;
    }
    box.setEscapeButton(buttons.back().first);
    box.setDefaultButton(
        buttons.at(std::min<std::size_t>(std::size_t(message.defaultButton), buttons.size() - 1)).first);
    keepTitleWhole(box);
    if (message.foreground) {
        box.show();
        box.raise();
        box.activateWindow();
    }
    box.exec();
    for (const auto &[button, answer] : buttons) {
        if (box.clickedButton() == button)
            return answer;
    }
    // Closed some other way: the last button's answer (Cancel, No or OK).
    return buttons.back().second;
}
