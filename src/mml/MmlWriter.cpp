#include "mml/MmlWriter.h"

#include <array>

#include "base/ProgramInfo.h"

namespace {

constexpr std::array<const char *, PitchCount> PitchLetters{"C",  "C+", "D",  "D+", "E",  "F",
                                                            "F+", "G",  "G+", "A",  "A+", "B"};

int gateOf(Articulation articulation)
{
    switch (articulation) {
    case Articulation::Normal:
        return 7;
    case Articulation::Staccato:
        return 4;
    case Articulation::SlurOrTie:
        return 8;
    }
    return 7;
}

} // namespace

QByteArray mmlText(const Melody &melody)
{
    constexpr int NotesPerLine = 16;
    QByteArray text = "; " + ProgramTitle.toUtf8() + ' ' + programVersionText().toUtf8() + '\n';
    text += "T" + QByteArray::number(melody.tempo) + '\n';

    // What a reader assumes at the start: octave 5, length 4, normal.
    Octave octave = Octave::Middle;
    NoteLength length = NoteLength::Quarter;
    Articulation articulation = Articulation::Normal;
    int onLine = 0;
    for (const NoteRecord &note : melody.notes) {
        QByteArray word;
        if (note.octave != octave) {
            octave = note.octave;
            word += "O" + QByteArray::number(int(octave) + 3) + ' ';
        }
        if (note.length != length) {
            length = note.length;
            word += QByteArray("L") + noteLengthEntry(length).fraction + ' ';
        }
        if (note.articulation != articulation) {
            articulation = note.articulation;
            word += "Q" + QByteArray::number(gateOf(articulation)) + ' ';
        }
        word += note.isRest() ? "R" : PitchLetters[std::size_t(note.pitch)];
        if (onLine == NotesPerLine) {
            text += '\n';
            onLine = 0;
        }
        if (onLine > 0)
            text += ' ';
        text += word;
        ++onLine;
    }
    if (onLine > 0)
        text += '\n';
    return text;
}
