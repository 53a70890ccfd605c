#pragma once

#include <functional>
#include <span>
#include <string>
#include <string_view>

#include "performance/BrickEvents.h"

// The NQC program that plays a melody: the frequency table, task main()
// starting task music(), and in task music() one PlayTone or Wait line per
// event of the melody. ASCII, every line ending in CR LF.

// Receives the program piece by piece, in order; false stops composing.
using ProgramSink = std::function<bool(std::string_view piece)>;

// Composes the program of a melody in pieces of about 64 KiB, so that a full
// score needs neither its whole text nor all its events in memory at once.
// False when the sink stopped it.
bool composeNqcProgram(std::span<const NoteRecord> notes, const ProgramSink &sink);

// The whole program as one text.
std::string nqcProgramText(std::span<const NoteRecord> notes);
std::string nqcProgramText(std::span<const BrickEvent> events);
