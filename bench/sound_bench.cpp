// Renders a full score of 32767 varied notes (every pitch, octave, length,
// articulation and rest, seeded, at tempo 120) the way playing streams it:
// blocks of 4096 samples on demand. Prints the time to the first block, the
// render speed as a multiple of real time and the growth of resident memory
// over the whole render; the last line is "realtime R".

#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>
#include <vector>

#include <unistd.h>

#include "BenchSupport.h"
#include "score/ComposerState.h"
#include "sound/SoundRenderer.h"

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

int main()
{
    const std::vector<NoteRecord> score = bench::variedScore();
    std::vector<qint16> block(4096);
    const long memoryBefore = bench::residentKilobytes();

    const Clock::time_point start = Clock::now();
    SoundRenderer renderer(toneTimeline(brickEvents(score)));
    renderer.render(block);
    const double firstBlock = std::chrono::duration<double>(Clock::now() - start).count();
    qint64 checksum = 0;
    while (!renderer.atEnd()) {
        const qsizetype count = renderer.render(block);
        checksum += block[std::size_t(count / 2)];
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    const double melodySeconds = double(renderer.totalSamples()) / BrickSound::SampleRate;
    const long growth = bench::residentKilobytes() - memoryBefore;

    std::printf("melody %.0f s (%.2f h), %lld samples (checksum %lld)\n", melodySeconds, melodySeconds / 3600,
                static_cast<long long>(renderer.totalSamples()), static_cast<long long>(checksum));
    std::printf("first block %.3f ms\n", firstBlock * 1000);
    std::printf("whole render %.3f s\n", seconds);
    std::printf("memory growth %.1f MB\n", growth / 1024.0);
    std::printf("realtime %.0f\n", melodySeconds / seconds);
    return 0;
}
