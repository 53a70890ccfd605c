#include "mml/MmlReader.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

#include <QCoreApplication>
#include <QRegularExpression>

#include "base/ProgramInfo.h"
#include "score/TempoReader.h"

namespace {

QString LengthWords()
{
    return QCoreApplication::translate("MmlReader",
                                       "長さは 1, 2, 4, 8, 16, 32, 2., 4., 8., 16., 6, 12, 24 のどれかです");
}
// Work a file may ask for through its loops before it is taken for one that
// never ends: far more than 32767 notes need.
constexpr qint64 MostSteps = 1'000'000;
constexpr int LowestOctave = 3;
constexpr int HighestOctave = 7;

// Semitones of the seven letters from C.
std::optional<int> letterPitch(QChar letter)
{
    switch (letter.toUpper().unicode()) {
    case u'C':
        return 0;
    case u'D':
        return 2;
    case u'E':
        return 4;
    case u'F':
        return 5;
    case u'G':
        return 7;
    case u'A':
        return 9;
    case u'B':
        return 11;
    default:
        return std::nullopt;
    }
}

std::optional<NoteLength> lengthFor(int number, bool dotted)
{
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        const QByteArray fraction(entry.fraction);
        if (fraction == QByteArray::number(number) + (dotted ? "." : ""))
            return entry.length;
    }
    return std::nullopt;
}

// The number a length stands for when it is written without one, and whether dotted.
std::pair<int, bool> numberOf(NoteLength length)
{
    QByteArray fraction(noteLengthEntry(length).fraction);
    const bool dotted = fraction.endsWith('.');
    if (dotted)
        fraction.chop(1);
    return {fraction.toInt(), dotted};
}

// What was read and left out or changed, counted for one message.
struct LeftOut {
    int volumes = 0; // v
    int velocities = 0; // u
    int pans = 0; // p
    int instruments = 0; // @
    int otherTracks = 0;
    int tempoChanges = 0;
    bool tempoBroughtIn = false;
    int tempoWas = 0;
    int notesMoved = 0; // by octaves into ZEPA's five
    int gatesFitted = 0; // q of other programs made one of ZEPA's three
};

class Reader {
public:
    explicit Reader(const QString &text)
        : m_text(text)
        , m_oldZepa(text.startsWith(QStringLiteral("; ") + ProgramTitle))
        , m_zepa(m_oldZepa || text.startsWith(QStringLiteral("// ") + ProgramTitle))
    {
        // ZEPA's own files before octave 4 was the default said none for its middle range.
        m_defaultOctave = m_oldZepa ? 5 : 4;
        resetTrack();
    }

    MmlReadResult read()
    {
        while (true) {
            if (++m_steps > MostSteps)
                return fail(m_line, column0(), QCoreApplication::translate("MmlReader", "繰り返しが多すぎます"));
            if (!skipBlanksAndComments())
                break;
            const int line = m_line;
            const int column = column0();
            const QChar command = take();
            std::optional<MmlReadResult> failed;
            if (command == u';') {
                if (!m_loops.empty())
                    return fail(line, column, QCoreApplication::translate("MmlReader", "[ ] の中で ; は使えません"));
                if (!m_notes.empty()) {
                    countOtherTracks();
                    break;
                }
                resetTrack(); // a track without notes: the next may be the melody
                continue;
            }
            failed = perform(command, line, column);
            if (failed)
                return *failed;
        }
        if (!m_loops.empty())
            return fail(m_loops.back().line, m_loops.back().column,
                        QCoreApplication::translate("MmlReader", "[ に対応する ] がありません"));
        return finish();
    }

private:
    struct Loop {
        qsizetype start; // just after "["
        int line;
        int lineStart;
        int column;
        int remaining = -1; // repetitions still to come; -1 until the "]" is reached
    };

    // A note read, and the gate of another program's q it was written under.
    struct Read {
        NoteRecord note;
        int gate = 0; // 1 … 8, or 0 where ZEPA's own articulation holds
    };

    void resetTrack()
    {
        m_octave = m_defaultOctave;
        m_length = NoteLength::Quarter;
        m_articulation = Articulation::Normal;
        m_gate = 0;
        m_keyShift = 0;
    }

    std::optional<MmlReadResult> perform(QChar command, int line, int column)
    {
        const QChar upper = command.toUpper();
        if (upper == u'T') {
            const std::optional<int> value = number();
            if (!value)
                return fail(line, column, QCoreApplication::translate("MmlReader", "T のあとにテンポの数がありません"));
            tempo(*value);
        } else if (upper == u'O') {
            const std::optional<int> value = number();
            if (!value || *value > 9)
                return fail(line, column, QCoreApplication::translate("MmlReader", "オクターブは O0 から O9 までです"));
            m_octave = *value;
        } else if (command == u'>') {
            ++m_octave;
        } else if (command == u'<') {
            --m_octave;
        } else if (upper == u'L') {
            const std::optional<NoteLength> length = lengthAfter(std::nullopt);
            if (!length)
                return fail(m_errorLine, m_errorColumn, LengthWords());
            m_length = *length;
        } else if (upper == u'Q') {
            const std::optional<int> value = number();
            if (!value || *value < 1 || *value > 8)
                return fail(
                    line, column,
                    QCoreApplication::translate(
                        "MmlReader", "Q は Q1 から Q8 までです（Q8 スラーまたはタイ、Q7 普通、Q4 スタッカート）"));
            gate(*value, command == u'Q');
        } else if (upper == u'K') {
            const bool down = !atEnd() && peek() == u'-';
            if (down)
                take();
            const std::optional<int> value = number();
            if (!value)
                return fail(line, column, QCoreApplication::translate("MmlReader", "K のあとに半音の数がありません"));
            m_keyShift = std::clamp(down ? -*value : *value, -127, 127);
        } else if (upper == u'V' || upper == u'U' || upper == u'P' || command == u'@') {
            if (upper == u'P' && !atEnd() && peek() == u'-')
                take();
            if (!number())
                return fail(line, column,
                            QCoreApplication::translate("MmlReader", "「%1」のあとに数がありません").arg(command));
            int &count = upper == u'V' ? m_leftOut.volumes
                : upper == u'U'        ? m_leftOut.velocities
                : upper == u'P'        ? m_leftOut.pans
                                       : m_leftOut.instruments;
            ++count;
        } else if (command == u'[') {
            m_loops.push_back({m_position, m_line, int(m_lineStart), column, -1});
        } else if (command == u']') {
            return endOfLoop(line, column);
        } else if (command == u'^') {
            return tie(line, column);
        } else if (upper == u'R' || letterPitch(command)) {
            return note(upper, line, column);
        } else {
            return fail(
                line, column,
                QCoreApplication::translate(
                    "MmlReader", "「%1」は使えません。T O L Q K < > C D E F G A B R & ^ [ ] V U P @ ; // が使えます")
                    .arg(command));
        }
        return std::nullopt;
    }

    void tempo(int value)
    {
        const int inRange = std::clamp(value, TempoReader::MinimumTempo, TempoReader::MaximumTempo);
        if (m_tempo == 0) {
            m_tempo = inRange;
            if (inRange != value) {
                m_leftOut.tempoBroughtIn = true;
                m_leftOut.tempoWas = value;
            }
        } else if (inRange != m_tempo) {
            ++m_leftOut.tempoChanges;
        }
    }

    void gate(int value, bool upperCase)
    {
        // ZEPA's own files, and Q in capitals as ZEPA's guide has always
        // taught it, mean its own three; other programs' q means n/8.
        if ((m_zepa || upperCase) && (value == 8 || value == 7 || value == 4)) {
            m_gate = 0;
            m_articulation = value == 8 ? Articulation::SlurOrTie
                : value == 7            ? Articulation::Normal
                                        : Articulation::Staccato;
        } else {
            m_gate = value;
        }
    }

    std::optional<MmlReadResult> endOfLoop(int line, int column)
    {
        if (m_loops.empty())
            return fail(line, column, QCoreApplication::translate("MmlReader", "] に対応する [ がありません"));
        const std::optional<int> times = number();
        Loop &loop = m_loops.back();
        if (loop.remaining < 0)
            loop.remaining = std::max(times.value_or(2), 1) - 1;
        if (loop.remaining == 0) {
            m_loops.pop_back();
            return std::nullopt;
        }
        --loop.remaining;
        m_position = loop.start;
        m_line = loop.line;
        m_lineStart = loop.lineStart;
        return std::nullopt;
    }

    std::optional<MmlReadResult> tie(int line, int column)
    {
        if (m_notes.empty())
            return fail(line, column, QCoreApplication::translate("MmlReader", "^ の前に音がありません"));
        const std::optional<NoteLength> length = lengthAfter(m_length);
        if (!length)
            return fail(m_errorLine, m_errorColumn, LengthWords());
        Read next = m_notes.back();
        if (!next.note.isRest()) {
            m_notes.back().note.articulation = Articulation::SlurOrTie; // tied into the next
            m_notes.back().gate = 0;
        }
        next.note.length = *length;
        return add(next, line, column);
    }

    std::optional<MmlReadResult> note(QChar upper, int line, int column)
    {
        Read read;
        NoteRecord &note = read.note;
        int octave = m_octave;
        if (upper == u'R') {
            note.pitch = NoteRecord::Rest;
        } else {
            // Any number of sharps and flats, carried across as many octaves
            // as they reach; counted only as far as a note could still be in range.
            int semitones = *letterPitch(upper) + m_keyShift;
            while (!atEnd() && (peek() == u'+' || peek() == u'#' || peek() == u'-'))
                semitones = std::clamp(semitones + (take() == u'-' ? -1 : 1), -20 * PitchCount, 20 * PitchCount);
            const int place = octave * PitchCount + semitones;
            octave = int(std::floor(double(place) / PitchCount));
            note.pitch = place - octave * PitchCount;
            if (octave < LowestOctave || octave > HighestOctave) {
                ++m_leftOut.notesMoved;
                octave = std::clamp(octave, LowestOctave, HighestOctave);
            }
        }
        note.octave = Octave(std::clamp(octave, LowestOctave, HighestOctave) - LowestOctave);
        const std::optional<NoteLength> length = lengthAfter(m_length);
        if (!length)
            return fail(m_errorLine, m_errorColumn, LengthWords());
        note.length = *length;
        note.articulation = m_articulation;
        read.gate = m_gate;
        if (!atEnd() && peek() == u'&') {
            take();
            note.articulation = Articulation::SlurOrTie;
            read.gate = 0;
        }
        if (note.isRest()) // a rest keeps the octave and articulation as written
            read.gate = 0;
        return add(read, line, column);
    }

    std::optional<MmlReadResult> add(const Read &read, int line, int column)
    {
        if (int(m_notes.size()) == MaximumMmlNotes)
            return fail(line, column,
                        QCoreApplication::translate("MmlReader", "音は %1 個までです").arg(MaximumMmlNotes));
        m_notes.push_back(read);
        return std::nullopt;
    }

    // Another program's q: the nearest of ZEPA's three, by the silence it
    // leaves after the note at the melody's tempo.
    Articulation nearest(const Read &read, int tempo) const
    {
        const double lengthMs = lengthTicks(read.note.length, tempo) * 10.0;
        const double gapMs = lengthMs * (8 - read.gate) / 8;
        Articulation best = Articulation::SlurOrTie;
        for (Articulation articulation : AllArticulations) {
            if (std::abs(gapTicks(articulation) * 10.0 - gapMs) < std::abs(gapTicks(best) * 10.0 - gapMs))
                best = articulation;
        }
        return best;
    }

    MmlReadResult finish()
    {
        MmlReadResult result;
        result.melody.tempo = m_tempo == 0 ? Melody::DefaultTempo : m_tempo;
        result.melody.meter = m_meter;
        result.melody.notes.reserve(m_notes.size());
        for (const Read &read : m_notes) {
            NoteRecord note = read.note;
            if (read.gate != 0) {
                note.articulation = nearest(read, result.melody.tempo);
                ++m_leftOut.gatesFitted;
            }
            note.ticks = lengthTicks(note.length, result.melody.tempo);
            result.melody.notes.push_back(note);
        }
        describe(result);
        return result;
    }

    void describe(MmlReadResult &result) const
    {
        const auto say = [&result](const QString &change) { result.changes << change; };
        const LeftOut &out = m_leftOut;
        QStringList parts;
        const auto part = [&](int count, const char *what) {
            if (count > 0)
                parts << QCoreApplication::translate("MmlReader", "%1（%2 か所）")
                             .arg(QCoreApplication::translate("MmlReader", what))
                             .arg(count);
        };
        part(out.volumes, QT_TRANSLATE_NOOP("MmlReader", "音量 v"));
        part(out.velocities, QT_TRANSLATE_NOOP("MmlReader", "強さ u"));
        part(out.pans, QT_TRANSLATE_NOOP("MmlReader", "左右の位置 p"));
        part(out.instruments, QT_TRANSLATE_NOOP("MmlReader", "音色 @"));
        if (!parts.isEmpty())
            say(QCoreApplication::translate("MmlReader", "ZEPAでは使わない %1 を省きました。")
                    .arg(parts.join(QCoreApplication::translate("MmlReader", "、"))));
        if (out.otherTracks > 0)
            say(QCoreApplication::translate(
                    "MmlReader",
                    "ZEPAは一度にひとつの音しか鳴らせないので、最初のトラックのほかの %1 トラックを省きました。")
                    .arg(out.otherTracks));
        if (out.tempoBroughtIn)
            say(QCoreApplication::translate("MmlReader", "テンポ %1 はZEPAの範囲（60～240）の外なので、%2 にしました。")
                    .arg(out.tempoWas)
                    .arg(m_tempo));
        if (out.tempoChanges > 0)
            say(QCoreApplication::translate("MmlReader",
                                            "途中のテンポの変化（%1 か所）は使わず、最初のテンポで通しました。")
                    .arg(out.tempoChanges));
        if (out.notesMoved > 0)
            say(QCoreApplication::translate("MmlReader",
                                            "ZEPAの５オクターブの外にあった %1 音を、オクターブ単位で移しました。")
                    .arg(out.notesMoved));
        if (out.gatesFitted > 0)
            say(QCoreApplication::translate(
                    "MmlReader",
                    "q で決めた音の長さ（%1 音）を、ZEPAの音間（普通・スタッカート・スラーまたはタイ）の"
                    "いちばん近いものにしました。")
                    .arg(out.gatesFitted));
    }

    // The tracks after this one that hold anything but blanks.
    void countOtherTracks()
    {
        const QStringList rest = m_text.mid(m_position).split(u';');
        for (const QString &track : rest) {
            if (!track.trimmed().isEmpty())
                ++m_leftOut.otherTracks;
        }
    }

    bool atEnd() const { return m_position >= m_text.size(); }
    QChar peek() const { return m_text.at(m_position); }
    int column0() const { return int(m_position - m_lineStart) + 1; }

    QChar take()
    {
        const QChar c = m_text.at(m_position++);
        if (c == u'\n') {
            ++m_line;
            m_lineStart = m_position;
        }
        return c;
    }

    bool startsWith(const char *word) const
    {
        return m_text.mid(m_position, qsizetype(std::strlen(word))) == QLatin1String(word);
    }

    // False at the end of the text.
    bool skipBlanksAndComments()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if ((m_oldZepa && c == u';') || startsWith("//")) {
                const qsizetype start = m_position;
                while (!atEnd() && peek() != u'\n')
                    take();
                readMeter(QStringView(m_text).mid(start, m_position - start));
            } else if (startsWith("/*")) {
                take();
                take();
                while (!atEnd() && !startsWith("*/"))
                    take();
                if (!atEnd()) {
                    take();
                    take();
                }
            } else if (c.isSpace() || c == u'\u3000') {
                take();
            } else {
                return true;
            }
        }
        return false;
    }

    // "// meter 3/4": how the staff shows the melody, kept as a comment any
    // reader passes over.
    void readMeter(QStringView comment)
    {
        static const QRegularExpression meter(QStringLiteral("^//\\s*meter\\s+([234])/4\\s*$"));
        const QRegularExpressionMatch match = meter.match(comment);
        if (match.hasMatch())
            m_meter = match.capturedView(1).toInt();
    }

    std::optional<int> number()
    {
        int value = 0;
        int digits = 0;
        while (!atEnd() && peek() >= u'0' && peek() <= u'9' && digits < 6) {
            value = value * 10 + (take().unicode() - u'0');
            ++digits;
        }
        return digits == 0 ? std::nullopt : std::optional<int>(value);
    }

    // A length written after a note, a rest, a tie or L: a number, a dot, or
    // both; with neither, the default (when there is one).
    std::optional<NoteLength> lengthAfter(std::optional<NoteLength> byDefault)
    {
        m_errorLine = m_line;
        m_errorColumn = column0();
        std::optional<int> value = number();
        bool dotted = false;
        if (!atEnd() && peek() == u'.') {
            take();
            dotted = true;
            if (!atEnd() && peek() == u'.')
                return std::nullopt; // a double dot is no length of ZEPA's
        }
        if (!value) {
            if (!byDefault)
                return std::nullopt;
            const auto [defaultNumber, defaultDotted] = numberOf(*byDefault);
            if (!dotted)
                return byDefault;
            if (defaultDotted)
                return std::nullopt;
            value = defaultNumber;
        }
        return lengthFor(*value, dotted);
    }

    MmlReadResult fail(int line, int column, const QString &error)
    {
        MmlReadResult result;
        result.line = line;
        result.column = column;
        result.error = error;
        return result;
    }

    const QString &m_text;
    const bool m_oldZepa;
    const bool m_zepa;
    int m_meter = 0;
    qsizetype m_position = 0;
    qsizetype m_lineStart = 0;
    int m_line = 1;
    int m_errorLine = 0;
    int m_errorColumn = 0;
    qint64 m_steps = 0;
    int m_defaultOctave = 4;
    int m_octave = 4;
    NoteLength m_length = NoteLength::Quarter;
    Articulation m_articulation = Articulation::Normal;
    int m_gate = 0;
    int m_keyShift = 0;
    int m_tempo = 0;
    std::vector<Loop> m_loops;
    std::vector<Read> m_notes;
    LeftOut m_leftOut;
};

} // namespace

QString MmlReadResult::message() const
{
    return QCoreApplication::translate("MmlReader", "%1行目 %2文字目: %3").arg(line).arg(column).arg(error);
}

MmlReadResult readMml(const QByteArray &utf8)
{
    QByteArray bytes = utf8;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3); // a byte order mark some editors write
    const QString text = QString::fromUtf8(bytes);
    return Reader(text).read();
}
