#pragma once

#include <span>
#include <vector>

#include <QtGlobal>

#include "performance/BrickEvents.h"

// When the brick's speaker sounds which tone, from the statements the program
// gives it. PlayTone puts a tone into the brick's sound queue and returns at
// once; Wait holds the program. A tone starts when it is sent, or when the
// tone before it ends if that one still sounds. The queue holds at most eight
// tones that are sounding or waiting to sound; a tone sent to a full queue is
// dropped and never sounds. (ZEPA's own programs never queue more than one.)
inline constexpr int SoundQueueDepth = 8;

struct SoundSpan {
    qint64 startTick; // ticks of 10 ms from the start of the melody
    qint64 endTick;
    int hertz;

    bool operator==(const SoundSpan &) const = default;
};

struct ToneTimeline {
    std::vector<SoundSpan> spans; // in time order, never overlapping
    qint64 totalTicks = 0; // until the program ends and the last tone has sounded
    int droppedTones = 0;
};

ToneTimeline toneTimeline(std::span<const BrickEvent> events);
