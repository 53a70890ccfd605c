#include "playback/PlaybackStatus.h"

#include <algorithm>

#include <QCoreApplication>

PlaybackStatus::PlaybackStatus(std::span<const NoteRecord> notes)
{
    m_noteStarts.reserve(notes.size());
    qint64 start = 0;
    for (const NoteRecord &note : notes) {
        m_noteStarts.push_back(start);
        start += note.ticks;
    }
}

int PlaybackStatus::noteAt(qint64 heardTicks) const
{
    const auto started = std::upper_bound(m_noteStarts.begin(), m_noteStarts.end(), heardTicks);
    return int(std::max<qint64>(1, started - m_noteStarts.begin())) - 1;
}

QString PlaybackStatus::text(qint64 heardTicks, qint64 totalTicks) const
{
    return QCoreApplication::translate("PlaybackStatus", "再生中　%1 / %n 音　%3 / %4", nullptr,
                                       int(m_noteStarts.size()))
        .arg(noteAt(heardTicks) + 1)
        .arg(minutesAndSeconds(heardTicks), minutesAndSeconds(totalTicks));
}
