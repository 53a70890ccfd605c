#pragma once

#include <QByteArray>
#include <QString>

#include "engraving/WrittenMelody.h"

// The melody as an uncompressed MusicXML 3.0 score-partwise, written as
// ZEPA's staff shows it: one part, 24 divisions a quarter note (every one of
// ZEPA's lengths a whole number of them), pitch as it sounds, sharps, ties
// between pieces of one pitch and slurs over runs of others, staccato, tenuto
// on a slurred note before a rest,
// triplets with their time modification and bracket, rests, and the tempo as
// a metronome mark with its <sound tempo>. With a meter the bars are that
// meter's and notes are split with ties at bar lines; without one, or where
// a length cannot be written within a bar of the meter, bars are cut only
// between notes, about every four quarter notes, each with a time signature
// of its own that is not shown, and no bar line shows. The title is the
// work's title.
struct MusicXmlText {
    QByteArray bytes;
    bool barsDropped = false; // the meter was asked for but some length does not fit it
};

MusicXmlText musicXmlText(const Melody &melody, const QString &title, const QString &software);
