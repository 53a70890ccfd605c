// The recovery journal's reader: a journal is read exactly or not at all. What
// it reads is a score ZEPA holds, and written again the way the program
// writes a journal, it reads to the same score.
#include "fuzz/FuzzChecks.h"
#include "journal/RecoveryJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::optional<RecoveryJournal::Recovered> read
        = RecoveryJournal::parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read)
        return 0;
    checkMelody(Melody{read->tempo, read->notes});
    QByteArray again = "ZEPA journal 1\nT" + QByteArray::number(read->tempo) + '\n';
    for (const NoteRecord &note : read->notes)
        again += "+ " + QByteArray::number(note.pitch) + ' ' + QByteArray::number(int(note.octave)) + ' '
            + QByteArray::number(int(note.articulation)) + ' ' + QByteArray::number(int(note.length)) + '\n';
    const std::optional<RecoveryJournal::Recovered> reread = RecoveryJournal::parse(again);
    ZEPA_FUZZ_CHECK(reread && reread->tempo == read->tempo && reread->notes == read->notes);
    return 0;
}
