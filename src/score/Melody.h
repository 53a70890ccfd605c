#pragma once

#include <vector>

#include "score/NoteRecord.h"

// A melody as a file holds it: its tempo and its notes, each with the ticks of
// its length at that tempo.
struct Melody {
    static constexpr int DefaultTempo = 120;
    int tempo = DefaultTempo;
    std::vector<NoteRecord> notes;

    bool operator==(const Melody &) const = default;
};
