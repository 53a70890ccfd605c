#include "mml/MmlWriter.h"

#include <array>

#include "base/ProgramInfo.h"

namespace {

constexpr std::array<const char *, PitchCount> PitchLetters{"C",  "C+", "D",  "D+", "E",  "F",
                                                            "F+", "G",  "G+", "A",  "A+", "B"};

// ZEPA's thirteen lengths as MML writes them.
const char *lengthText(NoteLength length)
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
    QByteArray text = "; " + ProgramTitle.toUtf8() + ' ' + QByteArray::number(ProgramVersion.major) + '.'
        + QByteArray::number(ProgramVersion.minor) + '.' + QByteArray::number(ProgramVersion.revision) + '\n';
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
            word += QByteArray("L") + lengthText(length) + ' ';
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
