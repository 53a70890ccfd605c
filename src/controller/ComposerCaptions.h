#pragma once

#include <span>

#include <QString>

#include "score/ScoreEditor.h"

// The composer's two lines of words, made from what the editor holds.

// Under the note being composed: its description ("ラ＃（高音）－スタッカート－全音符"),
// or the word of the command just done ("入力成功", "クリア成功").
QString descriptionCaption(const ScoreEditor &editor);
// The pitch names of the last ten notes, oldest first.
QString historyCaption(std::span<const NoteRecord> notes);
