#pragma once

#include <vector>

#include <QByteArray>
#include <QString>

#include "performance/BrickEvents.h"

// Reads back a program that ZEPA wrote: its frequency table, the fixed task
// lines and its PlayTone and Wait lines. Strict: anything that is not ZEPA's
// own form is refused with the line and what was expected there; nothing is
// guessed. Lines may end in CR LF, as written, or in LF alone.
struct NqcReadResult {
    std::vector<BrickEvent> events;
    int errorLine = 0; // 1-based; 0 when the program was read
    QString error; // what was expected there

    bool ok() const { return errorLine == 0; }
};

NqcReadResult readNqcProgram(const QByteArray &text);
