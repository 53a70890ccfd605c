#include "mml/MmlReader.h"

#include <optional>

#include "score/TempoReader.h"

namespace {

const QString LengthWords = QStringLiteral("長さは 1, 2, 4, 8, 16, 32, 2., 4., 8., 16., 6, 12, 24 のどれかです");

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
    if (!dotted) {
        switch (number) {
        case 1:
            return NoteLength::Whole;
        case 2:
            return NoteLength::Half;
        case 4:
            return NoteLength::Quarter;
        case 8:
            return NoteLength::Eighth;
        case 16:
            return NoteLength::Sixteenth;
        case 32:
            return NoteLength::ThirtySecond;
        case 6:
            return NoteLength::QuarterTriplet;
        case 12:
            return NoteLength::EighthTriplet;
        case 24:
            return NoteLength::SixteenthTriplet;
        default:
            return std::nullopt;
        }
    }
    switch (number) {
    case 2:
        return NoteLength::DottedHalf;
    case 4:
        return NoteLength::DottedQuarter;
    case 8:
        return NoteLength::DottedEighth;
    case 16:
        return NoteLength::DottedSixteenth;
    default:
        return std::nullopt;
    }
}

// The number a length stands for when it is written without one, and whether dotted.
std::pair<int, bool> numberOf(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return {1, false};
    case NoteLength::Half:
        return {2, false};
    case NoteLength::Quarter:
        return {4, false};
    case NoteLength::Eighth:
        return {8, false};
    case NoteLength::Sixteenth:
        return {16, false};
    case NoteLength::ThirtySecond:
        return {32, false};
    case NoteLength::DottedHalf:
        return {2, true};
    case NoteLength::DottedQuarter:
        return {4, true};
    case NoteLength::DottedEighth:
        return {8, true};
    case NoteLength::DottedSixteenth:
        return {16, true};
    case NoteLength::QuarterTriplet:
        return {6, false};
    case NoteLength::EighthTriplet:
        return {12, false};
    case NoteLength::SixteenthTriplet:
        return {24, false};
    }
    return {4, false};
}

class Reader {
public:
    explicit Reader(const QString &text)
        : m_text(text)
    { }

    MmlReadResult read()
    {
        MmlReadResult result;
        std::vector<NoteRecord> notes;
        int tempo = 0;
        while (skipBlanksAndComments()) {
            const int line = m_line;
            const int column = column0();
            const QChar command = take().toUpper();
            if (command == u'T') {
                const std::optional<int> value = number();
                if (!value || *value < TempoReader::MinimumTempo || *value > TempoReader::MaximumTempo)
                    return fail(line, column, QStringLiteral("テンポは T60 から T240 までです"));
                if (tempo != 0)
                    return fail(line, column, QStringLiteral("テンポ (T) は一つだけです"));
                if (!notes.empty())
                    return fail(line, column, QStringLiteral("テンポ (T) は最初の音の前に書きます"));
                tempo = *value;
            } else if (command == u'O') {
                const std::optional<int> value = number();
                if (!value || *value < 3 || *value > 7)
                    return fail(line, column, QStringLiteral("オクターブは O3 から O7 までです"));
                m_octave = *value;
            } else if (command == u'>') {
                ++m_octave;
            } else if (command == u'<') {
                --m_octave;
            } else if (command == u'L') {
                const std::optional<NoteLength> length = lengthAfter(std::nullopt);
                if (!length)
                    return fail(m_errorLine, m_errorColumn, LengthWords);
                m_length = *length;
            } else if (command == u'Q') {
                const std::optional<int> value = number();
                if (value == 8)
                    m_articulation = Articulation::SlurOrTie;
                else if (value == 7)
                    m_articulation = Articulation::Normal;
                else if (value == 4)
                    m_articulation = Articulation::Staccato;
                else
                    return fail(
                        line, column,
                        QStringLiteral("Q は Q8（スラーまたはタイ）、Q7（普通）、Q4（スタッカート）のどれかです"));
            } else if (command == u'R' || letterPitch(command)) {
                NoteRecord note;
                int octave = m_octave;
                if (command == u'R') {
                    note.pitch = NoteRecord::Rest;
                } else {
                    int pitch = *letterPitch(command);
                    while (!atEnd() && (peek() == u'+' || peek() == u'#' || peek() == u'-')) {
                        pitch += take() == u'-' ? -1 : 1;
                    }
                    octave += pitch < 0 ? -1 : pitch >= PitchCount ? 1 : 0;
                    note.pitch = (pitch + PitchCount) % PitchCount;
                }
                if (octave < 3 || octave > 7)
                    return fail(line, column, QStringLiteral("音が O3 から O7 の外に出ます"));
                note.octave = Octave(octave - 3);
                const std::optional<NoteLength> length = lengthAfter(m_length);
                if (!length)
                    return fail(m_errorLine, m_errorColumn, LengthWords);
                note.length = *length;
                note.articulation = m_articulation;
                if (!atEnd() && peek() == u'&') {
                    take();
                    note.articulation = Articulation::SlurOrTie;
                }
                if (int(notes.size()) == MaximumMmlNotes)
                    return fail(line, column, QStringLiteral("音は %1 個までです").arg(MaximumMmlNotes));
                notes.push_back(note);
            } else {
                return fail(
                    line, column,
                    QStringLiteral("「%1」は使えません。T O L Q < > C D E F G A B R & ; が使えます").arg(command));
            }
        }
        result.melody.tempo = tempo == 0 ? Melody::DefaultTempo : tempo;
        for (NoteRecord &note : notes)
            note.ticks = lengthTicks(note.length, result.melody.tempo);
        result.melody.notes = std::move(notes);
        return result;
    }

private:
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

    // False at the end of the text.
    bool skipBlanksAndComments()
    {
        while (!atEnd()) {
            const QChar c = peek();
            if (c == u';') {
                while (!atEnd() && peek() != u'\n')
                    take();
            } else if (c.isSpace() || c == u'\u3000') {
                take();
            } else {
                return true;
            }
        }
        return false;
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

    // A length written after a note, a rest or L: a number, a dot, or both;
    // with neither, the default (when there is one).
    std::optional<NoteLength> lengthAfter(std::optional<NoteLength> byDefault)
    {
        m_errorLine = m_line;
        m_errorColumn = column0();
        std::optional<int> value = number();
        bool dotted = false;
        if (!atEnd() && peek() == u'.') {
            take();
            dotted = true;
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
    qsizetype m_position = 0;
    qsizetype m_lineStart = 0;
    int m_line = 1;
    int m_errorLine = 0;
    int m_errorColumn = 0;
    int m_octave = 5;
    NoteLength m_length = NoteLength::Quarter;
    Articulation m_articulation = Articulation::Normal;
};

} // namespace

QString MmlReadResult::message() const
{
    return QStringLiteral("%1行目 %2文字目: %3").arg(line).arg(column).arg(error);
}

MmlReadResult readMml(const QByteArray &utf8)
{
    QByteArray bytes = utf8;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3); // a byte order mark some editors write
    const QString text = QString::fromUtf8(bytes);
    return Reader(text).read();
}
