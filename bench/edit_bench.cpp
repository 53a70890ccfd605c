// Edits a score of 32766 varied notes (one short of full, so that an insert
// is allowed) the way the score window does, on the offscreen platform, with
// the recovery journal written as in the program and the score window open
// (its list and its staff drawn after each change): each edit, its undo and
// its redo 20 times, the median and the worst of the frame that shows it
// (the change, the journal, both views drawn); then the worst of the later
// frames in which the staff writes and places the rest of a long melody;
// then the memory 1000 undo steps take on the full score. The last line is
// "worst-ms X", the worst of every frame.

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QThread>

#include "BenchSupport.h"
#include "editing/ScoreDocument.h"
#include "journal/RecoveryJournal.h"
#include "windows/score/ScoreWindow.h"
#include "windows/score/StaffView.h"

namespace {

struct Timing {
    std::string what;
    double median = 0;
    double worst = 0;
    double later = 0; // the worst frame after, while the staff finishes
};

// The frames after an edit's, until the staff has written and placed the
// whole melody: each the one wait of the event loop it takes.
double laterFrames(const ScoreWindow &window)
{
    double worst = 0;
    while (!window.staff()->settled()) {
        QThread::usleep(17000);
        const double frame = bench::millisecondsOf([] { QApplication::processEvents(); });
        if (qEnvironmentVariableIsSet("ZEPA_BENCH_FRAMES"))
            std::printf("  later frame %.2f ms\n", frame);
        worst = std::max(worst, frame);
    }
    return worst;
}

Timing timed(const std::string &what, int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(bench::millisecondsOf([&] {
            work();
            QApplication::processEvents(); // the views draw what changed
        }));
    return {what, bench::median(times), *std::max_element(times.begin(), times.end())};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    bench::SilentMessages messages;
    QTemporaryDir folder;
    RecoveryJournal journal(folder.path());
    ScoreDocument document(120, &journal);
    std::vector<NoteRecord> notes = bench::variedScore();
    notes.pop_back();
    for (NoteRecord &note : notes) // room to transpose an octave either way
        note.octave = Octave(std::clamp(int(note.octave), 1, 3));
    document.open(Melody{120, notes}, QString(), false);
    document.choosePitch(4);

    // In the program the composer window is open when the score window is
    // asked for: fonts and the window system are ready. The same here.
    QLabel composerStandIn(QStringLiteral("作曲　ド レ ミ"));
    composerStandIn.show();
    QApplication::processEvents();

    std::vector<Timing> timings;
    ScoreWindow *window = nullptr;
    timings.push_back(timed("open score window", 1, [&] {
        window = new ScoreWindow(document, messages);
        window->show();
    }));
    window->select(100, 1);
    QUndoStack &undo = document.undoStack();
    const auto editUndoRedo = [&](const std::string &what, const std::function<void()> &edit) {
        // Once over, unmeasured: the first time a meter or a glyph is drawn costs more.
        for (const std::function<void()> &step :
             {edit, std::function<void()>([&] { undo.undo(); }), std::function<void()>([&] { undo.redo(); }),
              std::function<void()>([&] { undo.undo(); })}) {
            step();
            QApplication::processEvents();
            laterFrames(*window);
        }
        std::vector<double> times[3];
        double later = 0;
        const auto frame = [&](std::vector<double> &into, const std::function<void()> &step) {
            into.push_back(bench::millisecondsOf([&] {
                step();
                QApplication::processEvents();
            }));
            later = std::max(later, laterFrames(*window));
        };
        for (int i = 0; i < 20; ++i) {
            frame(times[0], edit);
            frame(times[1], [&] { undo.undo(); });
            frame(times[2], [&] { undo.redo(); });
            undo.undo();
            QApplication::processEvents();
            laterFrames(*window);
        }
        const char *suffixes[] = {"", ", undo", ", redo"};
        for (int k = 0; k < 3; ++k)
            timings.push_back({what + suffixes[k], bench::median(times[k]),
                               *std::max_element(times[k].begin(), times[k].end()), k == 0 ? later : 0});
    };
    // ZEPA_PROFILE=insert|delete|transpose|meter: that edit and its undo, 300 times, for a profiler.
    if (const QByteArray profiled = qgetenv("ZEPA_PROFILE"); !profiled.isEmpty()) {
        const std::map<QByteArray, std::function<void()>> edits{
            {"insert", [&] { document.insertBefore(0, document.state().currentNote); }},
            {"delete", [&] { document.remove(document.state().noteTotal() - 1, 1); }},
            {"transpose", [&] { document.transpose(12); }},
            {"meter", [&] { document.changeMeter(3); }},
        };
        std::vector<double> frames, changes;
        for (int i = 0; i < 300; ++i) {
            frames.push_back(bench::millisecondsOf([&] {
                changes.push_back(bench::millisecondsOf([&] { edits.at(profiled)(); }));
                QApplication::processEvents();
            }));
            laterFrames(*window);
            undo.undo();
            QApplication::processEvents();
            laterFrames(*window);
        }
        std::printf("%s: median %.2f ms (the change alone %.2f), worst %.2f ms\n", profiled.constData(),
                    bench::median(frames), bench::median(changes), *std::max_element(frames.begin(), frames.end()));
        return 0;
    }
    editUndoRedo("insert at start", [&] { document.insertBefore(0, document.state().currentNote); });
    editUndoRedo("replace in the middle", [&] { document.replace(16000, document.state().currentNote); });
    editUndoRedo("move 3 notes down", [&] { document.move(20000, 3, 1); });
    editUndoRedo("delete the last note", [&] { document.remove(document.state().noteTotal() - 1, 1); });
    editUndoRedo("transpose whole score", [&] { document.transpose(12); });
    editUndoRedo("change the tempo", [&] { document.changeTempo(97); });
    editUndoRedo("change the meter", [&] { document.changeMeter(3); });
    delete window;

    // 1000 steps on the full score: confirms and clears, replaces, moves.
    undo.clear();
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
    std::printf("%-32s %9s %9s %13s\n", "", "median", "worst", "later frames");
    for (const Timing &timing : timings) {
        std::printf("%-32s %6.2f ms %6.2f ms", timing.what.c_str(), timing.median, timing.worst);
        if (timing.later > 0)
            std::printf(" %10.2f ms", timing.later);
        std::printf("\n");
        worst = std::max({worst, timing.worst, timing.later});
    }
    std::printf("1000 undo steps: %d kept, memory growth %.2f MB\n", undo.count(), growth / 1024.0);
    std::printf("worst-ms %.2f\n", worst);
    return 0;
}
