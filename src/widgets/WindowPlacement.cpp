#include "widgets/WindowPlacement.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

QRect placeBeside(const QRect &anchorFrame, const QSize &wantedContents, const QMargins &frame,
                  const QRect &available, int gap)
{
    const int width = std::min(wantedContents.width() + frame.left() + frame.right(), available.width());
    const int height = std::min(wantedContents.height() + frame.top() + frame.bottom(), available.height());
    int left = anchorFrame.right() + 1 + gap;
    if (left + width > available.right() + 1) {
        const int onLeft = anchorFrame.left() - gap - width;
        left = onLeft >= available.left() ? onLeft : available.right() + 1 - width;
    }
    const int top = std::clamp(anchorFrame.top(), available.top(), available.bottom() + 1 - height);
    return {left, top, width, height};
}

void showBeside(QWidget *window, const QWidget *anchor, const QSize &wantedContents)
{
    // The anchor's frame stands for the new window's, which is known only
    // once the window manager has framed it.
    const QRect anchorFrame = anchor->frameGeometry();
    const QRect anchorContents = anchor->geometry();
    const QMargins frame(anchorContents.left() - anchorFrame.left(), anchorContents.top() - anchorFrame.top(),
                         anchorFrame.right() - anchorContents.right(), anchorFrame.bottom() - anchorContents.bottom());
    const QRect available = anchor->screen()->availableGeometry();
    const QRect placed = placeBeside(anchorFrame, wantedContents, frame, available);
    window->resize(placed.width() - frame.left() - frame.right(), placed.height() - frame.top() - frame.bottom());
    window->move(placed.topLeft()); // move() places the frame's corner
    window->show();
}
