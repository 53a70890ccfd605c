#include <cerrno>
#include <cstring>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include "base/SystemReasons.h"
#include "common/FaultyFileSystem.h"
#include "common/RecordingMessageService.h"
#include "controller/FinishComposing.h"
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

class FinishComposingTest : public QObject {
    Q_OBJECT

private slots:
    void emptyScoreAsksBeforeQuitting_data();
    void emptyScoreAsksBeforeQuitting();
    void writesAfterTheNotice_data();
    void writesAfterTheNotice();
    void failureKeepsTheScoreAndRetryWritesTheSameText();
    void noFreeNameIsReported();
    void folderRemovedAndMadeAgain();
    void reasonsInJapanese_data();
    void reasonsInJapanese();
};

void FinishComposingTest::emptyScoreAsksBeforeQuitting_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<FinishResult>("result");
    QTest::newRow("OK quits") << MessageAnswer::Ok << FinishResult::EndProgram;
    QTest::newRow("Cancel goes back") << MessageAnswer::Cancel << FinishResult::ReturnToComposer;
}

void FinishComposingTest::emptyScoreAsksBeforeQuitting()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(FinishResult, result);

    QTemporaryDir directory;
    PosixFileSystem files(directory.path());
    RecordingMessageService messages;
    ScoreEditor editor(120);
    messages.expect(answer);
    QCOMPARE(finishComposing(editor.state(), messages, files), result);

    QCOMPARE(messages.shown().size(), std::size_t(1));
    QCOMPARE(messages.last().text, QStringLiteral("何も作成せずに終了します"));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("終了"));
    QCOMPARE(messages.last().flags(), 0x10141u);
    QVERIFY(QDir(directory.path()).isEmpty());
}

void FinishComposingTest::writesAfterTheNotice_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::newRow("closed with OK") << MessageAnswer::Ok;
    QTest::newRow("closed otherwise") << MessageAnswer::Cancel;
}

void FinishComposingTest::writesAfterTheNotice()
{
    QFETCH(MessageAnswer, answer);

    QTemporaryDir directory;
    PosixFileSystem files(directory.path());
    RecordingMessageService messages;
    ScoreEditor editor(120);
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

void FinishComposingTest::failureKeepsTheScoreAndRetryWritesTheSameText()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.writeFailsAfter = 100;
    RecordingMessageService messages;
    ScoreEditor editor(120);
    composeTwoNotes(editor);
    editor.choosePitch(4);
    const ComposerState before = editor.state();

    messages.expect();
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::ReturnToComposer);
    QCOMPARE(messages.shown().size(), std::size_t(2));
    const Message &error = messages.last();
    QCOMPARE(error.text,
             QStringLiteral("ファイル「music0.nqc」を書き込めませんでした。\nフォルダ：%1\nNo space left on device")
                 .arg(QDir(directory.path()).absolutePath()));
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

void FinishComposingTest::noFreeNameIsReported()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.everyNameExists = true;
    RecordingMessageService messages;
    ScoreEditor editor(120);
    composeTwoNotes(editor);

    messages.expect();
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::ReturnToComposer);
    QCOMPARE(messages.last().text, QStringLiteral("保存できるファイル名がありません。"));
    QCOMPARE(messages.last().shownTitle(), QStringLiteral("書き込みエラー"));
    QCOMPARE(messages.last().flags(), 0x10030u);
}

void FinishComposingTest::folderRemovedAndMadeAgain()
{
    QTemporaryDir parent;
    const QString folder = parent.filePath(QStringLiteral("曲"));
    QVERIFY(QDir().mkdir(folder));
    PosixFileSystem files(folder);
    QVERIFY(QDir(folder).removeRecursively());
    RecordingMessageService messages;
    ScoreEditor editor(120);
    composeTwoNotes(editor);

    // The box names the folder that is gone; nothing else changes.
    messages.expect();
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::ReturnToComposer);
    QCOMPARE(messages.last().text,
             QStringLiteral("フォルダ「%1」がありません。\nファイルまたはフォルダがありません。").arg(folder));
    QCOMPARE(messages.last().flags(), 0x10030u);
    QVERIFY(!QFileInfo::exists(folder));

    // Made again under the same path, the folder is written to.
    QVERIFY(QDir().mkdir(folder));
    messages.expect();
    QCOMPARE(finishComposing(editor.state(), messages, files), FinishResult::EndProgram);
    QVERIFY(QFile::exists(folder + QStringLiteral("/music0.nqc")));
}

void FinishComposingTest::reasonsInJapanese_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("reason");
    QTest::newRow("permission denied") << EACCES << "書き込む権限がありません。";
    QTest::newRow("not permitted") << EPERM << "書き込む権限がありません。";
    QTest::newRow("read-only") << EROFS << "読み取り専用のディスクです。";
    QTest::newRow("no space") << ENOSPC << "ディスクの空き容量が足りません。";
    QTest::newRow("quota") << EDQUOT << "ディスクの使用量の上限（クォータ）を超えました。";
    QTest::newRow("too large") << EFBIG << "ファイルが大きすぎます。";
    QTest::newRow("no such entry") << ENOENT << "ファイルまたはフォルダがありません。";
    QTest::newRow("input/output") << EIO << "ディスクの読み書きでエラーが起きました。";
    QTest::newRow("too many open, process") << EMFILE << "開いているファイルが多すぎます。";
    QTest::newRow("too many open, system") << ENFILE << "開いているファイルが多すぎます。";
    QTest::newRow("name too long") << ENAMETOOLONG << "ファイルの名前または場所が長すぎます。";
    QTest::newRow("unknown: the system's text") << EXDEV << QString::fromLocal8Bit(std::strerror(EXDEV));
}

void FinishComposingTest::reasonsInJapanese()
{
    QFETCH(int, error);
    QFETCH(QString, reason);
    QCOMPARE(systemReasonText(error), reason);
    QVERIFY(!reason.isEmpty());
}

QTEST_GUILESS_MAIN(FinishComposingTest)
#include "tst_finish_composing.moc"
