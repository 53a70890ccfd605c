#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "journal/RecoveryJournal.h"

namespace {

std::vector<NoteRecord> notesAt(int tempo, int count)
{
    std::vector<NoteRecord> notes;
    for (int i = 0; i < count; ++i) {
        NoteRecord note;
        note.pitch = i % 9 == 8 ? NoteRecord::Rest : i % PitchCount;
        note.octave = AllOctaves[std::size_t(i % 5)];
        note.articulation = AllArticulations[std::size_t(i % 3)];
        note.length = NoteLength(i % NoteLengthCount);
        note.ticks = lengthTicks(note.length, tempo);
        notes.push_back(note);
    }
    return notes;
}

void writeText(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text);
}

} // namespace

class RecoveryJournalTest : public QObject {
    Q_OBJECT

private slots:
    void killedAfterNConfirmsLeavesThoseNotes_data();
    void killedAfterNConfirmsLeavesThoseNotes();
    void normalEndAndRunningProgramsLeaveNothingToRecover();
    void journalsAreReadExactlyOrNotAtAll_data();
    void journalsAreReadExactlyOrNotAtAll();
};

void RecoveryJournalTest::killedAfterNConfirmsLeavesThoseNotes_data()
{
    QTest::addColumn<int>("confirms");
    QTest::addColumn<int>("tempo");
    QTest::newRow("none") << 0 << 60;
    QTest::newRow("one") << 1 << 93;
    QTest::newRow("many") << 500 << 240;
}

void RecoveryJournalTest::killedAfterNConfirmsLeavesThoseNotes()
{
    QFETCH(int, confirms);
    QFETCH(int, tempo);
    QTemporaryDir folder;
    const std::vector<NoteRecord> notes = notesAt(tempo, confirms);
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        RecoveryJournal journal(folder.path());
        journal.start(JournalDocument{tempo, 3, QStringLiteral("/home/a/ふるさと 2.mml"), QString(), true, {}});
        for (const NoteRecord &note : notes) {
            journal.append(note);
            journal.append(notes.front()); // entered by mistake,
            journal.removeLast(); // and cleared again
        }
        ::raise(SIGKILL);
    }
    // Ended but not yet reaped, as a killed program lingers as a zombie: its
    // process id still answers, its lock is free.
    siginfo_t ended{};
    QCOMPARE(::waitid(P_PID, id_t(child), &ended, WEXITED | WNOWAIT), 0);
    QCOMPARE(::kill(child, 0), 0);
    const std::optional<RecoveryJournal::Recovered> recovered = RecoveryJournal::findAbandoned(folder.path());
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QVERIFY(recovered);
    const JournalDocument &document = recovered->document;
    QCOMPARE(document.tempo, tempo);
    QVERIFY(document.notes == notes);
    QCOMPARE(document.meter, 3);
    QCOMPARE(document.melodyFile, QStringLiteral("/home/a/ふるさと 2.mml"));
    QVERIFY(document.unsaved);
    QVERIFY(recovered->written.isValid());
    RecoveryJournal::remove(*recovered);
    QVERIFY(!RecoveryJournal::findAbandoned(folder.path()));
}

void RecoveryJournalTest::normalEndAndRunningProgramsLeaveNothingToRecover()
{
    QTemporaryDir folder;
    RecoveryJournal journal(folder.path());
    journal.start(JournalDocument{120, 0, QString(), QString(), false, notesAt(120, 3)});
    // This program's own journal belongs to a program that runs.
    QVERIFY(!RecoveryJournal::findAbandoned(folder.path()));

    // A confirm costs one append.
    QElapsedTimer timer;
    timer.start();
    for (const NoteRecord &note : notesAt(120, 1000))
        journal.append(note);
    qInfo("1000 confirms recorded in %lld µs", timer.nsecsElapsed() / 1000);

    journal.discard();
    QVERIFY(QDir(folder.path()).isEmpty());

    // A rewrite that a killed program did not finish is cleaned away; a
    // journal whose program ended is offered whatever its process id.
    writeText(folder.filePath(QStringLiteral("journal-1.txt.new")), "ZEPA journal 2\nT9");
    writeText(folder.filePath(QStringLiteral("journal-1.txt")), "ZEPA journal 2\nT90\n+ 0 2 0 2\n");
    const std::optional<RecoveryJournal::Recovered> pidOne = RecoveryJournal::findAbandoned(folder.path());
    QVERIFY(pidOne && pidOne->document.notes.size() == 1);
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("journal-1.txt.new"))));
}

void RecoveryJournalTest::journalsAreReadExactlyOrNotAtAll_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("notes"); // -1: refused whole
    const QByteArray head = "ZEPA journal 1\nT80\n";
    QTest::newRow("as written") << head + "+ 0 2 0 2\n+ 12 3 1 3\n-\n+ 9 0 2 12\n" << 2;
    QTest::newRow("the last line cut after a blank") << head + "+ 0 2 0 2\n+ 4 2 0 " << 1;
    QTest::newRow("the last line cut in a number") << head + "+ 0 2 0 2\n+ 4 2 0 1" << 1;
    QTest::newRow("CR LF line ends") << QByteArray("ZEPA journal 1\r\nT80\r\n+ 0 2 0 2\r\n+ 4 2 0 1\r\n") << 2;
    QTest::newRow("cut before any note") << QByteArray("ZEPA journal 1\nT8") << -1;
    QTest::newRow("a field with a letter") << head + "+ 7x 2 0 2\n" << -1;
    QTest::newRow("a field with a leading zero") << head + "+ 07 2 0 2\n" << -1;
    QTest::newRow("an empty field") << head + "+ 4 2  2\n" << -1;
    QTest::newRow("five fields") << head + "+ 4 2 0 2 1\n" << -1;
    QTest::newRow("a pitch past the rest") << head + "+ 13 2 0 2\n" << -1;
    QTest::newRow("a length past the triplets") << head + "+ 0 2 0 13\n" << -1;
    QTest::newRow("a removal of nothing") << head + "-\n" << -1;
    QTest::newRow("a second tempo") << head + "+ 0 2 0 2\nT90\n" << -1;
    QTest::newRow("a tempo out of range") << QByteArray("ZEPA journal 1\nT300\n") << -1;
    QTest::newRow("a blank line") << head + "\n+ 0 2 0 2\n" << -1;
    QByteArray full = head;
    for (int i = 0; i < 32768; ++i)
        full += "+ 0 2 0 2\n";
    QTest::newRow("more notes than the score holds") << full << -1;
    // The second version: changes anywhere, the meter, the files, the unsaved mark.
    const QByteArray two = "ZEPA journal 2\nT80\nM4\nF /a/b%20c.mml\nO\nU1\n+ 0 2 0 2\n+ 4 2 0 2\n";
    QTest::newRow("an edit: one note for two") << two + "E 0 2 1\nn 0 2 0 2\n" << 1;
    QTest::newRow("an edit inserting at the start") << two + "E 0 0 2\nn 0 2 0 2\nn 5 1 1 3\n" << 4;
    QTest::newRow("an edit cut short: left out") << two + "E 2 0 2\nn 0 2 0 2\nn 5 1" << 2;
    QTest::newRow("an edit's notes cut by another line") << two + "E 2 0 2\nn 0 2 0 2\n-\n" << -1;
    QTest::newRow("an edit past the end") << two + "E 1 2 0\n" << -1;
    QTest::newRow("an edit starting past the end") << two + "E 3 0 1\nn 0 2 0 2\n" << -1;
    QTest::newRow("a later tempo, every note at it") << two + "T80\n" << 2;
    QTest::newRow("a meter ZEPA has not") << two + "M5\n" << -1;
    QTest::newRow("a file line without its blank") << two + "F/a.mml\n" << -1;
    QTest::newRow("a second-version line in a first-version journal") << head + "M4\n" << -1;
}

void RecoveryJournalTest::journalsAreReadExactlyOrNotAtAll()
{
    QFETCH(QByteArray, text);
    QFETCH(int, notes);
    const std::optional<RecoveryJournal::Recovered> read = RecoveryJournal::parse(text);
    QCOMPARE(read.has_value(), notes >= 0);
    if (!read)
        return;
    const JournalDocument &document = read->document;
    QCOMPARE(document.tempo, 80);
    QCOMPARE(int(document.notes.size()), notes);
    QCOMPARE(document.notes.front().octave, Octave::Middle);
    QCOMPARE(document.notes.front().length, NoteLength::Quarter);
    QCOMPARE(document.notes.front().ticks, lengthTicks(NoteLength::Quarter, 80));
    if (text.startsWith("ZEPA journal 2")) {
        QCOMPARE(document.meter, 4);
        QCOMPARE(document.melodyFile, QStringLiteral("/a/b c.mml"));
        QVERIFY(document.unsaved);
    }
    // Written whole again, it reads as the same document.
    const std::optional<RecoveryJournal::Recovered> again = RecoveryJournal::parse(RecoveryJournal::textOf(document));
    QVERIFY(again && again->document == document);
}

QTEST_GUILESS_MAIN(RecoveryJournalTest)
#include "tst_recovery_journal.moc"
