#pragma once

#include <vector>

#include <QRandomGenerator>

#include "score/NoteRecord.h"

// Notes as the score holds them, made directly with the ticks a test needs.
inline NoteRecord toneNote(int pitch, Octave octave, int ticks, Articulation articulation = Articulation::Normal)
{
    NoteRecord note;
    note.pitch = pitch;
    note.octave = octave;
    note.articulation = articulation;
    note.ticks = qint16(ticks);
    return note;
}

inline NoteRecord restNote(int ticks)
{
    NoteRecord note;
    note.pitch = NoteRecord::Rest;
    note.ticks = qint16(ticks);
    return note;
}

// Any note or rest ZEPA can hold, at a tempo: every pitch, octave,
// articulation and length, a rest one time in restOneIn.
inline NoteRecord randomNote(QRandomGenerator &random, int tempo, int restOneIn = 6)
{
    NoteRecord note;
    note.pitch = random.bounded(restOneIn) == 0 ? NoteRecord::Rest : int(random.bounded(PitchCount));
    note.octave = AllOctaves[random.bounded(5)];
    note.articulation = AllArticulations[random.bounded(3)];
    note.length = NoteLength(random.bounded(NoteLengthCount));
    note.ticks = lengthTicks(note.length, tempo);
    return note;
}

// Every length with every articulation, and a rest of every length, over all
// pitches and octaves, at a tempo.
inline std::vector<NoteRecord> everyKindOfNote(int tempo)
{
    std::vector<NoteRecord> notes;
    int i = 0;
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        for (Articulation articulation : AllArticulations) {
            NoteRecord note = toneNote(i % PitchCount, AllOctaves[std::size_t(i % 5)], lengthTicks(entry.length, tempo),
                                       articulation);
            note.length = entry.length;
            notes.push_back(note);
            ++i;
        }
        NoteRecord rest = restNote(lengthTicks(entry.length, tempo));
        rest.length = entry.length;
        notes.push_back(rest);
    }
    return notes;
}
