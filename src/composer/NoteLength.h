#pragma once

#include <array>

#include <QString>

// The thirteen lengths of the length buttons Command101 … Command123.
enum class NoteLength {
    Whole, Half, Quarter, Eighth, Sixteenth, ThirtySecond,
    DottedHalf, DottedQuarter, DottedEighth, DottedSixteenth,
    QuarterTriplet, EighthTriplet, SixteenthTriplet,
};

struct NoteLengthEntry {
    NoteLength length;
    QString buttonName; // the objectName of its button
    QString caption;
    double dividend;    // divided by the tempo first …
    double multiplier;  // … then multiplied by this …
    double divisor;     // … and divided by this, each in double precision
    QString text;       // the LengthText it gives
};

const std::array<NoteLengthEntry, 13> &noteLengthTable();
const NoteLengthEntry &noteLengthEntry(NoteLength length);

// Ticks of 10 ms for a length at a tempo of 60..240, rounded once at the end
// (halves to even). A quarter note lasts 6000 / tempo ticks.
qint16 lengthTicks(NoteLength length, qint16 tempo);
