// How the readers' work grows with their input: each reads a realistic file
// at a quarter, a half and the whole of a full score, and its time a byte is
// compared across the sizes (a ratio near 1: linear). Then a loop of nothing
// but blanks, repeated 999999 times, at three sizes: its blanks are read once.
// The last line is "worst-growth R loop-ms X Y Z".

#include <cstdio>
#include <random>

#include "BenchSupport.h"
#include "midi/MidiImport.h"
#include "midi/MidiWriter.h"
#include "mml/MmlReader.h"
#include "notation/MusicXmlReader.h"
#include "notation/MusicXmlWriter.h"

namespace {

// A song as people type them: varied notes in phrases, loops, comments, a
// volume here and there, in a Sakura-free plain dialect.
QByteArray typedSong(int notes)
{
    std::mt19937 random(20261209);
    QByteArray text = "#title bench\nt132 o4 l8\n";
    static const char *const Letters[] = {"c", "d", "e", "f", "g", "a", "b", "c+", "e-", "r"};
    static const char *const Lengths[] = {"", "4", "16", "8.", "12", "2", "1."};
    int written = 0;
    while (written < notes) {
        text += "// phrase\n[";
        for (int i = 0; i < 12 && written < notes; ++i, ++written) {
            text += Letters[random() % 10];
            text += Lengths[random() % 7];
            text += random() % 5 == 0 ? " & " : " ";
            if (random() % 9 == 0)
                text += random() % 2 ? "> " : "< ";
        }
        text += "]1 v100\n";
    }
    return text;
}

// A melody played in: varied lengths, each onset up to 30 ticks off the
// beat, each note held as a hand holds it, 480 ticks a quarter.
QByteArray playedMidi(int notes)
{
    std::mt19937 random(7);
    struct Event {
        qint64 time;
        unsigned char status;
        unsigned char key;
    };
    std::vector<Event> events;
    qint64 beat = 0;
    for (int i = 0; i < notes; ++i) {
        const qint64 steps = 1 + qint64(random() % 4); // sixteenths
        const qint64 onset = std::max<qint64>(0, beat + qint64(random() % 61) - 30);
        const auto key = static_cast<unsigned char>(55 + random() % 30);
        events.push_back({onset, 0x90, key});
        events.push_back({onset + steps * 120 - 20 - qint64(random() % 40), 0x80, key});
        beat += steps * 120;
    }
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) { return a.time < b.time; });
    QByteArray track;
    qint64 now = 0;
    for (const Event &event : events) {
        quint32 delta = quint32(event.time - now);
        now = event.time;
        QByteArray quantity(1, char(delta & 0x7f));
        while ((delta >>= 7) != 0)
            quantity.prepend(char((delta & 0x7f) | 0x80));
        track += quantity + char(event.status) + char(event.key) + char(event.status == 0x90 ? 100 : 64);
    }
    track += QByteArray("\x00\xff\x2f\x00", 4);
    QByteArray file = QByteArray("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xe0MTrk", 18);
    for (int shift = 24; shift >= 0; shift -= 8)
        file += char((track.size() >> shift) & 0xff);
    return file + track;
}

template<typename Read>
double microsecondsPerByte(const QByteArray &input, Read read)
{
    std::vector<double> rounds;
    for (int round = 0; round < 5; ++round)
        rounds.push_back(bench::millisecondsOf([&] { read(input); }));
    return bench::median(rounds) * 1000 / double(input.size());
}

} // namespace

int main()
{
    double worst = 0;
    const auto grows = [&worst](const char *name, const std::vector<double> &perByte) {
        const double growth = perByte.back() / perByte.front();
        std::printf("%-10s us-per-KB %.2f %.2f %.2f growth %.2f\n", name, perByte[0] * 1024, perByte[1] * 1024,
                    perByte[2] * 1024, growth);
        worst = std::max(worst, growth);
    };

    std::vector<double> mml;
    std::vector<double> midi;
    std::vector<double> musicXml;
    for (int notes : {8191, 16383, 32766}) {
        mml.push_back(microsecondsPerByte(typedSong(notes / 2), [](const QByteArray &text) {
            if (!readMml(text).ok())
                std::abort();
        }));
        std::vector<NoteRecord> score = bench::variedScore();
        score.resize(std::size_t(notes));
        midi.push_back(microsecondsPerByte(playedMidi(notes / 2), [](const QByteArray &file) {
            const MidiReadResult read = readMidiFile(file);
            if (!read.ok() || !importMidiVoice(read.song, read.song.voices.front()).ok())
                std::abort();
        }));
        Melody melody;
        melody.notes = score;
        melody.meter = 4;
        musicXml.push_back(microsecondsPerByte(
            musicXmlText(melody, QStringLiteral("bench"), QStringLiteral("bench")).bytes, [](const QByteArray &text) {
                if (!readMusicXml(text).ok())
                    std::abort();
            }));
    }
    grows("mml", mml);
    grows("midi", midi);
    grows("musicxml", musicXml);

    std::vector<double> loops;
    for (int blanks : {10000, 100000, 1000000}) {
        const QByteArray text = "t120 [" + QByteArray(blanks, ' ') + "]999999 c";
        loops.push_back(bench::millisecondsOf([&] {
            if (!readMml(text).ok())
                std::abort();
        }));
        std::printf("loop of %d blanks, 999999 times: %.1f ms\n", blanks, loops.back());
    }
    std::printf("worst-growth %.2f loop-ms %.1f %.1f %.1f\n", worst, loops[0], loops[1], loops[2]);
    return 0;
}
