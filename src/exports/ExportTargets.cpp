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
    // The programs are in English whatever the windows speak: "1 note", "2 rests".
    const auto counted = [](qsizetype count, const char *one, const char *more) {
        return QStringLiteral("%1 %2").arg(count).arg(QLatin1String(count == 1 ? one : more));
    };
    return QStringLiteral("Written by ZEPA: tempo %1, %2 and %3")
        .arg(tempo)
        .arg(counted(qsizetype(notes.size()) - rests, "note", "notes"), counted(rests, "rest", "rests"))
        .toUtf8();
}
