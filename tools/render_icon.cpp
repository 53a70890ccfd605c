// Writes the program's icon as a PNG of the given size, for the icon theme:
//   render_icon SIZE OUTPUT.png

#include <cstdio>

#include <QString>

#include "widgets/AppIcon.h"

int main(int argc, char *argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: render_icon SIZE OUTPUT.png\n");
        return 2;
    }
    const int size = QString::fromLocal8Bit(argv[1]).toInt();
    if (size <= 0 || !AppIcon::image(size).save(QString::fromLocal8Bit(argv[2]), "PNG")) {
        std::fprintf(stderr, "render_icon: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
