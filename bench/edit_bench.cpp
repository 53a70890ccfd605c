// Edits a score of 32766 varied notes (one short of full, so that an insert
// is allowed) the way the score window does, on the offscreen platform, with
// the recovery journal written as in the program and the score window open
// (its list and its staff drawn after each change): each edit, its undo and
// its redo 20 times, the median and the worst; then the memory 1000 undo
// steps take on the full score. The last line is "worst-ms X".

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <string>

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>

#include "BenchSupport.h"
#include "editing/ScoreDocument.h"
#include "journal/RecoveryJournal.h"
#include "windows/score/ScoreWindow.h"

namespace {

struct Timing {
    std::string what;
    double median = 0;
    double worst = 0;
};

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
        timings.push_back(timed(what, 20, [&] {
            edit();
            undo.undo();
            undo.redo();
            undo.undo();
        }));
        // Each of the three alone, for the table.
        std::vector<double> edits, undos, redos;
        for (int i = 0; i < 20; ++i) {
            edits.push_back(bench::millisecondsOf([&] {
                edit();
                QApplication::processEvents();
            }));
            undos.push_back(bench::millisecondsOf([&] {
                undo.undo();
                QApplication::processEvents();
            }));
            redos.push_back(bench::millisecondsOf([&] {
                undo.redo();
                QApplication::processEvents();
            }));
            undo.undo();
            QApplication::processEvents();
        }
        timings.pop_back();
        for (auto [suffix, times] : {std::pair{"", &edits}, std::pair{", undo", &undos}, std::pair{", redo", &redos}})
            timings.push_back({what + suffix, bench::median(*times), *std::max_element(times->begin(), times->end())});
    };
    // ZEPA_PROFILE=insert|delete|transpose|meter: that edit and its undo, 300 times, for a profiler.
    if (const QByteArray profiled = qgetenv("ZEPA_PROFILE"); !profiled.isEmpty()) {
        const std::map<QByteArray, std::function<void()>> edits{
            {"insert", [&] { document.insertBefore(0, document.state().currentNote); }},
            {"delete", [&] { document.remove(document.state().noteTotal() - 1, 1); }},
            {"transpose", [&] { document.transpose(12); }},
            {"meter", [&] { document.changeMeter(3); }},
        };
        std::vector<double> edit, draw;
        for (int i = 0; i < (qEnvironmentVariableIsSet("ZEPA_PROFILE_ONCE") ? 1 : 300); ++i) {
            edit.push_back(bench::millisecondsOf([&] { edits.at(profiled)(); }));
            draw.push_back(bench::millisecondsOf([&] { QApplication::processEvents(); }));
            undo.undo();
            QApplication::processEvents();
        }
        std::vector<double> both;
        for (std::size_t i = 0; i < edit.size(); ++i)
            both.push_back(edit[i] + draw[i]);
        std::printf("first: edit %.2f drawing %.2f\n", edit.front(), draw.front());
        std::printf("%s: edit %.2f ms, drawing %.2f ms; both: median %.2f, worst %.2f, first %.2f\n",
                    profiled.constData(), bench::median(edit), bench::median(draw), bench::median(both),
                    *std::max_element(both.begin(), both.end()), both.front());
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
    std::printf("%-32s %9s %9s\n", "", "median", "worst");
    for (const Timing &timing : timings) {
        std::printf("%-32s %6.2f ms %6.2f ms\n", timing.what.c_str(), timing.median, timing.worst);
        worst = std::max(worst, timing.worst);
    }
    std::printf("1000 undo steps: %d kept, memory growth %.2f MB\n", undo.count(), growth / 1024.0);
    std::printf("worst-ms %.2f\n", worst);
    return 0;
}
