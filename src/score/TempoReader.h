#pragma once

#include <optional>

#include <QString>

namespace TempoReader {

inline constexpr int MinimumTempo = 60;
inline constexpr int MaximumTempo = 240;

// Reads a number as typed. The text is first brought to its NFKC form, so the
// full-width, superscript, circled and other compatibility forms of digits,
// signs, point and blanks count as their ASCII forms. Then: blanks around it,
// an optional sign, digits with an optional decimal point, an optional
// exponent. The value is rounded to the nearest integer, an exact half to the
// even one, deciding on the decimal digits themselves (no binary fraction
// comes between), and must fit a signed 16-bit integer.
std::optional<qint16> readInteger(const QString &text);

// The tempo the text stands for, if it is a number from 60 to 240.
std::optional<qint16> readTempo(const QString &text);

} // namespace TempoReader
