#pragma once

#include <QString>

#include "files/UserFileWriter.h"
#include "score/Melody.h"

// How saving a melody file speaks with whoever asked for it: the windows ask
// in the save dialog (which asks before replacing) and tell in the status bar
// or a box; the command line takes its argument and --force and tells on
// standard error.
class SavePort {
public:
    virtual ~SavePort() = default;
    // The file to save in, starting from the one offered; empty: stopped.
    virtual QString destination(const QString &offered) = 0;
    virtual UserFileWriter::Replace replace() const = 0;
    virtual void saved(const QString &path) = 0;
    virtual void failed(const QString &path, const UserFileWriter::Result &result) = 0;
};

// A melody as a melody file, whole or not at all, the same way from
// 「上書き保存」, 「名前を付けて保存」 and `zepa mml`.
class SaveMelody {
public:
    explicit SaveMelody(SavePort &port)
        : m_port(port)
    { }

    // The path saved in; empty when nothing was.
    QString run(const Melody &melody, const QString &offered);

private:
    SavePort &m_port;
};
