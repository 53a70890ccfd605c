#pragma once

#include <array>

#include <QString>

// The fixed pairs that the selection controls write into the note being
// composed: a code for the written program and a text for the user.

struct PitchEntry {
    QString code;
    QString text;
};
// In pitch order, ド to シ: the pitch labels Label1 to Label12.
const std::array<PitchEntry, 12> &pitchTable();

enum class Octave { Lowest, Low, Middle, High, Highest };
struct OctaveEntry {
    Octave octave;
    QString code;
    QString text;
};
const OctaveEntry &octaveEntry(Octave octave);
// The octave whose button shows a stored octave code; anything unknown is the middle.
Octave octaveForCode(const QString &code);

enum class Articulation { Normal, Staccato, SlurOrTie };
struct ArticulationEntry {
    Articulation articulation;
    qint16 gapMode;
    QString text;
};
const ArticulationEntry &articulationEntry(Articulation articulation);

inline const QString NoPitchText = QStringLiteral("音未選択");
inline const QString RestText = QStringLiteral("休");
