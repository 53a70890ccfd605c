#pragma once

#include <QString>

// The kind of MML a file is written in, told from what the file says, and
// the rules of that kind where they differ. The dialects and their
// differences, from their own manuals:
//   ZEPA       its own files: "// NQC用…" first, o4c = middle C, > up, ; next track
//   old ZEPA   files before that header: "; NQC用…" first, octave 5, ; a comment
//   plain      what most MML readers take: o4c = middle C (MIDI 60), > up,
//              ; next track, [ ]n loops, q n/8
//   Sakura     TR=, Tempo=, TrackName, System., ドレミ words: o5c = middle C,
//              > up (swapped by System.X68mode(on)), ; and | blanks,
//              [n … : …] loops with the count first, q in percent
//   MCK        #TITLE, #OCTAVE-REV, track letters at line starts, @ tables:
//              o4c = middle C, > up (#OCTAVE-REV swaps), ; a comment to the
//              line's end, [ … | … ]n loops, capitals are other commands
//   FlMML      #OCTAVE REVERSE, /: :/ loops: o5c = middle C, < up (the
//              declaration swaps), ; next track, q n/16
// Where a file declares nothing about its octave direction, the majority of
// dialects (all but FlMML, TSS and mml2smf) raise it with ">", and so does ZEPA.
struct MmlDialect {
    enum class Family { Zepa, OldZepa, Plain, Sakura, Mck, FlMml };
    enum class Semicolon { NextTrack, Comment, Blank };
    enum class Gate { Eighths, Percent, Sixteenths };

    Family family = Family::Plain;
    bool lessRaises = false; // "<" raises the octave, ">" lowers it
    bool directionDeclared = false; // the file says which raises
    int middleCOctave = 4; // the octave number whose c is MIDI 60
    int defaultOctave = 4; // the octave before any o, as the file counts
    Semicolon semicolon = Semicolon::NextTrack;
    bool loopCountFirst = false; // [n … ] rather than [ … ]n
    bool capitalsAreCommands = false; // notes in small letters only
    Gate gate = Gate::Eighths;
    int ticksPerQuarter = 96; // what a length in ticks (%n) counts

    bool zepas() const { return family == Family::Zepa || family == Family::OldZepa; }
    // The dialect's name as the user reads it: "サクラ", "MCK（ppmck）", …
    QString name() const;
};

MmlDialect mmlDialectOf(const QString &text);
