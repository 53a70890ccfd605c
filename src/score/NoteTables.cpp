#include "score/NoteTables.h"

const std::array<QString, PitchCount> &pitchNames()
{
    static const std::array<QString, PitchCount> names{
        QStringLiteral("ド"),   QStringLiteral("ド＃"), QStringLiteral("レ"),     QStringLiteral("レ＃"),
        QStringLiteral("ミ"),   QStringLiteral("ファ"), QStringLiteral("ファ＃"), QStringLiteral("ソ"),
        QStringLiteral("ソ＃"), QStringLiteral("ラ"),   QStringLiteral("ラ＃"),   QStringLiteral("シ"),
    };
    return names;
}

const QString &octaveText(Octave octave)
{
    static const std::array<QString, 5> texts{
        QStringLiteral("（最低音）"), QStringLiteral("（低音）"),   QStringLiteral("（中音）"),
        QStringLiteral("（高音）"),   QStringLiteral("（最高音）"),
    };
    return texts[static_cast<std::size_t>(octave)];
}

const QString &articulationText(Articulation articulation)
{
    static const std::array<QString, 3> texts{
        QStringLiteral("－音間普通"),
        QStringLiteral("－スタッカート"),
        QStringLiteral("－スラーorタイ"),
    };
    return texts[static_cast<std::size_t>(articulation)];
}
