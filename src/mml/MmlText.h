#pragma once

#include <QByteArray>
#include <QString>

// The text of a melody file, in whatever encoding it was saved: UTF-8 (with
// or without a byte order mark), UTF-16 by its byte order mark, or else
// Shift_JIS, as Japanese editors on Windows save MML song files. Full-width
// digits, letters and signs are read as their ASCII forms, one character for
// one, so that lines and columns stay where the author sees them.
QString mmlText(const QByteArray &bytes);
