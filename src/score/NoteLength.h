#pragma once

#include <array>

#include <QString>

// The thirteen lengths a note or rest can have.
enum class NoteLength {
    Whole,
    Half,
    Quarter,
    Eighth,
    Sixteenth,
    ThirtySecond,
    DottedHalf,
    DottedQuarter,
    DottedEighth,
    DottedSixteenth,
    QuarterTriplet,
    EighthTriplet,
    SixteenthTriplet,
};
inline constexpr int NoteLengthCount = 13;

struct NoteLengthEntry {
    NoteLength length;
    double dividend; // divided by the tempo first …
    double multiplier; // … then multiplied by this …
    double divisor; // … and divided by this, each in double precision
    const char *words; // how the description names it, untranslated: "－全音符", …
    const char *fraction; // as a fraction of a whole note, as MML and others write it: "1", "4.", "6", …
};

const std::array<NoteLengthEntry, NoteLengthCount> &noteLengthTable();
const NoteLengthEntry &noteLengthEntry(NoteLength length);
// The words of the length in the language of the windows: "－全音符", …
QString lengthText(NoteLength length);

// Ticks of 10 ms for a length at a tempo of 60..240, rounded once at the end
// (halves to even). A quarter note lasts 6000 / tempo ticks.
qint16 lengthTicks(NoteLength length, int tempo);
