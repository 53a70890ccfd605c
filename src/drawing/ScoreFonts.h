#pragma once

#include <QFont>
#include <QString>

// The fonts the staff and the pages are drawn in, the same on the screen, on
// paper and in a PDF.
namespace ScoreFonts {

// The windows are drawn for "ＭＳ Ｐゴシック". Where that font is missing,
// its family name stands for IPAPGothic, or else for another Japanese
// sans-serif font, so every Japanese text shows real glyphs.
inline const QString DesignFamily = QStringLiteral("ＭＳ Ｐゴシック");
// Makes the design family name stand for an installed font where it is missing.
void installSubstitutes();
// The design family where it is installed, else the font that stands for it:
// a font of this family is matched at once, where the design family's name
// has Qt ask the system for every font that might stand for it.
QString installedDesignFamily();

// Bravura, the SMuFL music font, built into the program (SIL Open Font
// License): never looked for on the system or downloaded. pixelSize is the
// em: four staff spaces.
QFont musicFont(int pixelSize);
// The words on the staff and the page: the title, the tempo's number, page
// numbers and warnings, sized in pixels of the device drawn on (never in
// points, which a printer's resolution would scale a second time).
QFont textFont(int pixelSize);

} // namespace ScoreFonts
