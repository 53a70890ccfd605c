#pragma once

#include <QString>

class QMenuBar;

// The guide's table of the menus, made from the menu bar itself so that the
// guide names every command with the words, keys and description the menus
// and the screen reader give it:
//   ファイル(F)
//     新規作成(N)…                   Ctrl+N
//         テンポを決めて、新しい曲を始めます。
// A menu of commands (ほかのブロック用に書き出す) is listed inside, indented;
// a menu the program fills (the recent files, the languages) as one line.
// Columns are counted as a fixed-width Japanese font shows them: a Japanese
// letter, and "…", takes two.
QString menuGuide(const QMenuBar &bar);

// Columns a fixed-width font gives the text.
int displayWidth(const QString &text);
