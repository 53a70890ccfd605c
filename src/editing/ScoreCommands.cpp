#include "editing/ScoreCommands.h"

#include <QCoreApplication>

#include "editing/ScoreDocument.h"

ScoreCommand::ScoreCommand(ScoreDocument &document, const QString &name)
    : QUndoCommand(name)
    , m_document(document)
{ }

void ScoreCommand::redo()
{
    apply();
    m_document.stepDone();
}

void ScoreCommand::undo()
{
    revert();
    m_document.stepDone();
}

ScoreEditor &ScoreCommand::editor()
{
    return m_document.m_editor;
}

int ScoreCommand::meter() const
{
    return m_document.m_meter;
}

void ScoreCommand::setMeter(int meter)
{
    m_document.m_meter = meter;
}

std::pair<QString, QString> ScoreCommand::files() const
{
    return {m_document.m_melodyFile, m_document.m_sourceFile};
}

void ScoreCommand::setFiles(const QString &melodyFile, const QString &sourceFile)
{
    m_document.m_melodyFile = melodyFile;
    m_document.m_sourceFile = sourceFile;
    emit m_document.fileChanged();
}

ConfirmCommand::ConfirmCommand(ScoreDocument &document)
    : ScoreCommand(document, QCoreApplication::translate("ScoreCommands", "入力確定"))
    , m_index(document.state().noteTotal())
    , m_note(document.state().currentNote)
{ }

void ConfirmCommand::apply()
{
    if (m_done)
        editor().insertNotes(m_index, std::span(&m_note, 1));
    else
        editor().confirm();
    m_done = true;
}

void ConfirmCommand::revert()
{
    editor().removeNotes(m_index, 1);
}

ClearCommand::ClearCommand(ScoreDocument &document)
    : ScoreCommand(document, QCoreApplication::translate("ScoreCommands", "クリア"))
    , m_index(document.state().noteTotal() - 1)
    , m_note(document.notes().back())
{ }

void ClearCommand::apply()
{
    if (m_done)
        editor().removeNotes(m_index, 1);
    else
        editor().clearPrevious();
    m_done = true;
}

void ClearCommand::revert()
{
    editor().insertNotes(m_index, std::span(&m_note, 1));
}

InsertNotesCommand::InsertNotesCommand(ScoreDocument &document, int index, std::vector<NoteRecord> notes,
                                       const QString &name)
    : ScoreCommand(document, name)
    , m_index(index)
    , m_notes(std::move(notes))
{ }

void InsertNotesCommand::apply()
{
    editor().insertNotes(m_index, m_notes);
}

void InsertNotesCommand::revert()
{
    editor().removeNotes(m_index, int(m_notes.size()));
}

RemoveNotesCommand::RemoveNotesCommand(ScoreDocument &document, int first, int count)
    : ScoreCommand(document, QCoreApplication::translate("ScoreCommands", "削除"))
    , m_first(first)
{
    const auto notes = document.notes().subspan(std::size_t(first), std::size_t(count));
    m_removed.assign(notes.begin(), notes.end());
}

void RemoveNotesCommand::apply()
{
    editor().removeNotes(m_first, int(m_removed.size()));
}

void RemoveNotesCommand::revert()
{
    editor().insertNotes(m_first, m_removed);
}

ReplaceNotesCommand::ReplaceNotesCommand(ScoreDocument &document, int first, std::vector<NoteRecord> after,
                                         const QString &name)
    : ScoreCommand(document, name)
    , m_first(first)
    , m_after(std::move(after))
{
    const auto before = document.notes().subspan(std::size_t(first), m_after.size());
    m_before.assign(before.begin(), before.end());
}

void ReplaceNotesCommand::apply()
{
    editor().replaceNotes(m_first, m_after);
}

void ReplaceNotesCommand::revert()
{
    editor().replaceNotes(m_first, m_before);
}

MoveNotesCommand::MoveNotesCommand(ScoreDocument &document, int first, int count, int by)
    : ScoreCommand(document,
                   by < 0 ? QCoreApplication::translate("ScoreCommands", "上へ")
                          : QCoreApplication::translate("ScoreCommands", "下へ"))
    , m_neighbour(by < 0 ? first - 1 : first + count)
    , m_neighbourTo(by < 0 ? first + count - 1 : first)
{ }

void MoveNotesCommand::carry(int from, int to)
{
    const std::vector<NoteRecord> note = editor().removeNotes(from, 1);
    editor().insertNotes(to, note);
}

void MoveNotesCommand::apply()
{
    carry(m_neighbour, m_neighbourTo);
}

void MoveNotesCommand::revert()
{
    carry(m_neighbourTo, m_neighbour);
}

TempoCommand::TempoCommand(ScoreDocument &document, int tempo)
    : ScoreCommand(document, QCoreApplication::translate("ScoreCommands", "テンポの変更"))
    , m_old(document.tempo())
    , m_new(tempo)
{ }

void TempoCommand::apply()
{
    editor().changeTempo(m_new);
}

void TempoCommand::revert()
{
    editor().changeTempo(m_old);
}

MeterCommand::MeterCommand(ScoreDocument &document, int meter)
    : ScoreCommand(document, QCoreApplication::translate("ScoreCommands", "拍子の変更"))
    , m_old(document.meter())
    , m_new(meter)
{ }

void MeterCommand::apply()
{
    setMeter(m_new);
}

void MeterCommand::revert()
{
    setMeter(m_old);
}

ImportCommand::ImportCommand(ScoreDocument &document, Melody melody, const QString &name)
    : ScoreCommand(document, name)
    , m_new(std::move(melody))
    , m_old(document.melody())
    , m_oldMelodyFile(document.melodyFile())
{
    m_oldSourceFile = files().second;
}

void ImportCommand::apply()
{
    setMeter(m_new.meter);
    editor().load(m_new.notes, m_new.tempo);
    setFiles(QString(), QString());
}

void ImportCommand::revert()
{
    // The score and tempo come back; the note being composed stays.
    editor().removeNotes(0, editor().state().noteTotal());
    editor().insertNotes(0, m_old.notes);
    editor().changeTempo(m_old.tempo);
    setMeter(m_old.meter);
    setFiles(m_oldMelodyFile, m_oldSourceFile);
}
