#include "widgets/AppFonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

namespace AppFonts {
namespace {

bool looksSerif(const QString &family)
{
    for (const char *mark : {"Mincho", "明朝", "Serif", "Song", "Ming"}) {
        if (family.contains(QLatin1String(mark), Qt::CaseInsensitive))
            return true;
    }
    return false;
}

QStringList substitutesForDesignFamily()
{
    QStringList substitutes;
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(QStringLiteral("IPAPGothic")))
        substitutes << QStringLiteral("IPAPGothic");
    for (const QString &family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (!looksSerif(family) && !substitutes.contains(family))
            substitutes << family;
    }
    return substitutes;
}

} // namespace

void install()
{
    if (!QFontDatabase::families().contains(DesignFamily))
        QFont::insertSubstitutions(DesignFamily, substitutesForDesignFamily());
    QFont font(DesignFamily);
    font.setPointSizeF(DesignPointSize);
    QApplication::setFont(font);
}

} // namespace AppFonts
