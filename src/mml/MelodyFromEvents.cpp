#include "mml/MelodyFromEvents.h"

#include <algorithm>
#include <cstdlib>

#include "score/TempoReader.h"

namespace {

// One note or rest as the statements show it.
struct Heard {
    bool rest = false;
    int tone = 0;
    int sound = 0; // ticks the tone sounds
    int length = 0; // ticks the whole note lasts
};

// The statements grouped into notes the way they are written: a tone of 255
// followed by a wait of 255 and the same tone goes on; a wait of 255 followed
// by another wait goes on.
std::vector<Heard> group(std::span<const BrickEvent> events, QString &error)
{
    std::vector<Heard> notes;
    std::size_t i = 0;
    auto isWait = [&](std::size_t at) { return at < events.size() && events[at].kind == BrickEvent::Kind::Wait; };
    while (i < events.size()) {
        Heard note;
        if (events[i].kind == BrickEvent::Kind::Tone) {
            note.tone = events[i].tone;
            note.sound = events[i].ticks;
            ++i;
            while (events[i - 1].ticks == MaxTicksPerStatement && isWait(i) && events[i].ticks == MaxTicksPerStatement
                   && i + 1 < events.size() && events[i + 1].kind == BrickEvent::Kind::Tone
                   && events[i + 1].tone == note.tone) {
                note.length += MaxTicksPerStatement;
                note.sound += events[i + 1].ticks;
                i += 2;
            }
            if (!isWait(i)) {
                error = QStringLiteral("statement %1: a tone without a wait after it").arg(i);
                return {};
            }
        } else {
            note.rest = true;
        }
        int wait = 0;
        do {
            wait = events[i].ticks;
            note.length += wait;
            ++i;
        } while (wait == MaxTicksPerStatement && isWait(i));
        notes.push_back(note);
    }
    return notes;
}

std::vector<NoteLength> lengthsFitting(int ticks, int tempo)
{
    std::vector<NoteLength> fitting;
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        if (lengthTicks(entry.length, tempo) == ticks)
            fitting.push_back(entry.length);
    }
    return fitting;
}

std::vector<Articulation> articulationsFitting(const Heard &heard)
{
    std::vector<Articulation> fitting;
    for (Articulation articulation : AllArticulations) {
        NoteRecord note;
        note.articulation = articulation;
        note.ticks = qint16(heard.length);
        if (soundTicks(note) == heard.sound)
            fitting.push_back(articulation);
    }
    return fitting;
}

} // namespace

MelodyFromEventsResult melodyFromEvents(std::span<const BrickEvent> events)
{
    MelodyFromEventsResult result;
    const std::vector<Heard> heard = group(events, result.error);
    if (!result.ok())
        return result;

    for (std::size_t i = 0; i < heard.size(); ++i) {
        if (!heard[i].rest && articulationsFitting(heard[i]).size() != 1) {
            result.error = QStringLiteral("note %1 (%2 of %3 ticks sounding): its articulation cannot be told")
                               .arg(i + 1)
                               .arg(heard[i].sound)
                               .arg(heard[i].length);
            return result;
        }
    }
    // The tempos at which every note has exactly one length, nearest 120 first.
    std::vector<int> tempos;
    for (int tempo = TempoReader::MinimumTempo; tempo <= TempoReader::MaximumTempo; ++tempo)
        tempos.push_back(tempo);
    std::stable_sort(tempos.begin(), tempos.end(), [](int a, int b) {
        return std::abs(a - Melody::DefaultTempo) < std::abs(b - Melody::DefaultTempo);
    });
    int chosen = 0;
    std::size_t worstNote = 0;
    for (int tempo : tempos) {
        std::size_t i = 0;
        while (i < heard.size() && lengthsFitting(heard[i].length, tempo).size() == 1)
            ++i;
        if (i == heard.size()) {
            chosen = tempo;
            break;
        }
        worstNote = std::max(worstNote, i);
    }
    if (chosen == 0) {
        result.error = QStringLiteral("no tempo from 60 to 240 gives every note one of ZEPA's lengths "
                                      "(note %1 lasts %2 ticks)")
                           .arg(worstNote + 1)
                           .arg(heard[worstNote].length);
        return result;
    }

    result.melody.tempo = chosen;
    Octave octave = Octave::Middle;
    Articulation articulation = Articulation::Normal;
    for (const Heard &note : heard) {
        NoteRecord record;
        if (note.rest) {
            record.pitch = NoteRecord::Rest;
        } else {
            record.pitch = note.tone / 5;
            octave = Octave(note.tone % 5);
            articulation = articulationsFitting(note).front();
        }
        // A rest keeps the octave and articulation of the note before it.
        record.octave = octave;
        record.articulation = articulation;
        record.length = lengthsFitting(note.length, chosen).front();
        record.ticks = qint16(note.length);
        result.melody.notes.push_back(record);
    }
    return result;
}
