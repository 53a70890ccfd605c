#pragma once

#include <array>
#include <span>

#include <QByteArray>
#include <QString>
#include <QStringList>

#include "score/NoteRecord.h"

// The bricks that followed the RCX, each with the program form its own
// software plays a melody from.
enum class ExportTarget { Nxc, Pybricks, Microbit, Ev3dev };

inline constexpr std::array<ExportTarget, 4> AllExportTargets{ExportTarget::Nxc, ExportTarget::Pybricks,
                                                              ExportTarget::Microbit, ExportTarget::Ev3dev};

// Something a platform could not play as the RCX does, and what was written
// instead, for the user in either language.
struct ExportChange {
    QString text; // in the windows' language

    bool operator==(const ExportChange &) const = default;
};

struct ExportedProgram {
    QByteArray text;
    QList<ExportChange> changes; // empty when the platform plays the melody as the RCX does
};

// The melody as a program for the target: the same tones, in the same order,
// as near the RCX's timing as the platform allows.
ExportedProgram exportProgram(ExportTarget target, std::span<const NoteRecord> notes, int tempo);

// Each platform's writer.
ExportedProgram nxcProgram(std::span<const NoteRecord> notes, int tempo);
ExportedProgram pybricksProgram(std::span<const NoteRecord> notes, int tempo);
ExportedProgram microbitProgram(std::span<const NoteRecord> notes, int tempo);
ExportedProgram ev3devProgram(std::span<const NoteRecord> notes, int tempo);

// How many bytes nbc makes of the NXC program, as the NXT stores it.
qint64 nxtProgramBytes(std::span<const NoteRecord> notes);

// Shared by the writers that name notes: "C", "C#", … "B", and the octave of
// scientific pitch notation (ZEPA's middle ド, 523 Hz, is C5).
const std::array<const char *, PitchCount> &englishPitchNames();
constexpr int scientificOctave(Octave octave)
{
    return static_cast<int>(octave) + 3;
}
// Items of a list literal, each followed by a comma, perLine to an indented
// line.
void appendListLines(QByteArray &text, const QList<QByteArray> &items, int perLine);
// The first line every exported program opens with, after the comment mark.
QByteArray exportHeading(std::span<const NoteRecord> notes, int tempo);
