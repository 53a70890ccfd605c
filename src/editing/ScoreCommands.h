#pragma once

#include <vector>

#include <QUndoCommand>

#include "score/Melody.h"

class ScoreDocument;
class ScoreEditor;

// Every change of a document is one of these, on its one history. A command
// changes the score in redo() and gives it back in undo(); either way the
// document then tells the journal and the views the range that changed.
class ScoreCommand : public QUndoCommand {
public:
    void redo() final;
    void undo() final;

protected:
    ScoreCommand(ScoreDocument &document, const QString &name);
    virtual void apply() = 0;
    virtual void revert() = 0;

    ScoreEditor &editor();
    int meter() const;
    void setMeter(int meter);
    // The melody file and the file it came from; the document says they changed.
    std::pair<QString, QString> files() const;
    void setFiles(const QString &melodyFile, const QString &sourceFile);

private:
    ScoreDocument &m_document;
};

// The composer's confirm: the first time as the composer does it (the note
// being composed moves on); after an undo, the note alone comes back.
class ConfirmCommand : public ScoreCommand {
public:
    explicit ConfirmCommand(ScoreDocument &document);

private:
    void apply() override;
    void revert() override;
    bool m_done = false;
    int m_index;
    NoteRecord m_note;
};

// The composer's clear: the last note goes, and the note before it gives the
// choices for the next the first time; after an undo and a redo, it goes alone.
class ClearCommand : public ScoreCommand {
public:
    explicit ClearCommand(ScoreDocument &document);

private:
    void apply() override;
    void revert() override;
    bool m_done = false;
    int m_index;
    NoteRecord m_note;
};

class InsertNotesCommand : public ScoreCommand {
public:
    InsertNotesCommand(ScoreDocument &document, int index, std::vector<NoteRecord> notes, const QString &name);

private:
    void apply() override;
    void revert() override;
    int m_index;
    std::vector<NoteRecord> m_notes;
};

class RemoveNotesCommand : public ScoreCommand {
public:
    RemoveNotesCommand(ScoreDocument &document, int first, int count);

private:
    void apply() override;
    void revert() override;
    int m_first;
    std::vector<NoteRecord> m_removed;
};

// The notes from first on become after; before is kept for undo.
class ReplaceNotesCommand : public ScoreCommand {
public:
    ReplaceNotesCommand(ScoreDocument &document, int first, std::vector<NoteRecord> after, const QString &name);

private:
    void apply() override;
    void revert() override;
    int m_first;
    std::vector<NoteRecord> m_before;
    std::vector<NoteRecord> m_after;
};

// Notes first … first+count-1 one place up (by -1) or down (+1): their
// neighbour carried to their other side.
class MoveNotesCommand : public ScoreCommand {
public:
    MoveNotesCommand(ScoreDocument &document, int first, int count, int by);

private:
    void apply() override;
    void revert() override;
    void carry(int from, int to);
    int m_neighbour;
    int m_neighbourTo;
};

class TempoCommand : public ScoreCommand {
public:
    TempoCommand(ScoreDocument &document, int tempo);

private:
    void apply() override;
    void revert() override;
    int m_old;
    int m_new;
};

class MeterCommand : public ScoreCommand {
public:
    MeterCommand(ScoreDocument &document, int meter);

private:
    void apply() override;
    void revert() override;
    int m_old;
    int m_new;
};

// A melody brought in replaces the score, its tempo and meter, and the file
// the document belonged to; undo brings them back, the note being composed
// left as it is.
class ImportCommand : public ScoreCommand {
public:
    ImportCommand(ScoreDocument &document, Melody melody, const QString &name);

private:
    void apply() override;
    void revert() override;
    Melody m_new;
    Melody m_old;
    QString m_oldMelodyFile;
    QString m_oldSourceFile;
};
