#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>

#include "common/GuiTestSupport.h"
#include "widgets/ClickableLabel.h"
#include "widgets/WindowPlacement.h"
#include "windows/composer/ComposerWindow.h"
#include "windows/score/ScoreWindow.h"
#include "windows/score/StaffView.h"

namespace {

// Notes of every pitch in turn, as a score full of quarter notes at 120.
std::vector<NoteRecord> fullScore(int count)
{
    std::vector<NoteRecord> notes(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        notes[std::size_t(i)].pitch = i % 12;
        notes[std::size_t(i)].ticks = lengthTicks(NoteLength::Quarter, 120);
    }
    return notes;
}

QList<int> pitchesOf(ComposerWindow *window)
{
    QList<int> pitches;
    for (const NoteRecord &note : window->editor().state().notes())
        pitches << note.pitch;
    return pitches;
}

// A key pressed on the composer window, by its place (an X11 key code) or,
// with code 0, by its Qt key as a platform without places reports it.
void press(ComposerWindow *window, int key, quint32 scanCode, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QKeyEvent event(QEvent::KeyPress, key, modifiers, scanCode, 0, 0);
    QApplication::sendEvent(window, &event);
}

struct KeyCase {
    int key;
    quint32 scanCode;
    Qt::KeyboardModifiers modifiers;
};

} // namespace

Q_DECLARE_METATYPE(KeyCase)

class ScoreWindowTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { QSettings().setValue(QStringLiteral("sound/keySounds"), false); }
    void cleanup() { QSettings().clear(); }
    void editsAnywhereAndTheComposerFollows();
    void undoAndRedoNameWhatTheyDo();
    void aFullScoreFreedByTheScoreWindowTakesNotesAgain();
    void undoAndRedoFromTheScoreWindow();
    void placedWhollyOnTheScreenBesideTheComposer_data();
    void placedWhollyOnTheScreenBesideTheComposer();
    void transposeAndTempoFromTheEditMenu();
    void keysDoWhatTheirControlsDo_data();
    void keysDoWhatTheirControlsDo();
    void theStaffChoosesChangesAndFollowsTheMelody();
    void theListMovesWithAListsKeysAndAltMovesTheOctave();
};

void ScoreWindowTest::editsAnywhereAndTheComposerFollows()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 2, 4, 5, 7});
    window->showScoreAction()->trigger();
    ScoreWindow *score = zepa.app.scoreWindow();
    QVERIFY(score && score->isVisible());
    window->showScoreAction()->trigger();
    QCOMPARE(zepa.app.scoreWindow(), score); // one at a time
    QCOMPARE(score->table()->model()->rowCount(), 5);
    QCOMPARE(score->table()->model()->index(2, 1).data().toString(), QStringLiteral("ミ"));
    QCOMPARE(score->table()->model()->index(2, 5).data().toString(), QStringLiteral("1.00"));

    // Replace the third note with the one being composed.
    score->select(2, 1);
    click(window->pitchKey(11));
    score->replaceAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{0, 2, 11, 5, 7}));
    // Insert before it, delete two, move one up: the history follows each edit.
    click(window->pitchKey(9));
    score->insertAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{0, 2, 9, 11, 5, 7}));
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドレラシファソ"));
    score->select(0, 2);
    score->deleteAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{9, 11, 5, 7}));
    QCOMPARE(score->selection(), (std::pair<int, int>{0, 2})); // the selection stays
    score->select(3, 1);
    score->upAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{9, 11, 7, 5}));
    QCOMPARE(score->selection(), (std::pair<int, int>{2, 1}));
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ラシソファ"));

    // A confirm in the composer shows in the score window at once.
    confirmPitches(window, {0});
    QCOMPARE(score->table()->model()->rowCount(), 5);
    QCOMPARE(score->selection(), (std::pair<int, int>{2, 1}));

    // Play from here plays the notes from the selection on.
    score->playFromHereAction()->trigger();
    const std::span<const NoteRecord> notes = window->editor().state().notes();
    QVERIFY(zepa.melodyOutput()->played.back() == brickEvents(notes.subspan(2)));

    // Enter takes the selected note into the composer.
    QTest::keyClick(score->table(), Qt::Key_Return);
    QCOMPARE(labelText(window, "Label40"), QStringLiteral("ソ（中音）－音間普通－四分音符"));
    QVERIFY(window->editor().state().currentNote.isChosen());
}

void ScoreWindowTest::undoAndRedoNameWhatTheyDo()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    QVERIFY(!window->undoAction()->isEnabled());
    QCOMPARE(window->undoAction()->text(), QStringLiteral("元に戻す(&U)"));
    confirmPitches(window, {0, 4});
    QCOMPARE(window->undoAction()->text(), QStringLiteral("元に戻す(&U): 入力確定"));
    QCOMPARE(window->undoAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(window->redoAction()->shortcuts(),
             (QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)}));
    click(window->octaveOption(Octave::High));
    window->undoAction()->trigger();
    QCOMPARE(pitchesOf(window), QList<int>{0});
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ド"));
    QVERIFY(window->octaveOption(Octave::High)->isChecked()); // the user's choice stays
    QCOMPARE(window->redoAction()->text(), QStringLiteral("やり直し(&R): 入力確定"));
    click(window->clearButton());
    QCOMPARE(window->undoAction()->text(), QStringLiteral("元に戻す(&U): クリア"));
    window->undoAction()->trigger();
    window->redoAction()->trigger();
    QVERIFY(pitchesOf(window).isEmpty());
}

void ScoreWindowTest::aFullScoreFreedByTheScoreWindowTakesNotesAgain()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    // Filled at once, as opening a file fills it.
    window->document().open(Melody{120, fullScore(ComposerState::ScoreCapacity - 1)}, QString(), false);
    click(window->pitchKey(0));
    zepa.messages.expect();
    click(window->confirmButton());
    QVERIFY(!window->confirmButton()->isEnabled());
    window->showScoreAction()->trigger();
    ScoreWindow *score = zepa.app.scoreWindow();
    QCOMPARE(score->table()->model()->rowCount(), ComposerState::ScoreCapacity);
    score->select(ComposerState::LastScoreIndex, 1);
    score->deleteAction()->trigger();
    QVERIFY(window->confirmButton()->isEnabled());
    QCOMPARE(score->table()->model()->rowCount(), ComposerState::ScoreCapacity - 1);
    // Inserting into a full score is refused.
    window->undoAction()->trigger();
    click(window->pitchKey(4));
    zepa.messages.expect();
    score->insertAction()->trigger();
    QCOMPARE(zepa.messages.last().text, QStringLiteral("楽譜がいっぱいのため、挿入できません。"));
}

void ScoreWindowTest::undoAndRedoFromTheScoreWindow()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 2, 4});
    window->showScoreAction()->trigger();
    ScoreWindow *score = zepa.app.scoreWindow();
    score->select(1, 1);
    score->deleteAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{0, 4}));
    // The same history, with the same names and keys, as in the composer.
    QCOMPARE(score->undoAction()->text(), QStringLiteral("元に戻す(&U): 削除"));
    QCOMPARE(score->undoAction()->text(), window->undoAction()->text());
    QCOMPARE(score->undoAction()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Z));
    QCOMPARE(score->redoAction()->shortcuts(), window->redoAction()->shortcuts());
    score->undoAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{0, 2, 4}));
    QCOMPARE(score->table()->model()->rowCount(), 3);
    QCOMPARE(score->redoAction()->text(), QStringLiteral("やり直し(&R): 削除"));
    score->undoAction()->trigger();
    QCOMPARE(score->undoAction()->text(), QStringLiteral("元に戻す(&U): 入力確定"));
    score->redoAction()->trigger();
    score->redoAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{0, 4}));
    QCOMPARE(labelText(window, "Label16"), QStringLiteral("ドミ"));
    QVERIFY(!score->redoAction()->isEnabled());
}

void ScoreWindowTest::placedWhollyOnTheScreenBesideTheComposer_data()
{
    QTest::addColumn<QRect>("composer"); // with its frame
    QTest::addColumn<QRect>("screen"); // where windows may go
    QTest::addColumn<QRect>("placed");
    QTest::addColumn<QPoint>("composerAt");
    // A score window of 620 x 480 inside frames of 4 pixels at the sides and a title bar of 24.
    QTest::newRow("room on the right") << QRect(0, 0, 346, 500) << QRect(0, 0, 1920, 1080) << QRect(354, 0, 628, 508)
                                       << QPoint(0, 0);
    // No room on either side: the composer goes to the left edge, the score beside it.
    QTest::newRow("a window manager centred it on 1024 x 768")
        << QRect(339, 120, 346, 500) << QRect(0, 0, 1024, 768) << QRect(354, 120, 628, 508) << QPoint(0, 120);
    QTest::newRow("1024 x 768, composer at the left edge")
        << QRect(0, 100, 346, 500) << QRect(0, 0, 1024, 768) << QRect(354, 100, 628, 508) << QPoint(0, 100);
    QTest::newRow("1024 x 768, composer at the right edge")
        << QRect(678, 100, 346, 500) << QRect(0, 0, 1024, 768) << QRect(42, 100, 628, 508) << QPoint(678, 100);
    QTest::newRow("a panel at the top, composer low")
        << QRect(0, 400, 346, 500) << QRect(0, 28, 1024, 740) << QRect(354, 260, 628, 508) << QPoint(0, 400);
    QTest::newRow("a panel at the left, composer centred")
        << QRect(400, 100, 346, 500) << QRect(64, 0, 1024, 768) << QRect(418, 100, 628, 508) << QPoint(64, 100);
    QTest::newRow("a screen too narrow for both: the wider room")
        << QRect(0, 0, 346, 500) << QRect(0, 0, 800, 480) << QRect(354, 0, 446, 480) << QPoint(0, 0);
}

// The score window and the whole composer in sight together (its keys and
// 「入力確定」 among them), wherever the composer was.
void ScoreWindowTest::placedWhollyOnTheScreenBesideTheComposer()
{
    QFETCH(QRect, composer);
    QFETCH(QRect, screen);
    QFETCH(QRect, placed);
    QFETCH(QPoint, composerAt);
    const Placement got = placeBeside(composer, QSize(620, 480), QMargins(4, 24, 4, 4), screen);
    const QRect &window = got.window;
    QVERIFY2(
        screen.contains(window),
        qPrintable(
            QStringLiteral("%1,%2 %3x%4").arg(window.x()).arg(window.y()).arg(window.width()).arg(window.height())));
    QCOMPARE(window, placed);
    QCOMPARE(got.anchor, composerAt);
    QVERIFY(!window.intersects(QRect(got.anchor, composer.size())));
}

void ScoreWindowTest::transposeAndTempoFromTheEditMenu()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    confirmPitches(window, {0, 11});
    zepa.dialogs.typed = QStringLiteral("＋２");
    window->transposeAction()->trigger();
    QCOMPARE(pitchesOf(window), (QList<int>{2, 1}));
    QCOMPARE(window->editor().state().notes()[1].octave, Octave::High);
    zepa.dialogs.typed = QStringLiteral("９３");
    window->changeTempoAction()->trigger();
    QCOMPARE(window->editor().tempo(), 93);
    QCOMPARE(window->editor().state().notes()[0].ticks, lengthTicks(NoteLength::Quarter, 93));
    zepa.dialogs.typed = QStringLiteral("300");
    zepa.messages.expect();
    window->changeTempoAction()->trigger();
    QCOMPARE(zepa.messages.last().text, QStringLiteral("テンポは６０から２４０の間に設定してください。"));
    zepa.dialogs.typed.reset(); // cancelled
    window->transposeAction()->trigger();
    QCOMPARE(window->editor().tempo(), 93);
}

void ScoreWindowTest::keysDoWhatTheirControlsDo_data()
{
    QTest::addColumn<KeyCase>("press");
    QTest::addColumn<QString>("control"); // the control whose click is the same
    // By place (X11 key codes) and by the keys a US layout reports without places.
    QTest::newRow("Z: ド") << KeyCase{Qt::Key_Z, 52, {}} << "Label1";
    QTest::newRow("Y on a German layout is the Z place") << KeyCase{Qt::Key_Y, 52, {}} << "Label1";
    QTest::newRow("S: ド＃") << KeyCase{Qt::Key_S, 0, {}} << "Label2";
    QTest::newRow("M: シ") << KeyCase{Qt::Key_M, 58, {}} << "Label12";
    QTest::newRow("1: 4/4") << KeyCase{Qt::Key_1, 10, {}} << "Command101";
    QTest::newRow("6: 1/32") << KeyCase{Qt::Key_6, 0, {}} << "Command106";
    QTest::newRow("Shift+1: 3/4") << KeyCase{Qt::Key_Exclam, 10, Qt::ShiftModifier} << "Command111";
    QTest::newRow("Shift+4: 3/32, US without place") << KeyCase{Qt::Key_Dollar, 0, Qt::ShiftModifier} << "Command114";
    QTest::newRow("9: triplet sixteenth") << KeyCase{Qt::Key_9, 18, {}} << "Command123";
    QTest::newRow("/: slur or tie") << KeyCase{Qt::Key_Slash, 61, {}} << "Option3";
    QTest::newRow(".: staccato") << KeyCase{Qt::Key_Period, 0, {}} << "Option2";
    QTest::newRow("0: rest") << KeyCase{Qt::Key_0, 19, {}} << "Command3";
    QTest::newRow("Page Up: octave up") << KeyCase{Qt::Key_PageUp, 112, {}} << "Option6";
    QTest::newRow("Page Down: octave down") << KeyCase{Qt::Key_PageDown, 117, {}} << "Option4";
    QTest::newRow("Return: confirm") << KeyCase{Qt::Key_Return, 36, {}} << "Command2";
    QTest::newRow("BackSpace: clear") << KeyCase{Qt::Key_Backspace, 22, {}} << "Command4";
}

void ScoreWindowTest::keysDoWhatTheirControlsDo()
{
    QFETCH(KeyCase, press);
    QFETCH(QString, control);
    // The same start in two windows: a note chosen and one confirmed.
    auto prepare = [](ComposerWindow *window) {
        confirmPitches(window, {4});
        click(window->pitchKey(7));
    };
    ZepaUnderTest byClick;
    ComposerWindow *clicked = openComposer(byClick);
    prepare(clicked);
    click(clicked, control);
    ZepaUnderTest byKey;
    ComposerWindow *keyed = openComposer(byKey);
    prepare(keyed);
    ::press(keyed, press.key, press.scanCode, press.modifiers);

    const ComposerState &expected = clicked->editor().state();
    const ComposerState &actual = keyed->editor().state();
    QVERIFY(actual.currentNote == expected.currentNote);
    QVERIFY(std::equal(actual.notes().begin(), actual.notes().end(), expected.notes().begin(), expected.notes().end()));
    QCOMPARE(labelText(keyed, "Label40"), labelText(clicked, "Label40"));
    QCOMPARE(labelText(keyed, "Label16"), labelText(clicked, "Label16"));
    QCOMPARE(keyed->editor().selectedOctave(), clicked->editor().selectedOctave());
    QCOMPARE(keyed->editor().selectedArticulation(), clicked->editor().selectedArticulation());
}

void ScoreWindowTest::theStaffChoosesChangesAndFollowsTheMelody()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    window->document().open(Melody{120, fullScore(400)}, QString(), false);
    window->showScoreAction()->trigger();
    ScoreWindow *score = zepa.app.scoreWindow();
    StaffView *staff = score->staff();
    QVERIFY(QTest::qWaitForWindowExposed(score));
    QVERIFY(staff->isVisible() && score->table()->isVisible());

    // A click chooses a note, Shift+click a range, ←/→ move: one selection with the table's.
    QTest::mouseClick(staff->viewport(), Qt::LeftButton, {}, staff->noteRect(5).center().toPoint());
    QCOMPARE(score->selection(), std::make_pair(5, 1));
    QTest::mouseClick(staff->viewport(), Qt::LeftButton, Qt::ShiftModifier, staff->noteRect(8).center().toPoint());
    QCOMPARE(score->selection(), std::make_pair(5, 4));
    QCOMPARE(score->table()->selectionModel()->selectedRows().size(), 4);
    staff->setFocus();
    QTest::keyClick(staff, Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(score->selection(), std::make_pair(5, 5));

    // Keys change what is chosen, one step each, undone from the score window.
    QTest::keyClick(staff, Qt::Key_Up);
    QCOMPARE(pitchesOf(window).mid(4, 7), (QList<int>{4, 6, 7, 8, 9, 10, 10}));
    QCOMPARE(score->undoAction()->text(), QStringLiteral("元に戻す(&U): 半音上げる"));
    QTest::keyClick(staff, Qt::Key_4, {}); // a digit gives a length, as in the composer
    QCOMPARE(window->editor().state().notes()[9].length, NoteLength::Eighth);
    QCOMPARE(window->editor().state().notes()[10].length, NoteLength::Quarter);
    score->undoAction()->trigger();
    score->undoAction()->trigger();
    QCOMPARE(pitchesOf(window).mid(4, 7), (QList<int>{4, 5, 6, 7, 8, 9, 10}));

    // The meter is an undoable change that draws bars; the notes stay as they are.
    auto barLines = [staff] { // upright lines across the staff, of no note
        const std::vector<StaffPrimitive> &drawn = staff->wholeLayout().primitives;
        return std::count_if(drawn.begin(), drawn.end(), [](const StaffPrimitive &line) {
            return line.kind == StaffPrimitive::Kind::Line && line.note < 0 && line.x == line.x2
                && std::abs(line.y2 - line.y) == 4.0f;
        });
    };
    QCOMPARE(barLines(), 2); // the final bar line's thin and thick lines only
    score->meterActions().at(2)->trigger(); // 3/4
    QCOMPARE(window->document().meter(), 3);
    QCOMPARE(barLines(), 400 / 3 + 2);
    window->undoAction()->trigger();
    QCOMPARE(window->document().meter(), 0);
    QVERIFY(score->meterActions().at(0)->isChecked());

    // The note sounding is marked on the staff and in the table and kept in sight.
    window->playAllAction()->trigger();
    emit zepa.melodyOutput()->progressed(300 * 50 + 1, 400 * 50);
    QCOMPARE(staff->playing(), 300);
    QVERIFY(staff->viewport()->rect().contains(staff->noteRect(300).toAlignedRect()));
    QVERIFY(score->table()->model()->index(300, 0).data(Qt::BackgroundRole).isValid());
    QVERIFY(!score->table()->model()->index(299, 0).data(Qt::BackgroundRole).isValid());
    zepa.melodyOutput()->finish();
    QCOMPARE(staff->playing(), -1);
    QVERIFY(!score->table()->model()->index(300, 0).data(Qt::BackgroundRole).isValid());

    // Either view may be hidden, never both.
    score->showStaffAction()->trigger();
    QVERIFY(!staff->isVisible());
    score->showTableAction()->trigger();
    QVERIFY(score->table()->isVisible());
    QVERIFY(score->showTableAction()->isChecked());
}

// In a 2,000-note melody the list's keys move about the list and leave the
// notes as they are; the octave moves with Alt+Page Up/Down, says so in the
// status bar, and is one undo step.
void ScoreWindowTest::theListMovesWithAListsKeysAndAltMovesTheOctave()
{
    ZepaUnderTest zepa;
    ComposerWindow *window = openComposer(zepa);
    window->document().open(Melody{120, fullScore(2000)}, QString(), false);
    window->showScoreAction()->trigger();
    ScoreWindow *score = zepa.app.scoreWindow();
    QVERIFY(QTest::qWaitForWindowExposed(score));
    QTableView *table = score->table();
    table->setFocus();
    table->selectRow(1999);
    const std::vector<NoteRecord> before(window->editor().state().notes().begin(),
                                         window->editor().state().notes().end());
    const auto unchanged = [&] {
        const std::span<const NoteRecord> now = window->editor().state().notes();
        return std::equal(now.begin(), now.end(), before.begin(), before.end());
    };
    const auto current = [table] { return table->currentIndex().row(); };

    const int bottom = table->verticalScrollBar()->value();
    QTest::keyClick(table, Qt::Key_PageUp);
    QVERIFY(current() < 1999);
    QVERIFY(table->verticalScrollBar()->value() < bottom);
    QVERIFY(unchanged());
    QTest::keyClick(table, Qt::Key_Home);
    QCOMPARE(current(), 0);
    QCOMPARE(table->verticalScrollBar()->value(), 0);
    QTest::keyClick(table, Qt::Key_PageDown);
    QVERIFY(current() > 5);
    QTest::keyClick(table, Qt::Key_End);
    QCOMPARE(current(), 1999);
    QCOMPARE(table->verticalScrollBar()->value(), table->verticalScrollBar()->maximum());
    QVERIFY(unchanged());
    QCOMPARE(score->selection(), std::make_pair(1999, 1));

    QTest::keyClick(table, Qt::Key_PageUp, Qt::AltModifier);
    QCOMPARE(window->editor().state().notes()[1999].octave, Octave(int(before[1999].octave) + 1));
    QVERIFY(std::equal(before.begin(), before.end() - 1, window->editor().state().notes().begin()));
    QCOMPARE(score->statusBar()->currentMessage(), QStringLiteral("1 音を1オクターブ上げました"));
    score->undoAction()->trigger();
    QVERIFY(unchanged());
    // The other keys that change notes say so as well.
    table->selectRow(1990);
    QTest::keyClick(table, Qt::Key_Up, Qt::AltModifier);
    QCOMPARE(score->statusBar()->currentMessage(), QStringLiteral("1 音を一つ前へ動かしました"));
    QTest::keyClick(table, Qt::Key_Delete);
    QCOMPARE(score->statusBar()->currentMessage(), QStringLiteral("1 音を消しました"));
    QCOMPARE(window->editor().state().noteTotal(), 1999);
    score->undoAction()->trigger();
    score->undoAction()->trigger();
    QVERIFY(unchanged());
}

QTEST_MAIN(ScoreWindowTest)
#include "tst_score_window.moc"
