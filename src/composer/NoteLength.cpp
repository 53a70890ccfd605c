#include "composer/NoteLength.h"

#include "app/RoundHalfEven.h"

const std::array<NoteLengthEntry, 13> &noteLengthTable()
{
    // The dotted lengths divide a smaller dividend and multiply by 3 (3000 / tempo
    // × 3, not 6000 / tempo × 1.5): the order decides how halves round.
    static const std::array<NoteLengthEntry, 13> table{{
        {NoteLength::Whole, QStringLiteral("Command101"), QStringLiteral("４／４"), 6000, 4, 1, QStringLiteral("－全音符")},
        {NoteLength::Half, QStringLiteral("Command102"), QStringLiteral("２／４"), 6000, 2, 1, QStringLiteral("－二分音符")},
        {NoteLength::Quarter, QStringLiteral("Command103"), QStringLiteral("１／４"), 6000, 1, 1, QStringLiteral("－四分音符")},
        {NoteLength::Eighth, QStringLiteral("Command104"), QStringLiteral("１／８"), 6000, 1, 2, QStringLiteral("－八分音符")},
        {NoteLength::Sixteenth, QStringLiteral("Command105"), QStringLiteral("１／１６"), 6000, 1, 4, QStringLiteral("－十六分音符")},
        {NoteLength::ThirtySecond, QStringLiteral("Command106"), QStringLiteral("１／３２"), 6000, 1, 8, QStringLiteral("－三十二分音符")},
        {NoteLength::DottedHalf, QStringLiteral("Command111"), QStringLiteral("３／４"), 6000, 3, 1, QStringLiteral("－二分＋四分音符")},
        {NoteLength::DottedQuarter, QStringLiteral("Command112"), QStringLiteral("３／８"), 3000, 3, 1, QStringLiteral("－四分＋八分音符")},
        {NoteLength::DottedEighth, QStringLiteral("Command113"), QStringLiteral("３／１６"), 1500, 3, 1, QStringLiteral("－八分音符＋十六分音符")},
        {NoteLength::DottedSixteenth, QStringLiteral("Command114"), QStringLiteral("３／３２"), 750, 3, 1, QStringLiteral("－十六分音符＋三十二分音符")},
        {NoteLength::QuarterTriplet, QStringLiteral("Command121"), QStringLiteral("三連四分音符"), 4000, 1, 1, QStringLiteral("－三連四分音符")},
        {NoteLength::EighthTriplet, QStringLiteral("Command122"), QStringLiteral("三連八分音符"), 2000, 1, 1, QStringLiteral("－三連八分音符")},
        {NoteLength::SixteenthTriplet, QStringLiteral("Command123"), QStringLiteral("三連十六分音符"), 1000, 1, 1, QStringLiteral("－三連十六分音符")},
    }};
    return table;
}

const NoteLengthEntry &noteLengthEntry(NoteLength length)
{
    return noteLengthTable()[static_cast<std::size_t>(length)];
}

qint16 lengthTicks(NoteLength length, qint16 tempo)
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
