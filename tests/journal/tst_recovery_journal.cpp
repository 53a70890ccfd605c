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

QTEST_GUILESS_MAIN(RecoveryJournalTest)
#include "tst_recovery_journal.moc"
