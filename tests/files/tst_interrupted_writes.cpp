#include <csignal>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"
#include "common/NqcCompiler.h"
#include "files/MusicFileSaver.h"
#include "nqc/NqcProgram.h"
#include "files/PosixFileSystem.h"
#include "score/ComposerState.h"

namespace {

// The longest program there is: 32767 whole notes at tempo 60, 2.6 MB.
std::vector<NoteRecord> fullScore()
{
    std::vector<NoteRecord> score;
    for (int i = 0; i < ComposerState::ScoreCapacity; ++i)
        score.push_back(i % 5 == 4 ? restNote(400) : toneNote(i % PitchCount, AllOctaves[std::size_t(i % 5)], 400));
    return score;
}

// Writes the program the way the finish button does, again and again.
[[noreturn]] void writeForever(const QString &folder, const std::vector<NoteRecord> &score)
{
    PosixFileSystem files(folder);
    for (;;) {
        saveMusicFile(files, [&score](OutputFile &file, QString &reason) {
            return composeNqcProgram(score, [&](std::string_view piece) { return file.write(piece, reason); });
        });
    }
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

} // namespace

// Whatever ends the program while it writes, a musicN.nqc is complete or not
// there at all, and nothing else is left behind.
class InterruptedWritesTest : public QObject {
    Q_OBJECT

private slots:
    void killedAtRandomMomentsLeavesOnlyCompletePrograms();
    void fileSizeLimitLeavesNothing();
};

void InterruptedWritesTest::killedAtRandomMomentsLeavesOnlyCompletePrograms()
{
    QTemporaryDir folder;
    const std::vector<NoteRecord> score = fullScore();
    const std::string program = nqcProgramText(score);
    QRandomGenerator random(20261207);
    for (int round = 0; round < 20; ++round) {
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0)
            writeForever(folder.path(), score);
        ::usleep(random.bounded(2000u, 40000u));
        QCOMPARE(::kill(child, SIGKILL), 0);
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
    }

    const QStringList entries = entriesOf(folder.path());
    QVERIFY2(!entries.isEmpty(), "no program was finished before a kill");
    for (const QString &name : entries) {
        QVERIFY2(QRegularExpression(QStringLiteral(R"(\Amusic\d+\.nqc\z)")).match(name).hasMatch(), qPrintable(name));
        QFile file(folder.filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY2(file.readAll() == QByteArray::fromStdString(program), qPrintable(name + " is not complete"));
    }
    const QString error = compileError(program);
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

void InterruptedWritesTest::fileSizeLimitLeavesNothing()
{
    QTemporaryDir folder;
    const std::vector<NoteRecord> score = fullScore();
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0) {
        // The limit's default signal ends the process part way through.
        const rlimit limit{64 * 1024, 64 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        ::signal(SIGXFSZ, SIG_DFL);
        writeForever(folder.path(), score);
    }
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFSIGNALED(status));
    QCOMPARE(WTERMSIG(status), SIGXFSZ);
    QCOMPARE(entriesOf(folder.path()), QStringList());
}

QTEST_GUILESS_MAIN(InterruptedWritesTest)
#include "tst_interrupted_writes.moc"
