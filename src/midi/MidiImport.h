#pragma once

#include <QStringList>

#include "midi/MidiReader.h"
#include "score/Melody.h"

// One voice of a MIDI file made a ZEPA melody:
// - one note at a time, the melody a listener hears: notes struck together
//   (within a 64th note) are a chord, its highest note the melody; a note
//   struck under one held above is not; a melody note ends where the next starts;
// - a file not timed as ZEPA times its files has its onsets put on the grid
//   its own timing supports (a sixteenth for one played in), each on its own;
// - the first tempo (120 when the file has none), within 60 … 240;
// - every note and rest fitted to the nearest of the thirteen lengths, the
//   rounding error carried forward so that the melody does not drift; a rest
//   may become several rests, a note longer than a whole note tied whole notes;
// - each note's articulation read from the silence after it: a gap of about
//   ZEPA's own (none, 100 ms, 200 ms) is that articulation, a longer one a rest;
// - notes outside ZEPA's five octaves moved by whole octaves into them.
// Nothing is changed without being counted, so the import can say what it did.
struct MidiImport {
    Melody melody;
    int notesMovedByOctaves = 0;
    int notesHidden = 0; // lower notes of a chord, not heard at their start
    int tempoChangesIgnored = 0;
    int fileTempo = 0; // beats a minute as the file says, before it was brought into range
    int notesTied = 0; // notes longer than a whole note, written as tied notes
    int onsetsMoved = 0; // onsets put on the grid of a file played in
    double onsetGridQuarters = 0; // that grid's step, in quarter notes
    QString error; // empty when made

    bool ok() const { return error.isEmpty(); }
    // One sentence for each change, for the user; empty when nothing changed.
    QStringList changes() const;
};

// The voice of a song to make the melody from.
MidiImport importMidiVoice(const MidiSong &song, const MidiVoice &voice);

// The voice of track and channel (1-based; 0 for the first with notes, and
// the drum channel 10 only when no other has any), or nullptr when it has no notes.
const MidiVoice *findMidiVoice(const MidiSong &song, int track, int channel);

// How the user sees a voice in a list: "トラック 2（Melody）チャンネル 1：52音".
QString describeMidiVoice(const MidiVoice &voice);
