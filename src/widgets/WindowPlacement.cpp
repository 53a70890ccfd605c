#include "widgets/WindowPlacement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

Placement placeBeside(const QRect &anchorFrame, const QSize &wantedContents, const QMargins &frame,
                      const QRect &available, int gap)
{
    // Narrower than this, the list's columns and a bar of the staff do not fit.
    constexpr int NarrowestUseful = 320;
    int width = std::min(wantedContents.width() + frame.left() + frame.right(), available.width());
    const int height = std::min(wantedContents.height() + frame.top() + frame.bottom(), available.height());
    const int top = std::clamp(anchorFrame.top(), available.top(), available.bottom() + 1 - height);
    QPoint anchor = anchorFrame.topLeft();
    const int roomRight = available.right() + 1 - (anchorFrame.right() + 1 + gap);
    const int roomLeft = anchorFrame.left() - gap - available.left();
    int left = 0;
    if (width <= roomRight) {
        left = anchorFrame.right() + 1 + gap;
    } else if (width <= roomLeft) {
        left = anchorFrame.left() - gap - width;
    } else if (anchorFrame.width() + gap + width <= available.width()) {
        anchor.setX(available.left());
        left = available.left() + anchorFrame.width() + gap;
    } else if (std::max(roomLeft, roomRight) >= NarrowestUseful) {
        width = std::max(roomLeft, roomRight);
        left = roomRight >= roomLeft ? anchorFrame.right() + 1 + gap : available.left();
    } else {
        left = available.right() + 1 - width;
    }
    return {{left, top, width, height}, anchor};
}

void showBeside(QWidget *window, QWidget *anchor, const QSize &wantedContents)
{
    // The anchor's frame stands for the new window's, which is known only
    // once the window manager has framed it.
    const QRect anchorFrame = anchor->frameGeometry();
    const QRect anchorContents = anchor->geometry();
    const QMargins frame(anchorContents.left() - anchorFrame.left(), anchorContents.top() - anchorFrame.top(),
                         anchorFrame.right() - anchorContents.right(), anchorFrame.bottom() - anchorContents.bottom());
    const QRect available = anchor->screen()->availableGeometry();
    const Placement placement = placeBeside(anchorFrame, wantedContents, frame, available);
    if (placement.anchor != anchorFrame.topLeft())
        anchor->move(placement.anchor);
    const QRect &placed = placement.window;
    window->resize(placed.width() - frame.left() - frame.right(), placed.height() - frame.top() - frame.bottom());
    window->move(placed.topLeft()); // move() places the frame's corner
    window->show();
}
