#pragma once

#include <span>

#include "files/FileSystem.h"
#include "files/MusicFileSaver.h"
#include "score/NoteRecord.h"

// The program of the notes under the first free musicN.nqc of the folder.
SaveResult saveProgram(FileSystem &folder, std::span<const NoteRecord> notes);
