// Edits a score of 32766 varied notes (one short of full, so that an insert
// is allowed) the way the score window does, on the offscreen platform:
// opening the score window, one insert at the start, its undo, a transpose of
// the whole score and its undo; then the memory 1000 undo steps take on the
// full score. The last line is "worst-ms X".

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <random>

#include <QApplication>
#include <QLabel>
#include <QTableView>

#include <unistd.h>

#include "BenchSupport.h"
#include "editing/ScoreDocument.h"
#include "windows/score/ScoreWindow.h"

namespace {

using Clock = std::chrono::steady_clock;

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    bench::SilentMessages messages;
    ScoreDocument document(120, messages);
    std::mt19937 random(20261207);
    std::vector<NoteRecord> notes;
    for (int i = 0; i < ComposerState::ScoreCapacity - 1; ++i) {
        NoteRecord note;
        note.pitch = random() % 8 == 0 ? NoteRecord::Rest : int(random() % 12);
        note.octave = Octave(1 + random() % 3); // room to transpose an octave
        note.articulation = AllArticulations[random() % 3];
        note.length = NoteLength(random() % NoteLengthCount);
        note.ticks = lengthTicks(note.length, 120);
        notes.push_back(note);
    }
    document.open(Melody{120, notes}, QString(), false);
    document.choosePitch(4);

    // In the program the composer window is open when the score window is
    // asked for: fonts and the window system are ready. The same here.
    QLabel composerStandIn(QStringLiteral("作曲　ド レ ミ"));
    composerStandIn.show();
    QApplication::processEvents();

    std::vector<std::pair<const char *, double>> times;
    ScoreWindow *window = nullptr;
    times.emplace_back("open score window", bench::millisecondsOf([&] {
                           window = new ScoreWindow(document);
                           window->show();
                           QApplication::processEvents();
                       }));
    window->select(ComposerState::LastScoreIndex - 1, 1);
    times.emplace_back("insert at start", bench::millisecondsOf([&] {
                           document.insertBefore(0, document.state().currentNote);
                           QApplication::processEvents();
                       }));
    times.emplace_back("undo insert", bench::millisecondsOf([&] {
                           document.undoStack().undo();
                           QApplication::processEvents();
                       }));
    times.emplace_back("transpose whole score", bench::millisecondsOf([&] {
                           document.transpose(12);
                           QApplication::processEvents();
                       }));
    times.emplace_back("undo transpose", bench::millisecondsOf([&] {
                           document.undoStack().undo();
                           QApplication::processEvents();
                       }));
    times.emplace_back("select last row and delete it", bench::millisecondsOf([&] {
                           window->select(document.state().noteTotal() - 1, 1);
                           document.remove(document.state().noteTotal() - 1, 1);
                           QApplication::processEvents();
                       }));
    delete window;

    // 1000 steps on the full score: confirms and clears, replaces, moves.
    document.undoStack().clear();
    const long before = bench::residentKilobytes();
    for (int i = 0; i < 1000; ++i) {
        switch (i % 4) {
        case 0:
            document.confirm();
            document.choosePitch(i % 12);
            break;
        case 1:
            document.replace(i, document.state().currentNote);
            break;
        case 2:
            document.move(i, 3, 1);
            break;
        default:
            document.clearPrevious();
            document.choosePitch(i % 12);
            break;
        }
    }
    const long growth = bench::residentKilobytes() - before;

    double worst = 0;
    for (const auto &[what, ms] : times) {
        std::printf("%-30s %8.2f ms\n", what, ms);
        worst = std::max(worst, ms);
    }
    std::printf("1000 undo steps: %d kept, memory growth %.2f MB\n", document.undoStack().count(), growth / 1024.0);
    std::printf("worst-ms %.2f\n", worst);
    return 0;
}
