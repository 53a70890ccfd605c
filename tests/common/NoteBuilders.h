#pragma once

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
