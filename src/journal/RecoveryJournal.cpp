#include "journal/RecoveryJournal.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>

#include "journal/JournalText.h"

namespace {

QString lockPathOf(const QString &journal)
{
    QString lock = journal;
    lock.replace(QRegularExpression(QStringLiteral(R"(\.txt\z)")), QStringLiteral(".lock"));
    return lock;
}

QString reasonOfErrno(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// While the disk stays full, starting the journal again is tried no more
// often than this.
constexpr qint64 RetryMilliseconds = 5000;

} // namespace

std::optional<RecoveryJournal::Recovered> RecoveryJournal::parse(const QByteArray &text)
{
    std::optional<JournalDocument> document = JournalText::read(text);
    if (!document)
        return std::nullopt;
    Recovered recovered;
    recovered.document = std::move(*document);
    return recovered;
}

QByteArray RecoveryJournal::textOf(const JournalDocument &document)
{
    return JournalText::whole(document);
}

RecoveryJournal::RecoveryJournal(QString folder)
    : m_folder(std::move(folder))
    , m_path(m_folder + QStringLiteral("/journal-%1.txt").arg(::getpid()))
{ }

RecoveryJournal::~RecoveryJournal()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void RecoveryJournal::start(const JournalDocument &document)
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    if (!QDir().mkpath(m_folder)) {
        fail(QStringLiteral("cannot make the folder"));
        return;
    }
    if (!m_lock) {
        // Held while this program runs: the kernel lets go of it when the
        // program ends in any way, so another finds the journal abandoned.
        m_lock = std::make_unique<QLockFile>(lockPathOf(m_path));
        m_lock->setStaleLockTime(0);
        if (!m_lock->tryLock(0))
            m_lock.reset(); // tried again at the next start
    }
    // Written whole under a new name, then put in place: a journal is never half old, half new.
    const QByteArray text = JournalText::whole(document);
    const QString fresh = m_path + QStringLiteral(".new");
    QFile file(fresh);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.flush()) {
        const QString reason = file.errorString();
        file.close();
        QFile::remove(fresh);
        fail(reason);
        return;
    }
    file.close();
    if (::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(m_path).constData()) != 0) {
        const int error = errno;
        QFile::remove(fresh);
        fail(reasonOfErrno(error));
        return;
    }
    m_descriptor = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (m_descriptor < 0) {
        fail(reasonOfErrno(errno));
        return;
    }
    m_startBytes = text.size();
    m_recordBytes = 0;
    m_failing = false;
}

void RecoveryJournal::append(const NoteRecord &note)
{
    write(JournalText::noteLine('+', note));
}

void RecoveryJournal::removeLast()
{
    write("-\n");
}

void RecoveryJournal::edit(int first, int removed, std::span<const NoteRecord> inserted)
{
    QByteArray record = "E " + QByteArray::number(first) + ' ' + QByteArray::number(removed) + ' '
        + QByteArray::number(qsizetype(inserted.size())) + '\n';
    record.reserve(record.size() + qsizetype(inserted.size()) * 16); // a note line is at most 14 bytes
    for (const NoteRecord &note : inserted)
        JournalText::appendNoteLine(record, 'n', note);
    write(record);
}

void RecoveryJournal::setTempo(int tempo)
{
    write('T' + QByteArray::number(tempo) + '\n');
}

void RecoveryJournal::setMeter(int meter)
{
    write('M' + QByteArray::number(meter) + '\n');
}

void RecoveryJournal::setFiles(const QString &melodyFile, const QString &sourceFile)
{
    write(JournalText::fileLine('F', melodyFile) + JournalText::fileLine('O', sourceFile));
}

void RecoveryJournal::setUnsaved(bool unsaved)
{
    write(unsaved ? "U1\n" : "U0\n");
}

bool RecoveryJournal::wantsCompacting() const
{
    return m_descriptor >= 0 && m_recordBytes > std::max<qint64>(256 * 1024, 4 * m_startBytes);
}

bool RecoveryJournal::retryDue() const
{
    return m_failing && QDateTime::currentMSecsSinceEpoch() - m_failedAt >= RetryMilliseconds;
}

void RecoveryJournal::write(const QByteArray &record)
{
    if (m_descriptor < 0)
        return; // failing: the keeper starts the journal again when a retry is due
    // One write a change: the system keeps it when the program is killed.
    const ssize_t written = ::write(m_descriptor, record.constData(), std::size_t(record.size()));
    if (written == record.size()) {
        m_recordBytes += written;
        return;
    }
    const int error = written < 0 ? errno : ENOSPC;
    ::close(m_descriptor);
    m_descriptor = -1;
    fail(reasonOfErrno(error));
}

void RecoveryJournal::fail(const QString &reason)
{
    m_failedAt = QDateTime::currentMSecsSinceEpoch();
    if (m_failing)
        return; // said once
    m_failing = true;
    if (m_failed)
        m_failed(m_folder, reason);
}

void RecoveryJournal::discard()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    QFile::remove(m_path);
    QFile::remove(m_path + QStringLiteral(".new"));
    m_lock.reset(); // unlocks and removes the lock file
}

std::optional<RecoveryJournal::Recovered> RecoveryJournal::findAbandoned(const QString &folder)
{
    static const QRegularExpression name(QStringLiteral(R"(\Ajournal-(\d+)\.txt(\.new)?\z)"));
    // Leftovers first, then the journals, the newest first.
    QStringList names = QDir(folder).entryList({QStringLiteral("journal-*.txt.new")}, QDir::Files, QDir::Time);
    names += QDir(folder).entryList({QStringLiteral("journal-*.txt")}, QDir::Files, QDir::Time);
    for (const QString &entry : names) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch())
            continue;
        const QString path = folder + QLatin1Char('/') + entry;
        const QString journal = match.capturedLength(2) > 0 ? path.chopped(4) : path;
        // Whether its program still runs is told by its lock, not its process
        // id (a killed program can linger as a zombie; ids are reused).
        QLockFile lock(lockPathOf(journal));
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        if (match.capturedLength(2) > 0) {
            QFile::remove(path); // a rewrite its program did not finish
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // A full score's journal is a few hundred kilobytes; its records a few times that.
        constexpr qint64 LargestJournal = 32 * 1024 * 1024;
        std::optional<Recovered> recovered = file.size() <= LargestJournal ? parse(file.readAll()) : std::nullopt;
        if (!recovered) {
            // Never deleted: set aside where it is not offered again, and said.
            Recovered unreadable;
            unreadable.path = file.fileName();
            unreadable.readable = false;
            return unreadable;
        }
        recovered->path = file.fileName();
        recovered->written = QFileInfo(file).lastModified();
        return recovered;
    }
    return std::nullopt;
}

void RecoveryJournal::remove(const Recovered &journal)
{
    QFile::remove(journal.path);
    QFile::remove(lockPathOf(journal.path));
}

QString RecoveryJournal::setAside(const Recovered &journal)
{
    QString aside = journal.path;
    aside.replace(QRegularExpression(QStringLiteral(R"(\.txt\z)")), QStringLiteral("-unreadable.txt"));
    QFile::remove(aside);
    QFile::remove(lockPathOf(journal.path));
    return QFile::rename(journal.path, aside) ? aside : journal.path;
}
