#pragma once

#include <functional>

#include <QString>

#include "files/FileSystem.h"

struct SaveResult {
    enum class Status { Saved, NoFreeName, FolderMissing, Failed };
    Status status = Status::Failed;
    QString fileName; // the name written, or the name that could not be written
    QString reason; // why, when FolderMissing or Failed
};

// Writes the program as the first free name of music0.nqc … music32767.nqc.
// The program is written into a file without a name and flushed to the disk
// first; only then does it get its name, which never replaces anything: a name
// taken meanwhile makes it take the next. So a musicN.nqc is either complete
// or not there, whatever ends the program and whenever.
// writeContents writes the program into the new file; false with a reason when it fails.
using ContentsWriter = std::function<bool(OutputFile &file, QString &reason)>;
SaveResult saveMusicFile(FileSystem &files, const ContentsWriter &writeContents);

// "music", the number in plain decimal, ".nqc".
QString musicFileName(int number);

inline constexpr int LastMusicFileNumber = 32767;
