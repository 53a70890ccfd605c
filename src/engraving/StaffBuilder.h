#pragma once

// The staff's layout is made in one pass by one builder; its parts (placing
// and spacing, beams and tuplets, ties and slurs, octave lines) are written
// apart, each in a file of its own. Only the engraving layer includes this.

#include <limits>
#include <vector>

#include <QString>

#include "engraving/StaffLayout.h"

namespace StaffEngraving {

inline constexpr float LeftMargin = StaffSideRoom;
inline constexpr float RoomAbove = 9.5f; // octave lines above brackets above slurs
inline constexpr float RoomBelow = 7.5f; // ledger lines, 8vb, stems down, the meter's warning
inline constexpr float TitleRoom = 4.5f;
inline constexpr float ClefWidth = 4.0f;
inline constexpr float SharpRoom = 1.3f;

// The room before a head for its accidental.
inline float accidentalRoom(const WrittenPiece &piece)
{
    return piece.accidental != ShownAccidental::None && !piece.rest ? SharpRoom : 0.0f;
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

class StaffBuilder {
public:
    StaffBuilder(const WrittenMelody &melody, float width, const QString &title);
    // Everything at once.
    StaffLayout build();
    // Where every line and note stands, no line drawn yet; then each line's
    // primitives as it is asked for, once.
    void prepare();
    // As prepare, again, for a melody whose first kept pieces are those this
    // was prepared with: the lines made of them alone stay as they were,
    // drawn or not; the rest is placed again. The old melody is read on the
    // way, so it must outlive the call.
    void prepareAgain(const WrittenMelody &melody, int kept);
    void drawSystem(int index);
    const StaffLayout &layout() const { return m_layout; }

    // Placing may stop at a height and go on later, line by line, so that a
    // screen shows the lines it shows at once and places the rest as it has
    // time: lines are placed down to this height (in staff spaces) by the
    // prepares; every other way of asking places what it needs.
    void setPlacingLimit(float downTo) { m_placingLimit = downTo; }
    bool placedAll() const { return m_nextPiece >= m_melody->pieces.size(); }
    // Places lines until one starts below the height, or the melody ends.
    void placeDownTo(float downTo);
    // Places lines until the line of the note is placed, and the next.
    void placeThroughNote(int note);
    // How many pieces are placed: the lines down to here stand.
    std::size_t placedPieces() const { return m_nextPiece; }

private:
    struct SystemRange {
        int first = 0; // pieces
        int end = 0;
        float top = 0;
        float staffTop = 0;
        float right = 0;
    };
    struct BeamLine {
        BeamGroup group;
        int system = 0;
        bool up = true;
        float x0 = 0; // the first stem
        float base = 0; // the beam's outer edge there
        float slope = 0;
    };

    // Placing and spacing (StaffLayout.cpp).
    float pieceWidth(std::size_t k) const;
    float yOf(float staffTop, int step) const { return staffTop + float(8 - step) / 2.0f; }
    // Placing from a piece (the first of a line) down, from a height.
    void placeFrom(std::size_t from, std::size_t notesFrom, float top);
    // The lines from where placing stopped, down to the height; what stands
    // with them (beams, ceilings, the layout's lines and notes) after them.
    void placeLines(float downTo);
    // Everything placed and drawn forgotten, as before prepare.
    void forget();
    // Drawn lines' primitives no line refers to any more, dropped when they
    // outweigh the ones in use; the lines are then drawn again as they come.
    void dropUnusedPrimitives();
    // Lines from a piece at a height, until one starts below downTo; gives
    // where the next would start.
    std::size_t place(std::size_t from, float &top, float downTo);
    void justify(SystemRange &system);
    float ceilingOf(std::size_t k, float staffTop) const;
    float floorOf(std::size_t k) const;
    float stemX(std::size_t k) const;
    void emitSystem(int index);
    void emitPiece(int k, float staffTop, bool &misfitSaid);
    void emitTempo(const SystemRange &range);

    // The primitives (StaffLayout.cpp).
    void glyph(char16_t code, float x, float y, int note = -1);
    void stroke(StaffPrimitive::Kind kind, float x, float y, float x2, float y2, float size, int note);
    void line(float x, float y, float x2, float y2, float thickness, int note = -1);
    void curve(float x, float y, float x2, float y2, float bend, int note);
    void text(const QString &words, float x, float y, float height, bool warning = false, bool centred = false);

    // Beams and tuplets (StaffBeams.cpp).
    // The beams of the groups within the pieces from … end-1.
    void placeBeams(std::size_t from, std::size_t end);
    void emitBeams(int system);
    void emitTuplets(int system);
    const BeamLine *beamJoining(int first, int last) const;

    // Ties and slurs (StaffSlurs.cpp).
    void emitTie(int k);
    void emitTieFromLineBefore(int k);
    void emitSlurs(int system);

    // Octave lines (StaffOctaveLines.cpp).
    static char16_t fullMark(int shift);
    // The mark room of the pieces from one on.
    void findMarkRoom(std::size_t from);
    void emitOctaveLines(int system);

    const WrittenMelody *m_melody;
    float m_width;
    QString m_title;
    StaffLayout m_layout;
    std::vector<SystemRange> m_systems;
    std::vector<Placed> m_placed;
    std::vector<float> m_markRoom; // the least width of each piece, for an octave line's mark
    // The highest point of each piece with what stands above it, for the slurs over it.
    std::vector<float> m_ceiling;
    std::vector<float> m_ceilingPlaced; // the same before any line was drawn
    std::vector<bool> m_beamed; // under a beam: no flag
    std::vector<int> m_beamLast; // the last piece of the beam group a piece is in; -1 none
    std::vector<BeamLine> m_beamLines;
    std::vector<bool> m_drawn; // each line's primitives made
    // Where placing goes on: the next piece, the top of its line, the first
    // note whose place is not yet taken from its pieces.
    std::size_t m_nextPiece = 0;
    float m_nextTop = 0;
    std::size_t m_notesFrom = 0;
    float m_placingLimit = std::numeric_limits<float>::infinity();
};

} // namespace StaffEngraving
