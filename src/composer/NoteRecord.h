#pragma once

#include <QString>

// One note or rest of the score. Codes go to the written program, texts to the
// screen; lengths are ticks of 10 ms.
struct NoteRecord {
    QString PitchCode;   // "C", "CS", … "B"; empty for a rest or while no pitch is chosen
    QString PitchText;   // "ド", "ド＃", …; "休" for a rest; "音未選択" while no pitch is chosen
    QString OctaveCode;  // "ML", "L", empty for the middle octave, "H", "MH"
    QString OctaveText;  // "（最低音）" … "（最高音）"
    qint16 GapMode = 0;  // ticks of silence at the end: 10 normal, 20 staccato, 0 slur or tie
    QString GapText;
    qint16 Length = 0;   // the whole note or rest, sound and gap together
    QString LengthText;
    QString Summary;     // the four texts joined, as Label40 shows it
    qint16 IsRest = 0;   // 1 for a rest
    qint16 SoundLength = 0; // only the writer fills it in

    bool operator==(const NoteRecord &) const = default;
};
