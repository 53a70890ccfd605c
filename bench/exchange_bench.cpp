// The exchange formats of a full score of 32767 varied notes, against the
// melody file measured in the same run: the MIDI file written and read back
// into a melody (parse, one voice, fitting), and each brick's program
// written; the MusicXML written and read back and the LilyPond score written.
// The last line is "mml-open-ms X midi-import-ms Y ratio Z".

#include <cstdio>

#include "BenchSupport.h"
#include "exports/ExportTargets.h"
#include "midi/MidiImport.h"
#include "midi/MidiWriter.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "notation/LilyPondWriter.h"
#include "notation/MusicXmlReader.h"
#include "notation/MusicXmlWriter.h"

int main()
{
    Melody melody;
    melody.notes = bench::variedScore(melody.tempo);
    const QByteArray mml = mmlText(melody);
    const QByteArray midi = MidiFile::write(melody.notes, melody.tempo);

    std::vector<double> mmlOpens;
    std::vector<double> midiWrites;
    std::vector<double> midiImports;
    for (int round = 0; round < 11; ++round) {
        mmlOpens.push_back(bench::millisecondsOf([&] {
            if (readMml(mml).melody.notes.size() != melody.notes.size())
                std::abort();
        }));
        midiWrites.push_back(bench::millisecondsOf([&] {
            if (MidiFile::write(melody.notes, melody.tempo).size() != midi.size())
                std::abort();
        }));
        midiImports.push_back(bench::millisecondsOf([&] {
            const MidiReadResult read = readMidiFile(midi);
            if (!read.ok() || !importMidiVoice(read.song, read.song.voices.front()).ok())
                std::abort();
        }));
    }
    // The notation files of the same score, in 4/4: MusicXML written and read
    // back, LilyPond written.
    Melody barred = melody;
    barred.meter = 4;
    const QByteArray xml = musicXmlText(barred, QStringLiteral("bench"), QStringLiteral("ZEPA")).bytes;
    std::vector<double> xmlWrites;
    std::vector<double> xmlReads;
    std::vector<double> lilyPondWrites;
    for (int round = 0; round < 5; ++round) {
        xmlWrites.push_back(bench::millisecondsOf([&] { musicXmlText(barred, QString(), QString()); }));
        xmlReads.push_back(bench::millisecondsOf([&] {
            const MusicXmlRead read = readMusicXml(xml);
            if (read.import.melody.notes.size() < melody.notes.size()) {
                std::fprintf(stderr, "read %zu notes: %s\n", read.import.melody.notes.size(), qPrintable(read.error));
                std::abort();
            }
        }));
        lilyPondWrites.push_back(bench::millisecondsOf([&] { lilyPondText(writeMelody(barred)); }));
    }
    std::printf("musicxml-write-ms %.1f (%lld bytes) musicxml-read-ms %.1f lilypond-write-ms %.1f\n",
                bench::median(xmlWrites), static_cast<long long>(xml.size()), bench::median(xmlReads),
                bench::median(lilyPondWrites));
    constexpr const char *Names[] = {"nxc", "pybricks", "microbit", "ev3dev"};
    for (ExportTarget target : AllExportTargets) {
        std::vector<double> writes;
        for (int round = 0; round < 11; ++round)
            writes.push_back(bench::millisecondsOf([&] { exportProgram(target, melody.notes, melody.tempo); }));
        std::printf("export %-8s %.1f ms, %lld bytes\n", Names[int(target)], bench::median(writes),
                    static_cast<long long>(exportProgram(target, melody.notes, melody.tempo).text.size()));
    }
    std::printf("midi-write-ms %.1f (%lld bytes)\n", bench::median(midiWrites), static_cast<long long>(midi.size()));
    std::printf("mml-open-ms %.1f midi-import-ms %.1f ratio %.2f\n", bench::median(mmlOpens),
                bench::median(midiImports), bench::median(midiImports) / bench::median(mmlOpens));
    return 0;
}
