#include "mml/MmlText.h"

#include <QStringDecoder>

namespace {

QString decoded(const QByteArray &bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.constData() + 3, bytes.size() - 3);
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF")) {
        QStringDecoder utf16(bytes.startsWith("\xFF\xFE") ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
        return utf16(QByteArrayView(bytes).sliced(2));
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    // Windows' Shift_JIS first (its extra signs, such as ①), then the standard's.
    for (const char *name : {"windows-31j", "Shift_JIS"}) {
        QStringDecoder japanese(name);
        if (!japanese.isValid())
            continue;
        text = japanese(bytes);
        if (!japanese.hasError())
            return text;
    }
    return text;
}

} // namespace

QString mmlText(const QByteArray &bytes)
{
    QString text = decoded(bytes);
    for (QChar &c : text) {
        const char16_t code = c.unicode();
        if (code >= 0xFF01 && code <= 0xFF5E)
            c = QChar(char16_t(code - 0xFF01 + 0x21));
        else if (code == 0x3000)
            c = QLatin1Char(' ');
        else if (code == 0x2212 || code == 0x2015) // minus sign, horizontal bar
            c = QLatin1Char('-');
    }
    return text;
}
