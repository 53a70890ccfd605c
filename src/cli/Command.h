#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "base/UserDialogs.h"
#include "workflows/Outputs.h"

// What the options of the command line said, for the commands that take them.
struct CommandOptions {
    bool force = false; // replace an output file that exists
    int track = 0; // the voice of a MIDI file: 0 the first with notes
    int channel = 0;
    std::optional<OutputKind> target; // export: the brick
    bool asPlayed = false; // midi: timed by the brick's ticks
    SendChoice send; // send: where to
    std::optional<int> meter; // pdf, musicxml, lilypond: the meter, 0 none; the file's own without
    QString title; // pdf, musicxml, lilypond: the title over the music; the file's name without
};

// One verb of the command line: how it is used, what it does, and doing it.
class Command {
public:
    struct Help {
        QString name;
        QString arguments; // "INPUT OUTPUT.wav"
        int fewest; // positional arguments it takes
        int most;
        bool writes; // takes --force
        QString description; // in the language of the windows
        QString example;
        QStringList options; // the options with a value it takes: "track", …
        bool paints = false; // draws pages: runs with Qt's painting, offscreen
    };

    virtual ~Command() = default;
    virtual Help help() const = 0;
    // The exit status: 0 done, 1 a file could not be read or written.
    virtual int run(const QStringList &arguments, const CommandOptions &options) = 0;
};

// Exit statuses of every command.
namespace ExitStatus {
inline constexpr int Success = 0;
inline constexpr int WorkFailed = 1;
inline constexpr int UsageError = 2;
} // namespace ExitStatus
