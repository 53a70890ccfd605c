#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Where a window opened beside another goes, so that it is wholly on the
// screen and the other stays wholly in sight: to the right of the other if it
// fits there, else to its left; where it fits on neither side, the other
// moves to the screen's left edge and the window goes to its right; on a
// screen too narrow for both side by side, the window takes the wider room
// beside the other, narrowed to it. Never larger than the screen. All
// rectangles include the window frames; frame is what the window manager adds
// around a window's contents.
struct Placement {
    QRect window;
    QPoint anchor; // where the other's frame goes: where it was, unless moved
};
Placement placeBeside(const QRect &anchorFrame, const QSize &wantedContents, const QMargins &frame,
                      const QRect &available, int gap = 8);

// Moves and sizes the window beside the anchor on the anchor's screen, and
// the anchor where it must move to stay in sight.
void showBeside(QWidget *window, QWidget *anchor, const QSize &wantedContents);
