#pragma once

#include <span>
#include <vector>

#include "score/NoteRecord.h"

// A melody as timed tones, for the platforms that play one tone for a time
// and then wait: each note's tone sounds for exactly the time the RCX's does
// and is followed by exactly its silence, rests joined into the silence
// before them. Milliseconds, ten to the RCX's tick.
struct TimedTone {
    int hertz;
    int soundMs;
    int silenceMs; // the articulation's gap and any rests after it
};

struct TimedTones {
    int leadingSilenceMs = 0; // rests before the first note
    std::vector<TimedTone> tones;
};

TimedTones timedTones(std::span<const NoteRecord> notes);

// Items of a tuple or list literal, "(523, 390, 10),", perLine to a line.
QByteArray timedToneLines(const TimedTones &melody, int perLine);
