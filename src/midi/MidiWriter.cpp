#include "midi/MidiWriter.h"

#include <cmath>

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

QByteArray write(std::span<const NoteRecord> notes, int tempo)
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

    qint64 now = 0; // brick ticks from the start
    qint64 written = 0; // MIDI ticks of the last event written
    auto event = [&](qint64 at, const char *bytes) {
        const qint64 time = midiTime(at);
        appendVariableLength(track, quint32(time - written));
        track.append(bytes, 3);
        written = time;
    };
    for (const NoteRecord &note : notes) {
        const PlayedNote played = playedNote(note);
        const qint64 sound = played.soundTicks;
        const qint64 length = played.lengthTicks;
        if (!played.isRest()) {
            const char key = char(noteNumber(note.pitch, note.octave));
            const char on[3] = {'\x90', key, 100};
            const char off[3] = {'\x80', key, 64};
            event(now, on);
            event(now + sound, off);
        }
        now += length;
    }
    appendVariableLength(track, quint32(midiTime(now) - written));
    track.append("\xff\x2f\x00", 3);

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
