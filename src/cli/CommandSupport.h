#pragma once

#include <optional>

#include "cli/Command.h"
#include "workflows/MelodyReader.h"
#include "workflows/Outputs.h"

// What the commands share: one line on standard error for each thing said,
// the input read through the one reader, outputs written through the table.
namespace CommandSupport {

// "zepa: message" on standard error; gives the status back.
int fail(int status, const QString &message);
// "zepa: path: change" for each change.
void tell(const QString &path, const QStringList &changes);

// The input of a command, as the one reader reads it; nothing, after its
// line on standard error, when it cannot be read. needsNotes: the command
// needs the melody's notes, not only the statements a program holds.
std::optional<MelodyRead> readInput(const QString &path, const CommandOptions &options, bool needsNotes);

// The melody of the input as sheet music shows it: in --meter's meter or its
// own, under --title's title or the file's name.
struct TitledMelody {
    Melody melody;
    QString title;
};
std::optional<TitledMelody> readTitledInput(const QString &path, const CommandOptions &options);

// Writes the output, never replacing a file unless --force says so, and says
// what the platform could not keep. The exit status.
int writeOutputFile(OutputKind kind, const OutputSource &source, const QString &path, const CommandOptions &options);

} // namespace CommandSupport
