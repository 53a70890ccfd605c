// The MIDI reader and the import of each voice: whatever a file holds, every
// voice becomes a melody ZEPA holds, or is refused with a reason.
#include "fuzz/FuzzChecks.h"
#include "midi/MidiImport.h"
#include "midi/MidiReader.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const MidiReadResult read = readMidiFile(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read.ok()) {
        ZEPA_FUZZ_CHECK(!read.error.isEmpty());
        return 0;
    }
    ZEPA_FUZZ_CHECK(!read.song.voices.empty());
    for (const MidiVoice &voice : read.song.voices) {
        ZEPA_FUZZ_CHECK(!voice.notes.empty());
        for (const MidiNote &note : voice.notes)
            ZEPA_FUZZ_CHECK(note.key >= 0 && note.key < 128 && note.end >= note.start);
        const MidiImport import = importMidiVoice(read.song, voice);
        if (!import.ok())
            continue;
        checkMelody(import.melody);
        const MmlReadResult again = readMml(mmlText(import.melody));
        ZEPA_FUZZ_CHECK(again.ok() && again.melody == import.melody);
    }
    return 0;
}
