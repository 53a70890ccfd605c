#include "composer/ScoreEditor.h"

#include <algorithm>

namespace {

const QString ConfirmedWord = QStringLiteral("入力成功");
const QString ClearedWord = QStringLiteral("クリア成功");

// The description: the four texts joined, each with its own brackets or "－".
QString composedSummary(const NoteRecord &note)
{
    return note.PitchText + note.OctaveText + note.GapText + note.LengthText;
}

} // namespace

ScoreEditor::ScoreEditor(qint16 tempo, MessageService &messages)
    : m_tempo(tempo)
    , m_messages(messages)
{
    resetToInitialNote();
    m_description = m_state.CurrentNote.Summary;
}

void ScoreEditor::choosePitch(int pitchIndex)
{
    const PitchEntry &pitch = pitchTable().at(static_cast<std::size_t>(pitchIndex));
    m_state.CurrentNote.PitchCode = pitch.code;
    m_state.CurrentNote.PitchText = pitch.text;
    m_state.CurrentNote.IsRest = 0; // a pitch replaces a rest chosen before
    m_state.NoteSelected = 1;
    RefreshSummary();
}

void ScoreEditor::chooseOctave(Octave octave)
{
    const OctaveEntry &entry = octaveEntry(octave);
    m_state.CurrentNote.OctaveCode = entry.code;
    m_state.CurrentNote.OctaveText = entry.text;
    m_octave = octave;
    RefreshSummary();
}

void ScoreEditor::chooseArticulation(Articulation articulation)
{
    const ArticulationEntry &entry = articulationEntry(articulation);
    m_state.CurrentNote.GapMode = entry.gapMode;
    m_state.CurrentNote.GapText = entry.text;
    m_articulation = articulation;
    RefreshSummary();
}

void ScoreEditor::chooseLength(NoteLength length)
{
    m_state.CurrentNote.Length = lengthTicks(length, m_tempo);
    m_state.CurrentNote.LengthText = noteLengthEntry(length).text;
    RefreshSummary();
}

void ScoreEditor::confirm()
{
    if (m_state.ScoreFull)
        return; // the confirm button is disabled once the score is full
    if (m_state.NoteSelected != 1) {
        m_messages.show(Message::refusal(QStringLiteral("音が入力されていません"), QStringLiteral("注意")));
        return;
    }
    m_state.Score[static_cast<std::size_t>(m_state.NoteCount)] = m_state.CurrentNote;
    // The next note keeps octave, articulation and length; only the pitch goes.
    m_state.NoteSelected = 0;
    m_state.CurrentNote.PitchCode.clear();
    m_state.CurrentNote.PitchText = NoPitchText;
    m_description = ConfirmedWord;
    rebuildHistory(m_state.NoteCount);
    if (m_state.NoteCount == ComposerState::LastScoreIndex) {
        m_state.ScoreFull = 1;
        m_messages.show(Message::notice(
            QStringLiteral("これ以上は作成できなくなりますので、終了処理をしてください。"),
            QStringLiteral("整数の限界")));
        return;
    }
    ++m_state.NoteCount;
}

void ScoreEditor::rest()
{
    m_state.CurrentNote.PitchCode.clear();
    m_state.CurrentNote.PitchText = RestText;
    RefreshSummary();
    m_state.NoteSelected = 1;
    m_state.CurrentNote.IsRest = 1;
}

void ScoreEditor::clearPrevious()
{
    const int total = m_state.noteTotal();
    if (total == 0) {
        m_messages.show(Message::refusal(QStringLiteral("クリアする音がありません"), QStringLiteral("クリア不可")));
        return;
    }
    // On a full score the last note is entry 32766 while NoteCount stays at
    // 32766; removing it makes NoteCount the count and the next index again.
    m_state.NoteCount = static_cast<qint16>(total - 1);
    m_state.ScoreFull = 0;
    m_description = ClearedWord;
    m_state.NoteSelected = 0;
    if (m_state.NoteCount == 0) {
        m_state.HistoryText.clear();
        resetToInitialNote();
    } else {
        const int last = m_state.NoteCount - 1;
        rebuildHistory(last);
        m_state.CurrentNote = m_state.Score[static_cast<std::size_t>(last)];
        m_state.CurrentNote.PitchCode.clear();
        m_state.CurrentNote.PitchText = NoPitchText;
    }
    selectOptionsForCurrentNote();
}

void ScoreEditor::repeatPrevious()
{
    const int total = m_state.noteTotal();
    if (total == 0) {
        m_messages.show(Message::refusal(QStringLiteral("前の音はありません"), QStringLiteral("前音なし")));
        return;
    }
    m_state.CurrentNote = m_state.Score[static_cast<std::size_t>(total - 1)];
    m_description = m_state.CurrentNote.Summary;
    m_state.NoteSelected = 1;
    selectOptionsForCurrentNote();
}

void ScoreEditor::RefreshSummary()
{
    m_state.CurrentNote.Summary = composedSummary(m_state.CurrentNote);
    m_description = m_state.CurrentNote.Summary;
}

void ScoreEditor::rebuildHistory(int last)
{
    m_state.HistoryText.clear();
    for (int HistoryIndex = std::max(0, last - 9); HistoryIndex <= last; ++HistoryIndex)
        m_state.HistoryText += m_state.Score[static_cast<std::size_t>(HistoryIndex)].PitchText;
}

void ScoreEditor::resetToInitialNote()
{
    NoteRecord &note = m_state.CurrentNote;
    note.PitchCode.clear();
    note.PitchText = NoPitchText;
    note.OctaveCode = octaveEntry(Octave::Middle).code;
    note.OctaveText = octaveEntry(Octave::Middle).text;
    note.GapMode = articulationEntry(Articulation::Normal).gapMode;
    note.GapText = articulationEntry(Articulation::Normal).text;
    note.Length = lengthTicks(NoteLength::Quarter, m_tempo);
    note.LengthText = noteLengthEntry(NoteLength::Quarter).text;
    note.IsRest = 0;
    note.Summary = composedSummary(note);
    note.SoundLength = 0;
}

void ScoreEditor::selectOptionsForCurrentNote()
{
    m_octave = octaveForCode(m_state.CurrentNote.OctaveCode);
    // A gap that is none of the three leaves the articulation buttons as they are.
    for (Articulation articulation : {Articulation::Normal, Articulation::Staccato, Articulation::SlurOrTie}) {
        if (articulationEntry(articulation).gapMode == m_state.CurrentNote.GapMode)
            m_articulation = articulation;
    }
}
