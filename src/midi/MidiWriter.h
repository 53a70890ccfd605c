#pragma once

#include <span>

#include <QByteArray>

#include "score/NoteRecord.h"

// A Standard MIDI File of a melody: format 0, 960 ticks a quarter note, the
// tempo as a tempo event, one note-on/off pair per note at the pitch of its
// tone (ZEPA's middle ド, 523 Hz, is note 72), rests as time and the
// articulation gap as the time between a note's off and the next on. Times
// come from the brick's statements, so onsets and lengths lie within half a
// MIDI tick (under 1 ms) of what the brick plays.
namespace MidiFile {

inline constexpr int TicksPerQuarter = 960;

// The MIDI note of a tone.
constexpr int noteNumber(int pitch, Octave octave)
{
    return 12 * (int(octave) + 4) + pitch;
}

QByteArray write(std::span<const NoteRecord> notes, int tempo);

} // namespace MidiFile
