#pragma once

#include <functional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QRectF>
#include <QString>

#include "engraving/StaffLayout.h"

class QPagedPaintDevice;

// The melody over pages, as printed and as a PDF: the title and the tempo at
// the top of the first page, the staff's lines as many to a page as fit, the
// page's number under each ("2 / 5"). The staff space is 1.75 mm, the size
// of a school songbook's staff.
struct PagedScore {
    StaffLayout layout;
    float space = 0; // device pixels a staff space
    QRectF printable; // the page's area to draw in, device pixels
    std::vector<std::pair<int, int>> pages; // the systems on each page, first and one past the last
};

inline constexpr double StaffSpaceMillimetres = 1.75;

// Lays out the melody for pages whose printable area is printable, at dpi
// device pixels an inch.
PagedScore paginate(const WrittenMelody &melody, const QString &title, QRectF printable, double dpi);

// Paints every page on the device, a printer or a PDF writer, starting a new
// page between them. progress, when given, hears of each page before it is
// painted (1-based, of all) and may stop the rest by returning false; false
// then.
bool paintPages(QPagedPaintDevice &device, const PagedScore &score,
                const std::function<bool(int page, int pages)> &progress = {});

// Lays out the melody for the device's printable area and paints every page
// on it, as paintPages does.
bool paintScore(QPagedPaintDevice &device, const WrittenMelody &melody, const QString &title,
                const std::function<bool(int page, int pages)> &progress = {});

// The melody as a PDF file on A4 with 15 mm margins at 1200 dpi, the music
// font and the text font embedded; empty when progress stopped it.
QByteArray scorePdf(const WrittenMelody &melody, const QString &title,
                    const std::function<bool(int page, int pages)> &progress = {});
