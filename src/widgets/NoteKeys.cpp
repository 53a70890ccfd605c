#include "widgets/NoteKeys.h"

#include <QCoreApplication>

namespace NoteKeys {
namespace {

// X11 key codes (evdev + 8) of the keys by their place, and the Qt keys they
// give on a US layout, for platforms that report no place.
struct Place {
    quint32 scanCode;
    int key;
};

constexpr Place PianoKeys[PitchCount] = {
    {52, Qt::Key_Z}, {39, Qt::Key_S}, {53, Qt::Key_X}, {40, Qt::Key_D}, {54, Qt::Key_C}, {55, Qt::Key_V},
    {42, Qt::Key_G}, {56, Qt::Key_B}, {43, Qt::Key_H}, {57, Qt::Key_N}, {44, Qt::Key_J}, {58, Qt::Key_M},
};
// The digit row, 1 to 9 and 0; with Shift a US layout gives the signs.
constexpr Place Digits[10] = {
    {10, Qt::Key_1}, {11, Qt::Key_2}, {12, Qt::Key_3}, {13, Qt::Key_4}, {14, Qt::Key_5},
    {15, Qt::Key_6}, {16, Qt::Key_7}, {17, Qt::Key_8}, {18, Qt::Key_9}, {19, Qt::Key_0},
};
constexpr int ShiftedDigits[4] = {Qt::Key_Exclam, Qt::Key_At, Qt::Key_NumberSign, Qt::Key_Dollar};
constexpr Place Comma{59, Qt::Key_Comma};
constexpr Place Period{60, Qt::Key_Period};
constexpr Place Slash{61, Qt::Key_Slash};

bool at(const QKeyEvent &event, const Place &place)
{
    if (event.nativeScanCode() != 0)
        return event.nativeScanCode() == place.scanCode;
    return event.key() == place.key;
}

} // namespace

std::optional<Action> actionFor(const QKeyEvent &event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~(Qt::KeypadModifier);
    // Keys with Ctrl or Alt belong to the menus.
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const bool shift = modifiers & Qt::ShiftModifier;
    switch (event.key()) {
    case Qt::Key_PageUp:
        return Command::OctaveUp;
    case Qt::Key_PageDown:
        return Command::OctaveDown;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Command::Confirm;
    case Qt::Key_Backspace:
        return Command::Clear;
    default:
        break;
    }
    if (shift) {
        constexpr NoteLength dotted[4] = {NoteLength::DottedHalf, NoteLength::DottedQuarter, NoteLength::DottedEighth,
                                          NoteLength::DottedSixteenth};
        for (int i = 0; i < 4; ++i) {
            if (event.nativeScanCode() != 0 ? event.nativeScanCode() == Digits[i].scanCode
                                            : event.key() == ShiftedDigits[i] || event.key() == Digits[i].key)
                return dotted[i];
        }
        return std::nullopt;
    }
    for (int pitch = 0; pitch < PitchCount; ++pitch) {
        if (at(event, PianoKeys[pitch]))
            return PitchKey{pitch};
    }
    constexpr NoteLength byDigit[9]
        = {NoteLength::Whole,          NoteLength::Half,          NoteLength::Quarter,
           NoteLength::Eighth,         NoteLength::Sixteenth,     NoteLength::ThirtySecond,
           NoteLength::QuarterTriplet, NoteLength::EighthTriplet, NoteLength::SixteenthTriplet};
    for (int i = 0; i < 9; ++i) {
        if (at(event, Digits[i]))
            return byDigit[i];
    }
    if (at(event, Digits[9]))
        return Command::Rest;
    if (at(event, Comma))
        return Articulation::Normal;
    if (at(event, Period))
        return Articulation::Staccato;
    if (at(event, Slash))
        return Articulation::SlurOrTie;
    return std::nullopt;
}

QList<std::pair<QString, QString>> keyList()
{
    const auto words = [](const char *text) { return QCoreApplication::translate("NoteKeys", text); };
    QList<std::pair<QString, QString>> list;
    const std::array<QString, PitchCount> pitches = pitchNames();
    for (int pitch = 0; pitch < PitchCount; ++pitch)
        list.append({QString(QChar(char16_t(PianoKeys[pitch].key))), pitches[std::size_t(pitch)]});
    const std::pair<const char *, const char *> others[] = {
        {"Page Up", QT_TRANSLATE_NOOP("NoteKeys", "音の高さを一つ上げる")},
        {"Page Down", QT_TRANSLATE_NOOP("NoteKeys", "音の高さを一つ下げる")},
        {"1", QT_TRANSLATE_NOOP("NoteKeys", "４／４")},
        {"2", QT_TRANSLATE_NOOP("NoteKeys", "２／４")},
        {"3", QT_TRANSLATE_NOOP("NoteKeys", "１／４")},
        {"4", QT_TRANSLATE_NOOP("NoteKeys", "１／８")},
        {"5", QT_TRANSLATE_NOOP("NoteKeys", "１／１６")},
        {"6", QT_TRANSLATE_NOOP("NoteKeys", "１／３２")},
        {"Shift+1", QT_TRANSLATE_NOOP("NoteKeys", "３／４")},
        {"Shift+2", QT_TRANSLATE_NOOP("NoteKeys", "３／８")},
        {"Shift+3", QT_TRANSLATE_NOOP("NoteKeys", "３／１６")},
        {"Shift+4", QT_TRANSLATE_NOOP("NoteKeys", "３／３２")},
        {"7", QT_TRANSLATE_NOOP("NoteKeys", "三連四分音符")},
        {"8", QT_TRANSLATE_NOOP("NoteKeys", "三連八分音符")},
        {"9", QT_TRANSLATE_NOOP("NoteKeys", "三連十六分音符")},
        {",", QT_TRANSLATE_NOOP("NoteKeys", "普通の長さ")},
        {".", QT_TRANSLATE_NOOP("NoteKeys", "スタッカート")},
        {"/", QT_TRANSLATE_NOOP("NoteKeys", "スラーまたはタイ")},
        {"0", QT_TRANSLATE_NOOP("NoteKeys", "休符")},
        {"Enter", QT_TRANSLATE_NOOP("NoteKeys", "入力確定")},
        {"BackSpace", QT_TRANSLATE_NOOP("NoteKeys", "一つ前の音をクリアする")},
    };
    for (const auto &[key, meaning] : others)
        list.append({QString::fromLatin1(key), words(meaning)});
    return list;
}

QList<std::pair<QString, QString>> scoreWindowKeys()
{
    return {
        {ScoreOctaveUp.toString(QKeySequence::NativeText),
         QCoreApplication::translate("NoteKeys", "選んだ音を1オクターブ上げる（楽譜の画面）")},
        {ScoreOctaveDown.toString(QKeySequence::NativeText),
         QCoreApplication::translate("NoteKeys", "選んだ音を1オクターブ下げる（楽譜の画面）")},
    };
}

} // namespace NoteKeys
