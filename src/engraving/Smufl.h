#pragma once

// The glyphs of the music font the staff is drawn with, by their SMuFL names
// and code points (Standard Music Font Layout), and their boxes in staff
// spaces from the font's own metadata (Bravura 1.392, metadata.json,
// glyphBBoxes): x to the right, y up from the glyph's origin, as SMuFL has it.
// A SMuFL font is drawn at four staff spaces to the em.
#include <QString>

namespace Smufl {

enum Glyph : char16_t {
    GClef = 0xE050,
    NoteheadWhole = 0xE0A2,
    NoteheadHalf = 0xE0A3,
    NoteheadBlack = 0xE0A4,
    AugmentationDot = 0xE1E7,
    Flag8thUp = 0xE240,
    Flag8thDown = 0xE241,
    Flag16thUp = 0xE242,
    Flag16thDown = 0xE243,
    Flag32ndUp = 0xE244,
    Flag32ndDown = 0xE245,
    AccidentalNatural = 0xE261,
    AccidentalSharp = 0xE262,
    ArticStaccatoAbove = 0xE4A2,
    ArticStaccatoBelow = 0xE4A3,
    ArticTenutoAbove = 0xE4A4,
    ArticTenutoBelow = 0xE4A5,
    RestWhole = 0xE4E3,
    RestHalf = 0xE4E4,
    RestQuarter = 0xE4E5,
    Rest8th = 0xE4E6,
    Rest16th = 0xE4E7,
    Rest32nd = 0xE4E8,
    Ottava = 0xE510,
    OttavaAlta = 0xE511,
    Quindicesima = 0xE514,
    QuindicesimaAlta = 0xE515,
    OttavaBassaVb = 0xE51C,
    Tuplet3 = 0xE883,
    TimeSig2 = 0xE082,
    TimeSig3 = 0xE083,
    TimeSig4 = 0xE084,
    MetNoteQuarterUp = 0xECA5,
};

struct Box {
    float left, bottom, right, top;
};

// The glyph's box; an empty box for a code point not in the table.
Box box(char16_t glyph);
// Every glyph the staff draws.
QString allGlyphs();

// Where the stem meets a notehead, from its origin (the font's anchors).
inline constexpr float StemUpX = 1.18f;
inline constexpr float StemUpY = 0.168f;
inline constexpr float StemDownY = -0.168f;

// Line thicknesses the font asks for (engravingDefaults).
inline constexpr float StaffLineThickness = 0.13f;
inline constexpr float StemThickness = 0.12f;
inline constexpr float LegerLineThickness = 0.16f;
inline constexpr float LegerLineExtension = 0.4f;
inline constexpr float ThinBarlineThickness = 0.16f;
inline constexpr float ThickBarlineThickness = 0.5f;
inline constexpr float BeamThickness = 0.5f;
inline constexpr float BeamSpacing = 0.25f; // between two beams
inline constexpr float BarlineSeparation = 0.4f; // between the lines of a final bar line
inline constexpr float TupletBracketThickness = 0.16f;
inline constexpr float OctaveLineThickness = 0.16f;

} // namespace Smufl
