#include "drawing/ScorePages.h"

#include <cmath>

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>

#include "base/ProgramInfo.h"
#include "drawing/ScoreFonts.h"
#include "drawing/StaffPainter.h"

namespace {

// The page number stands in the top outer corner from the second page on,
// as songbooks and engravers number pages (the first page, with the title,
// unnumbered); its row is taken from the page's top.
constexpr float HeaderRoom = 3.0f;

} // namespace

PagedScore paginate(const WrittenMelody &melody, const QString &title, QRectF printable, double dpi)
{
    PagedScore score;
    score.printable = printable;
    score.space = spaceForMusicFont(musicFontPixels(float(StaffSpaceMillimetres / 25.4 * dpi)));
    score.layout = layoutStaff(melody, float(printable.width()) / score.space + 2 * StaffSideRoom, title);
    const float pageHeight = float(printable.height()) / score.space;
    const std::vector<StaffSystem> &systems = score.layout.systems;
    int first = 0;
    while (first < int(systems.size())) {
        const float top = systems[std::size_t(first)].top;
        const float room = pageHeight - (score.pages.empty() ? 0.0f : HeaderRoom);
        int end = first + 1; // at least one line a page, however tall
        while (end < int(systems.size()) && systems[std::size_t(end)].bottom - top <= room)
            ++end;
        score.pages.push_back({first, end});
        first = end;
    }
    return score;
}

bool paintPages(QPagedPaintDevice &device, const PagedScore &score,
                const std::function<bool(int page, int pages)> &progress)
{
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    const int pages = int(score.pages.size());
    const float space = score.space;
    const QFont numberFont = ScoreFonts::textFont(int(std::lround(2.0f * space))); // about 10 pt
    for (int page = 0; page < pages; ++page) {
        if (progress && !progress(page + 1, pages))
            return false;
        if (page > 0)
            device.newPage();
        const auto [first, end] = score.pages[std::size_t(page)];
        const float top = score.layout.systems[std::size_t(first)].top - (page > 0 ? HeaderRoom : 0.0f);
        const QPointF origin(score.printable.left() - double(StaffSideRoom * space),
                             score.printable.top() - double(top * space));
        paintStaff(painter, score.layout, origin, space, {first, end});
        if (page == 0)
            continue;
        painter.setFont(numberFont);
        painter.setPen(Qt::black);
        // Right on odd pages, left on even ones, as they face in a book.
        const QRectF head(score.printable.left(), score.printable.top(), score.printable.width(),
                          double(HeaderRoom * space));
        painter.drawText(head, ((page + 1) % 2 == 1 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignTop,
                         QString::number(page + 1));
    }
    return true;
}

bool paintScore(QPagedPaintDevice &device, const WrittenMelody &melody, const QString &title,
                const std::function<bool(int page, int pages)> &progress)
{
    const PagedScore score
        = paginate(melody, title, QRectF(0, 0, device.width(), device.height()), device.logicalDpiY());
    return paintPages(device, score, progress);
}

QByteArray scorePdf(const WrittenMelody &melody, const QString &title,
                    const std::function<bool(int page, int pages)> &progress)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bool painted = false;
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                         QPageLayout::Millimeter));
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("%1 %2").arg(ProgramTitle, programVersionText()));
        painted = paintScore(writer, melody, title, progress);
    } // the writer finishes the file as it goes
    return painted ? bytes : QByteArray();
}
