#include "app/LabelAutoSize.h"

#include <QLabel>

void fitAutoSizeLabels(QWidget *window)
{
    for (QLabel *label : window->findChildren<QLabel *>()) {
        if (label->property("autoSize").toBool())
            label->adjustSize();
    }
}
