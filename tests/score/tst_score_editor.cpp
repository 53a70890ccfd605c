#include <QTest>

#include "common/RecordingMessageService.h"
#include "controller/ComposerCaptions.h"
#include "controller/EditMessages.h"
#include "score/ScoreEditor.h"

namespace {

const QString Initial = QStringLiteral("音未選択（中音）－音間普通－四分音符");

// Confirms the pitches given by their index in the pitch table.
void confirmPitches(ScoreEditor &editor, std::initializer_list<int> pitches)
{
    for (int pitch : pitches) {
        editor.choosePitch(pitch);
        editor.confirm();
    }
}

} // namespace

class ScoreEditorTest : public QObject {
    Q_OBJECT

private slots:
    void opensWithTheInitialNote_data();
    void opensWithTheInitialNote();
    void everyLengthFitsTheWriterAtEveryTempo();
    void selectionsComposeTheDescription();
    void refusesAndChangesNothing_data();
    void refusesAndChangesNothing();
    void everyOutcomeIsToldAsTheComposerTellsIt();
    void confirmKeepsOctaveArticulationAndLength();
    void historyShowsTheLastTenNames();
    void restIsStoredAndShownAsRest();
    void clearingTheOnlyNoteRestoresTheInitialNote();
    void clearingOneOfThreeNotes();
    void repeatCopiesTheLastNote();
    void fullScoreStopsConfirming();
    void clearOnFullScoreRemovesTheLastNote();
    void repeatOnFullScoreCopiesTheRealLastNote();
};

void ScoreEditorTest::opensWithTheInitialNote_data()
{
    QTest::addColumn<int>("tempo");
    QTest::addColumn<int>("length");
    QTest::newRow("60") << 60 << 100;
    QTest::newRow("70") << 70 << 86;
    QTest::newRow("80") << 80 << 75;
    QTest::newRow("96, 62.5 to even") << 96 << 62;
    QTest::newRow("160, 37.5 to even") << 160 << 38;
    QTest::newRow("240") << 240 << 25;
}

void ScoreEditorTest::opensWithTheInitialNote()
{
    QFETCH(int, tempo);
    QFETCH(int, length);
    RecordingMessageService messages;
    const ScoreEditor editor{qint16(tempo)};
    const ComposerState &state = editor.state();

    QCOMPARE(int(state.currentNote.ticks), length);
    QCOMPARE(describe(state.currentNote), Initial);
    QCOMPARE(descriptionCaption(editor), Initial);
    QCOMPARE(historyCaption(editor.state().notes()), QString());
    QCOMPARE(state.currentNote.octave, Octave::Middle);
    QCOMPARE(state.currentNote.articulation, Articulation::Normal);
    QCOMPARE(state.noteCount, qint16(0));
    QVERIFY(!state.currentNote.isChosen());
    QVERIFY(!state.scoreFull);
    QCOMPARE(state.score.size(), std::size_t(32767));
    QCOMPARE(editor.selectedOctave(), Octave::Middle);
    QCOMPARE(editor.selectedArticulation(), Articulation::Normal);
}

void ScoreEditorTest::everyLengthFitsTheWriterAtEveryTempo()
{
    // The writer relies on lengths of 3 to 400 ticks.
    int shortest = 1000;
    int longest = 0;
    for (int tempo = 60; tempo <= 240; ++tempo) {
        for (const NoteLengthEntry &entry : noteLengthTable()) {
            const int ticks = lengthTicks(entry.length, qint16(tempo));
            shortest = std::min(shortest, ticks);
            longest = std::max(longest, ticks);
        }
    }
    QCOMPARE(shortest, 3);
    QCOMPARE(longest, 400);
}

void ScoreEditorTest::selectionsComposeTheDescription()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);

    editor.chooseOctave(Octave::High);
    QCOMPARE(descriptionCaption(editor), QStringLiteral("音未選択（高音）－音間普通－四分音符"));
    QVERIFY(!editor.state().currentNote.isChosen());

    editor.chooseLength(NoteLength::Eighth);
    editor.rest();
    QCOMPARE(descriptionCaption(editor), QStringLiteral("休（高音）－音間普通－八分音符"));
    editor.chooseLength(NoteLength::Whole);
    QVERIFY(editor.state().currentNote.isRest());
    QCOMPARE(descriptionCaption(editor), QStringLiteral("休（高音）－音間普通－全音符"));

    editor.choosePitch(10);
    QVERIFY(!editor.state().currentNote.isRest());
    QCOMPARE(editor.state().currentNote.pitch, 10);
    editor.chooseArticulation(Articulation::Staccato);
    QCOMPARE(descriptionCaption(editor), QStringLiteral("ラ＃（高音）－スタッカート－全音符"));
    QCOMPARE(describe(editor.state().currentNote), descriptionCaption(editor));
    QCOMPARE(editor.selectedOctave(), Octave::High);
    QCOMPARE(editor.selectedArticulation(), Articulation::Staccato);
    QVERIFY(messages.shown().empty());
}

using EditorCommand = EditResult (ScoreEditor::*)();
Q_DECLARE_METATYPE(EditorCommand)

void ScoreEditorTest::refusesAndChangesNothing_data()
{
    QTest::addColumn<EditorCommand>("command");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("title");
    QTest::newRow("confirm with nothing chosen") << &ScoreEditor::confirm << "音が入力されていません"
                                                 << "注意";
    QTest::newRow("clear with an empty score") << &ScoreEditor::clearPrevious << "クリアする音がありません"
                                               << "クリア不可";
    QTest::newRow("repeat with an empty score") << &ScoreEditor::repeatPrevious << "前の音はありません"
                                                << "前音なし";
}

void ScoreEditorTest::refusesAndChangesNothing()
{
    QFETCH(EditorCommand, command);
    QFETCH(QString, text);
    QFETCH(QString, title);

    RecordingMessageService messages;
    ScoreEditor editor(120);
    editor.chooseLength(NoteLength::Eighth); // a length alone is no note
    const ComposerState before = editor.state();
    const QString description = descriptionCaption(editor);

    messages.expect();
    tellEdit(messages, (editor.*command)());
    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.last().text, text);
    QCOMPARE(messages.last().shownTitle(), title);
    QCOMPARE(messages.last().flags(), 0x10030u);
    QCOMPARE(editor.state().noteCount, before.noteCount);
    QCOMPARE(editor.state().currentNote.isChosen(), before.currentNote.isChosen());
    QCOMPARE(editor.state().currentNote, before.currentNote);
    QCOMPARE(descriptionCaption(editor), description);
    QCOMPARE(historyCaption(editor.state().notes()), QString());
}

void ScoreEditorTest::everyOutcomeIsToldAsTheComposerTellsIt()
{
    using Status = EditResult::Status;
    struct Row {
        EditResult result;
        QString text; // empty: no box
        QString title;
        unsigned flags;
    } rows[] = {
        {{Status::Done}, {}, {}, 0},
        {{Status::Unchanged}, {}, {}, 0},
        {{Status::DoneScoreNowFull},
         "これ以上は作成できなくなりますので、終了処理をしてください。",
         "整数の限界",
         0x10040u},
        {{Status::ScoreFull}, "楽譜がいっぱいのため、挿入できません。", "整数の限界", 0x10030u},
        // The first note is counted from one, as the list numbers them.
        {EditResult::refused(Status::LeavesRange, 2, 1),
         "移調すると、最低音から最高音の外に出る音が2個あります（最初は2番目の音）。", "移調できません", 0x10030u},
    };
    for (const Row &row : rows) {
        RecordingMessageService messages;
        if (!row.text.isEmpty())
            messages.expect();
        QCOMPARE(tellEdit(messages, row.result), row.result.done());
        QCOMPARE(messages.shown().size(), std::size_t(row.text.isEmpty() ? 0 : 1));
        if (row.text.isEmpty())
            continue;
        QCOMPARE(messages.last().text, row.text);
        QCOMPARE(messages.last().shownTitle(), row.title);
        QCOMPARE(messages.last().flags(), row.flags);
    }
}

void ScoreEditorTest::confirmKeepsOctaveArticulationAndLength()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    editor.chooseOctave(Octave::Low);
    editor.chooseArticulation(Articulation::SlurOrTie);
    editor.chooseLength(NoteLength::DottedQuarter);
    editor.choosePitch(0);
    const NoteRecord chosen = editor.state().currentNote;
    tellEdit(messages, editor.confirm());

    const ComposerState &state = editor.state();
    QCOMPARE(state.noteCount, qint16(1));
    QCOMPARE(state.score[0], chosen);
    QCOMPARE(historyCaption(editor.state().notes()), QStringLiteral("ド"));
    QCOMPARE(descriptionCaption(editor), QStringLiteral("入力成功"));
    QVERIFY(!state.currentNote.isChosen());
    QCOMPARE(pitchText(state.currentNote), QStringLiteral("音未選択"));
    QCOMPARE(state.currentNote.octave, Octave::Low);
    QCOMPARE(state.currentNote.articulation, Articulation::SlurOrTie);
    QCOMPARE(state.currentNote.length, NoteLength::DottedQuarter);
    QCOMPARE(state.currentNote.ticks, qint16(75));

    messages.expect();
    tellEdit(messages, editor.confirm());
    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(editor.state().noteCount, qint16(1));
}

void ScoreEditorTest::historyShowsTheLastTenNames()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    // ド レ ミ ファ ソ ラ シ ド レ ミ ファ ソ
    confirmPitches(editor, {0, 2, 4, 5, 7, 9, 11, 0, 2, 4, 5, 7});
    QCOMPARE(editor.state().noteCount, qint16(12));
    QCOMPARE(historyCaption(editor.state().notes()), QStringLiteral("ミファソラシドレミファソ"));
}

void ScoreEditorTest::restIsStoredAndShownAsRest()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    confirmPitches(editor, {0});
    editor.rest();
    QCOMPARE(descriptionCaption(editor), QStringLiteral("休（中音）－音間普通－四分音符"));
    tellEdit(messages, editor.confirm());

    const NoteRecord &rest = editor.state().score[1];
    QVERIFY(rest.isRest());
    QCOMPARE(pitchText(rest), QStringLiteral("休"));
    QCOMPARE(historyCaption(editor.state().notes()), QStringLiteral("ド休"));
}

void ScoreEditorTest::clearingTheOnlyNoteRestoresTheInitialNote()
{
    RecordingMessageService messages;
    ScoreEditor editor(80);
    editor.chooseOctave(Octave::Highest);
    editor.chooseArticulation(Articulation::Staccato);
    editor.chooseLength(NoteLength::Whole);
    confirmPitches(editor, {3});
    tellEdit(messages, editor.clearPrevious());

    const ComposerState &state = editor.state();
    QCOMPARE(state.noteCount, qint16(0));
    QCOMPARE(historyCaption(editor.state().notes()), QString());
    QCOMPARE(descriptionCaption(editor), QStringLiteral("クリア成功"));
    QCOMPARE(describe(state.currentNote), Initial);
    QCOMPARE(state.currentNote.ticks, qint16(75));
    QCOMPARE(editor.selectedOctave(), Octave::Middle);
    QCOMPARE(editor.selectedArticulation(), Articulation::Normal);
}

void ScoreEditorTest::clearingOneOfThreeNotes()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    confirmPitches(editor, {0});
    editor.chooseOctave(Octave::Low);
    editor.chooseArticulation(Articulation::SlurOrTie);
    editor.chooseLength(NoteLength::Half);
    confirmPitches(editor, {2});
    editor.chooseOctave(Octave::High);
    confirmPitches(editor, {4});
    tellEdit(messages, editor.clearPrevious());

    const ComposerState &state = editor.state();
    QCOMPARE(state.noteCount, qint16(2));
    QCOMPARE(historyCaption(editor.state().notes()), QStringLiteral("ドレ"));
    QCOMPARE(pitchText(state.currentNote), QStringLiteral("音未選択"));
    QCOMPARE(state.currentNote.octave, Octave::Low);
    QCOMPARE(state.currentNote.articulation, Articulation::SlurOrTie);
    QCOMPARE(state.currentNote.ticks, qint16(100));
    QCOMPARE(editor.selectedOctave(), Octave::Low);
    QCOMPARE(editor.selectedArticulation(), Articulation::SlurOrTie);

    messages.expect();
    tellEdit(messages, editor.confirm());
    QCOMPARE(messages.last().text, QStringLiteral("音が入力されていません"));
    QCOMPARE(editor.state().noteCount, qint16(2));
}

void ScoreEditorTest::repeatCopiesTheLastNote()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    editor.chooseOctave(Octave::High);
    editor.chooseArticulation(Articulation::Staccato);
    confirmPitches(editor, {9});
    editor.chooseOctave(Octave::Lowest);
    editor.chooseArticulation(Articulation::Normal);

    tellEdit(messages, editor.repeatPrevious());
    QCOMPARE(editor.selectedOctave(), Octave::High);
    QCOMPARE(editor.selectedArticulation(), Articulation::Staccato);
    QCOMPARE(descriptionCaption(editor), QStringLiteral("ラ（高音）－スタッカート－四分音符"));
    tellEdit(messages, editor.confirm());
    QCOMPARE(editor.state().noteCount, qint16(2));
    QCOMPARE(editor.state().score[1], editor.state().score[0]);
}

namespace {

// Fills the score to its last entry; the last confirm shows the limit notice.
void fillScore(ScoreEditor &editor, RecordingMessageService &messages)
{
    for (int i = 0; i < ComposerState::ScoreCapacity - 1; ++i) {
        editor.choosePitch(i % 12);
        tellEdit(messages, editor.confirm());
    }
    editor.choosePitch(11);
    messages.expect();
    tellEdit(messages, editor.confirm());
}

} // namespace

void ScoreEditorTest::fullScoreStopsConfirming()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    fillScore(editor, messages);

    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.last().text, QStringLiteral("これ以上は作成できなくなりますので、終了処理をしてください。"));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("整数の限界"));
    QCOMPARE(messages.last().flags(), 0x10040u);
    const ComposerState &state = editor.state();
    QCOMPARE(state.noteCount, qint16(32766));
    QVERIFY(state.scoreFull);
    QCOMPARE(state.noteTotal(), 32767);
    QCOMPARE(pitchText(state.score[32766]), QStringLiteral("シ"));
    QVERIFY(!editor.confirmEnabled());

    // Selections still work; confirming stays off.
    editor.rest();
    tellEdit(messages, editor.confirm());
    QCOMPARE(pitchText(state.score[32766]), QStringLiteral("シ"));
    QCOMPARE(messages.shown().size(), std::size_t(1));
}

void ScoreEditorTest::clearOnFullScoreRemovesTheLastNote()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    editor.chooseOctave(Octave::Highest);
    fillScore(editor, messages);
    tellEdit(messages, editor.clearPrevious());

    const ComposerState &state = editor.state();
    QVERIFY(!state.scoreFull);
    QCOMPARE(state.noteCount, qint16(32766));
    QCOMPARE(state.noteTotal(), 32766);
    QVERIFY(editor.confirmEnabled());
    QCOMPARE(descriptionCaption(editor), QStringLiteral("クリア成功"));
    // Entries 32756 to 32765: pitches 32756 % 12 = 8 (ソ＃) onwards.
    QCOMPARE(historyCaption(editor.state().notes()), QStringLiteral("ソ＃ララ＃シドド＃レレ＃ミファ"));
    QCOMPARE(pitchText(state.currentNote), QStringLiteral("音未選択"));
    QCOMPARE(state.currentNote.octave, Octave::Highest);
    QCOMPARE(editor.selectedOctave(), Octave::Highest);

    // Confirming a new note fills entry 32766 again and the score is full.
    editor.choosePitch(0);
    messages.expect();
    tellEdit(messages, editor.confirm());
    QCOMPARE(pitchText(state.score[32766]), QStringLiteral("ド"));
    QVERIFY(state.scoreFull);
}

void ScoreEditorTest::repeatOnFullScoreCopiesTheRealLastNote()
{
    RecordingMessageService messages;
    ScoreEditor editor(120);
    fillScore(editor, messages);
    tellEdit(messages, editor.repeatPrevious());
    QCOMPARE(editor.state().currentNote, editor.state().score[32766]);
    QCOMPARE(descriptionCaption(editor), QStringLiteral("シ（中音）－音間普通－四分音符"));
    QVERIFY(!editor.confirmEnabled());
}

QTEST_GUILESS_MAIN(ScoreEditorTest)
#include "tst_score_editor.moc"
