// The melody file reader: what it reads is a melody ZEPA holds, and written
// back and read again it is the same melody.
#include "fuzz/FuzzChecks.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "nqc/NqcProgram.h"
#include "nqc/NqcReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const MmlReadResult read = readMml(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.ok()) {
        ZEPA_FUZZ_CHECK(read.line > 0 && read.column > 0 && !read.error.isEmpty());
        return 0;
    }
    checkMelody(read.melody);
    const MmlReadResult again = readMml(mmlText(read.melody));
    ZEPA_FUZZ_CHECK(again.ok());
    ZEPA_FUZZ_CHECK(again.melody == read.melody);
    // Its program reads back as the statements it was written from.
    const NqcReadResult program = readNqcProgram(QByteArray::fromStdString(nqcProgramText(read.melody.notes)));
    ZEPA_FUZZ_CHECK(program.ok() && program.events == brickEvents(read.melody.notes));
    return 0;
}
