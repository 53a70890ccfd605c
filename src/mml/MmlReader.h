#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "score/Melody.h"

// Reads a melody file: ZEPA's own and the MML people type or copy from song
// books and other programs, within what ZEPA can hold.
//   t n        tempo, 60 to 240; the first one holds for the whole melody
//   o n        octave (o5 is ZEPA's middle range, 523 Hz the C); > one up, < one down
//   c … b      notes, either case; + or # after one raises it a semitone, - lowers
//   r          a rest
//   l n        the length of notes written without one (4 at the start)
//   lengths    1 2 4 8 16 32, dotted 2. 4. 8. 16., triplets 6 12 24
//   ^ n        tied to the note before: the same pitch again, slurred into
//   &          right after a note: that note is slurred or tied
//   q n        Q8 slur or tie, Q7 normal, Q4 staccato, as in ZEPA's files (and
//              in capitals anywhere); other programs' q: n/8 of the note
//              sounds, read as the nearest of ZEPA's three
//   [ … ] n    the notes between, n times (2 without n)
//   k n        every note after it n semitones higher (lower with -n)
//   // …  /* … */   comments
//   // meter 3/4    a comment of its own line: the meter the staff shows (4/4, 3/4, 2/4)
//   ;          the next track: the first track with notes is the melody
// Read and left out, and said so: volume v, velocity u, pan p, instrument @,
// the other tracks, tempo changes; notes outside ZEPA's five octaves are
// moved by octaves into them. Blanks and line breaks may stand anywhere
// between commands. Where a file gives no octave, octave 4, as other MML
// readers assume; a file that opens with ZEPA's earlier header ("; NQC用…")
// is read as ZEPA read it then: octave 5, ";" a comment to the line's end.
// Nothing of a text with an error is taken: the result names the line and column.
struct MmlReadResult {
    Melody melody;
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

MmlReadResult readMml(const QByteArray &utf8);
