#include <csignal>

#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QElapsedTimer>
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
        journal.start(tempo, {});
        for (const NoteRecord &note : notes) {
            journal.append(note);
            journal.append(notes.front()); // entered by mistake,
            journal.removeLast(); // and cleared again
        }
        ::raise(SIGKILL);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));

    const std::optional<RecoveryJournal::Recovered> recovered = RecoveryJournal::findAbandoned(folder.path());
    QVERIFY(recovered);
    QCOMPARE(recovered->tempo, tempo);
    QVERIFY(recovered->notes == notes);
    RecoveryJournal::remove(*recovered);
    QVERIFY(!RecoveryJournal::findAbandoned(folder.path()));
}

void RecoveryJournalTest::normalEndAndRunningProgramsLeaveNothingToRecover()
{
    QTemporaryDir folder;
    RecoveryJournal journal(folder.path());
    journal.start(120, notesAt(120, 3));
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
}

void RecoveryJournalTest::journalsAreReadExactlyOrNotAtAll()
{
    QFETCH(QByteArray, text);
    QFETCH(int, notes);
    const std::optional<RecoveryJournal::Recovered> read = RecoveryJournal::parse(text);
    QCOMPARE(read.has_value(), notes >= 0);
    if (!read)
        return;
    QCOMPARE(read->tempo, 80);
    QCOMPARE(int(read->notes.size()), notes);
    QCOMPARE(read->notes.front().octave, Octave::Middle);
    QCOMPARE(read->notes.front().length, NoteLength::Quarter);
    QCOMPARE(read->notes.front().ticks, lengthTicks(NoteLength::Quarter, 80));
}

QTEST_GUILESS_MAIN(RecoveryJournalTest)
#include "tst_recovery_journal.moc"
