#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include "common/FaultyFileSystem.h"
#include "files/MusicFileSaver.h"

Q_DECLARE_METATYPE(SaveResult::Status)

namespace {

const std::string Program = "task main()\r\n{\r\n}\r\n";

ContentsWriter writing(const std::string &text)
{
    return [text](OutputFile &file, QString &reason) { return file.write(text, reason); };
}

void touch(const QString &path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("kept");
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

} // namespace

class MusicFileSaverTest : public QObject {
    Q_OBJECT

private slots:
    void takesTheFirstFreeName_data();
    void takesTheFirstFreeName();
    void leavesAFileThatAppearsBeforeTheNamingAlone();
    void reportsWhenNoNameIsFree();
    void failedWriteLeavesNoPartialFile();
    void failedCreateReportsTheReason();
    void realFailuresOnAFullOrReadOnlyDisk();
};

void MusicFileSaverTest::takesTheFirstFreeName_data()
{
    QTest::addColumn<QStringList>("existingFiles");
    QTest::addColumn<QStringList>("existingDirectories");
    QTest::addColumn<QString>("written");

    QTest::newRow("empty directory") << QStringList{} << QStringList{} << "music0.nqc";
    QTest::newRow("0 and 1 taken") << QStringList{"music0.nqc", "music1.nqc"} << QStringList{} << "music2.nqc";
    QTest::newRow("only 1 taken") << QStringList{"music1.nqc"} << QStringList{} << "music0.nqc";
    QTest::newRow("a directory takes the name") << QStringList{} << QStringList{"music0.nqc"} << "music1.nqc";
    QTest::newRow("other names do not count")
        << QStringList{"music00.nqc", "music0.txt", "Music0.nqc"} << QStringList{} << "music0.nqc";
}

void MusicFileSaverTest::takesTheFirstFreeName()
{
    QFETCH(QStringList, existingFiles);
    QFETCH(QStringList, existingDirectories);
    QFETCH(QString, written);

    QTemporaryDir directory;
    for (const QString &name : existingFiles)
        touch(directory.filePath(name));
    for (const QString &name : existingDirectories)
        QVERIFY(QDir(directory.path()).mkdir(name));

    PosixFileSystem files(directory.path());
    const SaveResult saved = saveMusicFile(files, writing(Program));
    QCOMPARE(saved.status, SaveResult::Status::Saved);
    QCOMPARE(saved.fileName, written);
    QCOMPARE(contents(directory.filePath(written)), QByteArray::fromStdString(Program));
    for (const QString &name : existingFiles)
        QCOMPARE(contents(directory.filePath(name)), QByteArray("kept"));
}

void MusicFileSaverTest::leavesAFileThatAppearsBeforeTheNamingAlone()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.appearBeforeNaming = {QStringLiteral("music0.nqc"), QStringLiteral("music1.nqc")};

    const SaveResult saved = saveMusicFile(files, writing(Program));
    QCOMPARE(saved.status, SaveResult::Status::Saved);
    QCOMPARE(saved.fileName, QStringLiteral("music2.nqc"));
    QCOMPARE(contents(directory.filePath("music0.nqc")), QByteArray("someone else's file"));
    QCOMPARE(contents(directory.filePath("music1.nqc")), QByteArray("someone else's file"));
    QCOMPARE(contents(directory.filePath("music2.nqc")), QByteArray::fromStdString(Program));
    QCOMPARE(QDir(directory.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(), 3);
}

void MusicFileSaverTest::reportsWhenNoNameIsFree()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.everyNameExists = true;
    const SaveResult saved = saveMusicFile(files, writing(Program));
    QCOMPARE(saved.status, SaveResult::Status::NoFreeName);
    QCOMPARE(files.createCalls, 0);
    QVERIFY(QDir(directory.path()).isEmpty());
    QCOMPARE(musicFileName(LastMusicFileNumber), QStringLiteral("music32767.nqc"));
}

void MusicFileSaverTest::failedWriteLeavesNoPartialFile()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.writeFailsAfter = 5;
    const SaveResult saved = saveMusicFile(files, writing(Program));
    QCOMPARE(saved.status, SaveResult::Status::Failed);
    QCOMPARE(saved.fileName, QStringLiteral("music0.nqc"));
    QCOMPARE(saved.reason, QStringLiteral("No space left on device"));
    QVERIFY(QDir(directory.path()).isEmpty());
}

void MusicFileSaverTest::failedCreateReportsTheReason()
{
    QTemporaryDir directory;
    FaultyFileSystem files(directory.path());
    files.createFailure = QStringLiteral("Permission denied");
    const SaveResult saved = saveMusicFile(files, writing(Program));
    QCOMPARE(saved.status, SaveResult::Status::Failed);
    QCOMPARE(saved.fileName, QStringLiteral("music0.nqc"));
    QCOMPARE(saved.reason, QStringLiteral("Permission denied"));
    QCOMPARE(files.createCalls, 1);
}

namespace {

// What the child process reports through its exit code.
enum ChildResult {
    ChildPassed = 0,
    ChildNotPermitted = 77,
    FullDiskNotReported = 10,
    FullDiskLeftAFile,
    SmallProgramNotWritten,
    ReadOnlyNotReported,
    ReadOnlyLeftAFile,
    RetryAfterRemountFailed,
};

// In a mount namespace of its own, so that nothing outside sees the mounts:
// a tmpfs too small for the program, then the same tmpfs read-only, each
// followed by a retry once the cause is gone.
int runRealFailures(const QString &directory)
{
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        return ChildNotPermitted;
    const QByteArray path = QFile::encodeName(directory);
    if (::mount("zepa-test", path.constData(), "tmpfs", 0, "size=16k") != 0)
        return ChildNotPermitted;

    PosixFileSystem files(directory);
    const std::string large(256 * 1024, 'x');
    SaveResult saved = saveMusicFile(files, writing(large));
    if (saved.status != SaveResult::Status::Failed || saved.reason.isEmpty())
        return FullDiskNotReported;
    if (!QDir(directory).isEmpty())
        return FullDiskLeftAFile;
    saved = saveMusicFile(files, writing(Program));
    if (saved.status != SaveResult::Status::Saved || saved.fileName != QStringLiteral("music0.nqc"))
        return SmallProgramNotWritten;

    if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0)
        return ChildNotPermitted;
    saved = saveMusicFile(files, writing(Program));
    if (saved.status != SaveResult::Status::Failed || saved.fileName != QStringLiteral("music1.nqc")
        || saved.reason.isEmpty())
        return ReadOnlyNotReported;
    if (QFile::exists(directory + QStringLiteral("/music1.nqc")))
        return ReadOnlyLeftAFile;
    if (::mount(nullptr, path.constData(), nullptr, MS_REMOUNT, "size=16k") != 0)
        return ChildNotPermitted;
    saved = saveMusicFile(files, writing(Program));
    if (saved.status != SaveResult::Status::Saved || saved.fileName != QStringLiteral("music1.nqc"))
        return RetryAfterRemountFailed;
    return ChildPassed;
}

} // namespace

void MusicFileSaverTest::realFailuresOnAFullOrReadOnlyDisk()
{
    QTemporaryDir directory;
    const pid_t child = ::fork();
    QVERIFY(child >= 0);
    if (child == 0)
        ::_exit(runRealFailures(directory.path()));
    int status = 0;
    QCOMPARE(::waitpid(child, &status, 0), child);
    QVERIFY(WIFEXITED(status));
    if (WEXITSTATUS(status) == ChildNotPermitted)
        QSKIP("this machine does not permit a private tmpfs mount (needs root and mount namespaces)");
    QCOMPARE(WEXITSTATUS(status), int(ChildPassed));
}

QTEST_GUILESS_MAIN(MusicFileSaverTest)
#include "tst_music_file_saver.moc"
