#include "performance/BrickEvents.h"

void appendBrickEvents(const NoteRecord &note, std::vector<BrickEvent> &events)
{
    visitBrickEvents(note, [&events](const BrickEvent &event) { events.push_back(event); });
}

std::vector<BrickEvent> brickEvents(std::span<const NoteRecord> notes)
{
    std::vector<BrickEvent> events;
    events.reserve(notes.size() * 2 + 16);
    for (const NoteRecord &note : notes)
        appendBrickEvents(note, events);
    return events;
}

QString minutesAndSeconds(qint64 ticks)
{
    const qint64 seconds = ticks / 100;
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
