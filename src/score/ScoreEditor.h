#pragma once

#include <functional>

#include "score/ComposerState.h"
#include "score/EditResult.h"

// The composing logic: the selections that fill in the note being composed and
// the commands that move it into and out of the score. A window forwards each
// of the user's actions here and then draws what this says, in its own words.
class ScoreEditor {
public:
    explicit ScoreEditor(int tempo);

    const ComposerState &state() const { return m_state; }
    int tempo() const { return m_tempo; }
    // What the composer shows under the note being composed: the note itself,
    // or that the last command confirmed or cleared a note.
    enum class Shown : quint8 { CurrentNote, Confirmed, Cleared };
    Shown shown() const { return m_shown; }
    // The octave and articulation choices that show as selected.
    Octave selectedOctave() const { return m_octave; }
    Articulation selectedArticulation() const { return m_articulation; }
    // Confirming is possible until the score is full.
    bool confirmEnabled() const { return !m_state.scoreFull; }

    // How the score changed, for whoever keeps a record of it or shows it:
    // the notes first … first+removed-1 became first … first+inserted-1
    // (an append is {total-1, 0, 1}); or every note's ticks (a new tempo);
    // or the whole score (a load).
    struct ScoreChange {
        enum class Kind : quint8 { Notes, Tempo, Everything };
        Kind kind = Kind::Everything;
        int first = 0;
        int removed = 0;
        int inserted = 0;

        // This change followed by a later one, as one.
        ScoreChange then(const ScoreChange &later) const;
    };
    void setScoreListener(std::function<void(const ScoreChange &)> listener) { m_scoreChanged = std::move(listener); }
    // Counts the changes to the score (not to the note being composed).
    quint64 revision() const { return m_revision; }

    // Replaces the score and the tempo, and leaves everything as a user would
    // see it after entering the same notes by hand at that tempo. The notes
    // carry the ticks of that tempo; at most 32767 are taken.
    void load(std::span<const NoteRecord> notes, int tempo);

    // Edits anywhere in the score, as undo and the score window need them.
    // Each keeps the score's own counting (a full score keeps noteCount at
    // 32766) and leaves the note being composed and the option buttons alone.
    // Indexes are 0-based and in range; the score never grows past 32767 notes.
    void insertNotes(int index, std::span<const NoteRecord> notes);
    std::vector<NoteRecord> removeNotes(int index, int count);
    void replaceNotes(int index, std::span<const NoteRecord> notes);
    // A new tempo for the run: every note keeps its length kind and takes the
    // ticks of that kind at the new tempo, as does the note being composed.
    void changeTempo(int tempo);

    void choosePitch(int pitchIndex);
    void chooseOctave(Octave octave);
    void chooseArticulation(Articulation articulation);
    void chooseLength(NoteLength length);

    // Refused, changing nothing, when nothing is chosen, nothing is there to
    // clear or no note comes before; confirming a full score does nothing.
    EditResult confirm();
    void rest();
    EditResult clearPrevious();
    EditResult repeatPrevious();
    // Makes a note of the score the note being composed, as repeat does for
    // the last one.
    void takeNote(const NoteRecord &note);

private:
    void resetToInitialNote();
    void selectOptionsForCurrentNote();

    int m_tempo;
    ComposerState m_state;
    Shown m_shown = Shown::CurrentNote;
    Octave m_octave = Octave::Middle;
    Articulation m_articulation = Articulation::Normal;
    std::function<void(const ScoreChange &)> m_scoreChanged;
    quint64 m_revision = 0;

    void scoreChanged(const ScoreChange &change);
};
