#include "sysinfo/PlatformSysInfo.h"

#include <QFileInfo>
#include <QProcess>

bool PlainFileProbe::isPlainFile(const QString &path) const
{
    return QFileInfo(path).isFile();
}

bool DetachedLauncher::startDetached(const QString &command)
{
    QStringList arguments = QProcess::splitCommand(command);
    if (arguments.isEmpty())
        return false;
    const QString program = arguments.takeFirst();
    return QProcess::startDetached(program, arguments);
}

const Registry &systemRegistry()
{
    static const InMemoryRegistry empty;
    return empty;
}
