#pragma once

#include <span>
#include <vector>

#include <QString>

#include "score/NoteRecord.h"

// Everything a composing session holds: the note being composed and the score.
struct ComposerState {
    // The score holds at most 32767 notes, indices 0 to 32766.
    static constexpr int ScoreCapacity = 32767;
    static constexpr int LastScoreIndex = ScoreCapacity - 1;

    NoteRecord currentNote;
    // Allocated once at its full size; confirming copies into an existing entry.
    std::vector<NoteRecord> score = std::vector<NoteRecord>(ScoreCapacity);
    // Where the next confirmed note goes; while the score is not full, also the
    // number of notes. It stays at 32766 once entry 32766 is filled.
    qint16 noteCount = 0;
    bool scoreFull = false; // entry 32766 holds a note

    // How many notes the score really holds: 32767 when full.
    int noteTotal() const { return scoreFull ? ScoreCapacity : noteCount; }
    // The notes entered so far, in order.
    std::span<const NoteRecord> notes() const { return {score.data(), static_cast<std::size_t>(noteTotal())}; }
};
