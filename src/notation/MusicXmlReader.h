#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "midi/MidiImport.h"

// A MusicXML score (score-partwise, as .musicxml or .xml text or as a
// compressed .mxl) made a ZEPA melody, the way the MIDI import makes one:
// - the first part only, every voice of it, one note at a time: the highest
//   where notes overlap (a chord's lower notes, another voice's);
// - each note's articulation from its notation: tied or slurred into the next
//   note is ZEPA's slur or tie, staccato (or staccatissimo, spiccato)
//   staccato, else normal; notes tied across a bar line are one note;
// - every length fitted to ZEPA's thirteen, the error carried forward, pitches
//   moved by octaves into ZEPA's five, the tempo from the first metronome mark
//   or <sound tempo> within 60 … 240;
// - a visible time signature of 2/4, 3/4 or 4/4 at the start is the
//   melody's meter;
// - grace notes, unpitched notes, dynamics and the other parts are left out,
//   and repeats are read once as written, not played again: each said.
struct MusicXmlRead {
    MidiImport import; // the melody, and what fitting it changed
    QStringList leftOut; // what the score has that ZEPA does not keep, in the windows' language
    QString title; // <work-title>, else <movement-title>
    QString error; // empty when read; else one sentence for the user, in Japanese

    bool ok() const { return error.isEmpty(); }
};

// A zip (.mxl) or XML text whose root is a MusicXML score, by its first bytes.
bool looksLikeMusicXml(const QByteArray &bytes);
MusicXmlRead readMusicXml(const QByteArray &bytes);
