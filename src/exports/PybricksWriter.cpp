#include "exports/ExportTargets.h"

// Lengths are fractions of a whole note, as in MML: 1 … 32, a dot for a
// dotted one, 6, 12 and 24 for triplets. hub.speaker.play_notes releases each
// note for the last eighth of its length unless it is tied ("_"); a slur or
// tie is written tied, a normal note as it is, and a staccato note, which
// Pybricks has no mark for, as a normal one.
ExportedProgram pybricksProgram(std::span<const NoteRecord> notes, int tempo)
{
    ExportedProgram program;
    QByteArray &text = program.text;
    text += "# " + exportHeading(notes, tempo) + "\n";
    text += "# For hubs with a speaker running Pybricks MicroPython (SPIKE Prime, EV3).\n";
    text += "from pybricks.hubs import ThisHub\n\n";
    text += "hub = ThisHub()\n";
    text += "MELODY = [\n";
    int staccato = 0;
    QList<QByteArray> items;
    for (const NoteRecord &note : notes) {
        QByteArray item = "\"R";
        if (!note.isRest()) {
            item
                = '"' + QByteArray(englishPitchNames()[note.pitch]) + QByteArray::number(scientificOctave(note.octave));
            staccato += note.articulation == Articulation::Staccato;
        }
        item += '/';
        item += noteLengthEntry(note.length).fraction;
        if (!note.isRest() && note.articulation == Articulation::SlurOrTie)
            item += '_';
        items.append(item + '"');
    }
    appendListLines(text, items, 8);
    text += "]\n\nhub.speaker.play_notes(MELODY, tempo=" + QByteArray::number(tempo) + ")\n";
    if (staccato > 0) {
        program.changes.append(
            {QStringLiteral("Pybricks にはスタッカートがないので、スタッカートの %1 音を普通の音として書きました。")
                 .arg(staccato),
             QStringLiteral("Pybricks has no staccato: %1 staccato notes were written as normal notes.")
                 .arg(staccato)});
    }
    return program;
}
