#pragma once

// What the benchmarks share: the varied full score they measure on, timing,
// medians and resident memory.

#include <algorithm>
#include <chrono>
#include <fstream>
#include <random>
#include <vector>

#include <unistd.h>

#include "base/MessageService.h"
#include "score/ComposerState.h"

namespace bench {

// A seeded full score of 32767 notes over every pitch, octave, length,
// articulation and rest (one in eight), as a real melody looks to the code.
inline std::vector<NoteRecord> variedScore(int tempo = 120)
{
    std::mt19937 random(20261207);
    auto below = [&random](int n) { return int(random() % unsigned(n)); };
    std::vector<NoteRecord> score;
    score.reserve(ComposerState::ScoreCapacity);
    for (int i = 0; i < ComposerState::ScoreCapacity; ++i) {
        NoteRecord note;
        note.pitch = below(8) == 0 ? NoteRecord::Rest : below(PitchCount);
        note.octave = AllOctaves[std::size_t(below(5))];
        note.articulation = AllArticulations[std::size_t(below(3))];
        note.length = NoteLength(below(NoteLengthCount));
        note.ticks = lengthTicks(note.length, tempo);
        score.push_back(note);
    }
    return score;
}

template<typename Work>
double millisecondsOf(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

inline long residentKilobytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0;
    long resident = 0;
    statm >> size >> resident;
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Answers every box with OK: benchmarks measure, nobody clicks.
class SilentMessages : public MessageService {
public:
    MessageAnswer show(const Message &) override { return MessageAnswer::Ok; }
};

} // namespace bench
