#pragma once

#include <QString>

// What the program says of itself: the about window shows the title and the
// version, and a message box without a title of its own carries the title.
inline const QString ProgramTitle = QStringLiteral("NQC用簡易音楽作成ソフト「ZEPA」");

struct ProgramVersionNumbers {
    int major;
    int minor;
    int revision;
};

inline constexpr ProgramVersionNumbers ProgramVersion{1, 3, 2};

// The version record of the program file carries the same numbers as 1.3.0.2.
inline const QString ApplicationVersion = QStringLiteral("1.3.0.2");
