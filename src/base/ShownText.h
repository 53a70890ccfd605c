#pragma once

#include <QString>

// A text as a box or a terminal can show it whole: a control character that
// a file put into it (a NUL ends a C string and every label drawn from it)
// is written as its code, "U+0000"; line breaks and tabs stay.
QString shownWhole(const QString &text);
