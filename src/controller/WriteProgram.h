#pragma once

#include <span>

#include <QString>

#include "files/FileSystem.h"
#include "files/MusicFileSaver.h"
#include "score/NoteRecord.h"

// How writing the program speaks with whoever asked for it: the finish
// button warns first, 「NQCプログラムを書き出す」 says in the status bar where
// it wrote, the command line prints the name and says failures on standard
// error.
class ProgramPort {
public:
    virtual ~ProgramPort() = default;
    // Before anything is written. tooLargeForRcx: more than the RCX holds; the
    // file is written all the same (the user may shorten it, or send it in parts).
    virtual void beforeWriting(bool tooLargeForRcx) = 0;
    // path: the folder and the name written.
    virtual void written(const QString &path, bool tooLargeForRcx) = 0;
    virtual void failed(const SaveResult &result, const QString &folder) = 0;
};

// The program of a melody under the first free musicN.nqc of a folder, the
// same way from the finish button, the menu and `zepa nqc` without an output.
class WriteProgram {
public:
    WriteProgram(ProgramPort &port, FileSystem &folder)
        : m_port(port)
        , m_folder(folder)
    { }

    // The path written; empty when nothing was.
    QString run(std::span<const NoteRecord> notes);

private:
    ProgramPort &m_port;
    FileSystem &m_folder;
};
