// Shows a full score of 32767 varied notes on the staff, on the offscreen
// platform, against the table beside it as the baseline: laying the staff
// out, one screen drawn, and a page scrolled and drawn, a hundred times
// through the score (median and worst frame); then the score printed to a
// PDF. The last line is "staff-frame-ratio X": a staff frame's median over
// the table's.

#include <cstdio>

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTableView>

#include "BenchSupport.h"
#include "drawing/ScorePages.h"
#include "editing/ScoreDocument.h"
#include "engraving/StaffLayout.h"
#include "windows/score/ScoreWindow.h"
#include "windows/score/StaffView.h"

namespace {

struct Frames {
    double median = 0;
    double worst = 0;
};

// A page down and the view drawn, through the whole score.
Frames scrolled(QAbstractScrollArea *view)
{
    QScrollBar *bar = view->verticalScrollBar();
    std::vector<double> times;
    for (int step = 0; step < 100; ++step) {
        times.push_back(bench::millisecondsOf([&] {
            bar->setValue(bar->minimum() + int(qint64(bar->maximum() - bar->minimum()) * step / 99));
            view->viewport()->grab();
        }));
    }
    return {bench::median(times), *std::max_element(times.begin(), times.end())};
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QLabel composerStandIn(QStringLiteral("作曲　ド レ ミ"));
    composerStandIn.show();
    QApplication::processEvents();

    bench::SilentMessages messages;
    ScoreDocument document(120);
    Melody melody{120, bench::variedScore()};
    melody.meter = 4;
    document.open(melody, QString(), false);

    const WrittenMelody written = writeMelody(melody);
    StaffLayout layout;
    const double layoutMs = bench::millisecondsOf([&] { layout = layoutStaff(written, 60); });

    ScoreWindow window(document, messages);
    window.resize(900, 700);
    window.show();
    QApplication::processEvents();
    StaffView *staff = window.staff();
    QTableView *table = window.table();
    const double staffFirst = bench::millisecondsOf([&] { staff->viewport()->grab(); });
    const double tableFirst = bench::millisecondsOf([&] { table->viewport()->grab(); });
    const Frames staffFrames = scrolled(staff);
    const Frames tableFrames = scrolled(table);

    int pages = 0;
    const double pdfMs = bench::millisecondsOf([&] {
        scorePdf(written, QStringLiteral("bench"), [&pages](int, int all) {
            pages = all;
            return true;
        });
    });

    std::printf("notes %zu, pieces %zu, lines on the staff %zu\n", melody.notes.size(), written.pieces.size(),
                staff->layout().systems.size());
    std::printf("%-34s %8.2f ms\n", "write and lay out (60 spaces wide)", layoutMs);
    std::printf("%-34s %8.2f ms (table %.2f ms)\n", "first screen of the staff", staffFirst, tableFirst);
    std::printf("%-34s %8.2f ms median, %.2f worst (table %.2f, %.2f)\n", "scrolled frame of the staff",
                staffFrames.median, staffFrames.worst, tableFrames.median, tableFrames.worst);
    std::printf("%-34s %8.2f ms, %d pages\n", "PDF of the whole score", pdfMs, pages);
    std::printf("staff-frame-ratio %.2f\n", staffFrames.median / tableFrames.median);
    return 0;
}
