#pragma once

#include <cmath>
#include <limits>
#include <optional>

#include <QtGlobal>

// Every fractional value becomes a 16-bit integer the same way: to the nearest
// integer, an exact half to the even one (37.5 gives 38, 12.5 gives 12).
// A result outside -32768..32767 does not fit and gives nothing.
inline std::optional<qint16> roundHalfEvenToInt16(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double whole = std::nearbyint(value); // the default rounding mode ties to even
    if (whole < std::numeric_limits<qint16>::min() || whole > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(whole);
}
