#pragma once

#include <functional>
#include <span>

#include <QObject>
#include <QUndoStack>

#include "score/ScoreEditor.h"

// The score with its history of changes: every change to the score is one
// step that can be undone and redone. An undo step keeps what changed, not a
// copy of the score. Undoing restores the score, the note count and the full
// score's state; the note being composed and the option buttons stay as the
// user left them.
class ScoreDocument : public QObject {
    Q_OBJECT

public:
    ScoreDocument(ScoreEditor &editor, MessageService &messages, QObject *parent = nullptr);

    ScoreEditor &editor() { return m_editor; }
    QUndoStack &undoStack() { return m_undo; }
    const QUndoStack &undoStack() const { return m_undo; }

    // The composer's own commands, recorded when they change the score.
    void confirm();
    void clearPrevious();

    // The score window's edits; false, after a box where one is due, when refused.
    bool replace(int index, const NoteRecord &note);
    bool insertBefore(int index, const NoteRecord &note);
    void remove(int first, int count);
    // Moves notes first … first+count-1 one place up (-1) or down (+1).
    bool move(int first, int count, int by);

    // The whole melody.
    bool transpose(int semitones);
    void changeTempo(int tempo);
    // A whole new score, as opening a file or importing one gives; the step
    // is named after how it came.
    void open(std::span<const NoteRecord> notes, int tempo, const QString &stepName = QStringLiteral("開く"));

signals:
    // The score changed: by a command, an undo or a redo.
    void scoreChanged();

private:
    // Does redo (unless done already) and records it as one step.
    void push(const QString &name, std::function<void()> redo, std::function<void()> undo, bool done);

    ScoreEditor &m_editor;
    MessageService &m_messages;
    QUndoStack m_undo;
};
