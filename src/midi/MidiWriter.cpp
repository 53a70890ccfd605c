#include "midi/MidiWriter.h"

#include <cmath>
#include <optional>

#include "performance/BrickEvents.h"

namespace MidiFile {
namespace {

void appendBigEndian(QByteArray &out, quint32 value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.append(char((value >> shift) & 0xff));
}

// A variable-length quantity: seven bits a byte, the high bit on all but the last.
void appendVariableLength(QByteArray &out, quint32 value)
{
    char bytes[5];
    int count = 0;
    bytes[count++] = char(value & 0x7f);
    while ((value >>= 7) != 0)
        bytes[count++] = char((value & 0x7f) | 0x80);
    while (count > 0)
        out.append(bytes[--count]);
}

} // namespace

int gridTicks(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return 4 * TicksPerQuarter;
    case NoteLength::Half:
        return 2 * TicksPerQuarter;
    case NoteLength::Quarter:
        return TicksPerQuarter;
    case NoteLength::Eighth:
        return TicksPerQuarter / 2;
    case NoteLength::Sixteenth:
        return TicksPerQuarter / 4;
    case NoteLength::ThirtySecond:
        return TicksPerQuarter / 8;
    case NoteLength::DottedHalf:
        return 3 * TicksPerQuarter;
    case NoteLength::DottedQuarter:
        return 3 * TicksPerQuarter / 2;
    case NoteLength::DottedEighth:
        return 3 * TicksPerQuarter / 4;
    case NoteLength::DottedSixteenth:
        return 3 * TicksPerQuarter / 8;
    case NoteLength::QuarterTriplet:
        return 2 * TicksPerQuarter / 3;
    case NoteLength::EighthTriplet:
        return TicksPerQuarter / 3;
    case NoteLength::SixteenthTriplet:
        return TicksPerQuarter / 6;
    }
    return TicksPerQuarter;
}

namespace {

// A note as the file times it: when it starts and ends, in MIDI ticks.
struct Timed {
    qint64 start;
    qint64 end; // -1 for a rest
    qint64 next; // when the next note starts
};

} // namespace

qint64 gridSoundTicks(qint64 length, Articulation articulation, int tempo)
{
    // The gap in milliseconds at the file's tempo; where less than a brick
    // tick would be left, the brick's shortest sound: 2 ticks normal, 1
    // staccato.
    const auto ofMilliseconds
        = [tempo](int ms) { return qint64(std::llround(double(ms) * TicksPerQuarter * tempo / 60000.0)); };
    qint64 sound = length - ofMilliseconds(gapTicks(articulation) * 10);
    if (sound < ofMilliseconds(10))
        sound = ofMilliseconds(articulation == Articulation::Normal ? 20 : 10);
    return std::min(sound, length);
}

QByteArray write(std::span<const NoteRecord> notes, int tempo, Timing timing)
{
    // Brick ticks of 10 ms to MIDI ticks: a quarter note is 6000 / tempo
    // brick ticks and 960 MIDI ticks. Absolute times are rounded, so the
    // error never adds up.
    auto midiTime = [tempo](qint64 brickTicks) {
        return qint64(std::llround(double(brickTicks) * TicksPerQuarter * tempo / 6000.0));
    };
    QByteArray track;
    appendVariableLength(track, 0);
    track.append("\xff\x51\x03", 3);
    appendBigEndian(track, quint32(std::lround(60000000.0 / tempo)), 3);

    qint64 written = 0; // MIDI ticks of the last event written
    auto event = [&](qint64 time, const char *bytes) {
        appendVariableLength(track, quint32(time - written));
        track.append(bytes, 3);
        written = time;
    };
    // The note sounding, its off not yet written: the next note may be tied to it.
    struct Held {
        char key;
        qint64 time;
    };
    std::optional<Held> held;
    auto releaseHeld = [&] {
        const char off[3] = {'\x80', held->key, 64};
        event(held->time, off);
        held.reset();
    };
    qint64 brickNow = 0; // brick ticks from the start, for the played timing
    qint64 gridNow = 0; // MIDI ticks from the start, for the grid
    for (const NoteRecord &note : notes) {
        const PlayedNote played = playedNote(note);
        Timed timed{};
        if (timing == Timing::AsPlayed) {
            timed
                = {midiTime(brickNow), midiTime(brickNow + played.soundTicks), midiTime(brickNow + played.lengthTicks)};
            brickNow += played.lengthTicks;
        } else {
            const qint64 length = gridTicks(note.length);
            timed = {gridNow, gridNow + gridSoundTicks(length, note.articulation, tempo), gridNow + length};
            gridNow += length;
        }
        if (!played.isRest()) {
            const char key = char(noteNumber(note.pitch, note.octave));
            // A note tied into one of its own pitch sounds on: struck again,
            // a sequencer would play two notes where one is heard.
            const bool tiedOn = held && held->key == key && held->time == timed.start;
            if (held && !tiedOn)
                releaseHeld();
            if (!tiedOn) {
                const char on[3] = {'\x90', key, 100};
                event(timed.start, on);
            }
            held = Held{key, timed.end};
            if (note.articulation != Articulation::SlurOrTie)
                releaseHeld();
        } else if (held) {
            releaseHeld();
        }
        if (&note == &notes.back()) {
            if (held)
                releaseHeld();
            appendVariableLength(track, quint32(timed.next - written));
            track.append("\xff\x2f\x00", 3);
        }
    }
    if (notes.empty()) {
        appendVariableLength(track, 0);
        track.append("\xff\x2f\x00", 3);
    }

    QByteArray file("MThd");
    appendBigEndian(file, 6, 4);
    appendBigEndian(file, 0, 2); // format 0
    appendBigEndian(file, 1, 2); // one track
    appendBigEndian(file, TicksPerQuarter, 2);
    file.append("MTrk");
    appendBigEndian(file, quint32(track.size()), 4);
    file.append(track);
    return file;
}

} // namespace MidiFile
