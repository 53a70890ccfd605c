#include "app/ZepaApplication.h"

#include <QApplication>

#include "app/CommandLine.h"
#include "base/ProgramInfo.h"
#include "nqc/PosixFileSystem.h"
#include "playback/SpeakerOutput.h"
#include "sysinfo/PlatformSysInfo.h"
#include "widgets/AppFonts.h"
#include "widgets/AppIcon.h"
#include "widgets/QtMessageService.h"
#include "windows/about/AboutWindow.h"
#include "windows/composer/ComposerWindow.h"
#include "windows/tempo/TempoWindow.h"

ZepaApplication::ZepaApplication(ZepaServices services)
    : m_services(std::move(services))
    , m_sysInfo(m_services.registry, m_services.fileProbe, m_services.launcher, m_services.messages)
{ }

ZepaApplication::~ZepaApplication()
{
    delete m_aboutWindow;
    delete m_composerWindow;
    delete m_tempoWindow;
}

void ZepaApplication::configure(QApplication &application)
{
    application.setApplicationName(QStringLiteral("ZEPA"));
    application.setOrganizationName(QStringLiteral("ZEPA")); // settings in ~/.config/ZEPA/ZEPA.conf
    application.setApplicationVersion(ApplicationVersion);
    application.setStyle(QStringLiteral("Fusion"));
    application.setWindowIcon(AppIcon::icon());
    AppFonts::install();
}

void ZepaApplication::start()
{
    m_tempoWindow = new TempoWindow(m_services.messages);
    connect(m_tempoWindow, &TempoWindow::tempoAccepted, this, &ZepaApplication::startComposing);
    connect(m_tempoWindow, &TempoWindow::endRequested, this, &ZepaApplication::endProgram);
    m_tempoWindow->show();
}

void ZepaApplication::startComposing(qint16 tempo)
{
    // The tempo window goes only once the composer window is shown.
    m_tempo = tempo;
    m_composerWindow = new ComposerWindow(
        m_tempo, {m_services.messages, m_services.files, m_services.fileChooser, m_services.makeSoundOutput});
    connect(m_composerWindow, &ComposerWindow::aboutRequested, this, &ZepaApplication::showAbout);
    connect(m_composerWindow, &ComposerWindow::endRequested, this, &ZepaApplication::endProgram);
    m_composerWindow->show();
    m_tempoWindow->close();
}

void ZepaApplication::showAbout()
{
    // One about window at a time: while it is open it only comes to the front.
    if (m_aboutWindow) {
        m_aboutWindow->raise();
        m_aboutWindow->activateWindow();
        return;
    }
    m_aboutWindow = new AboutWindow(m_sysInfo);
    m_aboutWindow->show();
    m_aboutWindow->activateWindow(); // some window managers leave a tool window unfocused
}

void ZepaApplication::endProgram()
{
    for (QWidget *window : {static_cast<QWidget *>(m_aboutWindow), static_cast<QWidget *>(m_composerWindow),
                            static_cast<QWidget *>(m_tempoWindow)}) {
        if (window) {
            window->hide();
            window->deleteLater();
        }
    }
    m_services.quit();
}

int runWindows(int argc, char *argv[])
{
    QApplication application(argc, argv);
    ZepaApplication::configure(application);

    QtMessageService messages;
    PosixFileSystem files; // the current folder, by its path at start
    files.removeAbandonedFiles();
    PlainFileProbe fileProbe;
    DetachedLauncher launcher;
    DialogFileChooser fileChooser;
    ZepaApplication zepa({messages, files, systemRegistry(), fileProbe, launcher, fileChooser,
                          [] { return std::make_unique<SpeakerOutput>(); }, [] { QCoreApplication::exit(0); }});
    zepa.start();
    return application.exec();
}
