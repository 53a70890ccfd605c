#include "drawing/ScoreFonts.h"

#include <algorithm>

#include <QFontDatabase>
#include <QStringList>

namespace ScoreFonts {
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

const QString &musicFamily()
{
    static const QString family = [] {
        const int id = QFontDatabase::addApplicationFont(QStringLiteral(":/zepa/fonts/Bravura.otf"));
        const QStringList families = QFontDatabase::applicationFontFamilies(id);
        return families.isEmpty() ? QStringLiteral("Bravura") : families.front();
    }();
    return family;
}

} // namespace

void installSubstitutes()
{
    if (!QFontDatabase::families().contains(DesignFamily))
        QFont::insertSubstitutions(DesignFamily, substitutesForDesignFamily());
}

QString installedDesignFamily()
{
    installSubstitutes();
    const QStringList substitutes = QFont::substitutes(DesignFamily);
    return substitutes.isEmpty() ? DesignFamily : substitutes.front();
}

QFont musicFont(int pixelSize)
{
    QFont font(musicFamily());
    font.setPixelSize(std::max(pixelSize, 1));
    font.setHintingPreference(QFont::PreferNoHinting); // glyphs stand where the layout put them
    font.setKerning(false);
    return font;
}

QFont textFont(int pixelSize)
{
    installSubstitutes();
    QFont font(DesignFamily);
    font.setPixelSize(std::max(pixelSize, 1));
    return font;
}

} // namespace ScoreFonts
