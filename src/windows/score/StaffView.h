#pragma once

#include <QAbstractScrollArea>
#include <QTimer>

#include "drawing/StaffPainter.h"
#include "engraving/StaffLayout.h"
#include "score/Melody.h"

// The melody on a staff, in lines as wide as the view. It is placed once a
// change (of the melody or of the width); a line's music is made when it
// first comes into sight and each paint draws only the lines in sight, so a
// score of 32767 notes edits and scrolls as smoothly as a short one. It
// shows the chosen notes and the note sounding, and says which note a click
// chose; what a key does is the window's to decide.
class StaffView : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit StaffView(QWidget *parent = nullptr);

    void setMelody(Melody melody);
    // The melody after a change from note firstChanged on: written again from there.
    void changeMelody(Melody melody, int firstChanged);
    void setSelection(int first, int count);
    // The note sounding, kept in sight; -1 for none.
    void setPlaying(int note);
    int playing() const { return m_marks.playing; }

    // The size of the staff: the music font's em in pixels, four staff spaces.
    int fontPixels() const { return m_fontPixels; }
    void setFontPixels(int pixels);
    void zoom(int steps); // in or out a step; 0 back to the usual size

    // The whole melody written and placed, nothing left for later.
    bool settled() const { return m_staff.placedAll() && m_writtenNotes >= int(m_melody.notes.size()); }

    // Every line placed; the music of those in sight so far.
    const StaffLayout &layout() const { return m_staff.layout(); }
    // Every line with its music, as a page would have it.
    const StaffLayout &wholeLayout();
    // Where a note stands in the viewport, for tests and for keeping it in sight.
    QRectF noteRect(int note);
    // Scrolls as little as keeps the note in sight.
    void ensureVisible(int note);
    // Paints the lines in sight as the view does, onto another device.
    void paintVisible(QPainter &painter);

signals:
    // A click on a note; extend when Shift was held, to choose a range.
    void noteClicked(int note, bool extend);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void relayout(bool repaint = true);
    // How far down a change places lines at once: the lines in sight and a
    // screen more; the rest are placed a stretch at a time while the program
    // waits, and at once where something asks for them.
    float placingLimit() const;
    void placeMore();
    void showHeight();
    // A long melody is written after a change only down to a stretch past the
    // change and the lines in sight; the rest when the program waits, or at
    // once where something asks for it.
    int notesToWrite(int firstChanged) const;
    Melody writtenPart() const;
    void writeTheRest();
    // The melody written again from a note on, and placed again from there.
    void rewriteFrom(int firstChanged, int notes);
    float space() const { return spaceForMusicFont(m_fontPixels); }
    QPointF origin() const;

    Melody m_melody;
    std::shared_ptr<const WrittenMelody> m_written; // of the first m_writtenNotes notes
    int m_writtenNotes = 0;
    StaffOnDemand m_staff;
    StaffMarks m_marks;
    int m_fontPixels;
    int m_laidOutWidth = -1;
    QTimer *m_placing;
};
