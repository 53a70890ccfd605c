#pragma once

#include "base/UiLanguage.h"

#include <functional>
#include <memory>

#include <QObject>
#include <QPointer>

#include "base/MessageService.h"
#include "base/UserDialogs.h"
#include "files/FileSystem.h"
#include "journal/RecoveryJournal.h"
#include "playback/SoundOutput.h"
#include "sysinfo/SysInfoStarter.h"
#include "windows/about/AboutWindow.h"
#include "windows/composer/ComposerWindow.h"
#include "windows/score/ScoreWindow.h"
#include "windows/tempo/TempoWindow.h"

class QApplication;

// What the program uses of the system; tests put doubles in place.
struct ZepaServices {
    MessageService &messages;
    FileSystem &files;
    const Registry &registry;
    const FileProbe &fileProbe;
    ProgramLauncher &launcher;
    UserDialogs &dialogs;
    std::function<std::unique_ptr<SoundOutput>()> makeSoundOutput;
    std::function<void()> quit; // leaves the event loop
    QString journalFolder = {}; // where the recovery journals are kept; empty: none
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
    // Starts on the composer with a file ZEPA reads (a melody file, a program
    // it wrote, a MIDI file) at its tempo, skipping the tempo window; on the
    // tempo window after a box naming the file when it cannot be read.
    void startWithMelodyFile(const QString &path);
    // Stops at once: every window goes without being asked, then the loop ends.
    void endProgram();

    // The tempo the user accepted; 0 until then. It does not change afterwards.
    int tempo() const { return m_tempo; }
    TempoWindow *tempoWindow() const { return m_tempoWindow; }
    ComposerWindow *composerWindow() const { return m_composerWindow; }
    AboutWindow *aboutWindow() const { return m_aboutWindow; }
    ScoreWindow *scoreWindow() const { return m_scoreWindow; }

private:
    void startComposing(qint16 tempo);
    // Offers the score of a run that ended without the user's consent; true
    // when the composer was opened with it.
    bool offerRecovery();
    void showTempoWindow();
    void openComposer(int tempo);
    void showAbout();
    void showScore();

    ZepaServices m_services;
    int m_tempo = 0;
    std::unique_ptr<RecoveryJournal> m_journal;
    SysInfoStarter m_sysInfo;
    QPointer<TempoWindow> m_tempoWindow;
    QPointer<ComposerWindow> m_composerWindow;
    QPointer<AboutWindow> m_aboutWindow;
    QPointer<ScoreWindow> m_scoreWindow;
};

// The windows, as ZEPA starts without a command, in the language --lang
// chose, else the setting 「表示言語」's, else the system's.
int runWindows(int argc, char *argv[], const UiLanguages::LanguageOption &language = {});
