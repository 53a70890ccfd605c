#pragma once

#include <QByteArray>
#include <QString>

#include "engraving/WrittenMelody.h"

// The melody as a LilyPond score (version 2.24), written as ZEPA's staff
// shows it: the same pitches on the treble staff under the same octave lines,
// the same pieces where bar lines cut notes, ties, slurs, staccato dots and
// triplet brackets, the tempo as ♩ = T. Without a meter there is no time
// signature and no bar line, and a line may break after any note. The title,
// when given, heads the page.
QByteArray lilyPondText(const WrittenMelody &melody, const QString &title = QString());
