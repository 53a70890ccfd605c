#include "workflows/ProgramSaving.h"

#include "nqc/NqcProgram.h"

SaveResult saveProgram(FileSystem &folder, std::span<const NoteRecord> notes)
{
    return saveMusicFile(folder, [notes](OutputFile &file, QString &reason) {
        return composeNqcProgram(notes, [&](std::string_view piece) { return file.write(piece, reason); });
    });
}
