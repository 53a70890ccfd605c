// What the document tells its recovery journal, change by change.

#include "editing/ScoreDocument.h"

#include "journal/RecoveryJournal.h"

JournalDocument ScoreDocument::journalDocument() const
{
    JournalDocument document;
    document.tempo = tempo();
    document.meter = m_meter;
    document.melodyFile = m_melodyFile;
    document.sourceFile = m_sourceFile;
    document.unsaved = isModified();
    document.notes.assign(notes().begin(), notes().end());
    return document;
}

// Each change of the editor's goes to the journal as it is made: a record
// of what it touched, the journal written whole only when it opens a melody,
// when its records have grown large, and when retrying after a failure. A
// change of the whole melody is a record too: writing the journal whole
// replaces the file, which the file system may make wait for the disk.
void ScoreDocument::record(const ScoreEditor::ScoreChange &change)
{
    using Kind = ScoreEditor::ScoreChange::Kind;
    if (!journalWritable())
        return;
    const int total = state().noteTotal();
    if (change.kind == Kind::Everything) {
        startJournal();
    } else if (change.kind == Kind::Tempo) {
        m_journal->setTempo(tempo());
    } else if (change.removed == 0 && change.inserted == 1 && change.first == total - 1) {
        m_journal->append(notes().back());
    } else if (change.removed == 1 && change.inserted == 0 && change.first == total) {
        m_journal->removeLast();
    } else {
        m_journal->edit(change.first, change.removed,
                        notes().subspan(std::size_t(change.first), std::size_t(change.inserted)));
    }
    if (m_journal->wantsCompacting())
        startJournal();
}

// While the journal fails, a change only retries writing it whole, now and then.
bool ScoreDocument::journalWritable()
{
    if (!m_journal)
        return false;
    if (m_journal->isFailing()) {
        if (m_journal->retryDue())
            startJournal();
        return false;
    }
    return true;
}

void ScoreDocument::startJournal()
{
    m_journal->start(journalDocument());
    m_journaled = {m_meter, m_melodyFile, m_sourceFile, isModified()};
}

void ScoreDocument::recordDocument()
{
    if (!journalWritable())
        return;
    if (m_journaled.meter != m_meter)
        m_journal->setMeter(m_meter);
    if (m_journaled.melodyFile != m_melodyFile || m_journaled.sourceFile != m_sourceFile)
        m_journal->setFiles(m_melodyFile, m_sourceFile);
    if (m_journaled.unsaved != isModified())
        m_journal->setUnsaved(isModified());
    m_journaled = {m_meter, m_melodyFile, m_sourceFile, isModified()};
}
