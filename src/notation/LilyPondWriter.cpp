#include "notation/LilyPondWriter.h"

#include <array>

namespace {

constexpr std::array<const char *, 7> Letters{"c", "d", "e", "f", "g", "a", "b"};

// LilyPond's absolute octaves: c is C3, c' C4, c, C2.
QByteArray pitchWord(const WrittenPitch &pitch)
{
    QByteArray word = Letters[std::size_t(pitch.letter)];
    if (pitch.sharp)
        word += "is";
    for (int octave = 3; octave < pitch.octave; ++octave)
        word += '\'';
    for (int octave = 3; octave > pitch.octave; --octave)
        word += ',';
    return word;
}

// Triplets are written at their plain length inside \tuplet 3/2.
const char *durationWord(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return "1";
    case NoteLength::Half:
        return "2";
    case NoteLength::Quarter:
    case NoteLength::QuarterTriplet:
        return "4";
    case NoteLength::Eighth:
    case NoteLength::EighthTriplet:
        return "8";
    case NoteLength::Sixteenth:
    case NoteLength::SixteenthTriplet:
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
    }
    return "4";
}

QByteArray quoted(const QString &text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('\\', "\\\\");
    bytes.replace('"', "\\\"");
    bytes.replace('\n', ' ');
    return '"' + bytes + '"';
}

} // namespace

QByteArray lilyPondText(const WrittenMelody &melody, const QString &title)
{
    QByteArray text = "\\version \"2.24.0\"\n";
    text += "\\header {\n";
    if (!title.isEmpty())
        text += "  title = " + quoted(title) + '\n';
    text += "  tagline = ##f\n}\n\n";
    text += "\\score {\n  \\new Staff {\n    \\clef treble\n";
    // The accidentals ZEPA's staff shows and no others: LilyPond's "forget"
    // shows each sharp note's sharp; a sharp the bar already carries is
    // omitted, and a natural forced (!) where ZEPA shows one.
    text += "    \\accidentalStyle forget\n";
    // The beams ZEPA's staff draws, and no others.
    text += "    \\autoBeamOff\n";
    text += "    \\tempo 4 = " + QByteArray::number(melody.tempo) + '\n';
    if (melody.meter > 0) {
        text += "    \\time " + QByteArray::number(melody.meter) + "/4\n";
    } else {
        text += "    \\omit Staff.TimeSignature\n    \\cadenzaOn\n";
    }
    text += "    ";
    int shift = 0;
    auto slur = melody.slurs.begin();
    int onLine = 0;
    for (std::size_t i = 0; i < melody.pieces.size(); ++i) {
        const WrittenPiece &piece = melody.pieces[i];
        QByteArray word;
        if (!piece.rest && piece.pitch.shift != shift) {
            shift = piece.pitch.shift;
            word += "\\ottava #" + QByteArray::number(shift) + ' ';
        }
        // A bar the meter cannot hold is counted by no meter: LilyPond draws
        // no bar line of its own inside it and begins the next bar after it.
        if (melody.meter > 0 && piece.irregularBar
            && (i == 0 || !melody.pieces[i - 1].irregularBar || melody.pieces[i - 1].barAfter))
            word += "\\cadenzaOn ";
        const bool opensTuplet = piece.tuplet >= 0 && melody.tuplets[std::size_t(piece.tuplet)].first == int(i);
        const bool closesTuplet = piece.tuplet >= 0 && melody.tuplets[std::size_t(piece.tuplet)].last == int(i);
        if (opensTuplet)
            word += "\\tuplet 3/2 { ";
        if (!piece.rest && piece.pitch.sharp && piece.accidental == ShownAccidental::None)
            word += "\\once \\omit Accidental ";
        word += piece.rest ? QByteArray("r") : pitchWord(piece.pitch);
        if (!piece.rest && piece.accidental == ShownAccidental::Natural)
            word += '!';
        word += durationWord(piece.shown);
        for (const BeamGroup &beam : melody.beams) {
            if (beam.first == int(i))
                word += '[';
            else if (beam.last == int(i))
                word += ']';
        }
        if (piece.staccato)
            word += "-.";
        if (piece.tenuto)
            word += "--";
        if (piece.tiedToNext)
            word += '~';
        if (slur != melody.slurs.end() && slur->first == int(i)) {
            word += '(';
        } else if (slur != melody.slurs.end() && slur->last == int(i)) {
            word += ')';
            ++slur;
        }
        if (closesTuplet)
            word += " }";
        if (piece.barAfter && piece.irregularBar)
            word += " \\cadenzaOff \\bar \"|\""; // the bar the meter cannot hold ends
        else if (piece.barAfter)
            word += " |"; // LilyPond checks that the bar ends here
        if (melody.meter == 0)
            word += " \\bar \"\""; // a line may break here
        text += word;
        if (++onLine == 8) {
            text += "\n    ";
            onLine = 0;
        } else {
            text += ' ';
        }
    }
    if (shift != 0)
        text += "\\ottava #0 ";
    text += melody.meter == 0 ? "\\cadenzaOff \\bar \"|.\"\n" : "\\bar \"|.\"\n";
    text += "  }\n  \\layout { }\n}\n";
    return text;
}
