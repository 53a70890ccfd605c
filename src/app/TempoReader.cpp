#include "app/TempoReader.h"

#include <charconv>

#include <QRegularExpression>

#include "app/RoundHalfEven.h"

namespace TempoReader {
namespace {

// Full-width digits, signs, decimal point, exponent letters and the
// ideographic space become their ASCII forms; nothing else changes.
QString toAsciiForms(const QString &text)
{
    QString ascii;
    ascii.reserve(text.size());
    for (QChar c : text) {
        const char16_t u = c.unicode();
        const bool fullWidthDigit = u >= u'０' && u <= u'９';
        if (fullWidthDigit || u == u'＋' || u == u'－' || u == u'．' || u == u'ｅ' || u == u'Ｅ')
            ascii.append(QChar(u - 0xFEE0));
        else if (u == u'\u3000')
            ascii.append(QLatin1Char(' '));
        else
            ascii.append(c);
    }
    return ascii;
}

} // namespace

std::optional<qint16> readInteger(const QString &text)
{
    static const QRegularExpression number(QStringLiteral(
        R"(^[ \t]*([+-]?(?:[0-9]+\.?[0-9]*|\.[0-9]+)(?:[eE][+-]?[0-9]+)?)[ \t]*$)"));
    const QRegularExpressionMatch match = number.match(toAsciiForms(text));
    if (!match.hasMatch())
        return std::nullopt;
    // from_chars reads the same whatever the process locale is; it takes no
    // leading plus sign, and a value too large for a double does not fit.
    QByteArray digits = match.captured(1).toLatin1();
    if (digits.startsWith('+'))
        digits.remove(0, 1);
    double value = 0;
    const auto [end, error] = std::from_chars(digits.cbegin(), digits.cend(), value);
    if (error != std::errc() || end != digits.cend())
        return std::nullopt;
    return roundHalfEvenToInt16(value);
}

std::optional<qint16> readTempo(const QString &text)
{
    const std::optional<qint16> value = readInteger(text);
    if (!value || *value < MinimumTempo || *value > MaximumTempo)
        return std::nullopt;
    return value;
}

} // namespace TempoReader
