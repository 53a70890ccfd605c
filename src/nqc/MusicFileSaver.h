#pragma once

#include <functional>

#include <QString>

#include "nqc/FileSystem.h"

struct SaveResult {
    enum class Status { Saved, NoFreeName, Failed };
    Status status = Status::Failed;
    QString fileName; // the name written, or the name that could not be written
    QString reason; // the system's reason when Failed
};

// Writes the program as the first free name of music0.nqc … music32767.nqc.
// The file is created exclusively, so nothing that exists is ever replaced;
// when it cannot be written completely it is removed again.
// writeContents writes the program into the new file; false with a reason when it fails.
using ContentsWriter = std::function<bool(OutputFile &file, QString &reason)>;
SaveResult saveMusicFile(FileSystem &files, const ContentsWriter &writeContents);

// "music", the number in plain decimal, ".nqc".
QString musicFileName(int number);

inline constexpr int LastMusicFileNumber = 32767;
