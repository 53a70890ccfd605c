#pragma once

#include <QString>

// Why the system refused, in words of the program's own language: the system's
// texts are English under the C locale and many desktop set-ups. A reason the
// program has no words for gives the system's own text.
enum class FileAccess { Write, Read };
QString systemReasonText(int error, FileAccess access = FileAccess::Write);
