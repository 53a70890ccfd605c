#pragma once

#include <vector>

#include <QString>

#include "composer/NoteRecord.h"

// Everything the composer window holds for the rest of the run.
struct ComposerState {
    // The score holds at most 32767 notes, indices 0 to 32766.
    static constexpr int ScoreCapacity = 32767;
    static constexpr int LastScoreIndex = ScoreCapacity - 1;

    NoteRecord CurrentNote;
    // Allocated once at its full size; confirming copies into an existing entry.
    std::vector<NoteRecord> Score = std::vector<NoteRecord>(ScoreCapacity);
    // Where the next confirmed note goes; while the score is not full, also the
    // number of notes. It stays at 32766 once entry 32766 is filled.
    qint16 NoteCount = 0;
    qint16 NoteSelected = 0; // 1 when CurrentNote has a pitch or rest and may be confirmed
    qint16 ScoreFull = 0;    // 1 once entry 32766 holds a note
    QString HistoryText;     // pitch names of the last ten notes, oldest first

    // How many notes the score really holds: 32767 when full.
    int noteTotal() const { return ScoreFull ? ScoreCapacity : NoteCount; }
};
