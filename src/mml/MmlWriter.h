#pragma once

#include <QByteArray>

#include "score/Melody.h"

// The melody file as ZEPA writes it, UTF-8 with LF line ends: a comment line
// naming the program and version, the tempo, then the notes, at most sixteen
// a line, with octave (O), default length (L) and articulation (Q) written
// only where they change. For example:
//   ; NQC用簡易音楽作成ソフト「ZEPA」 1.3.2
//   T120
//   O5 L4 Q7 C D E F G A B > C
QByteArray mmlText(const Melody &melody);
