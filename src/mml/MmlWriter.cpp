#include "mml/MmlWriter.h"

#include <array>
#include <optional>

#include "base/ProgramInfo.h"

namespace {

constexpr std::array<const char *, PitchCount> PitchLetters{"c",  "c+", "d",  "d+", "e",  "f",
                                                            "f+", "g",  "g+", "a",  "a+", "b"};

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
    QByteArray text = "// " + ProgramTitle.toUtf8() + ' ' + programVersionText().toUtf8() + '\n';
    text += "// q8 slur or tie, q7 normal (0.1 s of silence after the note), q4 staccato (0.2 s), as the RCX plays them\n";
    if (melody.meter == 2 || melody.meter == 3 || melody.meter == 4)
        text += "// meter " + QByteArray::number(melody.meter) + "/4\n"; // as the staff shows it
    text += "t" + QByteArray::number(melody.tempo) + '\n';

    // Octave, length and articulation before the first note and wherever
    // they change: no reader has to assume any of them.
    std::optional<Octave> octave;
    std::optional<NoteLength> length;
    std::optional<Articulation> articulation;
    int onLine = 0;
    for (const NoteRecord &note : melody.notes) {
        QByteArray word;
        if (note.octave != octave) {
            octave = note.octave;
            word += "o" + QByteArray::number(int(*octave) + 3) + ' ';
        }
        if (note.length != length) {
            length = note.length;
            word += QByteArray("l") + noteLengthEntry(*length).fraction + ' ';
        }
        if (note.articulation != articulation) {
            articulation = note.articulation;
            word += "q" + QByteArray::number(gateOf(*articulation)) + ' ';
        }
        word += note.isRest() ? "r" : PitchLetters[std::size_t(note.pitch)];
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
