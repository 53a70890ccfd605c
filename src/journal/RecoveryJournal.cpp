#include "journal/RecoveryJournal.h"

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

const QByteArray Heading = "ZEPA journal 1\n";

QByteArray noteLine(const NoteRecord &note)
{
    return "+ " + QByteArray::number(note.pitch) + ' ' + QByteArray::number(int(note.octave)) + ' '
        + QByteArray::number(int(note.articulation)) + ' ' + QByteArray::number(int(note.length)) + '\n';
}

// The score a journal's lines describe; nothing when it is not a journal.
std::optional<RecoveryJournal::Recovered> parse(const QByteArray &text)
{
    if (!text.startsWith(Heading))
        return std::nullopt;
    RecoveryJournal::Recovered recovered;
    const QList<QByteArray> lines = text.mid(Heading.size()).split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith('T')) {
            bool ok = false;
            recovered.tempo = line.mid(1).toInt(&ok);
            if (!ok || recovered.tempo < 60 || recovered.tempo > 240)
                return std::nullopt;
            recovered.notes.clear();
        } else if (line == "-") {
            if (!recovered.notes.empty())
                recovered.notes.pop_back();
        } else if (line.startsWith("+ ")) {
            const QList<QByteArray> fields = line.mid(2).split(' ');
            if (fields.size() != 4)
                continue; // a line cut short by the end of the program
            NoteRecord note;
            note.pitch = fields[0].toInt();
            const int octave = fields[1].toInt();
            const int articulation = fields[2].toInt();
            const int length = fields[3].toInt();
            if (note.pitch < 0 || note.pitch > NoteRecord::Rest || octave < 0 || octave > 4 || articulation < 0
                || articulation > 2 || length < 0 || length >= NoteLengthCount)
                continue;
            note.octave = Octave(octave);
            note.articulation = Articulation(articulation);
            note.length = NoteLength(length);
            note.ticks = lengthTicks(note.length, recovered.tempo);
            if (recovered.notes.size() < 32767)
                recovered.notes.push_back(note);
        }
    }
    if (recovered.tempo == 0)
        return std::nullopt;
    return recovered;
}

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
        std::optional<Recovered> recovered = parse(file.readAll());
        if (!recovered) {
            file.remove();
            continue;
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
