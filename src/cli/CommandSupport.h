#pragma once

#include <optional>

#include "cli/Command.h"
#include "cli/CommandOptions.h"
#include "workflows/MelodyReader.h"
#include "workflows/Outputs.h"

// What the verbs share: one line on standard error for each thing said, the
// input read and the outputs written through the use cases the windows run.
namespace CommandSupport {

// "zepa: message" on standard error; gives the status back.
int fail(int status, const QString &message);
// "zepa: path: change" for each change.
void tell(const QString &path, const QStringList &changes);

// The input of a command, as the one reader reads it; nothing, after its
// line on standard error, when it cannot be read. needsNotes: the command
// needs the melody's notes, not only the statements a program holds.
std::optional<MelodyRead> readInput(const QString &path, const VoiceOptions &voice, bool needsNotes);

// The melody of the input as sheet music shows it: in --meter's meter or its
// own, under --title's title, the one the file gives, or the file's name.
struct TitledMelody {
    Melody melody;
    QString title;
};
std::optional<TitledMelody> readTitledInput(const QString &path, const SheetOptions &sheet);

// Writes the output through the export the menus run, never replacing a file
// unless --force says so, and says what the platform could not keep. The
// exit status.
int writeOutputFile(const QString &id, const OutputSource &source, const QString &path, const ForceOption &force);

} // namespace CommandSupport
