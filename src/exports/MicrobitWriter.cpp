#include "exports/ExportTargets.h"

#include "performance/BrickEvents.h"

// micro:bit MicroPython plays note strings one after another for a number of
// ticks each. At 240 beats a minute and 25 ticks a beat a tick is 10 ms, the
// RCX's own tick, so each note is written as its tone for the ticks it sounds
// and a rest for its silence: exactly as long as on the RCX.
ExportedProgram microbitProgram(std::span<const NoteRecord> notes, int tempo)
{
    ExportedProgram program;
    QByteArray &text = program.text;
    text += "# " + exportHeading(notes, tempo) + "\n";
    text += "# For the micro:bit: one tick is 10 ms, so every note lasts as long as on the RCX.\n";
    text += "import music\n\n";
    text += "music.set_tempo(ticks=25, bpm=240)\n";
    text += "MELODY = [\n";
    QList<QByteArray> items;
    const auto add = [&items](const QByteArray &item) { items.append('"' + item + '"'); };
    for (const NoteRecord &note : notes) {
        const PlayedNote played = playedNote(note);
        int silence = played.lengthTicks;
        if (!played.isRest()) {
            add(QByteArray(englishPitchNames()[note.pitch]).toLower()
                + QByteArray::number(scientificOctave(note.octave)) + ':' + QByteArray::number(played.soundTicks));
            silence -= played.soundTicks;
        }
        if (silence > 0)
            add("r:" + QByteArray::number(silence));
    }
    appendListLines(text, items, 8);
    text += "]\n\nmusic.play(MELODY)\n";
    return program;
}
