#pragma once

#include <span>

#include <QString>

#include "score/Melody.h"
#include "performance/BrickEvents.h"

// Turns the statements of a program back into a melody, as far as they allow:
// the tones give the pitches; the ticks give lengths and articulations only
// where one tempo matches every note and, at that tempo, each note has one
// length and one articulation. Otherwise it says why it cannot.
struct MelodyFromEventsResult {
    Melody melody;
    QString error; // empty when the melody was found

    bool ok() const { return error.isEmpty(); }
};

MelodyFromEventsResult melodyFromEvents(std::span<const BrickEvent> events);
