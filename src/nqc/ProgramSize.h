#pragma once

#include <span>

#include "performance/BrickEvents.h"

// How much of the RCX a written program takes, in bytes of its bytecode, as
// nqc -TRCX2 -L reports it in "Total size": task main() (set power, set
// direction, start music) takes 8 bytes, and each PlayTone (0x23 f_lo f_hi
// d) and each Wait (0x43 0x02 n_lo n_hi) takes 4.
namespace ProgramSize {

inline constexpr int MainTaskBytes = 8;
inline constexpr int StatementBytes = 4;

// User programs share one region of about 6 KB of the RCX's memory, all five
// program slots together (K. Proudfoot, "RCX Internals", the firmware's memory
// map): a program larger than this cannot be downloaded whole.
inline constexpr int RcxProgramMemory = 6 * 1024;

qint64 bytes(std::span<const BrickEvent> events);
qint64 bytes(std::span<const NoteRecord> notes);

} // namespace ProgramSize
