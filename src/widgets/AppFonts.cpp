#include "widgets/AppFonts.h"

#include <QApplication>
#include <QFont>

namespace AppFonts {

void install()
{
    ScoreFonts::installSubstitutes();
    QFont font(DesignFamily);
    font.setPointSizeF(DesignPointSize);
    QApplication::setFont(font);
}

} // namespace AppFonts
