#include "score/TempoReader.h"

#include <limits>

#include <QRegularExpression>

namespace TempoReader {
namespace {

// A decimal number, rounded exactly. The magnitude is kept only while it can
// still fit; anything past that is "too large".
struct DecimalText {
    bool negative = false;
    QStringView integerDigits;
    QStringView fractionDigits;
    QStringView exponentDigits;
    bool exponentNegative = false;
};

constexpr qint64 TooLarge = qint64(std::numeric_limits<qint16>::max()) + 2;

// The exponent, saturated far beyond any digit count a text can hold.
qint64 exponentValue(const DecimalText &number)
{
    constexpr qint64 Saturated = qint64(1) << 40;
    qint64 value = 0;
    for (QChar digit : number.exponentDigits) {
        value = value * 10 + (digit.unicode() - u'0');
        if (value > Saturated)
            value = Saturated;
    }
    return number.exponentNegative ? -value : value;
}

// The digits of the number as one string with the decimal point moved by the
// exponent: "point" is where the integer part ends within "digits" (it may lie
// before the first digit or after the last).
std::optional<qint64> roundedMagnitude(const DecimalText &number)
{
    QString digits = number.integerDigits.toString() + number.fractionDigits.toString();
    qint64 point = number.integerDigits.size() + exponentValue(number);

    // Leading zeros change nothing but the position of the point.
    qsizetype leadingZeros = 0;
    while (leadingZeros < digits.size() && digits.at(leadingZeros) == u'0')
        ++leadingZeros;
    digits.remove(0, leadingZeros);
    point -= leadingZeros;
    if (digits.isEmpty())
        return 0;

    // The integer part: digits before the point, and zeros past the digits.
    qint64 magnitude = 0;
    if (point > 0) {
        if (point > 6)
            return TooLarge; // at least seven integer digits, the first not zero
        for (qint64 i = 0; i < point; ++i) {
            const int digit = i < digits.size() ? digits.at(i).unicode() - u'0' : 0;
            magnitude = magnitude * 10 + digit;
        }
    }

    // The first fraction digit decides, unless it is a 5 with only zeros after it.
    const qint64 firstFraction = point; // index in digits; may be negative
    int decidingDigit = 0;
    bool anythingAfter = false;
    if (firstFraction < 0) {
        // Zeros follow the point before the first digit.
        decidingDigit = 0;
        anythingAfter = true; // digits is not empty and holds a non-zero digit
    } else if (firstFraction < digits.size()) {
        decidingDigit = digits.at(firstFraction).unicode() - u'0';
        for (qsizetype i = firstFraction + 1; i < digits.size() && !anythingAfter; ++i)
            anythingAfter = digits.at(i) != u'0';
    }
    const bool roundUp = decidingDigit > 5 || (decidingDigit == 5 && (anythingAfter || magnitude % 2 == 1));
    return roundUp ? magnitude + 1 : magnitude;
}

} // namespace

std::optional<qint16> readInteger(const QString &text)
{
    static const QRegularExpression number(
        QStringLiteral(R"(\A[ \t]*([+-]?)([0-9]*)(?:\.([0-9]*))?(?:[eE]([+-]?)([0-9]+))?[ \t]*\z)"));
    const QString normalized = text.normalized(QString::NormalizationForm_KC);
    const QRegularExpressionMatch match = number.match(normalized);
    if (!match.hasMatch())
        return std::nullopt;
    DecimalText decimal;
    decimal.negative = match.capturedView(1) == u"-";
    decimal.integerDigits = match.capturedView(2);
    decimal.fractionDigits = match.capturedView(3);
    decimal.exponentNegative = match.capturedView(4) == u"-";
    decimal.exponentDigits = match.capturedView(5);
    if (decimal.integerDigits.isEmpty() && decimal.fractionDigits.isEmpty())
        return std::nullopt; // a sign or point alone is no number

    const std::optional<qint64> magnitude = roundedMagnitude(decimal);
    const qint64 value = decimal.negative ? -*magnitude : *magnitude;
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(value);
}

std::optional<qint16> readTempo(const QString &text)
{
    const std::optional<qint16> value = readInteger(text);
    if (!value || *value < MinimumTempo || *value > MaximumTempo)
        return std::nullopt;
    return value;
}

} // namespace TempoReader
