#pragma once

#include <QtGlobal>

// What became of an edit: done, or refused and why. The score speaks no
// words; whoever asked for the edit tells the user, in the user's language.
struct EditResult {
    enum class Status : quint8 {
        Done,
        DoneScoreNowFull, // done, and the score takes no more notes: time to finish
        Unchanged, // nothing to do, nothing to say (a move past either end)
        NothingChosen, // neither a pitch nor a rest was chosen
        NothingToClear,
        NoPreviousNote,
        ScoreFull, // an insert into a full score
        LeavesRange, // the pitches would leave the lowest to highest note
    };
    Status status = Status::Done;
    // LeavesRange: how many notes would leave, and the first of them (0-based).
    int count = 0;
    int first = 0;

    bool done() const { return status == Status::Done || status == Status::DoneScoreNowFull; }
    explicit operator bool() const { return done(); }

    static EditResult refused(Status status, int count = 0, int first = 0) { return {status, count, first}; }
};
