#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include <QString>

#include "exports/ExportTargets.h"
#include "files/UserFileWriter.h"
#include "performance/BrickEvents.h"
#include "score/Melody.h"

// Every file a melody can be written as is one writer in one register: its
// name on the command line, its words in the menu and the save dialog, and how
// it is written. The menus, the dialogs' filters and the command line all take
// the formats from the register, so a new format is a writer of its own and
// one line where the writers are registered (OutputRegister.cpp).

// The names the program itself asks for by; every other format is found by
// the name it registers.
namespace OutputId {
inline const QString Nqc = QStringLiteral("nqc");
inline const QString Wav = QStringLiteral("wav");
inline const QString Midi = QStringLiteral("midi");
// The MIDI file timed by the brick's own ticks: chosen in the MIDI dialog or
// with zepa midi --as-played; no menu command of its own.
inline const QString MidiAsPlayed = QStringLiteral("midi-as-played");
inline const QString MusicXml = QStringLiteral("musicxml");
inline const QString LilyPond = QStringLiteral("lilypond");
inline const QString Pdf = QStringLiteral("pdf");
} // namespace OutputId

// Where a format's command stands in the composer's ファイル menu.
enum class OutputPlace {
    File, // a command of its own
    Bricks, // in the submenu of the other bricks
    WithAnother, // a choice of another format's dialog (offeredWith)
};

struct OutputFormat {
    QString id; // "wav", "nxc", …: also the name zepa export --target takes
    QString commandName; // how the command line writes it: "render", "nxc", "midi --as-played", …
    QString menuText; // with its access key
    QString description; // what the menu command does, in a sentence
    QString dialogTitle;
    QString fileFilter;
    QString nameEnding; // after the melody's name: ".wav", "_pybricks.py", …
    OutputPlace place = OutputPlace::File;
    QString offeredWith; // WithAnother: the format whose dialog offers it
    std::optional<ExportTarget> brick; // the programs for the bricks after the RCX
    bool titled = false; // shows a title the user confirms first (sheet music)
    bool paints = false; // draws pages: needs Qt's painting (offscreen on the command line)
    QString progressWords; // shown while it is written; empty: written at once
};

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
    QString reason; // Failed: why; TooLong: how long the melody is and what the format holds
    QList<ExportChange> changes; // what the platform could not play as the RCX does

    bool written() const { return status == Status::Written; }
};

// Told how far the writing is, of 1000, and what to say (empty: the format's
// progress words); false cancels.
using OutputProgress = std::function<bool(int permille, const QString &words)>;

// One format: how it is named and how it is written.
class OutputWriter {
public:
    virtual ~OutputWriter() = default;
    // In the language installed.
    virtual OutputFormat format() const = 0;
    // Whether the melody can be written at all, before a name is asked for:
    // TooLong or NeedsNotes (with the reason), or Written when it can.
    virtual OutputResult fits(const OutputSource &source) const;
    // The file's bytes to path, whole or not at all; fits() was asked first.
    virtual OutputResult write(const OutputSource &source, const QString &path, UserFileWriter::Replace replace,
                               const OutputProgress &progress) const = 0;

protected:
    // What the file writer said, as an output's result.
    static OutputResult fromWrite(const UserFileWriter::Result &written);
};

// The register, in the order of the menus.
const std::vector<std::unique_ptr<OutputWriter>> &outputWriters();
// The formats in the language installed, in the register's order.
std::vector<OutputFormat> outputFormats();
// The writer of the name; none for a name no format has.
const OutputWriter *outputWriter(const QString &id);
OutputFormat outputFormat(const QString &id);

// The name suggested for the file: the melody's own name ("melody" while it has
// none) and the format's ending.
QString suggestedOutputName(const QString &id, const QString &melodyName);
QString suggestedFileName(const QString &melodyName, const QString &ending);

// Whether the melody can be written in the format, before a name is asked for.
OutputResult::Status outputFits(const QString &id, const OutputSource &source);
// Writes the melody in the format to the file, whole or not at all.
OutputResult writeOutput(const QString &id, const OutputSource &source, const QString &path,
                         UserFileWriter::Replace replace, const OutputProgress &progress = {});
