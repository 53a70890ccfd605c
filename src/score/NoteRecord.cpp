#include "score/NoteRecord.h"

#include <QCoreApplication>

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
    // Japanese runs the parts together (each brings its own mark); English
    // puts a space between them.
    return QCoreApplication::translate("NoteRecord", "%1%2%3%4", "pitch, (octave), -articulation, -length")
        .arg(pitchText(note), octaveText(note.octave), articulationText(note.articulation), lengthText(note.length));
}
