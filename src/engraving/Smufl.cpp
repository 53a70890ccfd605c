#include "engraving/Smufl.h"

#include <array>

namespace Smufl {
namespace {

struct Entry {
    char16_t glyph;
    Box box;
};

// From Bravura's metadata.json: bBoxSW and bBoxNE of each glyph.
constexpr std::array<Entry, 33> Boxes{{
    {GClef, {0.0f, -2.632f, 2.684f, 4.392f}},
    {NoteheadWhole, {0.0f, -0.5f, 1.688f, 0.5f}},
    {NoteheadHalf, {0.0f, -0.5f, 1.18f, 0.5f}},
    {NoteheadBlack, {0.0f, -0.5f, 1.18f, 0.5f}},
    {AugmentationDot, {0.0f, -0.2f, 0.4f, 0.2f}},
    {Flag8thUp, {0.0f, -3.241f, 1.056f, 0.035f}},
    {Flag8thDown, {0.0f, -0.058f, 1.224f, 3.233f}},
    {Flag16thUp, {0.0f, -3.252f, 1.116f, 0.008f}},
    {Flag16thDown, {0.0f, -0.036f, 1.164f, 3.248f}},
    {Flag32ndUp, {0.0f, -3.248f, 1.044f, 0.596f}},
    {Flag32ndDown, {0.0f, -0.687f, 1.092f, 3.248f}},
    {AccidentalNatural, {0.0f, -1.34f, 0.672f, 1.364f}},
    {AccidentalSharp, {0.0f, -1.392f, 0.996f, 1.4f}},
    {ArticStaccatoAbove, {0.0f, 0.0f, 0.336f, 0.336f}},
    {ArticStaccatoBelow, {0.0f, -0.336f, 0.336f, 0.0f}},
    {ArticTenutoAbove, {-0.004f, 0.0f, 1.352f, 0.192f}},
    {ArticTenutoBelow, {-0.004f, -0.192f, 1.352f, 0.0f}},
    {RestWhole, {0.0f, -0.54f, 1.128f, 0.036f}},
    {RestHalf, {0.0f, -0.008f, 1.128f, 0.568f}},
    {RestQuarter, {0.004f, -1.5f, 1.08f, 1.492f}},
    {Rest8th, {0.0f, -1.004f, 0.988f, 0.696f}},
    {Rest16th, {0.0f, -2.0f, 1.28f, 0.716f}},
    {Rest32nd, {0.0f, -2.0f, 1.452f, 1.704f}},
    {Ottava, {0.0f, -0.04f, 1.544f, 1.852f}},
    {OttavaAlta, {0.0f, -0.04f, 3.54f, 1.852f}},
    {Quindicesima, {0.0f, -0.04f, 2.668f, 1.844f}},
    {QuindicesimaAlta, {0.0f, -0.04f, 5.26f, 1.844f}},
    {OttavaBassaVb, {0.0f, -0.04f, 3.184f, 1.852f}},
    {Tuplet3, {0.04f, -0.032f, 1.224f, 1.5f}},
    {TimeSig2, {0.08f, -1.028f, 1.704f, 1.016f}},
    {TimeSig3, {0.08f, -1.004f, 1.604f, 0.996f}},
    {TimeSig4, {0.08f, -1.0f, 1.8f, 1.004f}},
    {MetNoteQuarterUp, {0.0f, -0.564f, 1.328f, 2.752f}},
}};

} // namespace

Box box(char16_t glyph)
{
    for (const Entry &entry : Boxes) {
        if (entry.glyph == glyph)
            return entry.box;
    }
    return {0, 0, 0, 0};
}

QString allGlyphs()
{
    QString glyphs;
    for (const Entry &entry : Boxes)
        glyphs += QChar(entry.glyph);
    return glyphs;
}

} // namespace Smufl
