#pragma once

#include <vector>

#include "score/NoteRecord.h"

// A melody as a file holds it: its tempo and its notes, each with the ticks of
// its length at that tempo.
struct Melody {
    static constexpr int DefaultTempo = 120;
    int tempo = DefaultTempo;
    std::vector<NoteRecord> notes;
    // Quarter notes a bar, 4, 3 or 2, as the staff shows the melody; 0 for
    // none: no bar lines. It changes nothing the brick plays.
    int meter = 0;

    bool operator==(const Melody &) const = default;
};
