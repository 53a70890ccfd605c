#pragma once

#include <QByteArray>
#include <QString>

#include "score/Melody.h"

// Reads a melody file: ZEPA's own and the MML people type or copy from song
// books, within what ZEPA can hold.
//   T n      tempo, 60 to 240; at most one, before the first note (else 120)
//   O n      octave 3 to 7 (O5 is ZEPA's middle range); > one up, < one down
//   C … B    notes, either case; + or # after one raises it a semitone, - lowers
//   R        a rest
//   L n      the length of notes written without one (4 at the start)
//   lengths  1 2 4 8 16 32, dotted 2. 4. 8. 16., triplets 6 12 24
//   Q8 Q7 Q4 slur or tie, normal, staccato, for the notes that follow
//   &        right after a note: that note is slurred or tied
//   ;        a comment to the end of the line
// Blanks and line breaks may stand anywhere between commands. Nothing of a
// text with an error is taken: the result names the line and column.
struct MmlReadResult {
    Melody melody;
    int line = 0; // 1-based, where the error is; 0 when read
    int column = 0; // 1-based, in characters
    QString error;

    bool ok() const { return line == 0; }
    // "3行目 14文字目: …"
    QString message() const;
};

// A file may hold at most this many notes, as many as the score.
inline constexpr int MaximumMmlNotes = 32767;

MmlReadResult readMml(const QByteArray &utf8);
