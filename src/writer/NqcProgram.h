#pragma once

#include <string>
#include <vector>

#include "composer/NoteRecord.h"

// The NQC program that plays entries 0 to lastIndex of the score: the
// frequency table, task main() starting task music(), and one PlayTone/Wait
// pair per note and Wait lines per rest. ASCII, every line ending in CR LF.
// The score is only read: the pieces of 255 ticks are counted on copies.
std::string nqcProgramText(const std::vector<NoteRecord> &score, int lastIndex);
