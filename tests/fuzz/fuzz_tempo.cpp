// The tempo reader: any text, read as the platform's number parser would,
// gives a tempo of 60 to 240 or none.
#include "fuzz/FuzzChecks.h"
#include "score/TempoReader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const std::optional<qint16> tempo = TempoReader::readTempo(text);
    if (tempo)
        ZEPA_FUZZ_CHECK(*tempo >= 60 && *tempo <= 240);
    return 0;
}
