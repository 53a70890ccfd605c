#include "score/NoteLength.h"

#include <QCoreApplication>

#include "base/RoundHalfEven.h"

const std::array<NoteLengthEntry, NoteLengthCount> &noteLengthTable()
{
    // The dotted lengths divide a smaller dividend and multiply by 3 (3000 / tempo
    // × 3, not 6000 / tempo × 1.5): the order decides how halves round.
    static const std::array<NoteLengthEntry, NoteLengthCount> table{{
        {NoteLength::Whole, 6000, 4, 1, QT_TRANSLATE_NOOP("NoteLength", "－全音符"), "1"},
        {NoteLength::Half, 6000, 2, 1, QT_TRANSLATE_NOOP("NoteLength", "－二分音符"), "2"},
        {NoteLength::Quarter, 6000, 1, 1, QT_TRANSLATE_NOOP("NoteLength", "－四分音符"), "4"},
        {NoteLength::Eighth, 6000, 1, 2, QT_TRANSLATE_NOOP("NoteLength", "－八分音符"), "8"},
        {NoteLength::Sixteenth, 6000, 1, 4, QT_TRANSLATE_NOOP("NoteLength", "－十六分音符"), "16"},
        {NoteLength::ThirtySecond, 6000, 1, 8, QT_TRANSLATE_NOOP("NoteLength", "－三十二分音符"), "32"},
        {NoteLength::DottedHalf, 6000, 3, 1, QT_TRANSLATE_NOOP("NoteLength", "－二分＋四分音符"), "2."},
        {NoteLength::DottedQuarter, 3000, 3, 1, QT_TRANSLATE_NOOP("NoteLength", "－四分＋八分音符"), "4."},
        {NoteLength::DottedEighth, 1500, 3, 1, QT_TRANSLATE_NOOP("NoteLength", "－八分音符＋十六分音符"), "8."},
        {NoteLength::DottedSixteenth, 750, 3, 1, QT_TRANSLATE_NOOP("NoteLength", "－十六分音符＋三十二分音符"), "16."},
        {NoteLength::QuarterTriplet, 4000, 1, 1, QT_TRANSLATE_NOOP("NoteLength", "－三連四分音符"), "6"},
        {NoteLength::EighthTriplet, 2000, 1, 1, QT_TRANSLATE_NOOP("NoteLength", "－三連八分音符"), "12"},
        {NoteLength::SixteenthTriplet, 1000, 1, 1, QT_TRANSLATE_NOOP("NoteLength", "－三連十六分音符"), "24"},
    }};
    return table;
}

const NoteLengthEntry &noteLengthEntry(NoteLength length)
{
    return noteLengthTable()[static_cast<std::size_t>(length)];
}

QString lengthText(NoteLength length)
{
    return QCoreApplication::translate("NoteLength", noteLengthEntry(length).words);
}

qint16 lengthTicks(NoteLength length, int tempo)
{
    const NoteLengthEntry &entry = noteLengthEntry(length);
    double ticks = entry.dividend / static_cast<double>(tempo);
    if (entry.multiplier != 1)
        ticks *= entry.multiplier;
    if (entry.divisor != 1)
        ticks /= entry.divisor;
    // The tempo is 60..240, so every length lies between 3 and 400 ticks.
    return roundHalfEvenToInt16(ticks).value_or(0);
}
