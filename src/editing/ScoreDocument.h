#pragma once

#include <functional>
#include <optional>
#include <span>

#include <QObject>
#include <QUndoStack>

#include "score/Melody.h"
#include "score/ScoreEditor.h"

class RecoveryJournal;
struct JournalDocument;

// The one owner of a melody being composed: the score, the note being
// composed, the history of changes, the file it belongs to and its record in
// the recovery journal. Every change goes through here; the windows only
// draw what it says and hear of changes through its signals.
//
// Every change to the score is one step that can be undone and redone. A step
// keeps what changed, not a copy of the score. Undoing restores the score, the
// note count and the full score's state; the note being composed and the
// option buttons stay as the user left them. Opening a file or starting anew
// is a new document: its history starts empty.
class ScoreDocument : public QObject {
    Q_OBJECT

public:
    // journal: where every change is recorded; none keeps no record.
    explicit ScoreDocument(int tempo, RecoveryJournal *journal = nullptr, QObject *parent = nullptr);
    ~ScoreDocument() override;

    const ScoreEditor &editor() const { return m_editor; }
    const ComposerState &state() const { return m_editor.state(); }
    int tempo() const { return m_editor.tempo(); }
    // Quarter notes a bar as the staff shows the melody (4, 3 or 2); 0: no bars.
    int meter() const { return m_meter; }
    std::span<const NoteRecord> notes() const { return m_editor.state().notes(); }
    Melody melody() const;
    QUndoStack &undoStack() { return m_undo; }

    // The melody file the score is kept in, as an absolute path; empty until
    // it is saved in one (a program or a MIDI file opened is not one).
    const QString &melodyFile() const { return m_melodyFile; }
    // The file the melody came from or is kept in: "furusato.mml", "music0.nqc";
    // empty for a new melody or an imported one.
    QString fileName() const;
    // The melody's own name, its file's name without the ending: "furusato".
    QString name() const;
    // Changed since it was opened, started or saved.
    bool isModified() const { return !m_undo.isClean(); }
    // Notes that are not kept in a melody file as they are.
    bool hasUnsavedNotes() const;
    // The score is now kept in this melody file, as it is.
    void markSaved(const QString &melodyFile);

    // A new document: an empty score at the tempo, no file, no history.
    void startNew(int tempo);
    // A new document with a melody read from a file: its notes, its tempo,
    // as if entered by hand; isMelodyFile says whether saving may write back
    // to it. No history.
    void open(const Melody &melody, const QString &path, bool isMelodyFile);
    // A new document with the melody a journal kept: its notes, tempo, meter
    // and files, changed since it was saved when the journal says so.
    void restore(const Melody &melody, const QString &melodyFile, const QString &sourceFile, bool unsaved);
    // A melody brought in (a MIDI import) replaces the score as one step of
    // this document, named stepName; the document has no file until saved.
    // Undoing it brings back the score and the file it belonged to.
    void importMelody(const Melody &melody, const QString &stepName);

    // The choices that fill in the note being composed.
    void choosePitch(int pitchIndex);
    void chooseOctave(Octave octave);
    void chooseArticulation(Articulation articulation);
    void chooseLength(NoteLength length);
    void rest();
    EditResult repeatPrevious();
    // A note of the score becomes the note being composed.
    void takeNote(int index);

    // The composer's own commands, recorded when they change the score.
    // Every edit that can be refused says so and why; the caller tells the user.
    EditResult confirm();
    EditResult clearPrevious();

    // The score window's edits. Only a note with a pitch or a rest goes in.
    EditResult replace(int index, const NoteRecord &note);
    EditResult insertBefore(int index, const NoteRecord &note);
    void remove(int first, int count);
    // Moves notes first … first+count-1 one place up (-1) or down (+1).
    EditResult move(int first, int count, int by);

    // One thing of the notes first … first+count-1, as one step each, the
    // rest of every note as it was. A rest given a pitch becomes a note; the
    // other changes leave rests alone, but for the length. Moving the pitch
    // past the lowest or highest note is refused.
    void changePitch(int first, int count, int pitch);
    EditResult shiftPitch(int first, int count, int semitones);
    EditResult shiftOctave(int first, int count, int octaves);
    void changeLength(int first, int count, NoteLength length);
    void changeArticulation(int first, int count, Articulation articulation);
    void makeRest(int first, int count);

    // The whole melody.
    EditResult transpose(int semitones);
    void changeTempo(int tempo);
    // 4, 3, 2 or 0; nothing the brick plays changes.
    void changeMeter(int meter);

signals:
    // What the composer shows changed: the note being composed, the words
    // below it, the history or the score. Sent before any box that follows
    // the change, so that the user sees the change behind the box.
    void changed();
    // The score changed: by a command, an undo or a redo; change says which
    // notes (none where only the meter changed).
    void scoreChanged(const ScoreEditor::ScoreChange &change);
    // The file, the name or whether the melody is saved changed.
    void fileChanged();

private:
    friend class ScoreCommand;
    // A command has changed the score or given it back: the journal and the
    // views hear of it.
    void stepDone();
    void record(const ScoreEditor::ScoreChange &change);
    // The journal told of the meter, the files and the unsaved mark as they are now.
    void recordDocument();
    JournalDocument journalDocument() const;
    void startJournal(); // the journal written whole
    bool journalWritable();
    void emitScoreChanged();
    void setFile(const QString &path, bool isMelodyFile);
    // The notes of the range as change leaves them, as one step; none when
    // nothing changed.
    void changeNotes(int first, int count, const QString &name, const std::function<void(NoteRecord &)> &change);
    // Pitches moved by semitones within the range, or refused naming how many
    // would leave the five octaves.
    EditResult shiftNotes(int first, int count, int semitones, const QString &name);

    RecoveryJournal *m_journal;
    ScoreEditor m_editor;
    QUndoStack m_undo;
    QString m_melodyFile;
    QString m_sourceFile; // a program or MIDI file it was opened from
    int m_meter = 0;
    // What the views have not been told yet: the editor's changes since.
    std::optional<ScoreEditor::ScoreChange> m_pending;
    struct Journaled {
        int meter = 0;
        QString melodyFile, sourceFile;
        bool unsaved = false;
    } m_journaled;
};
