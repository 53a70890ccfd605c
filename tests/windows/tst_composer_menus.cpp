#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "common/GuiTestSupport.h"
#include "midi/MidiWriter.h"
#include "performance/BrickTones.h"
#include "send/SimulatedBrick.h"
#include "widgets/ClickableLabel.h"
#include "widgets/NoteKeys.h"
#include "windows/composer/ComposerWindow.h"
#include "windows/guide/GuideWindow.h"

namespace {

// Every action the menu bar reaches, submenus and all.
QList<QAction *> reachable(const QList<QAction *> &actions)
{
    QList<QAction *> found;
    for (QAction *action : actions) {
        found << action;
        if (action->menu())
            found << reachable(action->menu()->actions());
    }
    return found;
}

} // namespace

class ComposerMenusTest : public QObject {
    Q_OBJECT

private slots:
    // Settings of the tests' own, apart from the user's, cleared for each test.
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().clear(); }
    void menusCarryEveryCommandWithItsKeys();
    void everyCommandIsInItsMenuWithItsKeyAndActsOnlyWhenItCan();
    void playingHearsACopyWhileComposingGoesOn();
    void lastTenNotesAreTheHistory();
    void keyClickSoundsThePitchAtMostASecond();
    void noDeviceIsToldOnceAndComposingGoesOn();
    void wavFileIsWrittenWhereTheUserChose();
    void programSizeShowsBeforeItBites();
    void midiComesInAndMelodiesGoToOtherBricks();
    void theMelodyIsSentToTheRcxWithItsProgress();
};

void ComposerMenusTest::menusCarryEveryCommandWithItsKeys()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    QStringList menus;
    for (QAction *menu : window->menuBar()->actions())
        menus << menu->text();
    QCOMPARE(menus, (QStringList{"ファイル(&F)", "編集(&E)", "再生(&P)", "ヘルプ(&H)"}));

    QCOMPARE(window->exportWavAction()->text(), QStringLiteral("WAVファイルに書き出す(&W)..."));
    QCOMPARE(window->importMidiAction()->text(), QStringLiteral("MIDIファイルを取り込む(&I)..."));
    QCOMPARE(window->importMidiAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
    QStringList bricks;
    for (ExportTarget target : AllExportTargets)
        bricks << window->exportForBrickAction(target)->text();
    QCOMPARE(bricks,
             (QStringList{"NXT（NXC）(&X)...", "Pybricks（SPIKE・EV3・Powered Up）(&P)...",
                          "micro:bit（MicroPython）(&M)...", "EV3（ev3dev の Python）(&E)..."}));
    QCOMPARE(window->exportForBrickAction(ExportTarget::Nxc)->parent()->property("title"),
             QStringLiteral("ほかのブロック用に書き出す(&B)"));
    QCOMPARE(window->playAllAction()->text(), QStringLiteral("最初から再生(&S)"));
    QCOMPARE(window->playAllAction()->shortcut(), QKeySequence(Qt::Key_F5));
    QCOMPARE(window->playLastTenAction()->text(), QStringLiteral("最後の１０音を再生(&L)"));
    QCOMPARE(window->playLastTenAction()->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F5));
    QCOMPARE(window->stopAction()->text(), QStringLiteral("停止(&T)"));
    QVERIFY(!window->stopAction()->isEnabled());
    QCOMPARE(window->keySoundsAction()->text(), QStringLiteral("鍵盤の音を鳴らす(&K)"));
    QVERIFY(window->keySoundsAction()->isCheckable() && window->keySoundsAction()->isChecked());
    QCOMPARE(window->aboutAction()->text(), QStringLiteral("ZEPAについて(&A)"));
    // The toolkit's own dialogs speak Japanese too.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("キャンセル"));

    // The user's guide is built in: it opens in a window of its own, once,
    // whatever was installed, and asks nothing of the desktop.
    QCOMPARE(window->guideAction()->text(), QStringLiteral("使い方(&R)"));
    window->guideAction()->trigger();
    window->guideAction()->trigger();
    QVERIFY(window->guideWindow() && window->guideWindow()->isVisible());
    QCOMPARE(window->findChildren<GuideWindow *>().size(), 1);
    QVERIFY(window->guideWindow()->browser()->toPlainText().contains(QStringLiteral("6. キーボードで入力する")));
    QVERIFY(zepa.dialogs.opened.isEmpty());

    window->aboutAction()->trigger();
    QVERIFY(zepa.app.aboutWindow() && zepa.app.aboutWindow()->isVisible());
}

// The table is the menus: each command stands in the menu bar with the keys
// the table gives it, no key belongs to two commands or to the note keys,
// pressing a key runs its command, every format of the register has its one
// command under its own words, and what needs notes waits for them.
void ComposerMenusTest::everyCommandIsInItsMenuWithItsKeyAndActsOnlyWhenItCan()
{
    QTemporaryDir folder;
    ZepaUnderTest zepa(folder.path());
    ComposerWindow *window = openComposer(zepa);
    const QList<QAction *> inMenus = reachable(window->menuBar()->actions());
    QHash<QString, QString> owners; // key → command
    const QStringList needNotes{"file.send", "file.print", "edit.transpose", "play.all", "play.last-ten"};
    for (const MenuCommand &command : window->commands().commands()) {
        QAction *action = window->action(command.id);
        QVERIFY2(action && inMenus.contains(action), qPrintable(command.id));
        QVERIFY2(!command.description.isEmpty() && action->whatsThis() == command.description, qPrintable(command.id));
        if (command.id != ComposerCommand::PlayAll) // F5 moves to 停止 while playing
            QCOMPARE(action->shortcuts(), command.keys);
        for (const QKeySequence &key : command.keys) {
            QVERIFY2(!owners.contains(key.toString()), qPrintable(key.toString() + " twice"));
            owners[key.toString()] = command.id;
            QKeyEvent press(QEvent::KeyPress, key[0].key(), key[0].keyboardModifiers());
            QVERIFY2(!NoteKeys::actionFor(press), qPrintable(key.toString() + " enters notes too"));
        }
        // The history and the player say when undo, redo and stop can act.
        const bool followsOthers = command.id == ComposerCommand::Undo || command.id == ComposerCommand::Redo
            || command.id == ComposerCommand::Stop;
        const bool waits = command.id.startsWith(QLatin1String("export.")) || needNotes.contains(command.id);
        QVERIFY2(followsOthers || action->isEnabled() != waits, qPrintable(command.id));
    }
    for (const OutputFormat &format : outputFormats()) {
        QAction *action = window->exportAction(format.id);
        QCOMPARE(bool(action), format.place != OutputPlace::WithAnother);
        if (action)
            QCOMPARE(action->text(), format.menuText);
    }

    // A key runs its command: Ctrl+L shows the score window.
    QSignalSpy shown(window, &ComposerWindow::scoreWindowRequested);
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QTest::keySequence(window, QKeySequence(Qt::CTRL | Qt::Key_L));
    QCOMPARE(shown.size(), 1);
    // A disabled command's key does nothing, without a box: Ctrl+E on an empty score.
    QTest::keySequence(window, QKeySequence(Qt::CTRL | Qt::Key_E));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("music0.nqc"))));

    confirmPitches(window, {0});
    for (const MenuCommand &command : window->commands().commands()) {
        if (command.id != ComposerCommand::Stop)
            QVERIFY2(window->action(command.id)->isEnabled() || command.id == ComposerCommand::Redo,
                     qPrintable(command.id));
    }
    window->undoAction()->trigger();
    QVERIFY(!window->exportWavAction()->isEnabled());
    QVERIFY(!window->sendAction()->isEnabled());
}

void ComposerMenusTest::playingHearsACopyWhileComposingGoesOn()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 4, 7});
    const std::vector<NoteRecord> composed(window->editor().state().notes().begin(),
                                           window->editor().state().notes().end());

    window->playAllAction()->trigger();
    QCOMPARE(zepa.melodyOutput()->played.size(), std::size_t(1));
    QVERIFY(zepa.melodyOutput()->played.back() == brickEvents(composed));
    QCOMPARE(window->statusLabel()->text(), QStringLiteral("再生中　1 / 3 音　0:00 / 0:00"));
    emit zepa.melodyOutput()->progressed(60, 150);
    QCOMPARE(window->statusLabel()->text(), QStringLiteral("再生中　2 / 3 音　0:00 / 0:01"));
    // F5 now stops; the user goes on composing meanwhile.
    QCOMPARE(window->stopAction()->shortcut(), QKeySequence(Qt::Key_F5));
    QVERIFY(window->playAllAction()->shortcut().isEmpty());
    confirmPitches(window, {9});
    QCOMPARE(window->editor().state().noteCount, qint16(4));
    QCOMPARE(window->findChild<QLabel *>(QStringLiteral("Label16"))->text(), QStringLiteral("ドミソラ"));
    QVERIFY(zepa.melodyOutput()->played.back() == brickEvents(composed));

    zepa.melodyOutput()->finish();
    QCOMPARE(window->statusLabel()->text(), QString());
    QCOMPARE(window->playAllAction()->shortcut(), QKeySequence(Qt::Key_F5));
    QVERIFY(!window->stopAction()->isEnabled());

    // Play, then the same command stops.
    window->playAllAction()->trigger();
    QVERIFY(zepa.melodyOutput()->isPlaying());
    window->playAllAction()->trigger();
    QVERIFY(!zepa.melodyOutput()->isPlaying());
    QCOMPARE(zepa.melodyOutput()->played.size(), std::size_t(2));
    QVERIFY(zepa.messages.shown().empty());
}

void ComposerMenusTest::lastTenNotesAreTheHistory()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 2, 4, 5, 7, 9, 11, 0, 2, 4, 5, 7});
    window->playLastTenAction()->trigger();
    const std::span<const NoteRecord> notes = window->editor().state().notes();
    QVERIFY(zepa.melodyOutput()->played.back() == brickEvents(notes.subspan(2)));
}

void ComposerMenusTest::keyClickSoundsThePitchAtMostASecond()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa, QStringLiteral("60"));
    click(window->octaveOption(Octave::High));
    click(window->lengthButton(NoteLength::Whole));
    QVERIFY(zepa.keyOutput()->played.empty()); // choosing sounds nothing
    click(window->pitchKey(9));
    const std::vector<BrickEvent> second{{BrickEvent::Kind::Tone, quint8(toneIndex(9, Octave::High)), 100},
                                         {BrickEvent::Kind::Wait, 0, 100}};
    QVERIFY(zepa.keyOutput()->played.back() == second);
    click(window->lengthButton(NoteLength::Eighth));
    click(window->pitchKey(0));
    const std::vector<BrickEvent> eighth{{BrickEvent::Kind::Tone, quint8(toneIndex(0, Octave::High)), 50},
                                         {BrickEvent::Kind::Wait, 0, 50}};
    QVERIFY(zepa.keyOutput()->played.back() == eighth);
    QVERIFY(zepa.melodyOutput()->played.empty());

    // Off, and remembered for the next run.
    window->keySoundsAction()->trigger();
    click(window->pitchKey(2));
    QCOMPARE(zepa.keyOutput()->played.size(), std::size_t(2));
    ZepaUnderTest next;
    QVERIFY(!openComposer(next)->keySoundsAction()->isChecked());
}

void ComposerMenusTest::noDeviceIsToldOnceAndComposingGoesOn()
{
    ZepaUnderTest zepa;
    zepa.soundAvailable = false;
    ComposerWindow *window = openComposer(zepa);
    zepa.messages.expect();
    click(window->pitchKey(0));
    QCOMPARE(zepa.messages.shown().size(), std::size_t(1));
    QCOMPARE(zepa.messages.last().shownTitle(), QStringLiteral("再生できません"));
    QCOMPARE(zepa.messages.last().text,
             QStringLiteral("音を出せる装置が見つかりません。\n"
                            "WAVファイルに書き出せば、曲を聞くことができます。\n"
                            "（「ファイル」→「WAVファイルに書き出す」）"));
    click(window->confirmButton());
    click(window->pitchKey(4));
    window->playAllAction()->trigger();
    QCOMPARE(zepa.messages.shown().size(), std::size_t(1));
    QCOMPARE(window->editor().state().noteCount, qint16(1));
    QVERIFY(!window->stopAction()->isEnabled());
}

void ComposerMenusTest::wavFileIsWrittenWhereTheUserChose()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa, QStringLiteral("60"));
    confirmPitches(window, {0, 7});
    zepa.dialogs.answer = directory.filePath(QStringLiteral("曲.wav"));
    window->exportWavAction()->trigger();
    QVERIFY(zepa.dialogs.suggested.endsWith(QStringLiteral("/melody.wav")));
    QFile written(zepa.dialogs.answer);
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.size(), 44 + qint64(2) * 100 * 441 * 2);
    QVERIFY(window->statusLabel()->text().contains(QStringLiteral("曲.wav")));

    // The same melody as a MIDI file, next to it: on the beat grid, or as
    // the brick times it, as the user chooses in the dialog.
    zepa.dialogs.answer = directory.filePath(QStringLiteral("曲.mid"));
    window->exportMidiAction()->trigger();
    QVERIFY(zepa.dialogs.suggested.endsWith(QStringLiteral("/melody.mid")));
    QCOMPARE(zepa.dialogs.filters,
             (QStringList{QStringLiteral("MIDIファイル（拍に合わせる） (*.mid)"),
                          QStringLiteral("MIDIファイル（ブロックが鳴らす時間のまま） (*.mid)")}));
    QFile midi(zepa.dialogs.answer);
    QVERIFY(midi.open(QIODevice::ReadOnly));
    QCOMPARE(midi.readAll(), MidiFile::write(window->editor().state().notes(), 60));
    midi.close();
    zepa.dialogs.filterChosen = 1;
    window->exportMidiAction()->trigger();
    QVERIFY(midi.open(QIODevice::ReadOnly));
    QCOMPARE(midi.readAll(), MidiFile::write(window->editor().state().notes(), 60, MidiFile::Timing::AsPlayed));
    zepa.dialogs.filterChosen = 0;

    // A folder that is not there: the box names the file, the score stays.
    zepa.dialogs.answer = directory.filePath(QStringLiteral("gone/曲.wav"));
    zepa.messages.expect();
    window->exportWavAction()->trigger();
    QVERIFY(zepa.messages.last().text.startsWith(
        QStringLiteral("ファイル「%1」を書き込めませんでした。\n").arg(zepa.dialogs.answer)));
    QCOMPARE(zepa.messages.last().shownTitle(), QStringLiteral("書き込みエラー"));
    QCOMPARE(window->editor().state().noteCount, qint16(2));
}

void ComposerMenusTest::programSizeShowsBeforeItBites()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa(directory.path());
    ComposerWindow *window = openComposer(zepa);
    QCOMPARE(window->programSizeLabel()->text(), QStringLiteral("8 / 6144 バイト"));
    confirmPitches(window, {0, 4});
    QCOMPARE(window->programSizeLabel()->text(), QStringLiteral("24 / 6144 バイト"));
    QVERIFY(window->programSizeLabel()->styleSheet().isEmpty());

    // 767 notes of a tone and a wait fill 6144 bytes; one more is too many.
    ScoreDocument &document = window->document();
    for (int i = 0; i < 764; ++i) {
        document.choosePitch(i % 12);
        document.confirm();
    }
    confirmPitches(window, {0});
    QCOMPARE(window->programSizeLabel()->text(), QStringLiteral("6144 / 6144 バイト"));
    confirmPitches(window, {2});
    QCOMPARE(window->programSizeLabel()->text(), QStringLiteral("6152 / 6144 バイト"));
    QVERIFY(window->programSizeLabel()->styleSheet().contains(QStringLiteral("#c00000")));
    QCOMPARE(window->statusLabel()->text(), QStringLiteral("RCXに入りきりません"));

    // The file is still written, without a box; the status bar says where
    // and that it is too large to send whole.
    window->exportNqcAction()->trigger();
    QCOMPARE(window->statusLabel()->text(),
             QDir::toNativeSeparators(directory.filePath(QStringLiteral("music0.nqc")))
                 + QStringLiteral(" に書き出しました（RCXに全部は送れない大きさです）"));
    QVERIFY(QFile::exists(directory.filePath(QStringLiteral("music0.nqc"))));
}

void ComposerMenusTest::midiComesInAndMelodiesGoToOtherBricks()
{
    QTemporaryDir directory;
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa, QStringLiteral("60"));
    confirmPitches(window, {0, 7});
    const std::vector<NoteRecord> composed(window->editor().state().notes().begin(),
                                           window->editor().state().notes().end());

    // Format 1: a tempo track (100), a melody and a drum part far below
    // ZEPA's octaves. The user picks the drums.
    const QString song = directory.filePath(QStringLiteral("曲.mid"));
    QFile file(song);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray::fromHex("4d546864000000060001000301e0"
                                   "4d54726b0000000b00ff51030927c000ff2f00"
                                   "4d54726b0000001a0090486483004800604c6483004c00604f6483604f0000ff2f00"
                                   "4d54726b0000001300992464836024000026648360260000ff2f00"));
    file.close();
    zepa.dialogs.toOpen = song;
    zepa.dialogs.chosen = 1;
    zepa.messages.expect(MessageAnswer::Cancel); // replace the two notes? not yet
    window->importMidiAction()->trigger();
    QCOMPARE(zepa.dialogs.offered,
             (QStringList{QStringLiteral("トラック 2　チャンネル 1：3 音"),
                          QStringLiteral("トラック 3　チャンネル 10：2 音")}));
    QCOMPARE(zepa.messages.last().text,
             QStringLiteral(
                 "いまの曲を、取り込んだ曲（2 音）で置き換えますか？\n置き換えたあとでも「元に戻す」で戻せます。"));
    QCOMPARE(window->editor().state().noteCount, qint16(2));

    zepa.messages.expect(MessageAnswer::Ok);
    zepa.messages.expect(); // what the import changed
    window->importMidiAction()->trigger();
    QCOMPARE(zepa.messages.last().text,
             QStringLiteral("取り込みのとき、次のところを変えました。\n"
                            "・ZEPAの５オクターブの外にあった 2 音を、オクターブ単位で移しました。"));
    QCOMPARE(window->editor().tempo(), 100);
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドレ"));
    QCOMPARE(window->undoAction()->text(), QStringLiteral("元に戻す(&U): MIDIの取り込み"));

    // To another brick: the file where the user chose; it plays as the RCX
    // does, so there is nothing to tell.
    const std::vector<NoteRecord> imported(window->editor().state().notes().begin(),
                                           window->editor().state().notes().end());
    zepa.dialogs.answer = directory.filePath(QStringLiteral("曲.py"));
    window->exportForBrickAction(ExportTarget::Ev3dev)->trigger();
    QVERIFY(zepa.dialogs.suggested.endsWith(QStringLiteral("/melody_ev3dev.py")));
    QFile script(zepa.dialogs.answer);
    QVERIFY(script.open(QIODevice::ReadOnly));
    QCOMPARE(script.readAll(), exportProgram(ExportTarget::Ev3dev, imported, 100).text);
    QCOMPARE(window->statusLabel()->text(),
             QDir::toNativeSeparators(zepa.dialogs.answer) + QStringLiteral(" に書き出しました"));
    zepa.dialogs.answer = directory.filePath(QStringLiteral("曲.nxc"));
    window->exportForBrickAction(ExportTarget::Nxc)->trigger(); // nothing changed: no box
    QVERIFY(QFile::exists(zepa.dialogs.answer));
    QCOMPARE(window->statusLabel()->text(),
             QDir::toNativeSeparators(zepa.dialogs.answer) + QStringLiteral(" に書き出しました"));

    // One step back gives the composed notes and their tempo again.
    window->undoAction()->trigger();
    QCOMPARE(window->editor().tempo(), 60);
    const std::span<const NoteRecord> restored = window->editor().state().notes();
    QVERIFY(std::equal(restored.begin(), restored.end(), composed.begin(), composed.end()));

    // A file that is not MIDI: a box naming it, and the score untouched.
    zepa.dialogs.toOpen = directory.filePath(QStringLiteral("曲.wav"));
    QFile notMidi(zepa.dialogs.toOpen);
    QVERIFY(notMidi.open(QIODevice::WriteOnly) && notMidi.write("RIFF....WAVE") == 12);
    notMidi.close();
    zepa.messages.expect();
    window->importMidiAction()->trigger();
    QCOMPARE(zepa.messages.last().text,
             QStringLiteral("ファイル「%1」を取り込めませんでした。\nMIDIファイルではありません。")
                 .arg(zepa.dialogs.toOpen));
    QCOMPARE(window->editor().state().noteCount, qint16(2));

    QVERIFY(zepa.messages.allAnswered());
}

void ComposerMenusTest::theMelodyIsSentToTheRcxWithItsProgress()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    QCOMPARE(window->sendAction()->text(), QStringLiteral("RCXに送る(&T)..."));
    QCOMPARE(window->sendAction()->shortcut(), QKeySequence(Qt::Key_F9));
    confirmPitches(window, {0, 4, 7, 0, 4, 7});

    // Sent to slot 3: the progress counts the blocks, the status bar says where.
    SimulatedBrick brick;
    zepa.dialogs.sendChoice = SendChoice{brick.port(), 3, true};
    window->sendAction()->trigger();
    QCOMPARE(zepa.dialogs.sendOffered.port, QStringLiteral("usb")); // the first time: the USB tower, slot 1
    QCOMPARE(zepa.dialogs.progressTitles, QStringList{QStringLiteral("RCXに送る")});
    QCOMPARE(zepa.dialogs.progressMaximum, 4);
    QCOMPARE(zepa.dialogs.progress.back(), 4);
    QVERIFY(zepa.dialogs.progressLabels.back().startsWith(
        QStringLiteral("RCX のプログラム 3 に送っています… 4 / 4 ブロック")));
    QCOMPARE(window->statusLabel()->text(), QStringLiteral("プログラム 3 に送りました（電池 8.3 V）"));
    const std::optional<std::vector<BrickEvent>> sent = SimulatedBrick::decode(brick.task(3, 1));
    QVERIFY(sent && *sent == brickEvents(window->editor().state().notes()));
    // The choice is kept for the next time.
    zepa.dialogs.sendChoice.reset();
    window->sendAction()->trigger();
    QCOMPARE(zepa.dialogs.sendOffered.port, brick.port());
    QCOMPARE(zepa.dialogs.sendOffered.slot, 3);
    QVERIFY(zepa.dialogs.sendOffered.run);

    // A tower without power: a box that says so, naming the port.
    SimulatedBrick silent({"--no-echo"});
    zepa.dialogs.sendChoice = SendChoice{silent.port(), 1, false};
    zepa.messages.expect();
    window->sendAction()->trigger();
    QCOMPARE(zepa.messages.last().shownTitle(), QStringLiteral("RCXに送れません"));
    QVERIFY(
        zepa.messages.last().text.startsWith(QStringLiteral("赤外線タワー（%1）が答えません。").arg(silent.port())));
    QVERIFY(zepa.messages.allAnswered());
}

QTEST_MAIN(ComposerMenusTest)
#include "tst_composer_menus.moc"
