#include "widgets/FormDesign.h"

#include <QLabel>

namespace {

// A narrow label of fixed size whose caption is wider in the font in use than
// in the one it was drawn for takes a slightly smaller size, so the caption
// shows whole.
void shrinkToFit(QLabel *label)
{
    constexpr double SmallestPointSize = 6.0;
    QFont font = label->font();
    while (QFontMetrics(font).horizontalAdvance(label->text()) > label->width()
           && font.pointSizeF() - 0.25 >= SmallestPointSize)
        font.setPointSizeF(font.pointSizeF() - 0.25);
    label->setFont(font);
}

} // namespace

void applyFormDesign(QWidget *window)
{
    for (QWidget *widget : window->findChildren<QWidget *>()) {
        const QVariant pointSize = widget->property("designPointSize");
        if (pointSize.isValid()) {
            QFont font = widget->font();
            font.setPointSizeF(pointSize.toDouble());
            widget->setFont(font);
        }
    }
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->property("autoSize").toBool())
            label->adjustSize();
        if (label->property("shrinkToFit").toBool())
            shrinkToFit(label);
    }
}
