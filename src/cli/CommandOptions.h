#pragma once

#include <optional>

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>

#include "base/UserDialogs.h"
#include "files/UserFileWriter.h"
#include "workflows/MelodyReader.h"

// The options a verb of the command line may own, in groups a verb takes
// whole. Each group names its options and reads their values; a value it
// cannot use is a usage error in the user's words.

// --force: replace an output file that exists.
struct ForceOption {
    bool force = false;

    static QList<QCommandLineOption> options();
    void read(const QCommandLineParser &parser);
    UserFileWriter::Replace replace() const
    {
        return force ? UserFileWriter::Replace::Existing : UserFileWriter::Replace::Never;
    }
};

// --track N --channel N: the voice of a MIDI file, the first with notes without.
struct VoiceOptions {
    int track = 0;
    int channel = 0;

    static QList<QCommandLineOption> options();
    std::optional<QString> read(const QCommandLineParser &parser);
    bool chosen() const { return track != 0 || channel != 0; }
    MelodyReadOptions reading() const;
};

// --meter 4/4|3/4|2/4|none --title TEXT: sheet music's meter and title,
// the file's own without.
struct SheetOptions {
    std::optional<int> meter;
    QString title;

    static QList<QCommandLineOption> options();
    std::optional<QString> read(const QCommandLineParser &parser);
};

// --port PORT --slot 1-5 --run: where the RCX's program goes.
struct SendOptions {
    SendChoice choice;

    static QList<QCommandLineOption> options();
    std::optional<QString> read(const QCommandLineParser &parser);
};

// --target NAME: a format of the register of outputs.
struct TargetOption {
    QString target;

    static QList<QCommandLineOption> options();
    // "nxc|pybricks|…": every name --target takes, the other bricks first.
    static QString names(const QString &separator);
    std::optional<QString> read(const QCommandLineParser &parser, const QString &command);
};

// --as-played: the MIDI file timed by the brick's own ticks.
struct AsPlayedOption {
    bool asPlayed = false;

    static QList<QCommandLineOption> options();
    void read(const QCommandLineParser &parser);
};
