#pragma once

#include <vector>

#include "composer/NoteRecord.h"
#include "writer/FileSystem.h"

// Writes the NQC program for entries 0 to lastIndex of the score into an open
// file. A long score is composed in parts on a helper thread while the parts
// before are written, so composing and writing overlap; the thread is joined
// before this returns. False, with the system's reason, when a write fails.
bool writeNqcProgramFile(OutputFile &file, const std::vector<NoteRecord> &score, int lastIndex, QString &reason);
