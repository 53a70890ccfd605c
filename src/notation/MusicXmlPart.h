#pragma once

#include <optional>
#include <vector>

#include <QByteArray>
#include <QString>

#include "midi/MidiWriter.h"
#include "score/NoteTables.h"

// The pieces of the MusicXML reader: a score taken out of its zip, and the
// first part of a score read into notes on one time line, before they are
// made a melody.
namespace MusicXml {

inline constexpr qint64 TicksPerQuarter = MidiFile::TicksPerQuarter;

struct Failure {
    QString text; // in the windows' language
};

// A note as the part writes it, on a time line of 960 ticks a quarter.
struct WrittenNote {
    qint64 start = 0;
    qint64 length = 0;
    int key = 0;
    int voice = 0; // as the part numbers it; 0 where it names none
    int staff = 1;
    int measure = 0;
    bool tieStart = false;
    bool tieStop = false;
    bool tieDrawn = false; // the tie is printed (<tied>), not only played (<tie>)
    bool slurredOn = false; // a slur goes on to the next note
    bool staccato = false;
    bool held = false; // tenuto: no silence after it
    bool rest = false;

    qint64 end() const { return start + length; }
    Articulation articulation() const
    {
        return tieStart || slurredOn || held ? Articulation::SlurOrTie
            : staccato                       ? Articulation::Staccato
                                             : Articulation::Normal;
    }
};

struct PartContents {
    std::vector<WrittenNote> notes;
    qint64 end = 0;
    std::optional<double> tempo; // the first of any part, in quarter notes a minute
    qint64 tempoAt = 0; // where it is given
    int meter = 0;
    bool barsShown = false; // a time signature is printed: its bars are bars, not just places to cut
    int graceNotes = 0;
    int unpitched = 0;
    int dynamics = 0;
    int repeats = 0;
    int otherVoiceNotes = 0; // of the lower voices and staves, not the melody
    int chordNotes = 0; // a chord's lower notes
    int microtones = 0; // alters that are not whole semitones, made the nearest semitone
    int transposedNotes = 0; // written for a transposing instrument, read as they sound
    bool divisionsMissing = false; // no <divisions>: taken from the notes' types
    std::vector<qint64> measureStarts; // and the part's end after the last
    QString title; // the score's <work-title>, else its <movement-title>
};

// The first score of an .mxl zip: the one META-INF/container.xml names, or
// else the first .musicxml or .xml outside META-INF; nothing, after failure
// says why, when the zip is damaged or the score far too large.
std::optional<QByteArray> unzippedScore(const QByteArray &bytes, Failure &failure);

// The melody of the first part of a score-partwise, its notes and rests on a
// time line of TicksPerQuarter a quarter note: the top voice (the first voice
// of the upper staff, a chord's highest note), at the pitches it sounds;
// otherParts counts the parts not read. The tempo is the first any part gives.
// Nothing, after failure says why, when it is not MusicXML or has no notes.
std::optional<PartContents> readFirstPart(const QByteArray &bytes, Failure &failure, int &otherParts);

} // namespace MusicXml
