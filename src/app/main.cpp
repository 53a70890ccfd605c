#include <QApplication>

#include "app/ZepaApplication.h"
#include "nqc/PosixFileSystem.h"
#include "sysinfo/PlatformSysInfo.h"
#include "widgets/QtMessageService.h"

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ZepaApplication::configure(application);

    QtMessageService messages;
    PosixFileSystem files; // the current folder, by its path at start
    files.removeAbandonedFiles();
    PlainFileProbe fileProbe;
    DetachedLauncher launcher;
    ZepaApplication zepa({messages, files, systemRegistry(), fileProbe, launcher, [] { QCoreApplication::exit(0); }});
    zepa.start();
    return application.exec();
}
