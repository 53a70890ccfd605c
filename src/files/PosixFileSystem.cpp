#include "files/PosixFileSystem.h"

#include <atomic>
#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "base/SystemReasons.h"

namespace {

// ".zepa-PID-N.tmp": the hidden name of a file being written where the file
// system cannot make a file without a name.
const QString HiddenPrefix = QStringLiteral(".zepa-");
const QString HiddenSuffix = QStringLiteral(".tmp");

QString hiddenName(qint64 pid, int number)
{
    return HiddenPrefix + QString::number(pid) + QLatin1Char('-') + QString::number(number) + HiddenSuffix;
}

bool isDirectory(const QByteArray &path)
{
    struct stat info;
    return ::stat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode);
}

class PosixOutputFile : public OutputFile {
public:
    // hiddenPath is empty for a file without a name.
    PosixOutputFile(int descriptor, QByteArray folder, QByteArray hiddenPath)
        : m_descriptor(descriptor)
        , m_folder(std::move(folder))
        , m_hiddenPath(std::move(hiddenPath))
    { }

    ~PosixOutputFile() override
    {
        ::close(m_descriptor);
        if (!m_hiddenPath.isEmpty())
            ::unlink(m_hiddenPath.constData());
    }

    bool write(std::string_view bytes, QString &reason) override
    {
        // A short write goes on from where it stopped.
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                reason = systemReasonText(errno);
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    bool flush(QString &reason) override
    {
        if (::fsync(m_descriptor) != 0) {
            reason = systemReasonText(errno);
            return false;
        }
        return true;
    }

    NameResult giveName(const QString &name, QString &reason) override
    {
        const QByteArray path = m_folder + '/' + QFile::encodeName(name);
        // link() never replaces an entry: EEXIST when the name is taken.
        const int result
            = m_hiddenPath.isEmpty() ? linkUnnamed(path) : ::link(m_hiddenPath.constData(), path.constData());
        if (result == 0)
            return NameResult::Named;
        if (errno == EEXIST)
            return NameResult::Taken;
        reason = systemReasonText(errno);
        return NameResult::Failed;
    }

private:
    int linkUnnamed(const QByteArray &path) const
    {
        // Through /proc, which needs no privilege; AT_EMPTY_PATH where /proc
        // is not mounted (it needs CAP_DAC_READ_SEARCH).
        const QByteArray self = "/proc/self/fd/" + QByteArray::number(m_descriptor);
        if (::linkat(AT_FDCWD, self.constData(), AT_FDCWD, path.constData(), AT_SYMLINK_FOLLOW) == 0)
            return 0;
        if (errno != ENOENT || QFile::exists(QStringLiteral("/proc/self")))
            return -1;
        return ::linkat(m_descriptor, "", AT_FDCWD, path.constData(), AT_EMPTY_PATH);
    }

    int m_descriptor;
    QByteArray m_folder;
    QByteArray m_hiddenPath;
};

} // namespace

PosixFileSystem::PosixFileSystem(const QString &folder)
    : m_folder(QDir(folder).absolutePath())
{ }

QByteArray PosixFileSystem::pathOf(const QString &name) const
{
    return QFile::encodeName(m_folder + QLatin1Char('/') + name);
}

bool PosixFileSystem::exists(const QString &name)
{
    struct stat info;
    return ::lstat(pathOf(name).constData(), &info) == 0;
}

FileSystem::CreateResult PosixFileSystem::createUnnamed()
{
    const QByteArray folder = QFile::encodeName(m_folder);
    auto failure = [&folder](int error) {
        const CreateStatus status
            = error == ENOENT && !isDirectory(folder) ? CreateStatus::FolderMissing : CreateStatus::Failed;
        return CreateResult{status, nullptr, systemReasonText(error)};
    };

    int descriptor = ::open(folder.constData(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (descriptor >= 0)
        return {CreateStatus::Created, std::make_unique<PosixOutputFile>(descriptor, folder, QByteArray()), QString()};
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return failure(errno);

    // No files without a name here: a hidden name that nothing else uses.
    static std::atomic<int> counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray hidden = pathOf(hiddenName(::getpid(), counter++));
        descriptor = ::open(hidden.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0)
            return {CreateStatus::Created, std::make_unique<PosixOutputFile>(descriptor, folder, hidden), QString()};
        if (errno != EEXIST)
            return failure(errno);
    }
    return failure(EEXIST);
}

void PosixFileSystem::removeAbandonedFiles()
{
    static const QRegularExpression hidden(QStringLiteral(R"(\A\.zepa-(\d+)-\d+\.tmp\z)"));
    const QStringList names = QDir(m_folder).entryList({HiddenPrefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden);
    for (const QString &name : names) {
        const QRegularExpressionMatch match = hidden.match(name);
        if (!match.hasMatch())
            continue;
        const pid_t pid = static_cast<pid_t>(match.captured(1).toLongLong());
        const bool writerRuns = pid > 0 && (::kill(pid, 0) == 0 || errno == EPERM);
        if (!writerRuns)
            ::unlink(pathOf(name).constData());
    }
}
