// The reader of programs ZEPA wrote: statements within the brick's limits,
// and a melody found from them writes the same statements again.
#include "fuzz/FuzzChecks.h"
#include "mml/MelodyFromEvents.h"
#include "nqc/NqcProgram.h"
#include "nqc/NqcReader.h"
#include "performance/BrickTones.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const NqcReadResult read = readNqcProgram(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.ok())
        return 0;
    for (const BrickEvent &event : read.events) {
        ZEPA_FUZZ_CHECK(event.ticks <= MaxTicksPerStatement);
        ZEPA_FUZZ_CHECK(event.kind == BrickEvent::Kind::Wait || event.tone < ToneCount);
    }
    ZEPA_FUZZ_CHECK(readNqcProgram(QByteArray::fromStdString(nqcProgramText(read.events))).events == read.events);
    const MelodyFromEventsResult melody = melodyFromEvents(read.events);
    if (!melody.ok())
        return 0;
    checkMelody(melody.melody);
    ZEPA_FUZZ_CHECK(brickEvents(melody.melody.notes) == read.events);
    return 0;
}
