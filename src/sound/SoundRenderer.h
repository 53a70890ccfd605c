#pragma once

#include <span>

#include "sound/ToneTimeline.h"

// The brick's speaker, rendered as a PC plays it: 44 100 samples a second,
// mono, 16-bit. The brick drives its speaker with a timer output, a 50 % square
// wave at the tone's frequency with one fixed loudness, switched hard on and
// off, silent between tones. One tick of 10 ms is exactly 441 samples, so
// every start and length is sample-exact.
namespace BrickSound {
inline constexpr int SampleRate = 44100;
inline constexpr int SamplesPerTick = SampleRate / 100;
inline constexpr qint16 Amplitude = 8192; // -12 dBFS
} // namespace BrickSound

// Renders a melody in blocks of any size, on demand, from its timeline: a
// melody of any length starts at once and needs no more memory than its
// timeline.
class SoundRenderer {
public:
    explicit SoundRenderer(ToneTimeline timeline);

    qint64 totalSamples() const { return m_timeline.totalTicks * BrickSound::SamplesPerTick; }
    qint64 position() const { return m_position; }
    bool atEnd() const { return m_position >= totalSamples(); }

    // Fills the block with the next samples and gives how many it filled:
    // fewer than the block holds only at the end of the melody.
    qsizetype render(std::span<qint16> block);

private:
    ToneTimeline m_timeline;
    std::size_t m_nextSpan = 0;
    qint64 m_position = 0;
};
