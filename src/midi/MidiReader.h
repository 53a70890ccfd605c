#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

// What a Standard MIDI File (format 0 or 1) holds for a melody: its notes,
// voice by voice, and its tempos. Times are in the file's ticks.
struct MidiNote {
    qint64 start = 0;
    qint64 end = 0;
    int key = 0; // 0 … 127, 60 the MIDI middle C

    bool operator==(const MidiNote &) const = default;
};

// The notes of one channel in one track, in the order they start.
struct MidiVoice {
    int track = 0; // 1-based, as the user counts
    int channel = 0; // 1 … 16
    QString trackName; // from the track's name event, if it has one
    std::vector<MidiNote> notes;
    qint64 trackEnd = 0; // the tick of the track's end
};

struct MidiTempo {
    qint64 tick = 0;
    int microsecondsPerQuarter = 500000;
};

struct MidiSong {
    int format = 0;
    int ticksPerQuarter = 0;
    std::vector<MidiVoice> voices; // only those with notes, by track, then channel
    std::vector<MidiTempo> tempos; // in time order; the file's order among equal times
};

struct MidiReadResult {
    MidiSong song;
    QString error; // empty when read; else a sentence for the user

    bool ok() const { return error.isEmpty(); }
};

// Reads the file whole or not at all: a file that is not MIDI, has a SMPTE
// time base, is format 2 or ends before its chunks do is refused, saying why.
// Running status, system-exclusive and meta events are understood; a note-on
// of velocity 0 ends a note; a note never ended ends with its track.
// A RIFF MIDI file (.rmi), the Standard MIDI File in its "data" chunk, is read the same.
MidiReadResult readMidiFile(const QByteArray &bytes);
bool isRiffMidi(const QByteArray &bytes);
