#include "files/MusicFileSaver.h"

QString musicFileName(int number)
{
    return QStringLiteral("music%1.nqc").arg(number);
}

namespace {

int firstFreeNumber(FileSystem &files, int from)
{
    for (int number = from; number <= LastMusicFileNumber; ++number) {
        if (!files.exists(musicFileName(number)))
            return number;
    }
    return -1;
}

} // namespace

SaveResult saveMusicFile(FileSystem &files, const ContentsWriter &writeContents)
{
    int number = firstFreeNumber(files, 0);
    if (number < 0)
        return {SaveResult::Status::NoFreeName, QString(), QString()};

    FileSystem::CreateResult created = files.createUnnamed();
    if (created.status == FileSystem::CreateStatus::FolderMissing)
        return {SaveResult::Status::FolderMissing, musicFileName(number), created.reason};
    if (created.status == FileSystem::CreateStatus::Failed)
        return {SaveResult::Status::Failed, musicFileName(number), created.reason};

    QString reason;
    if (!writeContents(*created.file, reason) || !created.file->flush(reason))
        return {SaveResult::Status::Failed, musicFileName(number), reason};

    for (; number >= 0; number = firstFreeNumber(files, number + 1)) {
        switch (created.file->giveName(musicFileName(number), reason)) {
        case OutputFile::NameResult::Named:
            return {SaveResult::Status::Saved, musicFileName(number), QString()};
        case OutputFile::NameResult::Taken:
            continue; // it appeared since the search: leave it alone
        case OutputFile::NameResult::Failed:
            return {SaveResult::Status::Failed, musicFileName(number), reason};
        }
    }
    return {SaveResult::Status::NoFreeName, QString(), QString()};
}
