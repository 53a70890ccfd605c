#include "windows/score/StaffView.h"

#include <cmath>

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace {

// The sizes the view steps through, as ems of the music font: whole pixels
// of four staff spaces, so lines and glyphs meet at every size.
constexpr int Sizes[] = {16, 20, 24, 28, 36, 44, 56};
constexpr int UsualSize = 28;

} // namespace

StaffView::StaffView(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_fontPixels(UsualSize)
{
    setObjectName(QStringLiteral("StaffView"));
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines break to the width
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    setAccessibleName(QCoreApplication::translate("StaffView", "五線譜"));
    m_placing = new QTimer(this);
    m_placing->setSingleShot(true);
    // Not at once: the frame that shows an edit is drawn first, this after it.
    m_placing->setInterval(16);
    connect(m_placing, &QTimer::timeout, this, &StaffView::placeMore);
    prepareMusicGlyphs(space());
}

float StaffView::placingLimit() const
{
    return float(verticalScrollBar()->value() + 2 * viewport()->height()) / space();
}

namespace {

// Notes written at once past the change or the last note in sight; a melody
// no longer than the second is written whole.
constexpr int NotesWrittenAhead = 1500;
constexpr int WrittenWholeUpTo = 3000;
// Notes written, and staff spaces placed, in each later frame: each frame a
// few milliseconds at most.
constexpr int NotesWrittenAFrame = 4000;
constexpr float SpacesPlacedAFrame = 4000.0f;

} // namespace

// The rest of the melody written and placed a stretch at a time.
void StaffView::placeMore()
{
    const int total = int(m_melody.notes.size());
    if (m_writtenNotes < total) {
        rewriteFrom(m_writtenNotes, std::min(total, m_writtenNotes + NotesWrittenAFrame));
        return;
    }
    m_staff.placeDownTo(layout().height + SpacesPlacedAFrame);
    showHeight();
}

void StaffView::showHeight()
{
    const double written = std::max(1, m_writtenNotes);
    const double whole = m_staff.estimatedHeight() * std::max(1.0, double(m_melody.notes.size()) / written);
    const int height = int(std::ceil(whole * double(space())));
    const int maximum = std::max(0, height - viewport()->height());
    // While the rest is placed the estimate moves a little each time: the
    // bar is drawn again for a move a user would see, and when all is placed.
    const int now = verticalScrollBar()->maximum();
    if (settled() || std::abs(maximum - now) > std::max(now / 50, 1))
        verticalScrollBar()->setRange(0, maximum);
    if (!settled())
        m_placing->start();
}

int StaffView::notesToWrite(int firstChanged) const
{
    const int total = int(m_melody.notes.size());
    if (total <= WrittenWholeUpTo)
        return total;
    int lastInSight = 0;
    const StaffLayout &placed = layout();
    const float top = float(verticalScrollBar()->value()) / space();
    const auto [first, end] = placed.systemsBetween(top, top + float(viewport()->height()) / space());
    if (end > first)
        lastInSight = placed.systems[std::size_t(end - 1)].lastNote;
    return std::min(total, std::max({firstChanged, lastInSight, 0}) + NotesWrittenAhead);
}

Melody StaffView::writtenPart() const
{
    if (m_writtenNotes >= int(m_melody.notes.size()))
        return m_melody;
    Melody part{m_melody.tempo, {m_melody.notes.begin(), m_melody.notes.begin() + m_writtenNotes}};
    part.meter = m_melody.meter;
    return part;
}

void StaffView::setMelody(Melody melody)
{
    m_melody = std::move(melody);
    m_writtenNotes = notesToWrite(0);
    m_written = std::make_shared<const WrittenMelody>(writeMelody(writtenPart()));
    m_laidOutWidth = -1;
    relayout();
}

void StaffView::changeMelody(Melody melody, int firstChanged)
{
    if (!m_written) {
        setMelody(std::move(melody));
        return;
    }
    // What was written stops where it stopped: the change is there at the latest.
    const int from = std::min(firstChanged, m_writtenNotes);
    m_melody = std::move(melody);
    rewriteFrom(from, notesToWrite(firstChanged));
}

void StaffView::writeTheRest()
{
    if (m_writtenNotes < int(m_melody.notes.size()))
        rewriteFrom(m_writtenNotes, int(m_melody.notes.size()));
}

void StaffView::rewriteFrom(int firstChanged, int notes)
{
    int kept = 0;
    m_writtenNotes = notes;
    m_written = std::make_shared<const WrittenMelody>(rewriteMelody(*m_written, writtenPart(), firstChanged, &kept));
    // Where nothing follows what was kept (the last note removed), the last
    // piece is placed again, so that its line ends where the melody does now.
    kept = std::min(kept, int(m_written->pieces.size()) - 1);
    const int width = viewport()->width();
    if (width == m_laidOutWidth && kept > 0) {
        // The lines before the change stay where they were; where the
        // change is below the lines in sight, nothing in sight is drawn again.
        m_staff.setPlacingLimit(placingLimit());
        m_staff.change(m_written, kept);
        const StaffLayout &placed = layout();
        // A change at the end (the last note removed) is looked for at the note
        // that is last now.
        const int firstNote = std::min(m_written->pieces[std::size_t(kept)].note, int(placed.notes.size()) - 1);
        const float bottom = float(verticalScrollBar()->value() + viewport()->height()) / space();
        // The line before the change is placed again too (it may take notes
        // from the next). A note not placed yet lies below the lines placed,
        // which reach a screen below the bottom.
        const int line = firstNote < 0 ? -1 : placed.notes[std::size_t(firstNote)].system;
        const bool inSight = firstNote < 0 || (line < 0 && m_staff.placedAll())
            || (line >= 0 && placed.systems[std::size_t(std::max(0, line - 1))].top <= bottom);
        relayout(inSight);
        return;
    }
    m_laidOutWidth = -1;
    relayout();
}

const StaffLayout &StaffView::wholeLayout()
{
    writeTheRest();
    return m_staff.drawAll();
}

void StaffView::setSelection(int first, int count)
{
    if (m_marks.selectedFirst == first && m_marks.selectedCount == count)
        return;
    m_marks.selectedFirst = first;
    m_marks.selectedCount = count;
    viewport()->update();
}

void StaffView::setPlaying(int note)
{
    if (m_marks.playing == note)
        return;
    m_marks.playing = note;
    if (note >= 0)
        ensureVisible(note);
    viewport()->update();
}

void StaffView::setFontPixels(int pixels)
{
    pixels = std::clamp(pixels, Sizes[0], Sizes[std::size(Sizes) - 1]);
    if (pixels == m_fontPixels)
        return;
    // The line at the top stays at the top.
    const float topLine = float(verticalScrollBar()->value()) / space();
    m_fontPixels = pixels;
    prepareMusicGlyphs(space());
    m_laidOutWidth = -1;
    relayout();
    verticalScrollBar()->setValue(int(topLine * space()));
}

void StaffView::zoom(int steps)
{
    if (steps == 0) {
        setFontPixels(UsualSize);
        return;
    }
    const int *here = std::lower_bound(std::begin(Sizes), std::end(Sizes), m_fontPixels);
    const std::ptrdiff_t at
        = std::clamp<std::ptrdiff_t>(here - std::begin(Sizes) + steps, 0, std::ptrdiff_t(std::size(Sizes)) - 1);
    setFontPixels(Sizes[at]);
}

void StaffView::relayout(bool repaint)
{
    const int width = viewport()->width();
    if (width != m_laidOutWidth) {
        m_laidOutWidth = width;
        m_staff = m_written ? StaffOnDemand(m_written, float(width) / space(), placingLimit()) : StaffOnDemand();
    }
    showHeight();
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setSingleStep(int(space() * 4));
    if (repaint)
        viewport()->update();
}

QPointF StaffView::origin() const
{
    return QPointF(0, -verticalScrollBar()->value());
}

QRectF StaffView::noteRect(int note)
{
    if (note >= m_writtenNotes)
        writeTheRest();
    m_staff.placeThroughNote(note);
    const StaffLayout &placed = layout();
    if (note < 0 || std::size_t(note) >= placed.notes.size())
        return {};
    const NotePlace &place = placed.notes[std::size_t(note)];
    if (place.system < 0)
        return {};
    const StaffSystem &system = placed.systems[std::size_t(place.system)];
    const float s = space();
    return QRectF(double(place.left * s), double(system.top * s), double((place.right - place.left) * s),
                  double((system.bottom - system.top) * s))
        .translated(origin());
}

void StaffView::ensureVisible(int note)
{
    const QRectF rect = noteRect(note);
    if (rect.isNull())
        return;
    QScrollBar *bar = verticalScrollBar();
    if (rect.top() < 0)
        bar->setValue(bar->value() + int(std::floor(rect.top())));
    else if (rect.bottom() > viewport()->height())
        bar->setValue(bar->value() + int(std::ceil(rect.bottom() - viewport()->height())));
}

void StaffView::paintVisible(QPainter &painter)
{
    const float s = space();
    const float top = float(verticalScrollBar()->value()) / s;
    const float bottom = top + float(viewport()->height()) / s;
    m_staff.placeDownTo(bottom);
    if (m_staff.placedAll() && layout().height < bottom)
        writeTheRest(); // scrolled past what is written so far
    m_staff.placeDownTo(bottom);
    const std::pair<int, int> inSight = layout().systemsBetween(top, bottom);
    m_staff.draw(inSight);
    paintStaff(painter, layout(), origin(), s, inSight, m_marks);
}

void StaffView::paintEvent(QPaintEvent *)
{
    QPainter painter(viewport());
    paintVisible(painter);
}

void StaffView::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void StaffView::mousePressEvent(QMouseEvent *event)
{
    const QPointF at = (event->position() - origin()) / double(space());
    const int note = layout().noteAt(float(at.x()), float(at.y()));
    if (note >= 0)
        emit noteClicked(note, event->modifiers() & Qt::ShiftModifier);
    QAbstractScrollArea::mousePressEvent(event);
}

void StaffView::scrollContentsBy(int, int)
{
    viewport()->update();
}
