#pragma once

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>

#include "about/AboutWindow.h"
#include "about/SysInfoStarter.h"
#include "app/MessageService.h"
#include "app/Module1.h"
#include "app/TempoWindow.h"
#include "composer/ComposerWindow.h"
#include "writer/FileSystem.h"

class QApplication;

// What the program uses of the system; tests put doubles in place.
struct ZepaServices {
    MessageService &messages;
    FileSystem &files;
    const Registry &registry;
    const FileProbe &fileProbe;
    ProgramLauncher &launcher;
    std::function<void()> quit; // leaves the event loop
};

// Starts the program on the tempo window, opens the composer window once a
// tempo is accepted, keeps the about window to one at a time, and ends the
// program when asked.
class ZepaApplication : public QObject {
    Q_OBJECT

public:
    explicit ZepaApplication(ZepaServices services);
    ~ZepaApplication() override;

    // Name, version, font, style and icon of the application object.
    static void configure(QApplication &application);

    void start();
    // Stops at once: every window goes without being asked, then the loop ends.
    void endProgram();

    const Module1 &module() const { return m_module; }
    TempoWindow *tempoWindow() const { return m_tempoWindow; }
    ComposerWindow *composerWindow() const { return m_composerWindow; }
    AboutWindow *aboutWindow() const { return m_aboutWindow; }

private:
    void startComposing(qint16 tempo);
    void showAbout();

    ZepaServices m_services;
    Module1 m_module;
    SysInfoStarter m_sysInfo;
    QPointer<TempoWindow> m_tempoWindow;
    QPointer<ComposerWindow> m_composerWindow;
    QPointer<AboutWindow> m_aboutWindow;
};
