#pragma once

#include <span>
#include <vector>

#include <QString>

#include "performance/BrickEvents.h"
#include "score/NoteRecord.h"

// Where a melody being played is, as the status bar says it:
// "再生中　12 / 340 音　0:05 / 1:23".
class PlaybackStatus {
public:
    PlaybackStatus() = default;
    explicit PlaybackStatus(std::span<const NoteRecord> notes);

    QString text(qint64 heardTicks, qint64 totalTicks) const;
    // The note sounding after so many ticks: the last one that has started.
    int noteAt(qint64 heardTicks) const;

private:
    std::vector<qint64> m_noteStarts; // ticks from the start, one per note
};
