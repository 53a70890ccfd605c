#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "score/Melody.h"

// Reads a melody file: ZEPA's own, and MML song files as people write them
// in the common dialects (see MmlDialect.h), by what the file says:
//   t n        tempo; the first one holds for the whole melody, within 60 … 240
//   o n  > <   octave (o4c middle C here, o5c in Sakura and FlMML) and its
//              steps, in the direction the dialect or the file's own
//              declaration gives
//   c … b      notes; + or # raise a semitone, - lowers; r a rest
//   l n        the length of notes written without one (4 at the start)
//   lengths    1 … 64 and any other division (3, 6, 12, 24 triplets), dots,
//              ticks after %; a length ZEPA has no single note for is tied
//              notes of ZEPA's lengths, one between them the nearest
//   ^ n  &     ^ the note before again, tied into; & slurs or ties the note
//              before into the next (either may stand after blanks)
//   q n        ZEPA's files, and Q in capitals: Q8 slur or tie, Q7 normal, Q4
//              staccato; other programs' q (n/8, per cent, n/16): the
//              nearest of ZEPA's three by the silence it leaves
//   loops      [ … ]n, [n … ] in Sakura, /: … :/, |: … :|, with a break
//              (: | / \) taken the last time round; each read only once
//   k n        every note after it n semitones higher (lower with -n)
//   tracks     ";" or TR= or MCK's track letters: the first track with notes
//              is the melody
//   headers    #title and Sakura's TrackName give the melody's name; its
//              TimeSignature and ZEPA's "// meter 3/4" the meter
// What a melody cannot hold (volume, instruments, other tracks, tempo
// changes, effects, commands of no dialect) is left out and said once by
// kind, with where each first appears; notes outside ZEPA's five octaves are
// moved by octaves into them. A file that opens with ZEPA's earlier header
// ("; NQC用…") is read as ZEPA read it then: octave 5, ";" a comment.
// The work is bounded by the file: it is read once into commands, and loops
// play those at most a few million times.
struct MmlReadResult {
    Melody melody;
    QString title; // the name the file gives its melody, if any
    int line = 0; // 1-based, where the error is; 0 when read
    int column = 0; // 1-based, in characters
    QString error;
    QStringList changes; // what was left out or changed, a sentence each, in the windows' language

    bool ok() const { return line == 0; }
    // "3行目 14文字目: …"
    QString message() const;
};

// A file may hold at most this many notes, as many as the score.
inline constexpr int MaximumMmlNotes = 32767;

MmlReadResult readMml(const QByteArray &bytes);
