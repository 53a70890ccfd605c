// The recovery journal's reader: a journal is read exactly or not at all. What
// it reads is a document ZEPA holds, and written again the way the program
// writes a journal whole, it reads to the same document.
#include "fuzz/FuzzChecks.h"
#include "journal/RecoveryJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<RecoveryJournal::Recovered> read
        = RecoveryJournal::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read)
        return 0;
    const JournalDocument &document = read->document;
    checkMelody(Melody{document.tempo, document.notes});
    const std::optional<RecoveryJournal::Recovered> reread = RecoveryJournal::parse(RecoveryJournal::textOf(document));
    ZEPA_FUZZ_CHECK(reread && reread->document == document);
    return 0;
}
