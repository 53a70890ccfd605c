#pragma once

#include <QByteArray>

#include "score/Melody.h"

// The melody file as ZEPA writes it, UTF-8 with LF line ends, in the MML
// other programs read alike: a comment naming the program and version and
// one saying what ZEPA's q means, the tempo, then the notes in lower case, at
// most sixteen a line, with octave (o), default length (l) and articulation
// (q) before the first note and wherever they change; sharps as +, no < or >.
// A meter the staff shows the melody in stands in a comment of its own,
// "// meter 3/4", before the tempo.
// For example:
//   // NQC用簡易音楽作成ソフト「ZEPA」 1.3.2
//   // q8 slur or tie, q7 normal (0.1 s of silence after the note), q4 staccato (0.2 s), as the RCX plays them
//   t120
//   o5 l4 q7 c d e f g a b o6 c
QByteArray mmlText(const Melody &melody);
