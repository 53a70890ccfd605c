#include "nqc/ProgramSize.h"

namespace ProgramSize {

qint64 bytes(std::span<const BrickEvent> events)
{
    return MainTaskBytes + StatementBytes * qint64(events.size());
}

qint64 bytes(std::span<const NoteRecord> notes)
{
    qint64 statements = 0;
    for (const NoteRecord &note : notes)
        visitBrickEvents(note, [&statements](const BrickEvent &) { ++statements; });
    return MainTaskBytes + StatementBytes * statements;
}

} // namespace ProgramSize
