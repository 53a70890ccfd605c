#include "exports/TimedTones.h"

#include "exports/ExportTargets.h"
#include "performance/BrickEvents.h"
#include "performance/BrickTones.h"

TimedTones timedTones(std::span<const NoteRecord> notes)
{
    TimedTones melody;
    melody.tones.reserve(notes.size());
    for (const NoteRecord &note : notes) {
        const PlayedNote played = playedNote(note);
        const int silence = (played.lengthTicks - played.soundTicks) * 10;
        if (played.isRest()) {
            if (melody.tones.empty())
                melody.leadingSilenceMs += played.lengthTicks * 10;
            else
                melody.tones.back().silenceMs += played.lengthTicks * 10;
            continue;
        }
        melody.tones.push_back({brickTones()[std::size_t(played.tone)].hertz, played.soundTicks * 10, silence});
    }
    return melody;
}

QByteArray timedToneLines(const TimedTones &melody, int perLine)
{
    QList<QByteArray> items;
    items.reserve(qsizetype(melody.tones.size()));
    for (const TimedTone &tone : melody.tones) {
        items.append('(' + QByteArray::number(tone.hertz) + ", " + QByteArray::number(tone.soundMs) + ", "
                     + QByteArray::number(tone.silenceMs) + ')');
    }
    QByteArray text;
    appendListLines(text, items, perLine);
    return text;
}
