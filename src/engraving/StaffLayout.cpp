#include "engraving/StaffLayout.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include <QCoreApplication>

namespace {

using namespace Smufl;

constexpr float LeftMargin = 0.5f;
constexpr float RoomAbove = 8.5f; // octave lines above brackets above slurs
constexpr float RoomBelow = 7.5f; // ledger lines, 8vb, stems down, the meter's warning
constexpr float TitleRoom = 4.5f;
constexpr float TitleHeight = 3.0f; // as a songbook's title stands over the music
constexpr float TempoLift = 2.8f; // the tempo mark's baseline above the staff, at the least
constexpr float ClefWidth = 4.0f;
// The digits (1.8 wide) and a space before the first note or its accidental.
constexpr float TimeSignatureWidth = 3.0f;
constexpr float SharpRoom = 1.3f;
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

// How much room a length takes: more for longer ones, not in proportion.
float spacing(int units)
{
    return 1.6f + 2.4f * std::sqrt(float(units) / 24.0f);
}

// The room before a head for its accidental.
float accidentalRoom(const WrittenPiece &piece)
{
    return piece.accidental != ShownAccidental::None && !piece.rest ? SharpRoom : 0.0f;
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

// A piece placed: its system, where its head stands, and how its stem goes.
struct Placed {
    int system = 0;
    float x = 0; // the head's origin (after any sharp)
    float y = 0; // the head's centre
    bool stemUp = true;
    float stemEnd = 0;
    float stretch = 1; // how much its line was widened to reach the margin
};

class Builder {
public:
    Builder(const WrittenMelody &melody, float width, const QString &title)
        : m_melody(melody)
        , m_width(std::max(width, ClefWidth + 12.0f))
        , m_title(title)
    { }

    StaffLayout build()
    {
        m_layout.width = m_width;
        m_layout.notes.assign(m_melody.pieces.empty() ? 0 : std::size_t(m_melody.pieces.back().note + 1), {});
        place();
        placeBeams();
        for (std::size_t system = 0; system < m_systems.size(); ++system)
            emitSystem(int(system));
        m_layout.height = m_layout.systems.empty() ? 0 : m_layout.systems.back().bottom;
        return std::move(m_layout);
    }

private:
    struct SystemRange {
        int first = 0; // pieces
        int end = 0;
        float top = 0;
        float staffTop = 0;
        float right = 0;
    };

    float pieceWidth(std::size_t k) const
    {
        const WrittenPiece &piece = m_melody.pieces[k];
        float width = spacing(piece.units) + accidentalRoom(piece);
        if (dotted(piece.shown))
            width += 0.5f;
        width = std::max(width, m_markRoom[k]);
        if (piece.barAfter)
            width += BarRoom;
        return width;
    }

    // A piece that opens an octave line, or is the only note under one,
    // leaves room for the line's short mark ("8", "15") before the next mark.
    void findMarkRoom()
    {
        const std::vector<WrittenPiece> &pieces = m_melody.pieces;
        m_markRoom.assign(pieces.size(), 0.0f);
        int previous = 0;
        for (std::size_t k = 0; k < pieces.size(); ++k) {
            if (pieces[k].rest)
                continue;
            const int shift = pieces[k].pitch.shift;
            int next = shift;
            for (std::size_t after = k + 1; after < pieces.size(); ++after) {
                if (!pieces[after].rest) {
                    next = pieces[after].pitch.shift;
                    break;
                }
            }
            if (shift != 0 && (shift != previous || (next != shift && next != 0)))
                m_markRoom[k] = Smufl::box(fullMark(shift)).right + 1.3f; // and room for its hook
            previous = shift;
        }
    }

    static char16_t shortMark(int shift) { return shift == 2 ? Quindicesima : Ottava; }
    static char16_t fullMark(int shift)
    {
        return shift == 2 ? QuindicesimaAlta : shift == 1 ? OttavaAlta : OttavaBassaVb;
    }

    float yOf(float staffTop, int step) const { return staffTop + float(8 - step) / 2.0f; }

    // Systems filled piece by piece, or bar by bar where there are bars.
    void place()
    {
        const std::vector<WrittenPiece> &pieces = m_melody.pieces;
        findMarkRoom();
        m_placed.resize(pieces.size());
        m_ceiling.resize(pieces.size());
        // The title, then the tempo, in rows of their own above the first system.
        float top = m_title.isEmpty() ? 0.0f : TitleRoom;
        std::size_t i = 0;
        do {
            SystemRange system;
            system.first = int(i);
            system.top = top;
            system.staffTop = top + RoomAbove;
            float x = LeftMargin + ClefWidth + (m_systems.empty() && m_melody.meter ? TimeSignatureWidth : 0.0f);
            while (i < pieces.size()) {
                // The next segment: one piece, or the rest of its bar.
                std::size_t end = i + 1;
                if (m_melody.meter) {
                    while (end < pieces.size() && !pieces[end - 1].barAfter)
                        ++end;
                }
                float segment = 0;
                for (std::size_t k = i; k < end; ++k)
                    segment += pieceWidth(k);
                if (x + segment > m_width - LeftMargin) {
                    const bool first = i == std::size_t(system.first);
                    if (!first && segment <= m_width - LeftMargin - ClefWidth)
                        break; // the bar goes to the next line whole
                    // A bar wider than a line (after a length the meter cannot
                    // hold, the rest of the melody): piece by piece.
                    end = i + 1;
                    segment = pieceWidth(i);
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
                        m_ceiling[k] = ceilingOf(k, system.staffTop);
                    } else {
                        placed.y = system.staffTop + 2.0f;
                        m_ceiling[k] = system.staffTop;
                    }
                    x += pieceWidth(k);
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
        } while (i < pieces.size());
    }

    // Every line but the last reaches the right margin: the room left over
    // is shared among its pieces in proportion to the room each takes, so
    // that longer notes keep their longer spaces.
    void justify(SystemRange &system)
    {
        if (system.end <= system.first)
            return;
        const float start
            = m_placed[std::size_t(system.first)].x - accidentalRoom(m_melody.pieces[std::size_t(system.first)]);
        const float natural = system.right - start;
        const float target = m_width - LeftMargin - start;
        if (natural <= 0 || target <= natural)
            return;
        const float factor = target / natural;
        for (int k = system.first; k < system.end; ++k) {
            Placed &placed = m_placed[std::size_t(k)];
            const float room = accidentalRoom(m_melody.pieces[std::size_t(k)]);
            placed.x = start + (placed.x - room - start) * factor + room;
            placed.stretch = factor;
        }
        system.right = m_width - LeftMargin;
    }

    // The highest ink of a placed note as written: its stem or beam, or its
    // head and the mark above it. Brackets, slurs and octave lines above it
    // raise it as they are placed, in that order, each clear of the one before.
    float ceilingOf(std::size_t k, float staffTop) const
    {
        const WrittenPiece &piece = m_melody.pieces[k];
        const Placed &placed = m_placed[k];
        float ceiling = placed.stemUp ? placed.stemEnd : placed.y - 0.5f;
        if ((piece.staccato || piece.tenuto) && !placed.stemUp && piece.shown != NoteLength::Whole)
            ceiling -= 0.9f; // the dot or line above the head
        return std::min(ceiling, staffTop);
    }

    float stemX(std::size_t k) const
    {
        const Placed &at = m_placed[k];
        return at.stemUp ? at.x + StemUpX - StemThickness / 2 : at.x + StemThickness / 2;
    }

    // Each beam group on one line: its stems' direction from the note
    // farthest from the middle line, its slant from the outer notes (at most a
    // space, none where an inner note stands out beyond both), and its place
    // where the shortest stem is a full stem long and every stem reaches the
    // middle line. A group broken by the end of a line keeps its flags.
    void placeBeams()
    {
        const std::vector<WrittenPiece> &pieces = m_melody.pieces;
        m_beamed.assign(pieces.size(), false);
        for (const BeamGroup &group : m_melody.beams) {
            const auto first = std::size_t(group.first);
            const auto last = std::size_t(group.last);
            const int system = m_placed[first].system;
            if (m_placed[last].system != system)
                continue;
            int above = INT_MIN;
            int below = INT_MIN;
            int levels = 1;
            for (std::size_t k = first; k <= last; ++k) {
                const int step = pieces[k].pitch.staffStep();
                above = std::max(above, step - 4);
                below = std::max(below, 4 - step);
                levels = std::max(levels, beamCount(pieces[k].shown));
            }
            const bool up = below > above;
            for (std::size_t k = first; k <= last; ++k)
                m_placed[k].stemUp = up;
            const float stem = levels >= 3 ? 4.25f : 3.5f;
            const float x0 = stemX(first);
            const float x1 = stemX(last);
            float rise = std::clamp(m_placed[last].y - m_placed[first].y, -1.0f, 1.0f);
            for (std::size_t k = first + 1; k < last; ++k) {
                const float y = m_placed[k].y;
                const bool outward = up ? y < std::min(m_placed[first].y, m_placed[last].y)
                                        : y > std::max(m_placed[first].y, m_placed[last].y);
                if (outward)
                    rise = 0;
            }
            const float slope = x1 > x0 ? rise / (x1 - x0) : 0.0f;
            const float middle = m_systems[std::size_t(system)].staffTop + 2.0f;
            float base = up ? 1e9f : -1e9f;
            for (std::size_t k = first; k <= last; ++k) {
                const float along = slope * (stemX(k) - x0);
                base = up ? std::min({base, m_placed[k].y - stem - along, middle - along})
                          : std::max({base, m_placed[k].y + stem - along, middle - along});
            }
            for (std::size_t k = first; k <= last; ++k) {
                m_placed[k].stemEnd = base + slope * (stemX(k) - x0);
                m_beamed[k] = true;
                m_ceiling[k] = ceilingOf(k, m_systems[std::size_t(system)].staffTop);
            }
            m_beamLines.push_back({group, system, up, x0, base, slope});
        }
    }

    // The beams of a system: the first over the whole group, the further
    // ones (a sixteenth's second, a thirty-second's third) over the notes
    // that have them, a lone one as a short stub toward its neighbour.
    void emitBeams(int system)
    {
        const std::vector<WrittenPiece> &pieces = m_melody.pieces;
        for (const BeamLine &beam : m_beamLines) {
            if (beam.system != system)
                continue;
            const float inward = beam.up ? 1.0f : -1.0f; // toward the heads
            const auto y = [&](float x, int level) {
                return beam.base + beam.slope * (x - beam.x0)
                    + inward * (BeamThickness / 2 + float(level - 1) * (BeamThickness + BeamSpacing));
            };
            const auto first = std::size_t(beam.group.first);
            const auto last = std::size_t(beam.group.last);
            const int note = pieces[first].note;
            line(beam.x0, y(beam.x0, 1), stemX(last), y(stemX(last), 1), BeamThickness, note);
            for (int level = 2; level <= 3; ++level) {
                for (std::size_t k = first; k <= last; ++k) {
                    if (beamCount(pieces[k].shown) < level)
                        continue;
                    const bool left = k > first && beamCount(pieces[k - 1].shown) >= level;
                    const bool right = k < last && beamCount(pieces[k + 1].shown) >= level;
                    if (right) {
                        line(stemX(k), y(stemX(k), level), stemX(k + 1), y(stemX(k + 1), level), BeamThickness,
                             pieces[k].note);
                    } else if (!left) {
                        const float from = k > first ? stemX(k) - 1.1f : stemX(k);
                        const float to = k > first ? stemX(k) : stemX(k) + 1.1f;
                        line(from, y(from, level), to, y(to, level), BeamThickness, pieces[k].note);
                    }
                }
            }
        }
    }

    void glyph(char16_t code, float x, float y, int note = -1)
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
    void stroke(StaffPrimitive::Kind kind, float x, float y, float x2, float y2, float size, int note)
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

    void line(float x, float y, float x2, float y2, float thickness, int note = -1)
    {
        stroke(StaffPrimitive::Kind::Line, x, y, x2, y2, thickness, note);
    }

    void curve(float x, float y, float x2, float y2, float bend, int note)
    {
        stroke(StaffPrimitive::Kind::Curve, x, y, x2, y2, bend, note);
    }

    void text(const QString &words, float x, float y, float height, bool warning = false, bool centred = false)
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

    void emitSystem(int index)
    {
        const SystemRange &range = m_systems[std::size_t(index)];
        StaffSystem system;
        system.top = index == 0 ? 0.0f : range.top; // the first holds the title and tempo
        system.staffTop = range.staffTop;
        system.bottom = range.staffTop + 4.0f + RoomBelow;
        system.firstPrimitive = int(m_layout.primitives.size());
        const float staffTop = range.staffTop;
        for (int l = 0; l < 5; ++l)
            line(LeftMargin, staffTop + float(l), range.right, staffTop + float(l), StaffLineThickness);
        glyph(GClef, LeftMargin + 0.3f, staffTop + 3.0f);
        if (index == 0) {
            if (!m_title.isEmpty())
                text(m_title, m_width / 2, TitleRoom - 1.0f, TitleHeight, false, true);
            if (m_melody.meter) {
                const char16_t digit = m_melody.meter == 2 ? TimeSig2 : m_melody.meter == 3 ? TimeSig3 : TimeSig4;
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
        if (range.first < range.end) {
            system.firstNote = m_melody.pieces[std::size_t(range.first)].note;
            system.lastNote = m_melody.pieces[std::size_t(range.end - 1)].note;
        }
        m_layout.systems.push_back(system);
    }

    void emitPiece(int k, float staffTop, bool &misfitSaid)
    {
        const WrittenPiece &piece = m_melody.pieces[std::size_t(k)];
        const Placed &at = m_placed[std::size_t(k)];
        const int note = piece.note;
        NotePlace &place = m_layout.notes[std::size_t(note)];
        const float width = spacing(piece.units);
        if (place.system < 0) {
            place.system = at.system;
            place.left = at.x - accidentalRoom(piece);
        }
        place.right = at.x + 1.7f;
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
                glyph(piece.accidental == ShownAccidental::Sharp ? AccidentalSharp : AccidentalNatural,
                      at.x - SharpRoom, at.y, note);
            glyph(notehead(piece.shown), at.x, at.y, note);
            if (piece.shown != NoteLength::Whole) {
                const float stemX = at.stemUp ? at.x + StemUpX - StemThickness / 2 : at.x + StemThickness / 2;
                line(stemX, at.y + (at.stemUp ? -StemUpY : StemUpY), stemX, at.stemEnd, StemThickness, note);
                if (const int count = flags(piece.shown); count > 0 && !m_beamed[std::size_t(k)])
                    glyph(flagGlyph(count, at.stemUp),
                          at.stemUp ? stemX - StemThickness / 2 : stemX - StemThickness / 2, at.stemEnd, note);
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
        if (piece.barAfter && std::size_t(k) + 1 < m_melody.pieces.size()) {
            // After the note's own room (widened with its line), a space before the next.
            const float barX = at.x + (width + (dotted(piece.shown) ? 0.5f : 0.0f)) * at.stretch
                + (BarRoom * at.stretch - (BarRoom - BeforeBarLine));
            line(barX, staffTop, barX, staffTop + 4.0f, ThinBarlineThickness);
        }
        if (std::size_t(k) + 1 == m_melody.pieces.size()) {
            // The end: a thin and a thick line, the thick one closing the staff.
            const float thick = m_systems[std::size_t(at.system)].right - ThickBarlineThickness / 2;
            const float thin = thick - ThickBarlineThickness / 2 - BarlineSeparation - ThinBarlineThickness / 2;
            line(thin, staffTop, thin, staffTop + 4.0f, ThinBarlineThickness);
            line(thick, staffTop, thick, staffTop + 4.0f, ThickBarlineThickness);
        }
    }

    // A tie from this piece to the next of the same pitch, below the heads
    // when the stem is up; cut at the end of the line where it goes on, its
    // second half drawn with the next line.
    void emitTie(int k)
    {
        const WrittenPiece &piece = m_melody.pieces[std::size_t(k)];
        if (!piece.tiedToNext || std::size_t(k + 1) >= m_melody.pieces.size())
            return;
        const Placed &from = m_placed[std::size_t(k)];
        const Placed &to = m_placed[std::size_t(k + 1)];
        const bool below = from.stemUp;
        const float offset = below ? 0.7f : -0.7f;
        const float bend = below ? 0.5f : -0.5f;
        if (to.system == from.system)
            curve(from.x + 1.3f, from.y + offset, to.x - 0.1f, to.y + offset, bend, piece.note);
        else
            curve(from.x + 1.3f, from.y + offset, m_systems[std::size_t(from.system)].right, from.y + offset, bend,
                  piece.note);
    }

    // The second half of a tie that crosses into this line.
    void emitTieFromLineBefore(int k)
    {
        if (k == 0 || !m_melody.pieces[std::size_t(k - 1)].tiedToNext)
            return;
        const Placed &from = m_placed[std::size_t(k - 1)];
        const Placed &to = m_placed[std::size_t(k)];
        if (from.system == to.system)
            return;
        const bool below = from.stemUp;
        const float y = to.y + (below ? 0.7f : -0.7f);
        curve(LeftMargin + ClefWidth - 0.5f, y, to.x - 0.1f, y, below ? 0.5f : -0.5f,
              m_melody.pieces[std::size_t(k - 1)].note);
    }

    // One slur over each run of slurred notes, above them, cut where a line ends.
    void emitSlurs(int system)
    {
        const SystemRange &range = m_systems[std::size_t(system)];
        const std::vector<SlurSpan> &slurs = m_melody.slurs;
        auto span = std::lower_bound(slurs.begin(), slurs.end(), range.first,
                                     [](const SlurSpan &slur, int piece) { return slur.last < piece; });
        for (; span != slurs.end() && span->first < range.end; ++span) {
            const int first = std::max(span->first, range.first);
            const int last = std::min(span->last, range.end - 1);
            float high = 1e9f; // the highest point of the notes and marks under it
            for (int k = first; k <= last; ++k)
                high = std::min(high, m_ceiling[std::size_t(k)]);
            const bool opens = first == span->first;
            const bool closes = last == span->last;
            const Placed &from = m_placed[std::size_t(first)];
            const Placed &to = m_placed[std::size_t(last)];
            const float startX = opens ? from.x + 0.6f : LeftMargin + ClefWidth - 0.5f;
            const float endX = closes ? to.x + 0.6f : range.right;
            const float startY = (opens ? m_ceiling[std::size_t(first)] : high) - 0.6f;
            const float endY = (closes ? m_ceiling[std::size_t(last)] : high) - 0.6f;
            // High enough to clear every note and mark under it.
            const float apex = std::min(high - 0.7f, std::min(startY, endY) - 0.5f);
            const float bend = apex - (startY + endY) / 2;
            curve(startX, startY, endX, endY, std::min(bend, -0.6f), m_melody.pieces[std::size_t(first)].note);
            for (int k = first; k <= last; ++k)
                m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], std::min(apex, startY + bend) - 0.3f);
        }
    }

    void emitTuplets(int system)
    {
        const SystemRange &range = m_systems[std::size_t(system)];
        const float staffTop = range.staffTop;
        // Triplet brackets with their 3, above the group's notes.
        const std::vector<TupletGroup> &tuplets = m_melody.tuplets;
        auto group = std::lower_bound(tuplets.begin(), tuplets.end(), range.first,
                                      [](const TupletGroup &tuplet, int piece) { return tuplet.last < piece; });
        for (; group != tuplets.end() && group->first < range.end; ++group) {
            int first = std::max(group->first, range.first);
            int last = std::min(group->last, range.end - 1);
            // Clear of everything above the notes: stems, dots, an octave line.
            float top = staffTop - 1.0f;
            for (int k = first; k <= last; ++k)
                top = std::min(top, m_ceiling[std::size_t(k)] - 0.8f);
            float left = m_placed[std::size_t(first)].x;
            float right = m_placed[std::size_t(last)].x + 1.3f;
            const float middle = (left + right) / 2;
            if (right - left < 3.4f) { // room for the 3 between the bracket's halves
                left = middle - 1.7f;
                right = middle + 1.7f;
            }
            for (int k = first; k <= last; ++k)
                m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], top - 1.6f);
            const int note = m_melody.pieces[std::size_t(first)].note;
            line(left, top + 0.5f, left, top, TupletBracketThickness, note);
            line(left, top, middle - 0.8f, top, TupletBracketThickness, note);
            glyph(Tuplet3, middle - 0.6f, top + 0.5f, note);
            line(middle + 0.8f, top, right, top, TupletBracketThickness, note);
            line(right, top, right, top + 0.5f, TupletBracketThickness, note);
        }
    }

    // "♩ = 120" over the clef and time signature, just above the staff and
    // clear of anything the first notes raise there.
    void emitTempo(const SystemRange &range)
    {
        float baseline = range.staffTop - TempoLift;
        const float reach = LeftMargin + 8.0f; // the mark's width and a space
        for (int k = range.first; k < range.end && m_placed[std::size_t(k)].x - 1.5f < reach; ++k)
            baseline = std::min(baseline, m_ceiling[std::size_t(k)] - 0.6f);
        baseline = std::max(baseline, range.top + 2.8f);
        glyph(MetNoteQuarterUp, LeftMargin + 0.3f, baseline);
        text(QStringLiteral("= %1").arg(m_melody.tempo), LeftMargin + 2.0f, baseline, 1.8f);
    }

    void emitOctaveLines(int system)
    {
        const SystemRange &range = m_systems[std::size_t(system)];
        const float staffTop = range.staffTop;
        // Octave lines over runs of notes of one shift; rests between them
        // belong to the run; each above the slurs and brackets under it.
        struct Run {
            int first, last, shift;
            float start;
        };
        std::vector<Run> runs;
        for (int k = range.first; k < range.end;) {
            const WrittenPiece &piece = m_melody.pieces[std::size_t(k)];
            if (piece.rest || piece.pitch.shift == 0) {
                ++k;
                continue;
            }
            const int shift = piece.pitch.shift;
            int last = k;
            for (int next = k + 1; next < range.end; ++next) {
                const WrittenPiece &other = m_melody.pieces[std::size_t(next)];
                if (other.rest)
                    continue;
                if (other.pitch.shift != shift)
                    break;
                last = next;
            }
            runs.push_back({k, last, shift, m_placed[std::size_t(k)].x - accidentalRoom(piece)});
            k = last + 1;
        }
        for (std::size_t r = 0; r < runs.size(); ++r) {
            const Run &run = runs[r];
            float room = range.right;
            for (std::size_t next = r + 1; next < runs.size(); ++next) {
                if ((runs[next].shift > 0) == (run.shift > 0)) {
                    room = runs[next].start - 0.3f;
                    break;
                }
            }
            // Always the mark in full: "8" alone reads as a fingering.
            const char16_t mark = fullMark(run.shift);
            (void)room;
            float y = run.shift > 0 ? staffTop - 3.0f : staffTop + 9.2f;
            if (run.shift > 0) {
                // Clear of what stands under it: its notes, and any the mark reaches over.
                const float reach
                    = std::max(m_placed[std::size_t(run.last)].x + 1.3f, run.start + Smufl::box(mark).right + 1.0f);
                for (int k = range.first; k < range.end; ++k) {
                    const float x = m_placed[std::size_t(k)].x;
                    if ((k >= run.first && k <= run.last) || (x + 1.3f > run.start && x < reach))
                        y = std::min(y, m_ceiling[std::size_t(k)] - 0.4f);
                }
                y = std::max(y, staffTop - RoomAbove + 2.2f);
            }
            const int note = m_melody.pieces[std::size_t(run.first)].note;
            glyph(mark, run.start, y, note);
            for (int k = run.first; k <= run.last; ++k)
                m_ceiling[std::size_t(k)] = std::min(m_ceiling[std::size_t(k)], y - 2.0f);
            const float from = run.start + Smufl::box(mark).right + 0.4f;
            const float to = std::min(m_placed[std::size_t(run.last)].x + 1.3f, room);
            const float lineY = y - 0.9f;
            // The line goes on over every note the mark does not reach, and
            // its hook shows where it ends, even where the mark covers them all.
            const float end = std::max(to, from + 0.5f);
            for (float dash = from; dash + 0.25f < end; dash += 1.0f)
                line(dash, lineY, std::min(dash + 0.5f, end), lineY, OctaveLineThickness, note);
            line(end, lineY, end, run.shift > 0 ? lineY + 0.8f : lineY - 0.8f, OctaveLineThickness, note);
        }
    }

    const WrittenMelody &m_melody;
    float m_width;
    QString m_title;
    StaffLayout m_layout;
    std::vector<SystemRange> m_systems;
    std::vector<Placed> m_placed;
    std::vector<float> m_markRoom; // the least width of each piece, for an octave line's mark
    // The highest point of each piece with what stands above it, for the slurs over it.
    std::vector<float> m_ceiling;
    std::vector<bool> m_beamed; // under a beam: no flag
    struct BeamLine {
        BeamGroup group;
        int system = 0;
        bool up = true;
        float x0 = 0; // the first stem
        float base = 0; // the beam's outer edge there
        float slope = 0;
    };
    std::vector<BeamLine> m_beamLines;
};

} // namespace

QString meterMisfitWords()
{
    return QCoreApplication::translate("StaffLayout", "拍子に合いません");
}

StaffLayout layoutStaff(const WrittenMelody &melody, float width, const QString &title)
{
    return Builder(melody, width, title).build();
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
