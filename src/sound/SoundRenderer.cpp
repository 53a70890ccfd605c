#include "sound/SoundRenderer.h"

#include <algorithm>

using namespace BrickSound;

SoundRenderer::SoundRenderer(ToneTimeline timeline)
    : m_timeline(std::move(timeline))
{ }

qsizetype SoundRenderer::render(std::span<qint16> block)
{
    const qint64 wanted = std::min<qint64>(qint64(block.size()), totalSamples() - m_position);
    qint16 *out = block.data();
    qint64 left = std::max<qint64>(wanted, 0);
    while (left > 0) {
        // Spans that ended before here are done.
        while (m_nextSpan < m_timeline.spans.size()
               && m_timeline.spans[m_nextSpan].endTick * SamplesPerTick <= m_position)
            ++m_nextSpan;
        if (m_nextSpan == m_timeline.spans.size()) {
            std::fill_n(out, left, qint16(0));
            m_position += left;
            break;
        }
        const SoundSpan &span = m_timeline.spans[m_nextSpan];
        const qint64 start = span.startTick * SamplesPerTick;
        const qint64 end = span.endTick * SamplesPerTick;
        if (m_position < start) {
            const qint64 silence = std::min(left, start - m_position);
            std::fill_n(out, silence, qint16(0));
            out += silence;
            m_position += silence;
            left -= silence;
            continue;
        }
        // The square wave changes sign every half period: sample n of the
        // tone lies in half period n * 2f / 44100, exactly. Each half period
        // is filled as one run.
        const qint64 twiceHertz = 2 * qint64(span.hertz);
        qint64 count = std::min(left, end - m_position);
        left -= count;
        while (count > 0) {
            const qint64 n = m_position - start;
            const qint64 half = n * twiceHertz / SampleRate;
            const qint64 nextHalf = ((half + 1) * SampleRate + twiceHertz - 1) / twiceHertz;
            const qint64 run = std::min(count, nextHalf - n);
            std::fill_n(out, run, half % 2 == 0 ? Amplitude : qint16(-Amplitude));
            out += run;
            m_position += run;
            count -= run;
        }
    }
    return qsizetype(std::max<qint64>(wanted, 0));
}
