#include "base/ShownText.h"

#include <algorithm>

QString shownWhole(const QString &text)
{
    const auto hidden = [](QChar c) {
        return c != u'\n' && c != u'\t' && (c.category() == QChar::Other_Control || c == QChar(0xfffe));
    };
    if (std::none_of(text.begin(), text.end(), hidden))
        return text;
    QString shown;
    shown.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (hidden(c))
            shown += QStringLiteral("U+%1").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper();
        else
            shown += c;
    }
    return shown;
}
