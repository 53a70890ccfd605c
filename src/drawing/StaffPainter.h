#pragma once

#include <utility>

#include <QColor>
#include <QPointF>

#include "engraving/StaffLayout.h"

class QPainter;

// What the staff shows besides the music: the notes chosen (the score
// window's selection) and the note sounding.
struct StaffMarks {
    int selectedFirst = -1;
    int selectedCount = 0;
    int playing = -1;

    bool isSelected(int note) const { return note >= selectedFirst && note < selectedFirst + selectedCount; }
};

struct StaffColors {
    QColor ink = Qt::black;
    QColor selected = QColor(0x15, 0x65, 0xc0);
    QColor selectedBack = QColor(0xd6, 0xe6, 0xfa);
    QColor playingBack = QColor(0xff, 0xd5, 0x80);
    QColor warning = QColor(0xc6, 0x28, 0x28);
};

// Paints the systems first … end-1 of a layout, one staff space being space
// device pixels, the layout's origin at origin. The glyphs are the music
// font's at four spaces to the em; every line is as thick as the font asks.
void paintStaff(QPainter &painter, const StaffLayout &layout, QPointF origin, float space, std::pair<int, int> systems,
                const StaffMarks &marks = {}, const StaffColors &colors = {});

// Draws every glyph of the music font at the size once, out of sight: the
// toolkit makes a glyph's pixels when first drawn, and a window that does it
// as it opens draws the first time signature or flag of an edit as fast as
// the rest.
void prepareMusicGlyphs(float space);

// The em of the music font at a staff space, a whole number of pixels, and
// the space it gives: glyphs and lines stay together at any size.
int musicFontPixels(float space);
inline float spaceForMusicFont(int pixels)
{
    return float(pixels) / 4.0f;
}
