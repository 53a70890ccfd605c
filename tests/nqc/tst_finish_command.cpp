#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/FaultyFileSystem.h"
#include "common/RecordingMessageService.h"
#include "nqc/FinishCommand.h"
#include "score/ScoreEditor.h"

Q_DECLARE_METATYPE(FinishResult)

namespace {

const QString Notice = QStringLiteral(
    "書き込みに数分かかる場合がありますが、強制終了は絶対にしないでください。「OK」を押すと書き込みを始めます。");

void composeTwoNotes(ScoreEditor &editor)
{
    editor.choosePitch(0);
    editor.confirm();
    editor.rest();
    editor.confirm();
}

} // namespace

class FinishCommandTest : public QObject {
    Q_OBJECT

private slots:
    void emptyScoreAsksBeforeQuitting_data();
    void emptyScoreAsksBeforeQuitting();
    void writesAfterTheNotice_data();
    void writesAfterTheNotice();
    void failureKeepsTheScoreAndRetryWritesTheSameText();
    void noFreeNameIsReported();
};

void FinishCommandTest::emptyScoreAsksBeforeQuitting_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<FinishResult>("result");
    QTest::newRow("OK quits") << MessageAnswer::Ok << FinishResult::EndProgram;
    QTest::newRow("Cancel goes back") << MessageAnswer::Cancel << FinishResult::ReturnToComposer;
}

void FinishCommandTest::emptyScoreAsksBeforeQuitting()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(FinishResult, result);

    QTemporaryDir directory;
    PosixFileSystem files(directory.path());
    RecordingMessageService messages;
    ScoreEditor editor(120, messages);
    messages.expect(answer);
    QCOMPARE(finishComposing(editor.state(), messages, files), result);

    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.last().text, QStringLiteral("何も作成せずに終了します"));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("終了"));
    QCOMPARE(messages.last().flags(), 0x10141u);
    QVERIFY(QDir(directory.path()).isEmpty());
}

void FinishCommandTest::writesAfterTheNotice_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("closed with OK") << MessageAnswer::Ok;
    QTest::newRow("closed otherwise") << MessageAnswer::Cancel;
}

void FinishCommandTest::writesAfterTheNotice()
{
    QFETCH(MessageAnswer, answer);

    QTemporaryDir directory;
    PosixFileSystem files(directory.path());
    RecordingMessageService messages;
    ScoreEditor editor(120, messages);
    composeTwoNotes(editor);
    messages.expect(answer);
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::EndProgram);

    QCOMPARE(messages.last().text, Notice);
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("注意"));
    QCOMPARE(messages.last().flags(), 0x10040u);
    QFile written(directory.filePath(QStringLiteral("music0.nqc")));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QVERIFY(written.readAll().endsWith("     PlayTone(C,40);\r\n     Wait(50);\r\n     Wait(50);\r\n}\r\n"));
}

void FinishCommandTest::failureKeepsTheScoreAndRetryWritesTheSameText()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.writeFailsAfter = 100;
    RecordingMessageService messages;
    ScoreEditor editor(120, messages);
    composeTwoNotes(editor);
    editor.choosePitch(4);
    const ComposerState before = editor.state();

    messages.expect();
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::ReturnToComposer);
    QCOMPARE(messages.shown().size(), std::size_t(2));
    const Message &error = messages.last();
    QCOMPARE(error.text, QStringLiteral("ファイル「music0.nqc」を書き込めませんでした。\nNo space left on device"));
    QCOMPARE(error.shownTitle(), QStringLiteral("書き込みエラー"));
    QCOMPARE(error.flags(), 0x10030u);
    QVERIFY(QDir(directory.path()).isEmpty());
    QCOMPARE(editor.state().noteCount, before.noteCount);
    QCOMPARE(editor.state().currentNote.isChosen(), before.currentNote.isChosen());
    QCOMPARE(editor.state().currentNote, before.currentNote);
    QVERIFY(editor.state().score == before.score);

    // Once the cause is gone, finishing again writes the file.
    files.writeFailsAfter = -1;
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::EndProgram);
    QVERIFY(QFile::exists(directory.filePath(QStringLiteral("music0.nqc"))));
}

void FinishCommandTest::noFreeNameIsReported()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.everyNameExists = true;
    RecordingMessageService messages;
    ScoreEditor editor(120, messages);
    composeTwoNotes(editor);

    messages.expect();
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::ReturnToComposer);
    QCOMPARE(messages.last().text, QStringLiteral("保存できるファイル名がありません。"));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("書き込みエラー"));
    QCOMPARE(messages.last().flags(), 0x10030u);
}

QTEST_GUILESS_MAIN(FinishCommandTest)
#include "tst_finish_command.moc"
