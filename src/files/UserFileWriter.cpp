#include "files/UserFileWriter.h"

#include <cerrno>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "base/SystemReasons.h"
#include "files/PosixFileSystem.h"

namespace UserFileWriter {
namespace {

Result failed(const QString &reason)
{
    return {Result::Status::Failed, reason};
}

Result replacing(const QString &path, const Producer &produce)
{
    QSaveFile file(path);
    errno = 0;
    const auto reason = [&file] { return errno != 0 ? systemReasonText(errno) : file.errorString(); };
    if (!file.open(QIODevice::WriteOnly))
        return failed(reason());
    const Sink sink = [&file](std::string_view bytes) {
        return file.write(bytes.data(), qint64(bytes.size())) == qint64(bytes.size());
    };
    switch (produce(sink)) {
    case Produced::Done:
        break;
    case Produced::Cancelled:
        file.cancelWriting();
        return {Result::Status::Cancelled, QString()};
    case Produced::Failed:
        file.cancelWriting();
        return failed(reason());
    }
    if (!file.commit())
        return failed(reason());
    return {Result::Status::Written, QString()};
}

// The unnamed-then-named step of the music files: nothing of that name is
// ever replaced, and nothing half written ever has the name.
Result notReplacing(const QString &path, const Producer &produce)
{
    const QFileInfo target(path);
    PosixFileSystem folder(target.absolutePath());
    if (folder.exists(target.fileName()))
        return {Result::Status::Exists, QString()};
    FileSystem::CreateResult created = folder.createUnnamed();
    if (created.status != FileSystem::CreateStatus::Created)
        return failed(created.reason);
    QString reason;
    const Sink sink = [&](std::string_view bytes) { return created.file->write(bytes, reason); };
    switch (produce(sink)) {
    case Produced::Done:
        break;
    case Produced::Cancelled:
        return {Result::Status::Cancelled, QString()};
    case Produced::Failed:
        return failed(reason);
    }
    if (!created.file->flush(reason))
        return failed(reason);
    switch (created.file->giveName(target.fileName(), reason)) {
    case OutputFile::NameResult::Named:
        return {Result::Status::Written, QString()};
    case OutputFile::NameResult::Taken:
        return {Result::Status::Exists, QString()};
    case OutputFile::NameResult::Failed:
        break;
    }
    return failed(reason);
}

} // namespace

Result write(const QString &path, const Producer &produce, Replace replace, Mode mode)
{
    const Result result = replace == Replace::Existing ? replacing(path, produce) : notReplacing(path, produce);
    if (result.written() && mode == Mode::Executable) {
        // Whoever may read it may run it, as chmod +x gives it.
        QFile::Permissions permissions = QFile::permissions(path);
        if (permissions & QFile::ReadOwner)
            permissions |= QFile::ExeOwner | QFile::ExeUser;
        if (permissions & QFile::ReadGroup)
            permissions |= QFile::ExeGroup;
        if (permissions & QFile::ReadOther)
            permissions |= QFile::ExeOther;
        if (!QFile::setPermissions(path, permissions))
            return failed(QCoreApplication::translate("UserFileWriter", "実行できるファイルにできませんでした"));
    }
    return result;
}

Result write(const QString &path, const QByteArray &bytes, Replace replace, Mode mode)
{
    return write(
        path,
        [&bytes](const Sink &sink) {
            return sink(std::string_view(bytes.constData(), std::size_t(bytes.size()))) ? Produced::Done
                                                                                        : Produced::Failed;
        },
        replace, mode);
}

} // namespace UserFileWriter
