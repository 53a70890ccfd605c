#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "app/ZepaApplication.h"
#include "common/RecordingMessageService.h"
#include "common/SoundDoubles.h"
#include "common/SysInfoDoubles.h"
#include "files/PosixFileSystem.h"
#include "sysinfo/Registry.h"
#include "sysinfo/SysInfoStarter.h"

// A child of a window by its objectName; fails the test when it is missing.
template<typename T>
T *control(QWidget *window, const QString &name)
{
    T *found = window ? window->findChild<T *>(name) : nullptr;
    if (!found)
        QTest::qFail(qPrintable(QStringLiteral("no control ") + name), __FILE__, __LINE__);
    return found;
}

// Types text as the user would: ASCII key by key, anything else committed by
// an input method, as Japanese input methods do.
void typeText(QWidget *widget, const QString &text);

// Clicks a control in the middle, as the user would.
void click(QWidget *control);
void click(QWidget *window, const QString &name);

// The program's visible top-level windows.
QList<QWidget *> visibleWindows();

// The whole program with doubles for the message boxes, the registry and the
// launcher, writing into a directory of the test's choosing.
class ZepaUnderTest {
public:
    explicit ZepaUnderTest(const QString &directory = QStringLiteral("."), const QString &journalFolder = QString());
    RecordingSoundOutput *melodyOutput() const { return soundOutputs.at(0); }
    RecordingSoundOutput *keyOutput() const { return soundOutputs.at(1); }
    ~ZepaUnderTest();

    // Starts the program, types the tempo and clicks "開始".
    void startComposing(const QString &tempo);

    RecordingMessageService messages;
    PosixFileSystem files;
    InMemoryRegistry registry;
    KnownFiles fileProbe;
    RecordingLauncher launcher;
    ScriptedDialogs dialogs;
    // Every sound output the program makes, in order: the composer window
    // makes one for the melody and one for the keys.
    std::vector<RecordingSoundOutput *> soundOutputs;
    bool soundAvailable = true;
    int quitCount = 0;
    ZepaApplication app;
};

class ComposerWindow;

// The composer as the user reaches it: the program started, the tempo typed
// and 「開始」 clicked.
ComposerWindow *openComposer(ZepaUnderTest &zepa, const QString &tempo = QStringLiteral("120"));
// Clicks each pitch key and then 「入力確定」.
void confirmPitches(ComposerWindow *window, std::initializer_list<int> pitches);
// The text of a label of the form.
QString labelText(QWidget *window, const char *label);
