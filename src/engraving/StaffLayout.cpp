#include "engraving/StaffLayout.h"

#include <array>

#include <algorithm>
#include <cmath>

#include <QCoreApplication>

#include "engraving/StaffBuilder.h"

namespace StaffEngraving {

using namespace Smufl;

namespace {

constexpr float TitleHeight = 3.0f; // as a songbook's title stands over the music
constexpr float TempoLift = 2.8f; // the tempo mark's baseline above the staff, at the least
// The digits (1.8 wide) and a space before the first note or its accidental.
constexpr float TimeSignatureWidth = 3.0f;
// A stem is an octave long; with flags longer, so that they clear the head.
float stemLength(int flagCount)
{
    return flagCount == 0 ? 3.5f : flagCount < 3 ? 4.0f : 4.5f;
}
// A bar line takes this much room: a little after the last note's own space
// and a space before the next note, so that a stem beside it is no second line.
constexpr float BarRoom = 1.3f;
constexpr float BeforeBarLine = 0.25f;
constexpr float FinalBarRoom = 1.2f;
// How far a tie above its heads reaches: its ends 0.7 off the head, its middle half a space more, and its ink.
constexpr float TieRise = 1.5f;
// A head, its flag and a gap.
constexpr float FlaggedRoom = 2.8f;

// How much room a length takes: a fixed step more for each doubling, as
// engravers space (a sixteenth two spaces, an eighth 3.2, a quarter 4.4, a
// whole 6.8), never less than a head and a gap. units: 96ths of a whole.
float spacing(int units)
{
    // Pieces are at most a bar long or a length's own: a table for those,
    // as every piece is spaced on each layout.
    constexpr int Tabled = 4 * 96;
    static const std::array<float, Tabled + 1> table = [] {
        std::array<float, Tabled + 1> values{};
        for (int u = 1; u <= Tabled; ++u)
            values[std::size_t(u)] = std::max(1.8f, 2.0f + 1.2f * std::log2(float(u) / 6.0f));
        return values;
    }();
    if (units >= 1 && units <= Tabled)
        return table[std::size_t(units)];
    return std::max(1.8f, 2.0f + 1.2f * std::log2(float(std::max(units, 1)) / 6.0f));
}

bool dotted(NoteLength length)
{
    return length == NoteLength::DottedHalf || length == NoteLength::DottedQuarter || length == NoteLength::DottedEighth
        || length == NoteLength::DottedSixteenth;
}

// A note's flags, when no beam joins it: as many as its beams.
int flags(NoteLength length)
{
    return beamCount(length);
}

char16_t notehead(NoteLength length)
{
    if (length == NoteLength::Whole)
        return NoteheadWhole;
    if (length == NoteLength::Half || length == NoteLength::DottedHalf)
        return NoteheadHalf;
    return NoteheadBlack;
}

char16_t restGlyph(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return RestWhole;
    case NoteLength::Half:
    case NoteLength::DottedHalf:
        return RestHalf;
    case NoteLength::Quarter:
    case NoteLength::DottedQuarter:
    case NoteLength::QuarterTriplet:
        return RestQuarter;
    case NoteLength::Eighth:
    case NoteLength::DottedEighth:
    case NoteLength::EighthTriplet:
        return Rest8th;
    case NoteLength::Sixteenth:
    case NoteLength::DottedSixteenth:
    case NoteLength::SixteenthTriplet:
        return Rest16th;
    case NoteLength::ThirtySecond:
        return Rest32nd;
    }
    return RestQuarter;
}

char16_t flagGlyph(int count, bool up)
{
    switch (count) {
    case 1:
        return up ? Flag8thUp : Flag8thDown;
    case 2:
        return up ? Flag16thUp : Flag16thDown;
    default:
        return up ? Flag32ndUp : Flag32ndDown;
    }
}

} // namespace

StaffBuilder::StaffBuilder(const WrittenMelody &melody, float width, const QString &title)
    : m_melody(&melody)
    , m_width(std::max(width, ClefWidth + 12.0f))
    , m_title(title)
{ }

StaffLayout StaffBuilder::build()
{
    prepare();
    for (std::size_t system = 0; system < m_systems.size(); ++system)
        drawSystem(int(system));
    return std::move(m_layout);
}

float StaffBuilder::pieceWidth(std::size_t k) const
{
    const WrittenPiece &piece = m_melody->pieces[k];
    float width = spacing(piece.units) + accidentalRoom(piece);
    if (dotted(piece.shown))
        width += 0.5f;
    // A flag needs room before the next head where no beam takes its place.
    if (!piece.rest && m_beamLast[k] < 0 && beamCount(piece.shown) > 0)
        width = std::max(width, FlaggedRoom + accidentalRoom(piece));
    width = std::max(width, m_markRoom[k]);
    if (piece.barAfter)
        width += BarRoom;
    return width;
}

// Systems filled piece by piece, or bar by bar where there are bars.
std::size_t StaffBuilder::place(std::size_t from, float &top, float downTo)
{
    const std::vector<WrittenPiece> &pieces = m_melody->pieces;
    // Each piece's room, once: the line breaking sums it, the placing adds it up.
    std::vector<float> pieceWidths;
    const auto widths = [&](std::size_t k) {
        while (pieceWidths.size() <= k - from)
            pieceWidths.push_back(pieceWidth(from + pieceWidths.size()));
        return pieceWidths[k - from];
    };
    std::size_t i = from;
    do {
        SystemRange system;
        system.first = int(i);
        system.top = top;
        system.staffTop = top + RoomAbove;
        float x = LeftMargin + ClefWidth + (m_systems.empty() && m_melody->meter ? TimeSignatureWidth : 0.0f);
        while (i < pieces.size()) {
            // The next segment: one piece, or the rest of its bar.
            std::size_t end = i + 1;
            if (m_melody->meter) {
                while (end < pieces.size() && !pieces[end - 1].barAfter)
                    ++end;
            } else if (m_beamLast[i] >= 0) {
                end = std::size_t(m_beamLast[i]) + 1; // a beamed group stays on one line
            }
            float segment = 0;
            for (std::size_t k = i; k < end; ++k)
                segment += widths(k);
            if (x + segment > m_width - LeftMargin) {
                const bool first = i == std::size_t(system.first);
                if (!first && segment <= m_width - LeftMargin - ClefWidth)
                    break; // the bar goes to the next line whole
                // A bar wider than a line (after a length the meter cannot
                // hold, the rest of the melody): piece by piece.
                end = i + 1;
                segment = widths(i);
                if (x + segment > m_width - LeftMargin && !first)
                    break;
            }
            for (std::size_t k = i; k < end; ++k) {
                const WrittenPiece &piece = pieces[k];
                Placed &placed = m_placed[k];
                placed.system = int(m_systems.size());
                placed.x = x + accidentalRoom(piece);
                if (!piece.rest) {
                    const int step = piece.pitch.staffStep();
                    placed.y = yOf(system.staffTop, step);
                    placed.stemUp = step < 4;
                    const float stem = stemLength(flags(piece.shown));
                    placed.stemEnd = placed.stemUp ? placed.y - stem : placed.y + stem;
                } else {
                    placed.y = system.staffTop + 2.0f;
                }
                x += widths(k);
            }
            i = end;
        }
        system.end = int(i);
        if (i == pieces.size())
            x += FinalBarRoom; // the last system ends with the final bar line
        system.right = std::max(x, LeftMargin + ClefWidth + 2.0f);
        if (i < pieces.size())
            justify(system);
        top = system.staffTop + 4.0f + RoomBelow;
        m_systems.push_back(system);
    } while (i < pieces.size() && top <= downTo);
    return i;
}

// Every line but the last reaches the right margin: the room left over
// is shared among its pieces in proportion to the room each takes, so
// that longer notes keep their longer spaces.
void StaffBuilder::justify(SystemRange &system)
{
    if (system.end <= system.first)
        return;
    const float start
        = m_placed[std::size_t(system.first)].x - accidentalRoom(m_melody->pieces[std::size_t(system.first)]);
    const float natural = system.right - start;
    const float target = m_width - LeftMargin - start;
    if (natural <= 0 || target <= natural)
        return;
    const float factor = target / natural;
    for (int k = system.first; k < system.end; ++k) {
        Placed &placed = m_placed[std::size_t(k)];
        const float room = accidentalRoom(m_melody->pieces[std::size_t(k)]);
        placed.x = start + (placed.x - room - start) * factor + room;
        placed.stretch = factor;
    }
    system.right = m_width - LeftMargin;
}

// The highest ink of a placed note as written: its stem or beam, or its
// head and the mark above it. Brackets, slurs and octave lines above it
// raise it as they are placed, in that order, each clear of the one before.
float StaffBuilder::ceilingOf(std::size_t k, float staffTop) const
{
    const WrittenPiece &piece = m_melody->pieces[k];
    if (piece.rest)
        return staffTop;
    const Placed &placed = m_placed[k];
    float ceiling = placed.stemUp ? placed.stemEnd : placed.y - 0.5f;
    if ((piece.staccato || piece.tenuto) && !placed.stemUp && piece.shown != NoteLength::Whole)
        ceiling -= 0.9f; // the dot or line above the head
    if (piece.accidental != ShownAccidental::None) // a sharp stands higher than its head
        ceiling = std::min(ceiling, placed.y - Smufl::box(AccidentalSharp).top);
    // A tie above the head, to the next piece or from the one before (ties
    // curve away from the stem of the piece they start at).
    const bool tieAboveAfter = piece.tiedToNext && !placed.stemUp;
    const bool tieAboveBefore = k > 0 && m_melody->pieces[k - 1].tiedToNext && !m_placed[k - 1].stemUp;
    if (tieAboveAfter || tieAboveBefore)
        ceiling = std::min(ceiling, placed.y - TieRise);
    return std::min(ceiling, staffTop);
}

// The lowest ink of a placed note: its stem or beam, its head, or the mark below it.
float StaffBuilder::floorOf(std::size_t k) const
{
    const WrittenPiece &piece = m_melody->pieces[k];
    const Placed &placed = m_placed[k];
    if (piece.rest)
        return placed.y + 1.5f;
    float floor = !placed.stemUp && piece.shown != NoteLength::Whole ? placed.stemEnd : placed.y + 0.5f;
    if ((piece.staccato || piece.tenuto) && (placed.stemUp || piece.shown == NoteLength::Whole))
        floor += 0.9f; // the dot or line below the head
    return floor;
}

float StaffBuilder::stemX(std::size_t k) const
{
    const Placed &at = m_placed[k];
    return at.stemUp ? at.x + StemUpX - StemThickness / 2 : at.x + StemThickness / 2;
}

void StaffBuilder::glyph(char16_t code, float x, float y, int note)
{
    StaffPrimitive primitive;
    primitive.kind = StaffPrimitive::Kind::Glyph;
    primitive.glyph = code;
    primitive.x = x;
    primitive.y = y;
    primitive.note = note;
    m_layout.primitives.push_back(primitive);
}

// A line (size: its thickness) or a curve (size: how far it bends) between two points.
void StaffBuilder::stroke(StaffPrimitive::Kind kind, float x, float y, float x2, float y2, float size, int note)
{
    StaffPrimitive primitive;
    primitive.kind = kind;
    primitive.x = x;
    primitive.y = y;
    primitive.x2 = x2;
    primitive.y2 = y2;
    primitive.size = size;
    primitive.note = note;
    m_layout.primitives.push_back(primitive);
}

void StaffBuilder::line(float x, float y, float x2, float y2, float thickness, int note)
{
    stroke(StaffPrimitive::Kind::Line, x, y, x2, y2, thickness, note);
}

void StaffBuilder::curve(float x, float y, float x2, float y2, float bend, int note)
{
    stroke(StaffPrimitive::Kind::Curve, x, y, x2, y2, bend, note);
}

void StaffBuilder::text(const QString &words, float x, float y, float height, bool warning, bool centred)
{
    StaffPrimitive primitive;
    primitive.centred = centred;
    primitive.kind = StaffPrimitive::Kind::Text;
    primitive.x = x;
    primitive.y = y;
    primitive.size = height;
    primitive.text = int(m_layout.texts.size());
    primitive.warning = warning;
    m_layout.texts.push_back(words);
    m_layout.primitives.push_back(primitive);
}

void StaffBuilder::emitSystem(int index)
{
    const SystemRange &range = m_systems[std::size_t(index)];
    StaffSystem &system = m_layout.systems[std::size_t(index)];
    system.firstPrimitive = int(m_layout.primitives.size());
    const float staffTop = range.staffTop;
    for (int l = 0; l < 5; ++l)
        line(LeftMargin, staffTop + float(l), range.right, staffTop + float(l), StaffLineThickness);
    glyph(GClef, LeftMargin + 0.3f, staffTop + 3.0f);
    if (index == 0) {
        if (!m_title.isEmpty())
            text(m_title, m_width / 2, TitleRoom - 1.0f, TitleHeight, false, true);
        if (m_melody->meter) {
            const char16_t digit = m_melody->meter == 2 ? TimeSig2 : m_melody->meter == 3 ? TimeSig3 : TimeSig4;
            // The digits meet at the middle line; a hair apart, so that their ink does not touch.
            glyph(digit, LeftMargin + ClefWidth, staffTop + 0.95f);
            glyph(TimeSig4, LeftMargin + ClefWidth, staffTop + 3.05f);
        }
    }
    bool misfitSaid = false;
    for (int k = range.first; k < range.end; ++k)
        emitPiece(k, staffTop, misfitSaid);
    emitBeams(index);
    emitTuplets(index);
    emitSlurs(index);
    emitOctaveLines(index);
    if (index == 0)
        emitTempo(range);
    system.endPrimitive = int(m_layout.primitives.size());
}

void StaffBuilder::emitPiece(int k, float staffTop, bool &misfitSaid)
{
    const WrittenPiece &piece = m_melody->pieces[std::size_t(k)];
    const Placed &at = m_placed[std::size_t(k)];
    const int note = piece.note;
    const float width = spacing(piece.units);
    if (piece.misfit && !misfitSaid) {
        text(meterMisfitWords(), at.x, staffTop + 11.0f, 1.1f, true);
        misfitSaid = true;
    }
    if (piece.rest) {
        const float y = piece.shown == NoteLength::Whole ? staffTop + 1.0f : staffTop + 2.0f;
        glyph(restGlyph(piece.shown), at.x, y, note);
        if (dotted(piece.shown))
            glyph(AugmentationDot, at.x + Smufl::box(restGlyph(piece.shown)).right + 0.3f, staffTop + 1.5f, note);
    } else {
        const int step = piece.pitch.staffStep();
        // Ledger lines below the staff and above it.
        const float headWidth = Smufl::box(notehead(piece.shown)).right;
        for (int ledger = -2; ledger >= step; ledger -= 2)
            line(at.x - LegerLineExtension, yOf(staffTop, ledger), at.x + headWidth + LegerLineExtension,
                 yOf(staffTop, ledger), LegerLineThickness, note);
        for (int ledger = 10; ledger <= step; ledger += 2)
            line(at.x - LegerLineExtension, yOf(staffTop, ledger), at.x + headWidth + LegerLineExtension,
                 yOf(staffTop, ledger), LegerLineThickness, note);
        if (piece.accidental != ShownAccidental::None)
            glyph(piece.accidental == ShownAccidental::Sharp ? AccidentalSharp : AccidentalNatural, at.x - SharpRoom,
                  at.y, note);
        glyph(notehead(piece.shown), at.x, at.y, note);
        if (piece.shown != NoteLength::Whole) {
            const float stemX = at.stemUp ? at.x + StemUpX - StemThickness / 2 : at.x + StemThickness / 2;
            line(stemX, at.y + (at.stemUp ? -StemUpY : StemUpY), stemX, at.stemEnd, StemThickness, note);
            if (const int count = flags(piece.shown); count > 0 && !m_beamed[std::size_t(k)])
                glyph(flagGlyph(count, at.stemUp), at.stemUp ? stemX - StemThickness / 2 : stemX - StemThickness / 2,
                      at.stemEnd, note);
        }
        if (dotted(piece.shown)) {
            // On a line the dot moves up into the space.
            const float dotY = step % 2 == 0 ? at.y - 0.5f : at.y;
            glyph(AugmentationDot, at.x + headWidth + 0.3f + (at.stemUp && flags(piece.shown) ? 1.0f : 0.0f), dotY,
                  note);
        }
        if (piece.staccato) {
            // Opposite the stem, clear of the head.
            const bool below = at.stemUp || piece.shown == NoteLength::Whole;
            glyph(below ? ArticStaccatoBelow : ArticStaccatoAbove, at.x + headWidth / 2 - 0.168f,
                  below ? at.y + 1.0f : at.y - 1.0f, note);
        }
        if (piece.tenuto) {
            const bool below = at.stemUp || piece.shown == NoteLength::Whole;
            glyph(below ? ArticTenutoBelow : ArticTenutoAbove, at.x + headWidth / 2 - 0.674f,
                  below ? at.y + 0.9f : at.y - 0.9f, note);
        }
        emitTie(k);
        emitTieFromLineBefore(k);
    }
    if (piece.barAfter && std::size_t(k) + 1 < m_melody->pieces.size()) {
        // After the note's own room (widened with its line), a space before the next.
        const float barX = at.x + (width + (dotted(piece.shown) ? 0.5f : 0.0f)) * at.stretch
            + (BarRoom * at.stretch - (BarRoom - BeforeBarLine));
        line(barX, staffTop, barX, staffTop + 4.0f, ThinBarlineThickness);
    }
    if (std::size_t(k) + 1 == m_melody->pieces.size()) {
        // The end: a thin and a thick line, the thick one closing the staff.
        const float thick = m_systems[std::size_t(at.system)].right - ThickBarlineThickness / 2;
        const float thin = thick - ThickBarlineThickness / 2 - BarlineSeparation - ThinBarlineThickness / 2;
        line(thin, staffTop, thin, staffTop + 4.0f, ThinBarlineThickness);
        line(thick, staffTop, thick, staffTop + 4.0f, ThickBarlineThickness);
    }
}

// "♩ = 120" over the clef and time signature, just above the staff and
// clear of anything the first notes raise there.
void StaffBuilder::emitTempo(const SystemRange &range)
{
    float baseline = range.staffTop - TempoLift;
    const float reach = LeftMargin + 8.0f; // the mark's width and a space
    for (int k = range.first; k < range.end && m_placed[std::size_t(k)].x - 1.5f < reach; ++k)
        baseline = std::min(baseline, m_ceiling[std::size_t(k)] - 0.6f);
    baseline = std::max(baseline, range.top + 2.8f);
    glyph(MetNoteQuarterUp, LeftMargin + 0.3f, baseline);
    text(QStringLiteral("= %1").arg(m_melody->tempo), LeftMargin + 2.0f, baseline, 1.8f);
}

} // namespace StaffEngraving

QString meterMisfitWords()
{
    return QCoreApplication::translate("StaffLayout", "拍子に合いません");
}

StaffLayout layoutStaff(const WrittenMelody &melody, float width, const QString &title)
{
    return StaffEngraving::StaffBuilder(melody, width, title).build();
}

int StaffLayout::noteAt(float x, float y) const
{
    const auto [first, end] = systemsBetween(y, y);
    for (int system = first; system < end; ++system) {
        const StaffSystem &line = systems[std::size_t(system)];
        if (line.firstNote < 0)
            continue;
        int best = -1;
        float distance = 1.0f; // within a space of a note
        for (int note = line.firstNote; note <= line.lastNote; ++note) {
            const NotePlace &place = notes[std::size_t(note)];
            if (place.system != system)
                continue;
            const float away = x < place.left ? place.left - x : x > place.right ? x - place.right : 0.0f;
            if (away < distance) {
                distance = away;
                best = note;
            }
        }
        return best;
    }
    return -1;
}

std::pair<int, int> StaffLayout::systemsBetween(float top, float bottom) const
{
    const auto first = std::lower_bound(systems.begin(), systems.end(), top,
                                        [](const StaffSystem &system, float y) { return system.bottom <= y; });
    const auto end = std::upper_bound(first, systems.end(), bottom,
                                      [](float y, const StaffSystem &system) { return y < system.top; });
    return {int(first - systems.begin()), int(end - systems.begin())};
}
