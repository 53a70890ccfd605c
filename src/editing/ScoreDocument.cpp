#include "editing/ScoreDocument.h"

#include <algorithm>
#include <functional>

#include <QCoreApplication>
#include <QFileInfo>

#include "editing/ScoreCommands.h"
#include "journal/RecoveryJournal.h"

ScoreDocument::ScoreDocument(int tempo, RecoveryJournal *journal, QObject *parent)
    : QObject(parent)
    , m_journal(journal)
    , m_editor(tempo)
{
    m_editor.setScoreListener([this](const ScoreEditor::ScoreChange &change) {
        m_pending = m_pending ? m_pending->then(change) : change;
        record(change);
    });
    connect(&m_undo, &QUndoStack::cleanChanged, this, [this] {
        recordDocument();
        emit fileChanged();
    });
    if (m_journal)
        startJournal();
}

ScoreDocument::~ScoreDocument()
{
    // The history goes last and says it is clean as it goes: no one is left to hear it.
    disconnect(&m_undo, nullptr, this, nullptr);
}

Melody ScoreDocument::melody() const
{
    Melody melody;
    melody.tempo = tempo();
    melody.notes.assign(notes().begin(), notes().end());
    melody.meter = m_meter;
    return melody;
}

void ScoreDocument::emitScoreChanged()
{
    const ScoreEditor::ScoreChange change
        = m_pending.value_or(ScoreEditor::ScoreChange{ScoreEditor::ScoreChange::Kind::Notes, 0, 0, 0});
    m_pending.reset();
    recordDocument();
    emit scoreChanged(change);
}

QString ScoreDocument::fileName() const
{
    const QString &path = m_melodyFile.isEmpty() ? m_sourceFile : m_melodyFile;
    return path.isEmpty() ? QString() : QFileInfo(path).fileName();
}

QString ScoreDocument::name() const
{
    const QString &path = m_melodyFile.isEmpty() ? m_sourceFile : m_melodyFile;
    return path.isEmpty() ? QString() : QFileInfo(path).completeBaseName();
}

bool ScoreDocument::hasUnsavedNotes() const
{
    return state().noteTotal() > 0 && (m_melodyFile.isEmpty() || isModified());
}

void ScoreDocument::setFile(const QString &path, bool isMelodyFile)
{
    const QString absolute = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    m_melodyFile = isMelodyFile ? absolute : QString();
    m_sourceFile = isMelodyFile ? QString() : absolute;
}

void ScoreDocument::markSaved(const QString &melodyFile)
{
    setFile(melodyFile, true);
    m_undo.setClean();
    recordDocument();
    emit fileChanged();
}

void ScoreDocument::startNew(int tempo)
{
    open(Melody{tempo, {}}, QString(), false);
}

void ScoreDocument::open(const Melody &melody, const QString &path, bool isMelodyFile)
{
    m_undo.clear();
    // The meter and file first: loading writes the journal whole, with them.
    m_meter = melody.meter;
    setFile(path, isMelodyFile);
    m_editor.load(melody.notes, melody.tempo);
    m_journaled = {m_meter, m_melodyFile, m_sourceFile, isModified()};
    emitScoreChanged();
    emit changed();
    emit fileChanged();
}

void ScoreDocument::restore(const Melody &melody, const QString &melodyFile, const QString &sourceFile, bool unsaved)
{
    m_undo.clear();
    m_meter = melody.meter;
    m_melodyFile = melodyFile;
    m_sourceFile = sourceFile;
    if (unsaved)
        m_undo.resetClean(); // changed since its file was written, as it was when the program ended
    m_editor.load(melody.notes, melody.tempo);
    m_journaled = {m_meter, m_melodyFile, m_sourceFile, isModified()};
    emitScoreChanged();
    emit changed();
    emit fileChanged();
}

void ScoreDocument::importMelody(const Melody &melody, const QString &stepName)
{
    m_undo.push(new ImportCommand(*this, melody, stepName));
}

void ScoreDocument::choosePitch(int pitchIndex)
{
    m_editor.choosePitch(pitchIndex);
    emit changed();
}

void ScoreDocument::chooseOctave(Octave octave)
{
    m_editor.chooseOctave(octave);
    emit changed();
}

void ScoreDocument::chooseArticulation(Articulation articulation)
{
    m_editor.chooseArticulation(articulation);
    emit changed();
}

void ScoreDocument::chooseLength(NoteLength length)
{
    m_editor.chooseLength(length);
    emit changed();
}

void ScoreDocument::rest()
{
    m_editor.rest();
    emit changed();
}

EditResult ScoreDocument::repeatPrevious()
{
    const EditResult result = m_editor.repeatPrevious();
    emit changed();
    return result;
}

void ScoreDocument::takeNote(int index)
{
    if (index < 0 || index >= state().noteTotal())
        return;
    m_editor.takeNote(notes()[std::size_t(index)]);
    emit changed();
}

void ScoreDocument::stepDone()
{
    emitScoreChanged();
    emit changed();
}

EditResult ScoreDocument::confirm()
{
    if (state().scoreFull)
        return EditResult::refused(EditResult::Status::Unchanged); // confirming is disabled once the score is full
    if (!state().currentNote.isChosen())
        return EditResult::refused(EditResult::Status::NothingChosen);
    m_undo.push(new ConfirmCommand(*this));
    return {state().scoreFull ? EditResult::Status::DoneScoreNowFull : EditResult::Status::Done};
}

EditResult ScoreDocument::clearPrevious()
{
    if (state().noteTotal() == 0)
        return EditResult::refused(EditResult::Status::NothingToClear);
    m_undo.push(new ClearCommand(*this));
    return {};
}

namespace {

// The score takes only a note with a pitch or a rest, as confirming does.
EditResult chosen(const NoteRecord &note)
{
    return note.isChosen() ? EditResult{} : EditResult::refused(EditResult::Status::NothingChosen);
}

} // namespace

EditResult ScoreDocument::replace(int index, const NoteRecord &note)
{
    if (!note.isChosen())
        return chosen(note);
    m_undo.push(
        new ReplaceNotesCommand(*this, index, {note}, QCoreApplication::translate("ScoreDocument", "置き換え")));
    return {};
}

EditResult ScoreDocument::insertBefore(int index, const NoteRecord &note)
{
    if (!note.isChosen())
        return chosen(note);
    if (m_editor.state().noteTotal() >= ComposerState::ScoreCapacity)
        return EditResult::refused(EditResult::Status::ScoreFull);
    m_undo.push(new InsertNotesCommand(*this, index, {note}, QCoreApplication::translate("ScoreDocument", "前に挿入")));
    return {};
}

void ScoreDocument::remove(int first, int count)
{
    if (count > 0)
        m_undo.push(new RemoveNotesCommand(*this, first, count));
}

EditResult ScoreDocument::move(int first, int count, int by)
{
    const int total = m_editor.state().noteTotal();
    if (count <= 0 || first + by < 0 || first + count + by > total)
        return EditResult::refused(EditResult::Status::Unchanged);
    m_undo.push(new MoveNotesCommand(*this, first, count, by));
    return {};
}
