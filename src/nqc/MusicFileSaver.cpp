#include "nqc/MusicFileSaver.h"

QString musicFileName(int number)
{
    return QStringLiteral("music%1.nqc").arg(number);
}

SaveResult saveMusicFile(FileSystem &files, const ContentsWriter &writeContents)
{
    for (int number = 0; number <= LastMusicFileNumber; ++number) {
        const QString name = musicFileName(number);
        if (files.exists(name))
            continue;
        FileSystem::CreateResult created = files.createNew(name);
        if (created.status == FileSystem::CreateStatus::AlreadyExists)
            continue; // it appeared since the test: leave it alone
        if (created.status == FileSystem::CreateStatus::Failed)
            return {SaveResult::Status::Failed, name, created.reason};

        QString reason;
        const bool written = writeContents(*created.file, reason);
        const bool closed = written ? created.file->close(reason) : true;
        created.file.reset();
        if (!written || !closed) {
            files.remove(name); // never leave a broken program behind
            return {SaveResult::Status::Failed, name, reason};
        }
        return {SaveResult::Status::Saved, name, QString()};
    }
    return {SaveResult::Status::NoFreeName, QString(), QString()};
}
