#pragma once

#include <optional>
#include <variant>

#include <QKeyEvent>
#include <QKeySequence>

#include "score/NoteRecord.h"

// The computer keyboard as a way to enter notes, taken by the place of the key
// so that Japanese and US layouts work alike:
//   Z S X D C V G B H N J M   ド ド＃ レ レ＃ ミ ファ ファ＃ ソ ソ＃ ラ ラ＃ シ
//   Page Up / Page Down       octave up / down
//   1 … 6                     4/4 … 1/32; Shift with 1 … 4: 3/4 … 3/32
//   7 8 9                     the triplets
//   , . /                     normal, staccato, slur or tie
//   0                         rest
//   Return                    confirm
//   BackSpace                 clear the last note
// Space, Tab and the arrows keep their usual meaning on the form.
namespace NoteKeys {

enum class Command { OctaveUp, OctaveDown, Rest, Confirm, Clear };
struct PitchKey {
    int pitch;
};
using Action = std::variant<PitchKey, NoteLength, Articulation, Command>;

// What a key press does, if anything.
std::optional<Action> actionFor(const QKeyEvent &event);

// The keys that enter notes, as 「ヘルプ」→「キー操作」 lists them: each key
// and what it does, the twelve pitch keys first. The menu commands' keys
// come from the window's table of commands.
QList<std::pair<QString, QString>> keyList();

// The score window moves the octave of the chosen notes with keys that no
// list or view takes for moving about (Page Up and Page Down scroll there).
inline const QKeySequence ScoreOctaveUp{Qt::ALT | Qt::Key_PageUp};
inline const QKeySequence ScoreOctaveDown{Qt::ALT | Qt::Key_PageDown};
// Those keys as the key list shows them, with what they do.
QList<std::pair<QString, QString>> scoreWindowKeys();

} // namespace NoteKeys
