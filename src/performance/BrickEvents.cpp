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
