#pragma once

#include <QIcon>

// The program's icon: a white eighth note on a blue tile, 32 × 32 and 16 × 16.
namespace AppIcon {
QPixmap picture(int size);
QIcon icon();
} // namespace AppIcon
