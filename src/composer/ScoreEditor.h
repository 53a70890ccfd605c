#pragma once

#include "app/MessageService.h"
#include "composer/ComposerState.h"
#include "composer/NoteLength.h"
#include "composer/NoteTables.h"

// The composer window's logic: the selections that fill in the note being
// composed and the commands that move it into and out of the score. The window
// forwards each click here and then draws what this says.
class ScoreEditor {
public:
    ScoreEditor(qint16 tempo, MessageService &messages);

    const ComposerState &state() const { return m_state; }
    // What Label40 shows: the note's description or a status word.
    const QString &descriptionCaption() const { return m_description; }
    // What Label16 shows.
    const QString &historyCaption() const { return m_state.HistoryText; }
    // The option buttons that should be selected.
    Octave selectedOctave() const { return m_octave; }
    Articulation selectedArticulation() const { return m_articulation; }
    // Confirming is possible until the score is full.
    bool confirmEnabled() const { return m_state.ScoreFull == 0; }

    void choosePitch(int pitchIndex);
    void chooseOctave(Octave octave);
    void chooseArticulation(Articulation articulation);
    void chooseLength(NoteLength length);

    void confirm();
    void rest();
    void clearPrevious();
    void repeatPrevious();

private:
    void RefreshSummary();
    void rebuildHistory(int last);
    void resetToInitialNote();
    void selectOptionsForCurrentNote();

    qint16 m_tempo;
    MessageService &m_messages;
    ComposerState m_state;
    QString m_description;
    Octave m_octave = Octave::Middle;
    Articulation m_articulation = Articulation::Normal;
};
