#pragma once

#include <cstdio>
#include <cstdlib>

#include "score/ComposerState.h"
#include "score/Melody.h"

// A property of what a reader accepted that must hold; the fuzzer stops on
// the first input that breaks one, so that it becomes a corpus file and a test.
#define ZEPA_FUZZ_CHECK(condition)                                                                                     \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                 \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (false)

// Every note is one ZEPA holds: a pitch or a rest, one of the five octaves,
// three articulations and thirteen lengths, with the ticks of its length at
// the melody's tempo; no more notes than the score holds.
inline void checkMelody(const Melody &melody)
{
    ZEPA_FUZZ_CHECK(melody.tempo >= 60 && melody.tempo <= 240);
    ZEPA_FUZZ_CHECK(melody.notes.size() <= std::size_t(ComposerState::ScoreCapacity));
    for (const NoteRecord &note : melody.notes) {
        ZEPA_FUZZ_CHECK(note.pitch >= 0 && note.pitch <= NoteRecord::Rest);
        ZEPA_FUZZ_CHECK(int(note.octave) >= 0 && int(note.octave) < 5);
        ZEPA_FUZZ_CHECK(int(note.articulation) >= 0 && int(note.articulation) < 3);
        ZEPA_FUZZ_CHECK(int(note.length) >= 0 && int(note.length) < NoteLengthCount);
        ZEPA_FUZZ_CHECK(note.ticks == lengthTicks(note.length, melody.tempo));
    }
}
