#pragma once

// How a journal writes and reads its lines. Only the journal includes this.

#include <optional>

#include <QByteArray>

#include "journal/RecoveryJournal.h"

namespace JournalText {

inline const QByteArray Heading = "ZEPA journal 2\n";
inline const QByteArray FirstHeading = "ZEPA journal 1\n";

QByteArray noteLine(char kind, const NoteRecord &note);
void appendNoteLine(QByteArray &text, char kind, const NoteRecord &note);
QByteArray fileLine(char kind, const QString &path);
QByteArray whole(const JournalDocument &document);
std::optional<JournalDocument> read(const QByteArray &text);

} // namespace JournalText
