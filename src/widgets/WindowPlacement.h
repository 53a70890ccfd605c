#pragma once

#include <QMargins>
#include <QRect>

class QWidget;

// Where a window opened beside another goes, so that it is wholly on the
// screen: to the right of the other if it fits there, else to its left,
// else as far right as the screen allows; never larger than the screen.
// All rectangles include the window frames; frame is what the window
// manager adds around a window's contents.
QRect placeBeside(const QRect &anchorFrame, const QSize &wantedContents, const QMargins &frame,
                  const QRect &available, int gap = 8);

// Moves and sizes the window beside the anchor on the anchor's screen.
void showBeside(QWidget *window, const QWidget *anchor, const QSize &wantedContents);
