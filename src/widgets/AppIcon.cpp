#include "widgets/AppIcon.h"

#include <QPainter>
#include <QPainterPath>

namespace AppIcon {

QImage image(int size)
{
    QImage pixmap(size, size, QImage::Format_ARGB32_Premultiplied);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 128));
    painter.drawRoundedRect(QRectF(1, 1, 30, 30), 5, 5);

    // An eighth note: head, stem and flag.
    painter.setBrush(Qt::white);
    painter.save();
    painter.translate(12, 23);
    painter.rotate(-20);
    painter.drawEllipse(QRectF(-5.5, -4, 11, 8));
    painter.restore();
    painter.drawRect(QRectF(15.5, 6, 2.5, 17));
    QPainterPath flag;
    flag.moveTo(18, 6);
    flag.cubicTo(20, 11, 26, 11, 24, 19);
    flag.cubicTo(23, 14, 21, 13, 18, 12);
    flag.closeSubpath();
    painter.drawPath(flag);
    painter.end();
    return pixmap;
}

QPixmap picture(int size)
{
    return QPixmap::fromImage(image(size));
}

QIcon icon()
{
    QIcon icon;
    icon.addPixmap(picture(32));
    icon.addPixmap(picture(16));
    return icon;
}

} // namespace AppIcon
