#pragma once

#include <array>
#include <functional>
#include <optional>
#include <vector>

#include <QString>

#include "exports/ExportTargets.h"
#include "files/UserFileWriter.h"
#include "score/Melody.h"
#include "performance/BrickEvents.h"

// Every file a melody can be written as, in one table: what the command line
// calls it, what the menu and the save dialog say, and how it is written.
// MidiAsPlayed is the MIDI file timed by the brick's own ticks, chosen in the
// MIDI dialog or with zepa midi --as-played; it has no menu command of its own.
// MusicXml and LilyPond are the notation programs' files, written as ZEPA's
// staff shows the melody.
enum class OutputKind { Nqc, Wav, Midi, Nxc, Pybricks, Microbit, Ev3dev, MidiAsPlayed, MusicXml, LilyPond };

struct OutputFormat {
    OutputKind kind;
    QString commandName; // the command, or for a brick the export target: "render", "nxc", …
    QString menuText; // with its access key
    QString dialogTitle;
    QString fileFilter;
    QString nameEnding; // after the melody's name: ".wav", "_pybricks.py", …
    std::optional<ExportTarget> brick; // the programs for the bricks after the RCX
};

const std::array<OutputFormat, 10> &outputFormats();
const OutputFormat &outputFormat(OutputKind kind);
std::optional<OutputKind> brickOutputNamed(const QString &name);
// The name suggested for the file: the melody's own name ("melody" while it has
// none) and the format's ending.
QString suggestedOutputName(OutputKind kind, const QString &melodyName);
// The same for a file of another kind, by its ending (".pdf").
QString suggestedFileName(const QString &melodyName, const QString &ending);

// What an output is made from: the statements the brick plays and, unless the
// input was a program whose notes cannot be told, the melody they came from.
struct OutputSource {
    std::optional<Melody> melody;
    std::vector<BrickEvent> events;
    QString title; // the melody's name, for the files that show one

    static OutputSource of(Melody melody, const QString &title = QString());
};

struct OutputResult {
    enum class Status {
        Written,
        Exists, // not replaced
        TooLong, // more than the format holds: nothing written
        NeedsNotes, // the format needs the melody's notes, which a program did not give
        Cancelled,
        Failed,
    };
    Status status = Status::Failed;
    QString reason; // Failed: why
    QList<ExportChange> changes; // what the platform could not play as the RCX does

    bool written() const { return status == Status::Written; }
};

// Told how far the writing is, of 1000; false cancels.
using OutputProgress = std::function<bool(int permille)>;

// Whether the melody can be written in the format at all, before a name is
// asked for: TooLong or NeedsNotes, or Written when it can.
OutputResult::Status outputFits(OutputKind kind, const OutputSource &source);

// Writes the melody in the format to the file, whole or not at all.
OutputResult writeOutput(OutputKind kind, const OutputSource &source, const QString &path,
                         UserFileWriter::Replace replace, const OutputProgress &progress = {});
