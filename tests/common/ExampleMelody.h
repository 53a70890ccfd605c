#pragma once

#include "common/RecordingMessageService.h"
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

// The worked example, as the composer makes it; the editor's boxes are not expected.
inline std::vector<NoteRecord> exampleMelody()
{
    RecordingMessageService messages;
    ScoreEditor editor(60);
    composeExampleMelody(editor);
    const std::span<const NoteRecord> notes = editor.state().notes();
    return {notes.begin(), notes.end()};
}
