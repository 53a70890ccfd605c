#pragma once

#include <optional>
#include <span>
#include <vector>

#include <QString>

#include "score/NoteRecord.h"

// A record of the score kept while composing, so that work is not lost when
// the program ends without the user's consent (killed, crashed, power cut).
// Each running program keeps its own file, journal-PID.txt, in the folder:
//   ZEPA journal 1
//   T120                  the tempo
//   + 0 2 0 2             a confirmed note: pitch, octave, articulation, length
//   -                     the last note removed
// A confirm appends one line; opening a file rewrites the whole journal.
class RecoveryJournal {
public:
    explicit RecoveryJournal(QString folder);
    ~RecoveryJournal();
    RecoveryJournal(const RecoveryJournal &) = delete;
    RecoveryJournal &operator=(const RecoveryJournal &) = delete;

    // Starts this program's journal with a score (rewriting any before).
    void start(int tempo, std::span<const NoteRecord> notes);
    void append(const NoteRecord &note);
    void removeLast();
    // The user ended the work: the journal goes.
    void discard();

    QString path() const { return m_path; }

    struct Recovered {
        QString path;
        int tempo = 0;
        std::vector<NoteRecord> notes;
        bool readable = true; // false: not a journal as the program writes it; nothing was restored
    };
    // The score a journal's text describes, read exactly: every line as the
    // program writes it, the last one cut short by the end of the program
    // left out. Nothing when anything else is in it: a journal is never
    // restored as a score other than the one it recorded.
    static std::optional<Recovered> parse(const QByteArray &text);
    // The journal a program left that no longer runs, if any.
    static std::optional<Recovered> findAbandoned(const QString &folder);
    // The journal goes: it was restored, or the user declined it.
    static void remove(const Recovered &journal);
    // An unreadable journal is kept under a name that is not offered again,
    // journal-PID-unreadable.txt; the name it has now.
    static QString setAside(const Recovered &journal);

private:
    void appendLine(const QByteArray &line);

    QString m_folder;
    QString m_path;
    int m_descriptor = -1;
};
