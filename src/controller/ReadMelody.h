#pragma once

#include <optional>

#include "workflows/MelodyReader.h"

// How reading a file speaks with whoever asked for it: a box naming the file
// in the windows, a line on standard error on the command line.
class ReadPort {
public:
    virtual ~ReadPort() = default;
    // The file cannot be used: unreadable, refused, without the voice asked
    // for, or without notes where they are needed (read.melodyError says why).
    virtual void refused(const QString &path, const MelodyRead &read) = 0;
};

// A melody read from a file through the one reader, the same way for opening,
// importing and every command that takes an input. What reading changed
// comes back with it, for the caller to say once the melody is in place.
class ReadMelody {
public:
    explicit ReadMelody(ReadPort &port)
        : m_port(port)
    { }

    // needsNotes: the statements of a program whose notes cannot be told are
    // not enough. Nothing, after the port was told, when it cannot be used;
    // nothing, with nothing said, when the user chose no voice.
    std::optional<MelodyRead> run(const QString &path, const MelodyReadOptions &options, bool needsNotes);

private:
    ReadPort &m_port;
};
