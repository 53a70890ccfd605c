#include "composer/NoteTables.h"

const std::array<PitchEntry, 12> &pitchTable()
{
    static const std::array<PitchEntry, 12> table{{
        {QStringLiteral("C"), QStringLiteral("ド")},
        {QStringLiteral("CS"), QStringLiteral("ド＃")},
        {QStringLiteral("D"), QStringLiteral("レ")},
        {QStringLiteral("DS"), QStringLiteral("レ＃")},
        {QStringLiteral("E"), QStringLiteral("ミ")},
        {QStringLiteral("F"), QStringLiteral("ファ")},
        {QStringLiteral("FS"), QStringLiteral("ファ＃")},
        {QStringLiteral("G"), QStringLiteral("ソ")},
        {QStringLiteral("GS"), QStringLiteral("ソ＃")},
        {QStringLiteral("A"), QStringLiteral("ラ")},
        {QStringLiteral("AS"), QStringLiteral("ラ＃")},
        {QStringLiteral("B"), QStringLiteral("シ")},
    }};
    return table;
}

const OctaveEntry &octaveEntry(Octave octave)
{
    static const std::array<OctaveEntry, 5> table{{
        {Octave::Lowest, QStringLiteral("ML"), QStringLiteral("（最低音）")},
        {Octave::Low, QStringLiteral("L"), QStringLiteral("（低音）")},
        {Octave::Middle, QString(), QStringLiteral("（中音）")},
        {Octave::High, QStringLiteral("H"), QStringLiteral("（高音）")},
        {Octave::Highest, QStringLiteral("MH"), QStringLiteral("（最高音）")},
    }};
    return table[static_cast<std::size_t>(octave)];
}

Octave octaveForCode(const QString &code)
{
    for (Octave octave : {Octave::Lowest, Octave::Low, Octave::High, Octave::Highest}) {
        if (octaveEntry(octave).code == code)
            return octave;
    }
    return Octave::Middle;
}

const ArticulationEntry &articulationEntry(Articulation articulation)
{
    static const std::array<ArticulationEntry, 3> table{{
        {Articulation::Normal, 10, QStringLiteral("－音間普通")},
        {Articulation::Staccato, 20, QStringLiteral("－スタッカート")},
        {Articulation::SlurOrTie, 0, QStringLiteral("－スラーorタイ")},
    }};
    return table[static_cast<std::size_t>(articulation)];
}
