#pragma once

#include <span>

#include <QByteArray>

#include "score/NoteRecord.h"

// A Standard MIDI File of a melody: format 0, 960 ticks a quarter note, the
// tempo as a tempo event, one note-on/off pair per note (notes tied into one
// another of the same pitch are one note, as they are heard) at the pitch of its
// tone (ZEPA's middle ド, 523 Hz, is note 72), rests as time and the
// articulation gap as the time between a note's off and the next on.
//   Timing::Grid      every length an exact number of ticks (a whole note
//                     3840, a triplet sixteenth 160), so that a sequencer shows
//                     the notes on the beats; a note ends early by its gap,
//                     100 ms normal, 200 ms staccato, at the file's tempo, and
//                     sounds at least as long as on the brick (20 or 10 ms)
//   Timing::AsPlayed  times from the brick's statements, rounded to its
//                     10 ms ticks: onsets and lengths within half a MIDI tick
//                     (under 1 ms) of what the brick plays
namespace MidiFile {

inline constexpr int TicksPerQuarter = 960;

enum class Timing { Grid, AsPlayed };

// The exact ticks of a length at 960 a quarter note.
int gridTicks(NoteLength length);

// How long a note of length ticks sounds on the grid at a tempo: its gap
// (100 ms normal, 200 ms staccato, none slurred) taken from its end, and
// where less than a brick tick would be left, the brick's shortest sound.
qint64 gridSoundTicks(qint64 length, Articulation articulation, int tempo);

// The MIDI note of a tone.
constexpr int noteNumber(int pitch, Octave octave)
{
    return 12 * (int(octave) + 4) + pitch;
}

QByteArray write(std::span<const NoteRecord> notes, int tempo, Timing timing = Timing::Grid);

} // namespace MidiFile
