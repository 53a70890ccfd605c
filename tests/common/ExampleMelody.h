#pragma once

#include "score/ScoreEditor.h"

// The worked example at tempo 60: a middle C whole note, a quarter rest and a
// high A sharp eighth note, staccato.
inline void composeExampleMelody(ScoreEditor &editor)
{
    editor.chooseLength(NoteLength::Whole);
    editor.choosePitch(0);
    editor.confirm();
    editor.chooseLength(NoteLength::Quarter);
    editor.rest();
    editor.confirm();
    editor.chooseLength(NoteLength::Eighth);
    editor.chooseOctave(Octave::High);
    editor.chooseArticulation(Articulation::Staccato);
    editor.choosePitch(10);
    editor.confirm();
}
