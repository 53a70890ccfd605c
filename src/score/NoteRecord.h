#pragma once

#include <QString>

#include "score/NoteLength.h"
#include "score/NoteTables.h"

// One note or rest of the score, or the note being composed. Its length is
// kept both as the kind the user chose and as the ticks of 10 ms it lasts at
// the tempo it was entered at, sound and gap together.
struct NoteRecord {
    static constexpr int Unchosen = -1; // neither a pitch nor a rest chosen yet
    static constexpr int Rest = PitchCount;

    int pitch = Unchosen; // 0 (ド) … 11 (シ), Rest or Unchosen
    Octave octave = Octave::Middle;
    Articulation articulation = Articulation::Normal;
    NoteLength length = NoteLength::Quarter;
    qint16 ticks = 0;

    bool isRest() const { return pitch == Rest; }
    // A note with a pitch or a rest, ready to be confirmed.
    bool isChosen() const { return pitch != Unchosen; }

    bool operator==(const NoteRecord &) const = default;
};

// "ド" … "シ", "休" for a rest, "音未選択" while nothing is chosen.
QString pitchText(const NoteRecord &note);
// The description of the note: pitch, octave, articulation and length words
// joined, e.g. "ラ＃（高音）－スタッカート－全音符".
QString describe(const NoteRecord &note);
