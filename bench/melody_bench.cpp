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

#include "BenchSupport.h"
#include "base/MessageService.h"
#include "journal/RecoveryJournal.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "score/ScoreEditor.h"

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

int main()
{
    Melody melody;
    melody.notes = bench::variedScore(melody.tempo);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("full.mml"));
    bench::SilentMessages messages;
    ScoreEditor editor(120);

    std::vector<double> saves;
    std::vector<double> opens;
    for (int round = 0; round < 11; ++round) {
        saves.push_back(bench::millisecondsOf([&] {
            QSaveFile file(path);
            const QByteArray text = mmlText(melody);
            if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
                std::abort();
        }));
        opens.push_back(bench::millisecondsOf([&] {
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
    journal.start(JournalDocument{});
    const double journalMs = bench::millisecondsOf([&] {
        for (const NoteRecord &note : melody.notes)
            journal.append(note);
    });
    journal.discard();

    std::printf("melody file of %zu notes, %lld bytes\n", melody.notes.size(),
                static_cast<long long>(QFile(path).size()));
    std::printf("journal: %.4f ms a confirm\n", journalMs / double(melody.notes.size()));
    std::printf("open-ms %.1f save-ms %.1f\n", bench::median(opens), bench::median(saves));
    return 0;
}
