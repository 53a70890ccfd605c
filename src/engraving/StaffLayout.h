#pragma once

#include <limits>
#include <memory>
#include <vector>

#include <QString>

#include "engraving/Smufl.h"
#include "engraving/WrittenMelody.h"

// The staff laid out once, in staff spaces: every glyph, line, curve and word
// placed, lines broken to a width. Drawing on the screen, into a PDF or an
// SVG paints these and nothing else, so all of them show the same music, and
// a screen draws only the systems in sight.
//
// Coordinates: x to the right from the left edge; y down from the top of the
// layout; in a system the staff's top line is at its staffTop, the five lines
// one space apart.
struct StaffPrimitive {
    enum class Kind : quint8 { Glyph, Line, Curve, Text };
    Kind kind = Kind::Glyph;
    char16_t glyph = 0; // Glyph: the SMuFL code point
    float x = 0; // Glyph: its origin; Line and Curve: the start; Text: its left end
    float y = 0; // Glyph: its origin (the baseline); Text: its baseline
    float x2 = 0; // Line and Curve: the end
    float y2 = 0;
    float size = 0; // Line: thickness; Curve: how far its middle stands off the line between its ends (negative up);
                    // Text: height in spaces
    int note = -1; // the score's note it belongs to, for choosing and marking; -1 none
    int text = -1; // Text: index into StaffLayout::texts
    bool warning = false; // drawn so as to be noticed: the meter does not fit
    bool centred = false; // Text: x is its middle
};

struct StaffSystem {
    float top = 0; // of the system, with its room above the staff
    float staffTop = 0; // the staff's top line
    float bottom = 0;
    int firstPrimitive = 0;
    int endPrimitive = 0; // one past the last
    int firstNote = -1; // score notes on it; -1 when none
    int lastNote = -1;
};

// Where a note of the score stands, for choosing it by a click and keeping it in sight.
struct NotePlace {
    int system = -1;
    float left = 0;
    float right = 0;
};

struct StaffLayout {
    std::vector<StaffPrimitive> primitives;
    std::vector<QString> texts;
    std::vector<StaffSystem> systems;
    std::vector<NotePlace> notes; // one a score note
    float width = 0;
    float height = 0;

    // The note at a point, or -1.
    int noteAt(float x, float y) const;
    // The systems that meet the band from top to bottom, as a range.
    std::pair<int, int> systemsBetween(float top, float bottom) const;
};

// The room left of the staff's lines and right of them within its width, so
// that on a screen the staff does not touch the window's edge. A page, whose
// margins are room enough, lays out that much wider and starts that much
// further left, and its staff reaches both margins.
inline constexpr float StaffSideRoom = 0.5f;

// Lays out the melody in lines as wide as width staff spaces (at least wide
// enough for a clef and a whole note). title, when not empty, stands above
// the first system, and the tempo as "♩ = T" beside it.
StaffLayout layoutStaff(const WrittenMelody &melody, float width, const QString &title = QString());

// The words said on the staff where the meter cannot hold a length.
QString meterMisfitWords();

namespace StaffEngraving {
class StaffBuilder;
}

// The staff as a screen shows it: where every line and note stands is worked
// out at once (for the scroll bar, clicks and keeping a note in sight), but a
// line's glyphs, beams and curves are made only when it first comes into
// sight. An edit of a full score then costs the placing, not the drawing of
// a thousand lines no one sees.
class StaffOnDemand {
public:
    StaffOnDemand();
    // placeDownTo: lines are placed down to that height (in staff spaces)
    // first, the rest as they are asked for or placeMore() places them.
    StaffOnDemand(std::shared_ptr<const WrittenMelody> melody, float width,
                  float placeDownTo = std::numeric_limits<float>::infinity());
    ~StaffOnDemand();
    StaffOnDemand(StaffOnDemand &&) noexcept;
    StaffOnDemand &operator=(StaffOnDemand &&) noexcept;

    // Every system and note placed; primitives of the systems drawn so far.
    const StaffLayout &layout() const;
    // Makes the primitives of systems first … end-1, where not made yet.
    void draw(std::pair<int, int> systems) const;
    // Every system drawn, as layoutStaff would give it.
    const StaffLayout &drawAll() const;
    // Now the staff of a melody whose first keptPieces pieces are those of the
    // one before: the lines made of them alone are neither placed nor drawn
    // again, and nothing is copied.
    void change(std::shared_ptr<const WrittenMelody> melody, int keptPieces);

    // The height a change places lines down to before it gives way.
    void setPlacingLimit(float downTo);
    bool placedAll() const;
    // More lines placed: those down to the height, or the line of the note
    // and the next.
    void placeDownTo(float downTo) const;
    void placeThroughNote(int note) const;
    // The height of the whole staff: as placed once every line is, and until
    // then as the lines placed so far promise for the pieces left.
    float estimatedHeight() const;
    // The pieces placed so far, from the first.
    std::size_t placedPieces() const;

private:
    std::shared_ptr<const WrittenMelody> m_melody; // the builder reads it
    std::unique_ptr<StaffEngraving::StaffBuilder> m_builder; // drawing is making the layout: kept mutable
};
