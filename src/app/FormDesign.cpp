#include "app/FormDesign.h"

#include <QLabel>

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
    }
}
