#include "score/NoteRecord.h"

QString pitchText(const NoteRecord &note)
{
    if (note.isRest())
        return RestText();
    if (!note.isChosen())
        return NoPitchText();
    return pitchNames()[static_cast<std::size_t>(note.pitch)];
}

QString describe(const NoteRecord &note)
{
    return pitchText(note) + octaveText(note.octave) + articulationText(note.articulation) + lengthText(note.length);
}
