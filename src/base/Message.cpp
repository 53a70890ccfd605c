#include "base/Message.h"

#include <QCoreApplication>

#include "base/ProgramInfo.h"
#include "base/ShownText.h"

Message Message::refusal(const QString &text, const QString &title)
{
    return {shownWhole(text), title, MessageButtons::Ok, MessageIcon::Warning, 0, true};
}

Message Message::notice(const QString &text, const QString &title)
{
    return {shownWhole(text), title, MessageButtons::Ok, MessageIcon::Information, 0, true};
}

Message Message::question(const QString &text, const QString &title)
{
    return {shownWhole(text), title, MessageButtons::OkCancel, MessageIcon::Information, 1, true};
}

Message Message::plain(const QString &text)
{
    return {shownWhole(text), QString(), MessageButtons::Ok, MessageIcon::None, 0, false};
}

Message Message::yesNo(const QString &text, const QString &title)
{
    return {shownWhole(text), title, MessageButtons::YesNo, MessageIcon::Question, 0, true};
}

Message Message::saveFirst(const QString &text, const QString &title)
{
    return {shownWhole(text), title, MessageButtons::SaveDiscardCancel, MessageIcon::Warning, 0, true};
}

QString shownProgramTitle()
{
    return QCoreApplication::translate("ProgramInfo", "NQC用簡易音楽作成ソフト「ZEPA」");
}

QString Message::shownTitle() const
{
    return title.isEmpty() ? shownProgramTitle() : title;
}

unsigned Message::flags() const
{
    unsigned value = 0;
    switch (buttons) {
    case MessageButtons::Ok:
        break;
    case MessageButtons::OkCancel:
        value = 0x1u;
        break;
    case MessageButtons::SaveDiscardCancel:
        value = 0x3u; // yes, no, cancel
        break;
    case MessageButtons::YesNo:
        value = 0x4u;
        break;
    }
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Question:
        value |= 0x20u;
        break;
    case MessageIcon::Warning:
        value |= 0x30u;
        break;
    case MessageIcon::Information:
        value |= 0x40u;
        break;
    }
    value |= static_cast<unsigned>(defaultButton) * 0x100u;
    if (foreground)
        value |= 0x10000u;
    return value;
}
