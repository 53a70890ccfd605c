#pragma once

#include <QLabel>

// A label of one line that never pushes its neighbours or the window wider:
// text longer than its room is drawn cut in the middle with "…", and the
// whole text is its tool tip. text() is always the whole text.
class ElidedLabel : public QLabel {
    Q_OBJECT

public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
