// The MusicXML reader, text and zip alike: whatever a file holds, it becomes
// a melody ZEPA holds, or is refused with a reason.
#include "fuzz/FuzzChecks.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "notation/MusicXmlReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const MusicXmlRead read = readMusicXml(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.ok()) {
        ZEPA_FUZZ_CHECK(!read.error.isEmpty());
        return 0;
    }
    checkMelody(read.import.melody);
    const MmlReadResult again = readMml(mmlText(read.import.melody));
    ZEPA_FUZZ_CHECK(again.ok() && again.melody == read.import.melody);
    return 0;
}
