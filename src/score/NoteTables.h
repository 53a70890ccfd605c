#pragma once

#include <array>

#include <QCoreApplication>
#include <QString>

// The fixed choices a note is made of and the words the user sees for them.

inline constexpr int PitchCount = 12;
// ド to シ in pitch order: "ド", "ド＃", … "シ".
std::array<QString, PitchCount> pitchNames();

enum class Octave { Lowest, Low, Middle, High, Highest };
inline constexpr std::array<Octave, 5> AllOctaves{Octave::Lowest, Octave::Low, Octave::Middle, Octave::High,
                                                  Octave::Highest};
// "（最低音）" … "（最高音）"
QString octaveText(Octave octave);

enum class Articulation { Normal, Staccato, SlurOrTie };
inline constexpr std::array<Articulation, 3> AllArticulations{Articulation::Normal, Articulation::Staccato,
                                                              Articulation::SlurOrTie};
// Ticks of silence at the end of a note: 10 normal, 20 staccato, none for a
// slur or tie.
constexpr qint16 gapTicks(Articulation articulation)
{
    switch (articulation) {
    case Articulation::Normal:
        return 10;
    case Articulation::Staccato:
        return 20;
    case Articulation::SlurOrTie:
        return 0;
    }
    return 10;
}
// "－音間普通", "－スタッカート", "－スラーorタイ"
QString articulationText(Articulation articulation);

inline QString NoPitchText()
{
    return QCoreApplication::translate("NoteTables", "音未選択");
}
inline QString RestText()
{
    return QCoreApplication::translate("NoteTables", "休");
}
