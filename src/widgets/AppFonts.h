#pragma once

#include <QString>

// The windows are drawn for "ＭＳ Ｐゴシック" 9 points. Where that font is
// missing, its family name stands for IPAPGothic, or else for another
// Japanese sans-serif font, so every Japanese text shows real glyphs.
namespace AppFonts {

inline const QString DesignFamily = QStringLiteral("ＭＳ Ｐゴシック");
inline constexpr double DesignPointSize = 9.0;

void install();

} // namespace AppFonts
