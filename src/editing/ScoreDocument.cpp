#include "editing/ScoreDocument.h"

#include <algorithm>
#include <functional>

#include <QCoreApplication>
#include <QFileInfo>

#include "journal/RecoveryJournal.h"

namespace {

// A step of the score's history: what to do and how to undo it. A step made
// for a change already done (a confirm, a clear) skips its first redo.
class ScoreStep : public QUndoCommand {
public:
    ScoreStep(const QString &name, std::function<void()> redo, std::function<void()> undo, bool alreadyDone,
              std::function<void()> changed)
        : QUndoCommand(name)
        , m_redo(std::move(redo))
        , m_undo(std::move(undo))
        , m_skipRedo(alreadyDone)
        , m_changed(std::move(changed))
    { }

    void redo() override
    {
        if (!m_skipRedo)
            m_redo();
        m_skipRedo = false;
        m_changed();
    }

    void undo() override
    {
        m_undo();
        m_changed();
    }

private:
    std::function<void()> m_redo;
    std::function<void()> m_undo;
    bool m_skipRedo;
    std::function<void()> m_changed;
};

} // namespace

ScoreDocument::ScoreDocument(int tempo, MessageService &messages, RecoveryJournal *journal, QObject *parent)
    : QObject(parent)
    , m_messages(messages)
    , m_journal(journal)
    , m_editor(tempo, messages)
{
    m_editor.setChangeListener([this] { emit changed(); });
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
    const std::vector<NoteRecord> oldNotes(notes().begin(), notes().end());
    const int oldTempo = tempo();
    const QString oldMelodyFile = m_melodyFile;
    const QString oldSourceFile = m_sourceFile;
    const int oldMeter = m_meter;
    push(
        stepName,
        [this, melody] {
            m_meter = melody.meter;
            m_melodyFile.clear();
            m_sourceFile.clear();
            m_editor.load(melody.notes, melody.tempo);
            emit fileChanged();
        },
        [this, oldNotes, oldTempo, oldMelodyFile, oldSourceFile, oldMeter] {
            // The score and tempo come back; the note being composed stays.
            m_editor.removeNotes(0, state().noteTotal());
            m_editor.insertNotes(0, oldNotes);
            m_editor.changeTempo(oldTempo);
            m_meter = oldMeter;
            m_melodyFile = oldMelodyFile;
            m_sourceFile = oldSourceFile;
            emit fileChanged();
        },
        false);
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

void ScoreDocument::repeatPrevious()
{
    m_editor.repeatPrevious();
    emit changed();
}

void ScoreDocument::takeNote(int index)
{
    if (index < 0 || index >= state().noteTotal())
        return;
    m_editor.takeNote(notes()[std::size_t(index)]);
    emit changed();
}

void ScoreDocument::push(const QString &name, std::function<void()> redo, std::function<void()> undo, bool done)
{
    m_undo.push(new ScoreStep(name, std::move(redo), std::move(undo), done, [this] {
        emitScoreChanged();
        emit changed();
    }));
}

void ScoreDocument::confirm()
{
    const int before = m_editor.state().noteTotal();
    m_editor.confirm();
    if (m_editor.state().noteTotal() == before)
        return;
    const NoteRecord note = m_editor.state().notes().back();
    ScoreEditor &editor = m_editor;
    push(QCoreApplication::translate("ScoreDocument", "入力確定"),
         ([&editor, note, before] { editor.insertNotes(before, std::span(&note, 1)); }),
         ([&editor, before] { editor.removeNotes(before, 1); }), true);
}

void ScoreDocument::clearPrevious()
{
    const int before = m_editor.state().noteTotal();
    if (before == 0) {
        m_editor.clearPrevious(); // refused with its box
        return;
    }
    const NoteRecord note = m_editor.state().notes().back();
    m_editor.clearPrevious();
    ScoreEditor &editor = m_editor;
    push(QCoreApplication::translate("ScoreDocument", "クリア"),
         ([&editor, before] { editor.removeNotes(before - 1, 1); }),
         ([&editor, note, before] { editor.insertNotes(before - 1, std::span(&note, 1)); }), true);
}

namespace {

// The score takes only a note with a pitch or a rest, as confirming does.
bool chosen(const NoteRecord &note, MessageService &messages)
{
    if (!note.isChosen())
        messages.show(Message::refusal(QCoreApplication::translate("ScoreDocument", "音が入力されていません"),
                                       QCoreApplication::translate("ScoreDocument", "注意")));
    return note.isChosen();
}

} // namespace

bool ScoreDocument::replace(int index, const NoteRecord &note)
{
    if (!chosen(note, m_messages))
        return false;
    const NoteRecord old = m_editor.state().notes()[std::size_t(index)];
    ScoreEditor &editor = m_editor;
    push(QCoreApplication::translate("ScoreDocument", "置き換え"),
         ([&editor, index, note] { editor.replaceNotes(index, std::span(&note, 1)); }),
         ([&editor, index, old] { editor.replaceNotes(index, std::span(&old, 1)); }), false);
    return true;
}

bool ScoreDocument::insertBefore(int index, const NoteRecord &note)
{
    if (!chosen(note, m_messages))
        return false;
    if (m_editor.state().noteTotal() >= ComposerState::ScoreCapacity) {
        m_messages.show(
            Message::refusal(QCoreApplication::translate("ScoreDocument", "楽譜がいっぱいのため、挿入できません。"),
                             QCoreApplication::translate("ScoreDocument", "整数の限界")));
        return false;
    }
    ScoreEditor &editor = m_editor;
    push(QCoreApplication::translate("ScoreDocument", "前に挿入"),
         ([&editor, index, note] { editor.insertNotes(index, std::span(&note, 1)); }),
         ([&editor, index] { editor.removeNotes(index, 1); }), false);
    return true;
}

void ScoreDocument::remove(int first, int count)
{
    if (count <= 0)
        return;
    const std::span<const NoteRecord> notes = m_editor.state().notes().subspan(std::size_t(first), std::size_t(count));
    const std::vector<NoteRecord> removed(notes.begin(), notes.end());
    ScoreEditor &editor = m_editor;
    push(QCoreApplication::translate("ScoreDocument", "削除"),
         ([&editor, first, count] { editor.removeNotes(first, count); }),
         ([&editor, first, removed] { editor.insertNotes(first, removed); }), false);
}

bool ScoreDocument::move(int first, int count, int by)
{
    const int total = m_editor.state().noteTotal();
    if (count <= 0 || first + by < 0 || first + count + by > total)
        return false;
    // Moving a block one place is moving its neighbour to its other side.
    const int neighbour = by < 0 ? first - 1 : first + count;
    const int neighbourTo = by < 0 ? first + count - 1 : first;
    ScoreEditor &editor = m_editor;
    auto carry = [&editor](int from, int to) {
        const std::vector<NoteRecord> note = editor.removeNotes(from, 1);
        editor.insertNotes(to, note);
    };
    push(by < 0 ? QCoreApplication::translate("ScoreDocument", "上へ")
                : QCoreApplication::translate("ScoreDocument", "下へ"),
         ([carry, neighbour, neighbourTo] { carry(neighbour, neighbourTo); }),
         ([carry, neighbour, neighbourTo] { carry(neighbourTo, neighbour); }), false);
    return true;
}
