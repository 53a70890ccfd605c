#pragma once

#include <QIcon>

// The program's icon: a white eighth note on a blue tile, 32 × 32 and 16 × 16.
// The same picture as data/icons/org.zepa.zepa.svg, which the desktop shows.
namespace AppIcon {
// Drawn without a display, so that the build can make the PNG icons.
QImage image(int size);
QPixmap picture(int size);
QIcon icon();
} // namespace AppIcon
