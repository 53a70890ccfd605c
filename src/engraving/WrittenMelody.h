#pragma once

#include <optional>
#include <vector>

#include "score/Melody.h"

// How a melody is written as music, decided once for the staff, the printed
// page and the notation files alike.
//
// Pitch as it sounds: ZEPA's middle ド is C5 (MIDI 72, one octave above the
// treble clef's middle C). On the treble staff O4 and O5 (C4 to B5) stand as
// they sound; O6 is written an octave lower under an 8va line, O7 two octaves
// lower under 15ma, and O3 an octave higher under 8vb. So every note of
// ZEPA's five octaves sits between C4 and B5 on the staff, one ledger line at
// the most. There is no key signature. With a meter an accidental lasts to
// the end of its bar at its staff position: a sharp is shown once, a natural
// cancels it, a note tied on (even over the bar line) shows none, and the
// next bar starts clean; where a sharp was tied over the bar line, a natural
// at that position in the new bar is shown as a courtesy. Under an octave
// line a position stands for another octave, so an accidental is shown
// again where the last note at the position or the last of the same pitch
// in the bar had another (C♯6 under 8va after C♯5 shows its sharp). Without
// a meter each sharp note shows its sharp and no note a natural.

// What stands before a head.
enum class ShownAccidental : quint8 { None, Sharp, Natural };

// A note's pitch as written: its letter, sharp, the octave it sounds in and
// the octaves its octave line moves it.
struct WrittenPitch {
    int letter = 0; // 0 C, 1 D, … 6 B
    bool sharp = false;
    int octave = 4; // scientific pitch notation, as it sounds: 3 … 7
    int shift = 0; // -1 under 8vb, 0 none, 1 under 8va, 2 under 15ma

    int writtenOctave() const { return octave - shift; }
    // Diatonic steps above the staff's bottom line (E4); 8 is the top line (F5).
    int staffStep() const { return writtenOctave() * 7 + letter - (4 * 7 + 2); }

    bool operator==(const WrittenPitch &) const = default;
};

WrittenPitch writtenPitch(int pitch, Octave octave);

// A note or rest as written, or a part of one split where a bar line cuts it.
struct WrittenPiece {
    int note = 0; // its index in the score
    bool rest = false;
    WrittenPitch pitch;
    NoteLength shown = NoteLength::Quarter; // the length written for this piece
    int units = 24; // how long, in 24ths of a quarter note (a whole note is 96)
    int start = 0; // units from the start of the melody
    bool tiedToNext = false; // tied to the next piece: the same pitch, sounding on
    bool slurredToNext = false; // slurred into the next note, another pitch
    bool staccato = false;
    // Slurred, but into a rest or the end: held its whole length, with no
    // silence after it, and marked tenuto so that a reader hears it so.
    bool tenuto = false;
    int tuplet = -1; // the triplet group it belongs to, or -1
    bool barAfter = false; // a bar line follows it
    bool misfit = false; // the meter cannot hold this length here: said on the staff
    bool irregularBar = false; // in a bar that ends with such a length, shorter or longer than the meter's
    ShownAccidental accidental = ShownAccidental::None;

    bool operator==(const WrittenPiece &) const = default;
};

// Triplets of one length, in groups of three in a row; a group cut short by
// another length or the end (one or two) is bracketed with its 3 all the same.
struct TupletGroup {
    int first = 0; // pieces
    int last = 0;

    bool operator==(const TupletGroup &) const = default;
};

// A slur over a run of notes slurred or tied one into the next, with at
// least one slur among them: pieces first … last.
struct SlurSpan {
    int first = 0;
    int last = 0;

    bool operator==(const SlurSpan &) const = default;
};

// Notes of an eighth or shorter beamed together, pieces first … last: within
// the beat (a quarter note; without a meter counted from the melody's start),
// in 2/4 and 4/4 a run of plain eighths over the half bar and in 3/4 over the
// whole bar, as engravers group them; never over a bar line or a rest.
struct BeamGroup {
    int first = 0;
    int last = 0;

    bool operator==(const BeamGroup &) const = default;
};

struct WrittenMelody {
    int tempo = Melody::DefaultTempo;
    int meter = 0; // quarter notes a bar; 0: no bars
    std::vector<WrittenPiece> pieces;
    std::vector<TupletGroup> tuplets;
    std::vector<SlurSpan> slurs;
    std::vector<BeamGroup> beams;

    bool operator==(const WrittenMelody &) const = default;
};

// The beams a note of this length has (its flags when alone): 0 to 3.
int beamCount(NoteLength length);

// The units of a length: 96 a whole note, 16 a quarter triplet, 3 a thirty-second.
int writtenUnits(NoteLength length);
bool isTriplet(NoteLength length);

// The lengths a note of length starting start units into the melody is
// written as, cut where bars of barUnits (0: none) end, each part in the
// note's own kind of length; nothing where a part cannot be so written.
std::optional<std::vector<NoteLength>> splitAtBars(NoteLength length, int start, int barUnits);

WrittenMelody writeMelody(const Melody &melody);

// The same as writeMelody(melody), for a melody that differs from the one old
// was written of only from note firstChanged on: what comes before is kept
// and only the rest is written again, from the last point before the change
// where nothing reaches over (a bar line, or a beat without a meter, with no
// tie, slur or triplet across it). Appending or removing the last note of a
// full score writes a bar, not 32767 notes.
// kept, when given, is set to how many pieces at the start are old's.
WrittenMelody rewriteMelody(const WrittenMelody &old, const Melody &melody, int firstChanged, int *kept = nullptr);
