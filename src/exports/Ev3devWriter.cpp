#include "exports/ExportTargets.h"

namespace {

// ev3dev's play_song names lengths w, h, q, e and s, a dot for a dotted one and
// a 3 for a triplet. It has no thirty-second note: the nearest it names is the
// sixteenth triplet.
const char *lengthName(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return "w";
    case NoteLength::Half:
        return "h";
    case NoteLength::Quarter:
        return "q";
    case NoteLength::Eighth:
        return "e";
    case NoteLength::Sixteenth:
        return "s";
    case NoteLength::ThirtySecond:
    case NoteLength::SixteenthTriplet:
        return "s3";
    case NoteLength::DottedHalf:
        return "h.";
    case NoteLength::DottedQuarter:
        return "q.";
    case NoteLength::DottedEighth:
        return "e.";
    case NoteLength::DottedSixteenth:
        return "s.";
    case NoteLength::QuarterTriplet:
        return "q3";
    case NoteLength::EighthTriplet:
        return "e3";
    }
    return "q";
}

} // namespace

// play_song plays every note with the same short pause after it, so the
// articulations cannot be told apart: staccato notes and slurs are written as
// normal notes.
ExportedProgram ev3devProgram(std::span<const NoteRecord> notes, int tempo)
{
    ExportedProgram program;
    QByteArray &text = program.text;
    text += "#!/usr/bin/env python3\n";
    text += "# " + exportHeading(notes, tempo) + "\n";
    text += "# For the EV3 running ev3dev.\n";
    text += "from ev3dev2.sound import Sound\n\n";
    text += "SONG = (\n";
    int thirtySeconds = 0;
    int articulated = 0;
    QList<QByteArray> items;
    for (const NoteRecord &note : notes) {
        QByteArray name = "R";
        if (!note.isRest()) {
            name = QByteArray(englishPitchNames()[note.pitch]) + QByteArray::number(scientificOctave(note.octave));
            articulated += note.articulation != Articulation::Normal;
        }
        thirtySeconds += note.length == NoteLength::ThirtySecond;
        items.append("(\"" + name + "\", \"" + lengthName(note.length) + "\")");
    }
    appendListLines(text, items, 6);
    text += ")\n\nSound().play_song(SONG, tempo=" + QByteArray::number(tempo) + ")\n";
    if (thirtySeconds > 0) {
        program.changes.append(
            {QStringLiteral("ev3dev には三十二分音符がないので、%1 個をいちばん近い三連十六分音符にしました。")
                 .arg(thirtySeconds),
             QStringLiteral("ev3dev has no thirty-second note: %1 became sixteenth triplets, the nearest it has.")
                 .arg(thirtySeconds)});
    }
    if (articulated > 0) {
        program.changes.append({QStringLiteral("ev3dev では音の区切りを選べないので、スタッカートとスラー・タイの "
                                               "%1 音を普通の音として書きました。")
                                    .arg(articulated),
                                QStringLiteral("ev3dev plays every note alike: %1 staccato and slurred notes were "
                                               "written as normal notes.")
                                    .arg(articulated)});
    }
    return program;
}
