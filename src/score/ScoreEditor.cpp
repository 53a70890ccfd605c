#include "score/ScoreEditor.h"

#include <algorithm>

ScoreEditor::ScoreEditor(int tempo)
    : m_tempo(tempo)
{
    resetToInitialNote();
}

void ScoreEditor::choosePitch(int pitchIndex)
{
    Q_ASSERT(pitchIndex >= 0 && pitchIndex < PitchCount);
    m_state.currentNote.pitch = pitchIndex; // a pitch replaces a rest chosen before
    m_shown = Shown::CurrentNote;
}

void ScoreEditor::chooseOctave(Octave octave)
{
    m_state.currentNote.octave = octave;
    m_octave = octave;
    m_shown = Shown::CurrentNote;
}

void ScoreEditor::chooseArticulation(Articulation articulation)
{
    m_state.currentNote.articulation = articulation;
    m_articulation = articulation;
    m_shown = Shown::CurrentNote;
}

void ScoreEditor::chooseLength(NoteLength length)
{
    m_state.currentNote.length = length;
    m_state.currentNote.ticks = lengthTicks(length, m_tempo);
    m_shown = Shown::CurrentNote;
}

EditResult ScoreEditor::confirm()
{
    if (m_state.scoreFull)
        return EditResult::refused(EditResult::Status::Unchanged); // confirming is disabled once the score is full
    if (!m_state.currentNote.isChosen())
        return EditResult::refused(EditResult::Status::NothingChosen);
    m_state.score[static_cast<std::size_t>(m_state.noteCount)] = m_state.currentNote;
    // The next note keeps octave, articulation and length; only the pitch goes.
    m_state.currentNote.pitch = NoteRecord::Unchosen;
    m_shown = Shown::Confirmed;
    const bool nowFull = m_state.noteCount == ComposerState::LastScoreIndex;
    if (nowFull)
        m_state.scoreFull = true;
    else
        ++m_state.noteCount;
    scoreChanged({ScoreChange::Kind::Notes, m_state.noteTotal() - 1, 0, 1});
    return {nowFull ? EditResult::Status::DoneScoreNowFull : EditResult::Status::Done};
}

void ScoreEditor::rest()
{
    m_state.currentNote.pitch = NoteRecord::Rest;
    m_shown = Shown::CurrentNote;
}

EditResult ScoreEditor::clearPrevious()
{
    const int total = m_state.noteTotal();
    if (total == 0)
        return EditResult::refused(EditResult::Status::NothingToClear);
    // On a full score the last note is entry 32766 while noteCount stays at
    // 32766; removing it makes noteCount the count and the next index again.
    m_state.noteCount = static_cast<qint16>(total - 1);
    m_state.scoreFull = false;
    m_shown = Shown::Cleared;
    if (m_state.noteCount == 0) {
        resetToInitialNote();
    } else {
        // The note before the removed one gives the choices for the next.
        const int last = m_state.noteCount - 1;
        m_state.currentNote = m_state.score[static_cast<std::size_t>(last)];
        m_state.currentNote.pitch = NoteRecord::Unchosen;
    }
    selectOptionsForCurrentNote();
    scoreChanged({ScoreChange::Kind::Notes, total - 1, 1, 0});
    return {};
}

void ScoreEditor::load(std::span<const NoteRecord> notes, int tempo)
{
    const std::size_t count = std::min<std::size_t>(notes.size(), ComposerState::ScoreCapacity);
    m_tempo = tempo;
    std::copy_n(notes.begin(), count, m_state.score.begin());
    m_state.scoreFull = count == ComposerState::ScoreCapacity;
    m_state.noteCount = static_cast<qint16>(m_state.scoreFull ? ComposerState::LastScoreIndex : count);
    if (count == 0) {
        resetToInitialNote();
        m_shown = Shown::CurrentNote;
    } else {
        // As right after confirming the last note.
        m_state.currentNote = notes[count - 1];
        m_state.currentNote.pitch = NoteRecord::Unchosen;
        m_shown = Shown::Confirmed;
    }
    selectOptionsForCurrentNote();
    scoreChanged({ScoreChange::Kind::Everything, 0, 0, 0});
}

void ScoreEditor::scoreChanged(const ScoreChange &change)
{
    ++m_revision;
    if (m_scoreChanged)
        m_scoreChanged(change);
}

EditResult ScoreEditor::repeatPrevious()
{
    const int total = m_state.noteTotal();
    if (total == 0)
        return EditResult::refused(EditResult::Status::NoPreviousNote);
    m_state.currentNote = m_state.score[static_cast<std::size_t>(total - 1)];
    m_shown = Shown::CurrentNote;
    selectOptionsForCurrentNote();
    return {};
}

void ScoreEditor::takeNote(const NoteRecord &note)
{
    m_state.currentNote = note;
    m_shown = Shown::CurrentNote;
    selectOptionsForCurrentNote();
}

void ScoreEditor::resetToInitialNote()
{
    m_state.currentNote = NoteRecord{};
    m_state.currentNote.ticks = lengthTicks(NoteLength::Quarter, m_tempo);
}

void ScoreEditor::selectOptionsForCurrentNote()
{
    m_octave = m_state.currentNote.octave;
    m_articulation = m_state.currentNote.articulation;
}

namespace {

void setTotal(ComposerState &state, int total)
{
    state.scoreFull = total == ComposerState::ScoreCapacity;
    state.noteCount = static_cast<qint16>(state.scoreFull ? ComposerState::LastScoreIndex : total);
}

} // namespace

void ScoreEditor::insertNotes(int index, std::span<const NoteRecord> notes)
{
    const int total = m_state.noteTotal();
    Q_ASSERT(index >= 0 && index <= total && total + int(notes.size()) <= ComposerState::ScoreCapacity);
    auto at = m_state.score.begin() + index;
    std::move_backward(at, m_state.score.begin() + total, m_state.score.begin() + total + qsizetype(notes.size()));
    std::copy(notes.begin(), notes.end(), at);
    setTotal(m_state, total + int(notes.size()));
    scoreChanged({ScoreChange::Kind::Notes, index, 0, int(notes.size())});
}

std::vector<NoteRecord> ScoreEditor::removeNotes(int index, int count)
{
    const int total = m_state.noteTotal();
    Q_ASSERT(index >= 0 && count >= 0 && index + count <= total);
    auto first = m_state.score.begin() + index;
    std::vector<NoteRecord> removed(first, first + count);
    std::move(first + count, m_state.score.begin() + total, first);
    setTotal(m_state, total - count);
    scoreChanged({ScoreChange::Kind::Notes, index, count, 0});
    return removed;
}

void ScoreEditor::replaceNotes(int index, std::span<const NoteRecord> notes)
{
    Q_ASSERT(index >= 0 && index + int(notes.size()) <= m_state.noteTotal());
    std::copy(notes.begin(), notes.end(), m_state.score.begin() + index);
    scoreChanged({ScoreChange::Kind::Notes, index, int(notes.size()), int(notes.size())});
}

void ScoreEditor::changeTempo(int tempo)
{
    m_tempo = tempo;
    for (int i = 0; i < m_state.noteTotal(); ++i) {
        NoteRecord &note = m_state.score[std::size_t(i)];
        note.ticks = lengthTicks(note.length, tempo);
    }
    m_state.currentNote.ticks = lengthTicks(m_state.currentNote.length, tempo);
    scoreChanged({ScoreChange::Kind::Tempo, 0, 0, 0});
}

ScoreEditor::ScoreChange ScoreEditor::ScoreChange::then(const ScoreChange &later) const
{
    using Kind = ScoreChange::Kind;
    if (kind == Kind::Everything || later.kind == Kind::Everything || kind != later.kind)
        return {Kind::Everything, 0, 0, 0};
    if (kind == Kind::Tempo)
        return *this;
    // The span both touch, in the coordinates between the two changes; what
    // lies outside it is the same before the first and after the second.
    const int from = std::min(first, later.first);
    const int to = std::max(first + inserted, later.first + later.removed);
    return {Kind::Notes, from, to - (inserted - removed) - from, to + (later.inserted - later.removed) - from};
}
