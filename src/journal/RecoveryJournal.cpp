#include "journal/RecoveryJournal.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "score/ComposerState.h"

namespace {

const QByteArray Heading = "ZEPA journal 1\n";

QByteArray noteLine(const NoteRecord &note)
{
    return "+ " + QByteArray::number(note.pitch) + ' ' + QByteArray::number(int(note.octave)) + ' '
        + QByteArray::number(int(note.articulation)) + ' ' + QByteArray::number(int(note.length)) + '\n';
}

// A number as the journal writes it: plain decimal digits, within the range.
std::optional<int> field(const QByteArray &text, int lowest, int highest)
{
    if (text.isEmpty() || text.size() > 3 || (text.size() > 1 && text.front() == '0'))
        return std::nullopt;
    int value = 0;
    for (char digit : text) {
        if (digit < '0' || digit > '9')
            return std::nullopt;
        value = value * 10 + (digit - '0');
    }
    if (value < lowest || value > highest)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<RecoveryJournal::Recovered> RecoveryJournal::parse(const QByteArray &text)
{
    if (!text.startsWith(Heading) && !text.startsWith("ZEPA journal 1\r\n"))
        return std::nullopt;
    QList<QByteArray> lines = text.split('\n');
    // Every line the program finished ends in a line break; a last line
    // without one was cut short by the end of the program and is left out.
    lines.removeLast();
    Recovered recovered;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1); // a journal copied through a system with CR LF line ends
        if (i == 1) {
            const std::optional<int> tempo
                = line.startsWith('T') ? field(line.mid(1), 60, 240) : std::optional<int>();
            if (!tempo)
                return std::nullopt;
            recovered.tempo = *tempo;
        } else if (line == "-") {
            if (recovered.notes.empty())
                return std::nullopt; // nothing to remove: not what the program wrote
            recovered.notes.pop_back();
        } else if (line.startsWith("+ ")) {
            const QList<QByteArray> fields = line.mid(2).split(' ');
            if (fields.size() != 4 || recovered.notes.size() >= std::size_t(ComposerState::ScoreCapacity))
                return std::nullopt;
            const std::optional<int> pitch = field(fields[0], 0, NoteRecord::Rest);
            const std::optional<int> octave = field(fields[1], 0, 4);
            const std::optional<int> articulation = field(fields[2], 0, 2);
            const std::optional<int> length = field(fields[3], 0, NoteLengthCount - 1);
            if (!pitch || !octave || !articulation || !length)
                return std::nullopt;
            NoteRecord note;
            note.pitch = *pitch;
            note.octave = Octave(*octave);
            note.articulation = Articulation(*articulation);
            note.length = NoteLength(*length);
            note.ticks = lengthTicks(note.length, recovered.tempo);
            recovered.notes.push_back(note);
        } else {
            return std::nullopt;
        }
    }
    if (recovered.tempo == 0)
        return std::nullopt;
    return recovered;
}

namespace {

bool processRuns(qint64 pid)
{
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

} // namespace

RecoveryJournal::RecoveryJournal(QString folder)
    : m_folder(std::move(folder))
    , m_path(m_folder + QStringLiteral("/journal-%1.txt").arg(::getpid()))
{ }

RecoveryJournal::~RecoveryJournal()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

void RecoveryJournal::start(int tempo, std::span<const NoteRecord> notes)
{
    QDir().mkpath(m_folder);
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    // Written whole under a new name, then put in place: a journal is never half old, half new.
    QByteArray text = Heading + "T" + QByteArray::number(tempo) + '\n';
    for (const NoteRecord &note : notes)
        text += noteLine(note);
    const QString fresh = m_path + QStringLiteral(".new");
    QFile file(fresh);
    if (file.open(QIODevice::WriteOnly) && file.write(text) == text.size() && file.flush()) {
        file.close();
        ::rename(QFile::encodeName(fresh).constData(), QFile::encodeName(m_path).constData());
    }
    m_descriptor = ::open(QFile::encodeName(m_path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
}

void RecoveryJournal::append(const NoteRecord &note)
{
    appendLine(noteLine(note));
}

void RecoveryJournal::removeLast()
{
    appendLine("-\n");
}

void RecoveryJournal::appendLine(const QByteArray &line)
{
    // One write a change: the system keeps it when the program is killed.
    if (m_descriptor >= 0 && ::write(m_descriptor, line.constData(), std::size_t(line.size())) < 0) {
        ::close(m_descriptor);
        m_descriptor = -1; // a journal that cannot be written is given up, not retried at each click
    }
}

void RecoveryJournal::discard()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    QFile::remove(m_path);
}

std::optional<RecoveryJournal::Recovered> RecoveryJournal::findAbandoned(const QString &folder)
{
    static const QRegularExpression name(QStringLiteral(R"(\Ajournal-(\d+)\.txt\z)"));
    const QStringList names = QDir(folder).entryList({QStringLiteral("journal-*.txt")}, QDir::Files, QDir::Time);
    for (const QString &entry : names) {
        const QRegularExpressionMatch match = name.match(entry);
        if (!match.hasMatch() || processRuns(match.captured(1).toLongLong()))
            continue;
        QFile file(folder + QLatin1Char('/') + entry);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        // A full score's journal is a few hundred kilobytes.
        constexpr qint64 LargestJournal = 8 * 1024 * 1024;
        std::optional<Recovered> recovered = file.size() <= LargestJournal ? parse(file.readAll()) : std::nullopt;
        if (!recovered) {
            // Never deleted: set aside where it is not offered again, and said.
            Recovered unreadable;
            unreadable.path = file.fileName();
            unreadable.readable = false;
            return unreadable;
        }
        recovered->path = file.fileName();
        return recovered;
    }
    return std::nullopt;
}

void RecoveryJournal::remove(const Recovered &journal)
{
    QFile::remove(journal.path);
}

QString RecoveryJournal::setAside(const Recovered &journal)
{
    QString aside = journal.path;
    aside.replace(QRegularExpression(QStringLiteral(R"(\.txt\z)")), QStringLiteral("-unreadable.txt"));
    QFile::remove(aside);
    return QFile::rename(journal.path, aside) ? aside : journal.path;
}
