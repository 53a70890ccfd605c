#include "base/Message.h"

#include "base/ProgramInfo.h"

Message Message::refusal(const QString &text, const QString &title)
{
    return {text, title, MessageButtons::Ok, MessageIcon::Warning, 0, true};
}

Message Message::notice(const QString &text, const QString &title)
{
    return {text, title, MessageButtons::Ok, MessageIcon::Information, 0, true};
}

Message Message::question(const QString &text, const QString &title)
{
    return {text, title, MessageButtons::OkCancel, MessageIcon::Information, 1, true};
}

Message Message::plain(const QString &text)
{
    return {text, QString(), MessageButtons::Ok, MessageIcon::None, 0, false};
}

QString Message::shownTitle() const
{
    return title.isEmpty() ? ProgramTitle : title;
}

unsigned Message::flags() const
{
    unsigned value = buttons == MessageButtons::OkCancel ? 0x1u : 0x0u;
    if (icon == MessageIcon::Warning)
        value |= 0x30u;
    else if (icon == MessageIcon::Information)
        value |= 0x40u;
    value |= static_cast<unsigned>(defaultButton) * 0x100u;
    if (foreground)
        value |= 0x10000u;
    return value;
}
