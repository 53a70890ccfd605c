// Saves and opens a full score of 32767 varied notes as a melody file, the way
// the composer does (text through a save file; read, parse and load into the
// score), and records confirms in a recovery journal. The last line is
// "open-ms X save-ms Y".

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <random>

#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include "base/MessageService.h"
#include "journal/RecoveryJournal.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "score/ScoreEditor.h"

namespace {

using Clock = std::chrono::steady_clock;

class SilentMessages : public MessageService {
public:
    MessageAnswer show(const Message &) override { return MessageAnswer::Ok; }
};

Melody variedMelody()
{
    std::mt19937 random(20261207);
    auto below = [&random](int n) { return int(random() % unsigned(n)); };
    Melody melody;
    melody.tempo = 120;
    for (int i = 0; i < ComposerState::ScoreCapacity; ++i) {
        NoteRecord note;
        note.pitch = below(8) == 0 ? NoteRecord::Rest : below(PitchCount);
        note.octave = AllOctaves[std::size_t(below(5))];
        note.articulation = AllArticulations[std::size_t(below(3))];
        note.length = NoteLength(below(NoteLengthCount));
        note.ticks = lengthTicks(note.length, melody.tempo);
        melody.notes.push_back(note);
    }
    return melody;
}

template<typename Work>
double millisecondsOf(Work work)
{
    const Clock::time_point start = Clock::now();
    work();
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main()
{
    const Melody melody = variedMelody();
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("full.mml"));
    SilentMessages messages;
    ScoreEditor editor(120, messages);

    std::vector<double> saves;
    std::vector<double> opens;
    for (int round = 0; round < 11; ++round) {
        saves.push_back(millisecondsOf([&] {
            QSaveFile file(path);
            const QByteArray text = mmlText(melody);
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
                std::abort();
        }));
        opens.push_back(millisecondsOf([&] {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                std::abort();
            const MmlReadResult read = readMml(file.readAll());
            if (!read.ok() || read.melody.notes.size() != melody.notes.size())
                std::abort();
            editor.load(read.melody.notes, read.melody.tempo);
        }));
    }

    RecoveryJournal journal(directory.filePath(QStringLiteral("journal")));
    journal.start(120, {});
    const double journalMs = millisecondsOf([&] {
        for (const NoteRecord &note : melody.notes)
            journal.append(note);
    });
    journal.discard();

    std::printf("melody file of %zu notes, %lld bytes\n", melody.notes.size(),
                static_cast<long long>(QFile(path).size()));
    std::printf("journal: %.4f ms a confirm\n", journalMs / double(melody.notes.size()));
    std::printf("open-ms %.1f save-ms %.1f\n", median(opens), median(saves));
    return 0;
}
