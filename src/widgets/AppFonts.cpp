#include "widgets/AppFonts.h"

#include <QApplication>
#include <QFont>

namespace AppFonts {

void install()
{
    QFont font(ScoreFonts::installedDesignFamily());
    font.setPointSizeF(DesignPointSize);
    QApplication::setFont(font);
}

} // namespace AppFonts
