#pragma once

#include <array>
#include <string_view>

#include "score/NoteTables.h"

// The sixty tones the brick plays: twelve pitches in five octaves.
inline constexpr int ToneCount = PitchCount * 5;

struct BrickTone {
    std::string_view name; // the constant the written program names it by: "C", "CSML", "ASH", …
    int hertz; // the frequency the brick sounds
};

// Indexed by toneIndex(): pitch by pitch, within a pitch from the lowest
// octave to the highest.
const std::array<BrickTone, ToneCount> &brickTones();

constexpr int toneIndex(int pitch, Octave octave)
{
    return pitch * 5 + static_cast<int>(octave);
}
