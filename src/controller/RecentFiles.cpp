#include "controller/RecentFiles.h"

#include <QFileInfo>
#include <QSettings>

namespace {

const QString Setting = QStringLiteral("files/recent");

void store(const QStringList &paths)
{
    QSettings().setValue(Setting, paths);
}

} // namespace

QStringList RecentFiles::paths() const
{
    return QSettings().value(Setting).toStringList().mid(0, Most);
}

void RecentFiles::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, Most));
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = paths();
    list.removeAll(path);
    store(list);
}
