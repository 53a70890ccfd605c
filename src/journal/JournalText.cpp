#include "journal/JournalText.h"

#include <algorithm>

#include "score/ComposerState.h"

namespace JournalText {

void appendNoteLine(QByteArray &text, char kind, const NoteRecord &note)
{
    // Every field is 0 … 13: at most two digits. Written by hand, as a full
    // score's journal is 32767 of these lines.
    char line[20];
    int size = 0;
    const auto put = [&](int value) {
        line[size++] = ' ';
        if (value < 0) { // never in a score: written so that reading refuses it
            line[size++] = '-';
            value = std::min(-value, 99);
        }
        if (value >= 10)
            line[size++] = char('0' + value / 10);
        line[size++] = char('0' + value % 10);
    };
    line[size++] = kind;
    put(note.pitch);
    put(int(note.octave));
    put(int(note.articulation));
    put(int(note.length));
    line[size++] = '\n';
    text.append(line, size);
}

QByteArray noteLine(char kind, const NoteRecord &note)
{
    QByteArray line;
    appendNoteLine(line, kind, note);
    return line;
}

QByteArray fileLine(char kind, const QString &path)
{
    // Percent-encoded: a path with a line break or a blank is still one line.
    return path.isEmpty() ? QByteArray(1, kind) + '\n'
                          : QByteArray(1, kind) + ' ' + path.toUtf8().toPercentEncoding("/") + '\n';
}

QByteArray whole(const JournalDocument &document)
{
    QByteArray text = Heading + 'T' + QByteArray::number(document.tempo) + "\nM" + QByteArray::number(document.meter)
        + '\n' + fileLine('F', document.melodyFile) + fileLine('O', document.sourceFile)
        + (document.unsaved ? "U1\n" : "U0\n");
    text.reserve(text.size() + qsizetype(document.notes.size()) * 16); // a note line is at most 14 bytes
    for (const NoteRecord &note : document.notes)
        appendNoteLine(text, '+', note);
    return text;
}

namespace {

// A number as the journal writes it: plain decimal digits, within the range.
std::optional<int> field(const QByteArray &text, int lowest, int highest)
{
    if (text.isEmpty() || text.size() > 5 || (text.size() > 1 && text.front() == '0'))
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

std::optional<NoteRecord> noteOf(const QByteArray &fields)
{
    const QList<QByteArray> parts = fields.split(' ');
    if (parts.size() != 4)
        return std::nullopt;
    const std::optional<int> pitch = field(parts[0], 0, NoteRecord::Rest);
    const std::optional<int> octave = field(parts[1], 0, 4);
    const std::optional<int> articulation = field(parts[2], 0, 2);
    const std::optional<int> length = field(parts[3], 0, NoteLengthCount - 1);
    if (!pitch || !octave || !articulation || !length)
        return std::nullopt;
    NoteRecord note;
    note.pitch = *pitch;
    note.octave = Octave(*octave);
    note.articulation = Articulation(*articulation);
    note.length = NoteLength(*length);
    return note;
}

std::optional<QString> pathOf(const QByteArray &line)
{
    if (line.size() == 1)
        return QString();
    if (line.size() < 3 || line[1] != ' ')
        return std::nullopt;
    return QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(2)));
}

} // namespace

std::optional<JournalDocument> read(const QByteArray &text)
{
    const bool first = text.startsWith(FirstHeading) || text.startsWith("ZEPA journal 1\r\n");
    if (!first && !text.startsWith(Heading))
        return std::nullopt;
    QList<QByteArray> lines = text.split('\n');
    // Every line the program finished ends in a line break; a last line
    // without one was cut short by the end of the program and is left out.
    lines.removeLast();
    JournalDocument document;
    std::vector<NoteRecord> &notes = document.notes;
    bool tempoSeen = false;
    constexpr std::size_t Capacity = ComposerState::ScoreCapacity;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        QByteArray line = lines[i];
        if (line.endsWith('\r'))
            line.chop(1); // a journal copied through a system with CR LF line ends
        if (i == 1 || (!first && line.startsWith('T'))) {
            const std::optional<int> tempo = line.startsWith('T') ? field(line.mid(1), 60, 240) : std::nullopt;
            if (!tempo)
                return std::nullopt;
            document.tempo = *tempo;
            tempoSeen = true;
        } else if (line == "-") {
            if (notes.empty())
                return std::nullopt; // nothing to remove: not what the program wrote
            notes.pop_back();
        } else if (line.startsWith("+ ")) {
            const std::optional<NoteRecord> note = noteOf(line.mid(2));
            if (!note || notes.size() >= Capacity)
                return std::nullopt;
            notes.push_back(*note);
        } else if (first) {
            return std::nullopt;
        } else if (line.startsWith('M')) {
            const std::optional<int> meter = field(line.mid(1), 0, 4);
            if (!meter || *meter == 1)
                return std::nullopt;
            document.meter = *meter;
        } else if (line.startsWith('F') || line.startsWith('O')) {
            const std::optional<QString> path = pathOf(line);
            if (!path)
                return std::nullopt;
            (line.startsWith('F') ? document.melodyFile : document.sourceFile) = *path;
        } else if (line == "U0" || line == "U1") {
            document.unsaved = line == "U1";
        } else if (line.startsWith("E ")) {
            const QList<QByteArray> parts = line.mid(2).split(' ');
            if (parts.size() != 3)
                return std::nullopt;
            const std::optional<int> at = field(parts[0], 0, int(notes.size()));
            const std::optional<int> removed = field(parts[1], 0, int(Capacity));
            const std::optional<int> inserted = field(parts[2], 0, int(Capacity));
            if (!at || !removed || !inserted || *at + *removed > int(notes.size())
                || notes.size() - std::size_t(*removed) + std::size_t(*inserted) > Capacity)
                return std::nullopt;
            // The notes it brings follow it; a record cut short by the end
            // of the program (the change in flight) is left out.
            std::vector<NoteRecord> brought;
            qsizetype k = i + 1;
            for (; k < lines.size() && int(brought.size()) < *inserted; ++k) {
                QByteArray next = lines[k];
                if (next.endsWith('\r'))
                    next.chop(1);
                const std::optional<NoteRecord> note = next.startsWith("n ") ? noteOf(next.mid(2)) : std::nullopt;
                if (!note)
                    return std::nullopt;
                brought.push_back(*note);
            }
            if (int(brought.size()) < *inserted)
                break;
            notes.erase(notes.begin() + *at, notes.begin() + *at + *removed);
            notes.insert(notes.begin() + *at, brought.begin(), brought.end());
            i = k - 1;
        } else {
            return std::nullopt;
        }
    }
    if (!tempoSeen)
        return std::nullopt;
    for (NoteRecord &note : notes)
        note.ticks = lengthTicks(note.length, document.tempo);
    return document;
}

} // namespace JournalText
