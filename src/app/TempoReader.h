#pragma once

#include <optional>

#include <QString>

namespace TempoReader {

inline constexpr int MinimumTempo = 60;
inline constexpr int MaximumTempo = 240;

// Reads a number as typed: blanks around it, an optional sign, digits with an
// optional decimal point, an optional exponent. Full-width forms typed by
// Japanese input methods count as their ASCII forms. The value is rounded to
// the nearest integer (halves to even) and must fit a signed 16-bit integer.
std::optional<qint16> readInteger(const QString &text);

// The tempo the text stands for, if it is a number from 60 to 240.
std::optional<qint16> readTempo(const QString &text);

} // namespace TempoReader
