#include "score/NoteTables.h"

#include <QCoreApplication>

// The words are translated each time they are asked for, so they follow the
// language installed last.
std::array<QString, PitchCount> pitchNames()
{
    static const char *const names[PitchCount] = {
        QT_TRANSLATE_NOOP("NoteTables", "ド"),     QT_TRANSLATE_NOOP("NoteTables", "ド＃"),
        QT_TRANSLATE_NOOP("NoteTables", "レ"),     QT_TRANSLATE_NOOP("NoteTables", "レ＃"),
        QT_TRANSLATE_NOOP("NoteTables", "ミ"),     QT_TRANSLATE_NOOP("NoteTables", "ファ"),
        QT_TRANSLATE_NOOP("NoteTables", "ファ＃"), QT_TRANSLATE_NOOP("NoteTables", "ソ"),
        QT_TRANSLATE_NOOP("NoteTables", "ソ＃"),   QT_TRANSLATE_NOOP("NoteTables", "ラ"),
        QT_TRANSLATE_NOOP("NoteTables", "ラ＃"),   QT_TRANSLATE_NOOP("NoteTables", "シ"),
    };
    std::array<QString, PitchCount> translated;
    for (int pitch = 0; pitch < PitchCount; ++pitch)
        translated[std::size_t(pitch)] = QCoreApplication::translate("NoteTables", names[pitch]);
    return translated;
}

QString octaveText(Octave octave)
{
    static const char *const texts[5] = {
        QT_TRANSLATE_NOOP("NoteTables", "（最低音）"), QT_TRANSLATE_NOOP("NoteTables", "（低音）"),
        QT_TRANSLATE_NOOP("NoteTables", "（中音）"),   QT_TRANSLATE_NOOP("NoteTables", "（高音）"),
        QT_TRANSLATE_NOOP("NoteTables", "（最高音）"),
    };
    return QCoreApplication::translate("NoteTables", texts[static_cast<std::size_t>(octave)]);
}

QString articulationText(Articulation articulation)
{
    static const char *const texts[3] = {
        QT_TRANSLATE_NOOP("NoteTables", "－音間普通"),
        QT_TRANSLATE_NOOP("NoteTables", "－スタッカート"),
        QT_TRANSLATE_NOOP("NoteTables", "－スラーorタイ"),
    };
    return QCoreApplication::translate("NoteTables", texts[static_cast<std::size_t>(articulation)]);
}
