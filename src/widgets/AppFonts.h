#pragma once

#include "drawing/ScoreFonts.h"

// The windows are drawn for "ＭＳ Ｐゴシック" 9 points, or the font that
// stands for it (see ScoreFonts).
namespace AppFonts {

inline const QString &DesignFamily = ScoreFonts::DesignFamily;
inline constexpr double DesignPointSize = 9.0;

void install();

} // namespace AppFonts
