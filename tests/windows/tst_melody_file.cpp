#include <sys/wait.h>
#include <unistd.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QDropEvent>
#include <QMenu>
#include <QMimeData>
#include <QUrl>
#include <QWindow>

#include "cli/CommandLine.h"
#include "common/GuiTestSupport.h"
#include "editing/ScoreDocument.h"
#include "nqc/NqcProgram.h"
#include "widgets/ClickableLabel.h"
#include "windows/composer/ComposerWindow.h"

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

// The process number of a program that has ended.
qint64 endedProcess()
{
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

const QString SaveQuestion = QStringLiteral("作曲中の曲を保存しますか？");

} // namespace

class MelodyFileTest : public QObject {
    Q_OBJECT

private slots:
    // Settings of the tests' own, apart from the user's; no key sounds here.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().setValue(QStringLiteral("sound/keySounds"), false); }
    void cleanup() { QSettings().clear(); }
    void savedMelodyShowsItsNameAndUnsavedMark();
    void openingLeavesWhatEnteringByHandWould();
    void closingAsksAndCancelKeepsEverything();
    void finishAsksOnlyUsersOfMelodyFiles();
    void programIsWrittenWithoutEnding();
    void recoveryRestoresTheScoreOfAKilledRun();
    void aMelodyFileGivenAtStartOpensTheComposerDirectly();
    void openingBAfterAGivesBItsOwnHistoryAndFile();
    void aNewMelodyStartsEmptyWithoutAName();
    void recentFilesAndDropsOpenAsTheDialogDoes();
    void filesNamedAtStart_data();
    void filesNamedAtStart();
};

void MelodyFileTest::savedMelodyShowsItsNameAndUnsavedMark()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 4, 7});
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲"));

    zepa.dialogs.answer = directory.filePath(QStringLiteral("furusato"));
    window->saveAction()->trigger(); // no file yet: asks for a name
    QVERIFY(zepa.dialogs.suggested.endsWith(QStringLiteral("/melody.mml")));
    QFile saved(directory.filePath(QStringLiteral("furusato.mml")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().endsWith("t120\no5 l4 q7 c e g\n"));
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - furusato.mml"));

    confirmPitches(window, {9});
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - furusato.mml *"));
    window->saveAction()->trigger(); // the file is known now: no dialog
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - furusato.mml"));
    QVERIFY(zepa.messages.shown().empty());

    // A file that cannot be written: a box with its name; the score stays.
    zepa.dialogs.answer = directory.filePath(QStringLiteral("gone/x.mml"));
    zepa.messages.expect();
    window->saveAsAction()->trigger();
    QVERIFY(zepa.messages.last().text.startsWith(
        QStringLiteral("ファイル「%1」を保存できませんでした。\n").arg(zepa.dialogs.answer)));
    QCOMPARE(window->editor().state().noteCount, qint16(4));
}

void MelodyFileTest::openingLeavesWhatEnteringByHandWould()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("song.mml"));
    writeFile(path, "T90 O4 Q4 L8 c d e2");

    // By hand at tempo 90 ...
    ZepaUnderTest byHand(directory.path());
    ComposerWindow *handWindow = openComposer(byHand, QStringLiteral("90"));
    click(handWindow->octaveOption(Octave::Low));
    click(handWindow->articulationOption(Articulation::Staccato));
    click(handWindow->lengthButton(NoteLength::Eighth));
    confirmPitches(handWindow, {0, 2});
    click(handWindow->lengthButton(NoteLength::Half));
    confirmPitches(handWindow, {4});

    // ... and opened from the file into a window started at 120.
    ZepaUnderTest opened(directory.path());
    ComposerWindow *window = openComposer(opened);
    confirmPitches(window, {11});
    opened.messages.expect(MessageAnswer::Cancel);
    window->openAction()->trigger();
    QCOMPARE(opened.messages.last().text, SaveQuestion);
    QCOMPARE(window->editor().state().noteCount, qint16(1)); // cancelled: nothing changed
    opened.dialogs.toOpen = path;
    opened.messages.expect(MessageAnswer::Discard);
    window->openAction()->trigger();

    QVERIFY(window->editor().state().notes().size() == handWindow->editor().state().notes().size());
    QVERIFY(std::equal(window->editor().state().notes().begin(), window->editor().state().notes().end(),
                       handWindow->editor().state().notes().begin()));
    QCOMPARE(window->editor().tempo(), 90);
    QCOMPARE(labelText(window, "Label40"), labelText(handWindow, "Label40"));
    QCOMPARE(labelText(window, "Label16"), labelText(handWindow, "Label16"));
    QVERIFY(window->octaveOption(Octave::Low)->isChecked());
    QVERIFY(window->articulationOption(Articulation::Staccato)->isChecked());
    QVERIFY(window->confirmButton()->isEnabled());
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - song.mml"));
    // The next note takes the file's tempo.
    confirmPitches(window, {5});
    QCOMPARE(window->editor().state().notes().back().ticks, lengthTicks(NoteLength::Half, 90));

    // A file with an error loads nothing and says where.
    writeFile(path, "c d\nHi! This is no melody, just words.");
    opened.dialogs.toOpen = path;
    opened.messages.expect(MessageAnswer::Discard);
    opened.messages.expect();
    window->openAction()->trigger();
    QCOMPARE(opened.messages.last().shownTitle(), QStringLiteral("開けません"));
    QVERIFY(opened.messages.last().text.endsWith(QStringLiteral(
        "2行目 1文字目: 「H」は使えません。MMLとして読めません（どの書き方にもない命令が、音より多くあります）")));
    QCOMPARE(window->editor().state().noteCount, qint16(4));
}

void MelodyFileTest::closingAsksAndCancelKeepsEverything()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 2});
    zepa.messages.expect(MessageAnswer::Cancel);
    window->close();
    QCOMPARE(zepa.messages.last().text, SaveQuestion);
    QCOMPARE(zepa.messages.last().flags(), 0x10033u);
    QVERIFY(window->isVisible());
    QCOMPARE(window->editor().state().noteCount, qint16(2));
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドレ"));

    zepa.messages.expect(MessageAnswer::Discard);
    window->close();
    QVERIFY(!window->isVisible());

    // An empty score closes as it always did.
    ZepaUnderTest empty;
    ComposerWindow *emptyWindow = openComposer(empty);
    emptyWindow->close();
    QVERIFY(!emptyWindow->isVisible());
    QVERIFY(empty.messages.shown().empty());
}

void MelodyFileTest::finishAsksOnlyUsersOfMelodyFiles()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0});
    zepa.messages.expect(); // the notice before writing, as always
    click(window->finishButton());
    QCOMPARE(zepa.messages.shown().size(), std::size_t(1));
    QCOMPARE(zepa.quitCount, 1);

    ZepaUnderTest user(directory.path());
    ComposerWindow *userWindow = openComposer(user);
    confirmPitches(userWindow, {0});
    user.dialogs.answer = directory.filePath(QStringLiteral("a.mml"));
    userWindow->saveAsAction()->trigger();
    confirmPitches(userWindow, {2});
    user.messages.expect(MessageAnswer::Cancel);
    click(userWindow->finishButton());
    QCOMPARE(user.messages.last().text, SaveQuestion);
    QCOMPARE(user.quitCount, 0);
    user.messages.expect(MessageAnswer::Save);
    user.messages.expect();
    click(userWindow->finishButton());
    QCOMPARE(user.quitCount, 1);
    QFile saved(directory.filePath(QStringLiteral("a.mml")));
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().endsWith("o5 l4 q7 c d\n"));
}

void MelodyFileTest::programIsWrittenWithoutEnding()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 4});
    QCOMPARE(window->exportNqcAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    // A write of a moment: no notice (the double refuses any box), and the
    // status bar names the folder with the file.
    window->exportNqcAction()->trigger();
    window->exportNqcAction()->trigger();
    QVERIFY(QFile::exists(directory.filePath(QStringLiteral("music0.nqc"))));
    QVERIFY(QFile::exists(directory.filePath(QStringLiteral("music1.nqc"))));
    QCOMPARE(window->statusLabel()->text(),
             QDir::toNativeSeparators(directory.filePath(QStringLiteral("music1.nqc")))
                 + QStringLiteral(" に書き出しました"));
    QVERIFY(window->isVisible());
    QCOMPARE(zepa.quitCount, 0);
}

void MelodyFileTest::recoveryRestoresTheScoreOfAKilledRun()
{
    QTemporaryDir journals;
    const QString left = journals.filePath(QStringLiteral("journal-%1.txt").arg(endedProcess()));
    writeFile(left, "ZEPA journal 1\nT80\n+ 0 2 0 2\n+ 7 3 1 3\n+ 4 3 1 0\n-\n+ 12 3 1 2\n+ 9 ");

    ZepaUnderTest zepa(QStringLiteral("."), journals.path());
    zepa.messages.expect(MessageAnswer::Yes);
    zepa.app.start();
    QCOMPARE(zepa.messages.last().shownTitle(), QStringLiteral("復元"));
    QVERIFY2(zepa.messages.last().text.startsWith(QStringLiteral("前回の作曲を復元しますか？\n名前のない曲、3音（")),
             qPrintable(zepa.messages.last().text));
    QCOMPARE(zepa.messages.last().flags(), 0x10024u);
    QVERIFY(!zepa.app.tempoWindow());
    ComposerWindow *window = zepa.app.composerWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->editor().tempo(), 80);
    QCOMPARE(window->editor().state().noteCount, qint16(3)); // the cut line is not a note
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドソ休"));
    QCOMPARE(labelText(window, "Label40"), QStringLiteral("入力成功"));
    QVERIFY(window->octaveOption(Octave::High)->isChecked());
    QVERIFY(window->articulationOption(Articulation::Staccato)->isChecked());
    QVERIFY(!QFile::exists(left));
    // This run keeps its own journal, with the restored notes.
    const QString own = journals.filePath(QStringLiteral("journal-%1.txt").arg(::getpid()));
    QVERIFY(QFile::exists(own));
    zepa.app.endProgram();
    QVERIFY(!QFile::exists(own));

    // Declined: the tempo window as always, and the journal goes.
    writeFile(left, "ZEPA journal 1\nT80\n+ 0 2 0 2\n");
    ZepaUnderTest declined(QStringLiteral("."), journals.path());
    declined.messages.expect(MessageAnswer::No);
    declined.app.start();
    QVERIFY(declined.app.tempoWindow() && declined.app.tempoWindow()->isVisible());
    QVERIFY(!declined.app.composerWindow());
    QVERIFY(!QFile::exists(left));

    // A journal that is not as the program writes it restores nothing, is
    // said so, and is kept where it is not offered again.
    writeFile(left, "ZEPA journal 1\nT80\n+ 0 2 0 2\n+ 7x 3 1 3\n");
    ZepaUnderTest unreadable(QStringLiteral("."), journals.path());
    unreadable.messages.expect();
    unreadable.app.start();
    const QString kept = QString(left).replace(QStringLiteral(".txt"), QStringLiteral("-unreadable.txt"));
    QCOMPARE(unreadable.messages.last().text,
             QStringLiteral("前回の作曲の記録「%1」には、ZEPAが書いたものではないところがあるので、復元できません。\n"
                            "消さずに「%2」として残しました。")
                 .arg(left, kept));
    QVERIFY(unreadable.app.tempoWindow() && unreadable.app.tempoWindow()->isVisible());
    QVERIFY(QFile::exists(kept));
    ZepaUnderTest again(QStringLiteral("."), journals.path());
    again.app.start(); // not offered again: no box
    QVERIFY(again.app.tempoWindow());
    QFile::remove(kept);

    // Killed while composing a melody opened from its file, in 3/4, with
    // changes not saved: the journal it leaves is what it wrote as it went.
    QTemporaryDir songs;
    const QString song = songs.filePath(QStringLiteral("song.mml"));
    writeFile(song, "T90 L4 c d e");
    QString leftBehind;
    {
        ZepaUnderTest killed(songs.path(), journals.path());
        killed.app.startWithMelodyFile(song);
        ComposerWindow *composing = killed.app.composerWindow();
        composing->document().changeMeter(3);
        confirmPitches(composing, {7, 9});
        composing->document().remove(0, 1);
        QCOMPARE(composing->windowTitle(), QStringLiteral("作曲 - song.mml *"));
        const QString own = journals.filePath(QStringLiteral("journal-%1.txt").arg(::getpid()));
        leftBehind = journals.filePath(QStringLiteral("journal-%1.txt").arg(endedProcess()));
        QVERIFY(QFile::copy(own, leftBehind));
        killed.app.endProgram();
    }
    ZepaUnderTest restarted(QStringLiteral("."), journals.path());
    restarted.messages.expect(MessageAnswer::Yes);
    restarted.app.start();
    QVERIFY2(
        restarted.messages.last().text.startsWith(QStringLiteral("前回の作曲を復元しますか？\n「song.mml」、4音（")),
        qPrintable(restarted.messages.last().text));
    ComposerWindow *back = restarted.app.composerWindow();
    QVERIFY(back);
    QCOMPARE(back->document().meter(), 3);
    QCOMPARE(back->document().melodyFile(), song);
    QCOMPARE(back->editor().tempo(), 90);
    QCOMPARE(back->editor().state().noteCount, qint16(4));
    QCOMPARE(back->windowTitle(), QStringLiteral("作曲 - song.mml *"));
    QVERIFY(!QFile::exists(leftBehind));
}

void MelodyFileTest::aMelodyFileGivenAtStartOpensTheComposerDirectly()
{
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("kaeru.mml"));
    writeFile(path, "T150 L4 c d e f e d c r");
    ZepaUnderTest zepa(directory.path());
    zepa.app.startWithMelodyFile(path);
    QVERIFY(!zepa.app.tempoWindow());
    ComposerWindow *window = zepa.app.composerWindow();
    QVERIFY(window && window->isVisible());
    QCOMPARE(window->editor().tempo(), 150);
    QCOMPARE(window->editor().state().noteCount, qint16(8));
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - kaeru.mml"));

    // A file that cannot be read: its box, then the tempo window as always.
    writeFile(path, "T150 Hi! This is no melody, just words.");
    ZepaUnderTest broken(directory.path());
    broken.messages.expect();
    broken.app.startWithMelodyFile(path);
    QCOMPARE(broken.messages.last().shownTitle(), QStringLiteral("開けません"));
    QVERIFY(broken.app.tempoWindow() && broken.app.tempoWindow()->isVisible());
}

void MelodyFileTest::openingBAfterAGivesBItsOwnHistoryAndFile()
{
    QTemporaryDir directory;
    const QString songA = directory.filePath(QStringLiteral("a.mml"));
    const QString songB = directory.filePath(QStringLiteral("b.mml"));
    writeFile(songA, "T100 c d e");
    writeFile(songB, "T90 g a");
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    zepa.dialogs.toOpen = songA;
    window->openAction()->trigger();
    confirmPitches(window, {11});
    zepa.dialogs.toOpen = songB;
    zepa.messages.expect(MessageAnswer::Discard);
    window->openAction()->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - b.mml"));
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ソラ"));
    // No 「元に戻す: 開く」 that would bring A's notes back under B's name.
    QVERIFY(!window->undoAction()->isEnabled());
    QCOMPARE(window->undoAction()->text(), QStringLiteral("元に戻す(&U)"));
    window->undoAction()->trigger();
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ソラ"));

    confirmPitches(window, {0});
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - b.mml *"));
    window->saveAction()->trigger(); // Ctrl+S: B's notes into B
    QFile saved(songB);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QVERIFY(saved.readAll().endsWith("t90\no4 l4 q7 g a c\n"));
    QFile untouched(songA);
    QVERIFY(untouched.open(QIODevice::ReadOnly));
    QCOMPARE(untouched.readAll(), QByteArray("T100 c d e"));
    QVERIFY(zepa.messages.allAnswered());
}

void MelodyFileTest::aNewMelodyStartsEmptyWithoutAName()
{
    QTemporaryDir directory;
    const QString song = directory.filePath(QStringLiteral("a.mml"));
    writeFile(song, "T100 c d e");
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    QCOMPARE(window->newAction()->text(), QStringLiteral("新規作成(&N)..."));
    QCOMPARE(window->newAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    zepa.dialogs.toOpen = song;
    window->openAction()->trigger();
    confirmPitches(window, {5});

    // The same question as closing, then a tempo, then an empty score.
    zepa.messages.expect(MessageAnswer::Discard);
    zepa.dialogs.typed = QStringLiteral("150");
    window->newAction()->trigger();
    QCOMPARE(zepa.messages.last().text, SaveQuestion);
    QCOMPARE(zepa.messages.last().flags(), 0x10033u);
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲"));
    QCOMPARE(labelText(window, "Label16"), QString());
    QCOMPARE(labelText(window, "Label40"), QStringLiteral("音未選択（中音）－音間普通－四分音符"));
    QCOMPARE(window->editor().tempo(), 150);
    QCOMPARE(window->melodyLabel()->text(), QStringLiteral("♩=150　0音"));
    QVERIFY(!window->undoAction()->isEnabled());

    // Deleting every note of the new melody and saving asks for a name:
    // the old song is never replaced silently.
    confirmPitches(window, {0});
    window->showScoreAction()->trigger();
    zepa.app.scoreWindow()->select(0, 1);
    zepa.app.scoreWindow()->deleteAction()->trigger();
    zepa.dialogs.answer.clear();
    window->saveAction()->trigger();
    QVERIFY(zepa.dialogs.suggested.endsWith(QStringLiteral("/melody.mml")));
    QFile untouched(song);
    QVERIFY(untouched.open(QIODevice::ReadOnly));
    QCOMPARE(untouched.readAll(), QByteArray("T100 c d e"));
    QVERIFY(zepa.messages.allAnswered());
}

void MelodyFileTest::recentFilesAndDropsOpenAsTheDialogDoes()
{
    QTemporaryDir directory;
    const QString first = directory.filePath(QStringLiteral("first.mml"));
    const QString second = directory.filePath(QStringLiteral("second.mml"));
    writeFile(first, "T100 c d e");
    writeFile(second, "T90 g");
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    zepa.dialogs.toOpen = first;
    window->openAction()->trigger();

    // A file dropped on the window opens; the window system hands the drag
    // to the window, which hands it to the widget that takes drops.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(second)});
    const QPoint at = window->form()->geometry().center();
    QDragEnterEvent enter(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window->windowHandle(), &drop);
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - second.mml"));

    // Both are in 「最近使ったファイル」, newest first, with access keys.
    QMenu *recent = window->recentFilesMenu();
    QCOMPARE(recent->title(), QStringLiteral("最近使ったファイル(&R)"));
    emit recent->aboutToShow();
    QStringList items;
    for (QAction *item : recent->actions())
        items << item->text();
    QCOMPARE(items, (QStringList{QStringLiteral("&1 second.mml"), QStringLiteral("&2 first.mml")}));
    recent->actions().at(1)->trigger();
    QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - first.mml"));
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドレミ"));
    QVERIFY(zepa.messages.shown().empty());
}

void MelodyFileTest::filesNamedAtStart_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("command"); // a command, rather than the windows
    QTest::newRow("nothing") << QStringList{} << false;
    QTest::newRow("a command") << QStringList{"render"} << true;
    QTest::newRow("a mistyped command") << QStringList{"sing"} << true;
    QTest::newRow("a melody file that is not there") << QStringList{"missing.mml"} << false;
    QTest::newRow("a program in a folder") << QStringList{"songs/music0.nqc"} << false;
    QTest::newRow("an option") << QStringList{"--help"} << true;
    QTest::newRow("a command with arguments") << QStringList{"play", "a.mml"} << true;
}

void MelodyFileTest::filesNamedAtStart()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, command);
    std::vector<QByteArray> words{"zepa"};
    for (const QString &argument : arguments)
        words.push_back(argument.toUtf8());
    std::vector<char *> argv;
    for (QByteArray &word : words)
        argv.push_back(word.data());
    QCOMPARE(isCommandLine(int(argv.size()), argv.data()), command);

    if (arguments.size() != 1 || command)
        return;
    // The windows: a file that is not there gives a box naming it and the
    // tempo window; a program ZEPA wrote opens the composer on its notes.
    QTemporaryDir directory;
    const QString path = directory.filePath(arguments.front());
    ZepaUnderTest zepa(directory.path());
    if (path.endsWith(QStringLiteral(".nqc"))) {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        std::vector<NoteRecord> notes;
        for (int pitch : {0, 2, 4}) {
            NoteRecord note;
            note.pitch = pitch;
            note.ticks = lengthTicks(NoteLength::Quarter, 100);
            notes.push_back(note);
        }
        writeFile(path, QByteArray::fromStdString(nqcProgramText(notes)));
        zepa.app.startWithMelodyFile(path);
        ComposerWindow *window = zepa.app.composerWindow();
        QVERIFY(window && window->isVisible());
        QCOMPARE(window->editor().tempo(), 100);
        QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドレミ"));
        QCOMPARE(window->windowTitle(), QStringLiteral("作曲 - music0.nqc"));
        return;
    }
    zepa.messages.expect();
    zepa.app.startWithMelodyFile(path);
    QCOMPARE(zepa.messages.last().text,
             QStringLiteral("ファイル「%1」を開けませんでした。\nファイルまたはフォルダがありません。").arg(path));
    QVERIFY(zepa.app.tempoWindow() && zepa.app.tempoWindow()->isVisible());
}

QTEST_MAIN(MelodyFileTest)
#include "tst_melody_file.moc"
