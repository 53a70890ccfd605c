#pragma once

#include <QAbstractScrollArea>

#include "drawing/StaffPainter.h"
#include "engraving/StaffLayout.h"
#include "score/Melody.h"

// The melody on a staff, in lines as wide as the view. It is laid out once a
// change (of the melody or of the width) and each paint draws only the lines
// in sight, so a score of 32767 notes scrolls as smoothly as a short one. It
// shows the chosen notes and the note sounding, and says which note a click
// chose; what a key does is the window's to decide.
class StaffView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit StaffView(QWidget *parent = nullptr);

    void setMelody(const Melody &melody);
    void setSelection(int first, int count);
    // The note sounding, kept in sight; -1 for none.
    void setPlaying(int note);
    int playing() const { return m_marks.playing; }

    // The size of the staff: the music font's em in pixels, four staff spaces.
    int fontPixels() const { return m_fontPixels; }
    void setFontPixels(int pixels);
    void zoom(int steps); // in or out a step; 0 back to the usual size

    const StaffLayout &layout() const { return m_layout; }
    // Where a note stands in the viewport, for tests and for keeping it in sight.
    QRectF noteRect(int note) const;
    // Scrolls as little as keeps the note in sight.
    void ensureVisible(int note);
    // Paints the lines in sight as the view does, onto another device.
    void paintVisible(QPainter &painter) const;

signals:
    // A click on a note; extend when Shift was held, to choose a range.
    void noteClicked(int note, bool extend);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout();
    float space() const { return spaceForMusicFont(m_fontPixels); }
    QPointF origin() const;

    WrittenMelody m_written;
    StaffLayout m_layout;
    StaffMarks m_marks;
    int m_fontPixels;
    int m_laidOutWidth = -1;
};
