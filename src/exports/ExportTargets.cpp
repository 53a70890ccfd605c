#include "exports/ExportTargets.h"

#include <algorithm>

ExportedProgram exportProgram(ExportTarget target, std::span<const NoteRecord> notes, int tempo)
{
    switch (target) {
    case ExportTarget::Nxc:
        return nxcProgram(notes, tempo);
    case ExportTarget::Pybricks:
        return pybricksProgram(notes, tempo);
    case ExportTarget::Microbit:
        return microbitProgram(notes, tempo);
    case ExportTarget::Ev3dev:
        return ev3devProgram(notes, tempo);
    }
    return {};
}

const std::array<const char *, PitchCount> &englishPitchNames()
{
    static const std::array<const char *, PitchCount> names{"C",  "C#", "D",  "D#", "E",  "F",
                                                            "F#", "G",  "G#", "A",  "A#", "B"};
    return names;
}

void appendListLines(QByteArray &text, const QList<QByteArray> &items, int perLine)
{
    for (qsizetype i = 0; i < items.size(); ++i) {
        text += (i % perLine == 0 ? "    " : " ") + items[i] + ',';
        if (i % perLine == perLine - 1 || i + 1 == items.size())
            text += '\n';
    }
}

QByteArray exportHeading(std::span<const NoteRecord> notes, int tempo)
{
    const auto rests = std::count_if(notes.begin(), notes.end(), [](const NoteRecord &note) { return note.isRest(); });
    return QStringLiteral("Written by ZEPA: tempo %1, %2 notes and %3 rests")
        .arg(tempo)
        .arg(qsizetype(notes.size()) - rests)
        .arg(rests)
        .toUtf8();
}
