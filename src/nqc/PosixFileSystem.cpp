#include "nqc/PosixFileSystem.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QFile>

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

class PosixOutputFile : public OutputFile {
public:
    explicit PosixOutputFile(int descriptor)
        : m_descriptor(descriptor)
    { }
    ~PosixOutputFile() override
    {
        if (m_descriptor >= 0)
            ::close(m_descriptor);
    }

    bool write(std::string_view bytes, QString &reason) override
    {
        // A short write goes on from where it stopped.
        while (!bytes.empty()) {
            const ssize_t written = ::write(m_descriptor, bytes.data(), bytes.size());
            if (written < 0) {
                if (errno == EINTR)
                    continue;
                reason = systemReason(errno);
                return false;
            }
            bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        return true;
    }

    bool close(QString &reason) override
    {
        const int descriptor = m_descriptor;
        m_descriptor = -1;
        if (::close(descriptor) != 0) {
            reason = systemReason(errno);
            return false;
        }
        return true;
    }

private:
    int m_descriptor;
};

} // namespace

PosixFileSystem::PosixFileSystem(QString directory)
    : m_directory(std::move(directory))
{ }

QByteArray PosixFileSystem::pathOf(const QString &name) const
{
    return QFile::encodeName(m_directory + QLatin1Char('/') + name);
}

bool PosixFileSystem::exists(const QString &name)
{
    struct stat info;
    return ::lstat(pathOf(name).constData(), &info) == 0;
}

FileSystem::CreateResult PosixFileSystem::createNew(const QString &name)
{
    // O_EXCL: an entry that appeared since the search is never replaced.
    const int descriptor = ::open(pathOf(name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor < 0) {
        if (errno == EEXIST)
            return {CreateStatus::AlreadyExists, nullptr, QString()};
        return {CreateStatus::Failed, nullptr, systemReason(errno)};
    }
    return {CreateStatus::Created, std::make_unique<PosixOutputFile>(descriptor), QString()};
}

void PosixFileSystem::remove(const QString &name)
{
    ::unlink(pathOf(name).constData());
}
