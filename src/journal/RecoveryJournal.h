#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include <QDateTime>
#include <QString>

#include "score/NoteRecord.h"

class QLockFile;

// What a journal keeps of a melody being composed: enough to give it back
// as it was, its files and its unsaved mark included.
struct JournalDocument {
    int tempo = 120;
    int meter = 0; // quarter notes a bar; 0 none
    QString melodyFile; // the melody file it is kept in, or empty
    QString sourceFile; // a program or MIDI file it was opened from, or empty
    bool unsaved = false;
    std::vector<NoteRecord> notes;

    bool operator==(const JournalDocument &) const = default;
};

// A record of the melody kept while composing, so that work is not lost when
// the program ends without the user's consent (killed, crashed, power cut).
// Each running program keeps its own file, journal-PID.txt, in the folder,
// and holds journal-PID.lock while it runs:
//   ZEPA journal 2
//   T120                  the tempo (again later: a new tempo)
//   M4                    the meter
//   F /home/a/furusato.mml  the melody file, percent-encoded; "F" alone: none
//   O /home/a/music0.nqc  the file it was opened from, the same way
//   U1                    unsaved (U0: as its file keeps it)
//   + 0 2 0 2             a note appended: pitch, octave, articulation, length
//   -                     the last note removed
//   E 5 2 1               notes 5 and 6 (from 0) replaced by the 1 note after:
//   n 4 2 0 2
// Each change is one write at its end, so a kill loses at most the change
// in flight; the journal is written whole again (compacted) when it opens a
// melody and when its records outgrow the melody many times over. Journals
// of the first version (tempo and notes, "+" and "-" only) are read too.
class RecoveryJournal {
public:
    explicit RecoveryJournal(QString folder);
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

    // Starts this program's journal with a document (rewriting any before).
    void start(const JournalDocument &document);
    void append(const NoteRecord &note);
    void removeLast();
    void edit(int first, int removed, std::span<const NoteRecord> inserted);
    void setTempo(int tempo);
    void setMeter(int meter);
    void setFiles(const QString &melodyFile, const QString &sourceFile);
    void setUnsaved(bool unsaved);
    // Its records have grown well past what writing the melody whole takes.
    bool wantsCompacting() const;
    // The user ended the work: the journal goes.
    void discard();

    // A journal that cannot be written (a full disk, a folder taken away) is
    // said once, with the reason, until writing works again; while it fails,
    // the keeper of the document starts it again now and then (retrying).
    void setFailureListener(std::function<void(const QString &folder, const QString &reason)> listener)
    {
        m_failed = std::move(listener);
    }
    bool isFailing() const { return m_failing; }
    bool retryDue() const;

    QString path() const { return m_path; }
    QString folder() const { return m_folder; }

    struct Recovered {
        QString path;
        JournalDocument document;
        QDateTime written; // when it was last written
        bool readable = true; // false: not a journal as the program writes it; nothing was restored
    };
    // The document a journal's text describes, read exactly: every line as
    // the program writes it, the last change cut short by the end of the
    // program left out. Nothing when anything else is in it: a journal is
    // never restored as a melody other than the one it recorded.
    static std::optional<Recovered> parse(const QByteArray &text);
    // The text of a journal written whole with the document.
    static QByteArray textOf(const JournalDocument &document);
    // The journal a program left that no longer runs (its lock is free), if
    // any; leftovers of an interrupted rewrite are removed on the way.
    static std::optional<Recovered> findAbandoned(const QString &folder);
    // The journal goes: it was restored, or the user declined it.
    static void remove(const Recovered &journal);
    // An unreadable journal is kept under a name that is not offered again,
    // journal-PID-unreadable.txt; the name it has now.
    static QString setAside(const Recovered &journal);

private:
    void write(const QByteArray &record);
    void fail(const QString &reason);

    QString m_folder;
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    int m_descriptor = -1;
    qint64 m_startBytes = 0; // the journal as last written whole
    qint64 m_recordBytes = 0; // records since
    bool m_failing = false;
    qint64 m_failedAt = 0; // ms since the epoch
    std::function<void(const QString &, const QString &)> m_failed;
};
