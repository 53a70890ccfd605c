#include "exports/ExportTargets.h"

namespace {

// Pybricks names a length as a fraction of a whole note: 1 … 32, a dot for a
// dotted one, 6, 12 and 24 for triplets.
const char *fraction(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return "1";
    case NoteLength::Half:
        return "2";
    case NoteLength::Quarter:
        return "4";
    case NoteLength::Eighth:
        return "8";
    case NoteLength::Sixteenth:
        return "16";
    case NoteLength::ThirtySecond:
        return "32";
    case NoteLength::DottedHalf:
        return "2.";
    case NoteLength::DottedQuarter:
        return "4.";
    case NoteLength::DottedEighth:
        return "8.";
    case NoteLength::DottedSixteenth:
        return "16.";
    case NoteLength::QuarterTriplet:
        return "6";
    case NoteLength::EighthTriplet:
        return "12";
    case NoteLength::SixteenthTriplet:
        return "24";
    }
    return "4";
}

} // namespace

// hub.speaker.play_notes releases each note for the last eighth of its length
// unless it is tied ("_"); a slur or tie is written tied, a normal note as it
// is, and a staccato note, which Pybricks has no mark for, as a normal one.
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
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const NoteRecord &note = notes[i];
        QByteArray item;
        if (note.isRest()) {
            item = "R";
        } else {
            item = QByteArray(englishPitchNames()[note.pitch]) + QByteArray::number(scientificOctave(note.octave));
            staccato += note.articulation == Articulation::Staccato;
        }
        item += '/';
        item += fraction(note.length);
        if (!note.isRest() && note.articulation == Articulation::SlurOrTie)
            item += '_';
        text += (i % 8 == 0 ? "    \"" : " \"") + item + "\",";
        if (i % 8 == 7 || i + 1 == notes.size())
            text += '\n';
    }
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
