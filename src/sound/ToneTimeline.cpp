#include "sound/ToneTimeline.h"

#include <algorithm>
#include <deque>

#include "performance/BrickTones.h"

ToneTimeline toneTimeline(std::span<const BrickEvent> events)
{
    ToneTimeline timeline;
    timeline.spans.reserve(events.size() / 2 + 1);
    std::deque<qint64> queuedEnds; // end ticks of the tones sounding or waiting
    qint64 now = 0; // the program's own time
    for (const BrickEvent &event : events) {
        if (event.kind == BrickEvent::Kind::Wait) {
            now += event.ticks;
            continue;
        }
        while (!queuedEnds.empty() && queuedEnds.front() <= now)
            queuedEnds.pop_front();
        if (int(queuedEnds.size()) >= SoundQueueDepth) {
            ++timeline.droppedTones;
            continue;
        }
        const qint64 start = queuedEnds.empty() ? now : std::max(now, queuedEnds.back());
        const qint64 end = start + event.ticks;
        queuedEnds.push_back(end);
        if (event.ticks > 0)
            timeline.spans.push_back({start, end, brickTones()[event.tone].hertz});
    }
    timeline.totalTicks = std::max(now, queuedEnds.empty() ? qint64(0) : queuedEnds.back());
    return timeline;
}
