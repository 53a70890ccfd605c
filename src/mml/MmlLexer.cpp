#include "mml/MmlLexer.h"

#include <algorithm>

#include <QCoreApplication>
#include <QRegularExpression>

// The dialects' commands, from their manuals (see MmlDialect.h). Sakura's
// Japanese words ("ストトン表記") are read as the commands they stand for:
// ド レ ミ フ(ァ) ソ ラ シ and イ ロ ハ ニ ホ ヘ ト the notes, ン ッ rests, ー a
// tie, ↑ ↓ the octave, 【 】 a loop, 「 」 a chord, テンポ 音符 音階 ゲート
// トラック 拍子 曲名 and the rest their commands.

void MmlLeftOut::add(const QString &what, int line, int column, int count)
{
    auto [kind, added] = m_kinds.try_emplace(what);
    if (added) {
        kind->second.what = what;
        kind->second.line = line;
        kind->second.column = column;
        kind->second.order = int(m_kinds.size());
    }
    kind->second.count += count;
}

int MmlLeftOut::total() const
{
    int total = 0;
    for (const auto &[key, kind] : m_kinds)
        total += kind.count;
    return total;
}

QString MmlLeftOut::listed() const
{
    std::vector<const Kind *> kinds;
    for (const auto &[key, kind] : m_kinds)
        kinds.push_back(&kind);
    std::sort(kinds.begin(), kinds.end(), [](const Kind *a, const Kind *b) { return a->order < b->order; });
    QStringList parts;
    for (const Kind *kind : kinds)
        parts << QCoreApplication::translate("MmlLexer", "%1（%2 か所、最初は %3行目 %4文字目）")
                     .arg(kind->what)
                     .arg(kind->count)
                     .arg(kind->line)
                     .arg(kind->column);
    return parts.join(QCoreApplication::translate("MmlLexer", "、"));
}

namespace {

using Kind = MmlToken::Kind;
using Family = MmlDialect::Family;

// Macros within macros, as far as any song goes; deeper is a macro that names itself.
constexpr int DeepestMacro = 16;

int letterOf(QChar c)
{
    static const QString Letters = QStringLiteral("cdefgab");
    return int(Letters.indexOf(c.toLower()));
}

// Sakura's Japanese words for notes and signs, one character each.
struct Sign {
    char16_t character;
    char mml;
};
constexpr Sign SutotonSigns[] = {
    {u'ド', 'c'},  {u'ど', 'c'}, {u'レ', 'd'}, {u'れ', 'd'}, {u'ミ', 'e'}, {u'み', 'e'}, {u'フ', 'f'}, {u'ふ', 'f'},
    {u'ソ', 'g'},  {u'そ', 'g'}, {u'ラ', 'a'}, {u'ら', 'a'}, {u'シ', 'b'}, {u'し', 'b'}, {u'ハ', 'c'}, {u'ニ', 'd'},
    {u'ホ', 'e'},  {u'ヘ', 'f'}, {u'ト', 'g'}, {u'イ', 'a'}, {u'ロ', 'b'}, {u'ン', 'r'}, {u'ん', 'r'}, {u'ッ', 'r'},
    {u'っ', 'r'},  {u'ー', '^'}, {u'↑', '>'},  {u'上', '>'}, {u'↓', '<'},  {u'下', '<'}, {u'‘', '`'},  {u'「', '\''},
    {u'」', '\''}, {u'【', '['}, {u'】', ']'}, {u'♭', '-'},  {u'変', '-'}, {u'♯', '#'},  {u'嬰', '+'},
};

char sutotonSign(QChar c)
{
    for (const Sign &sign : SutotonSigns) {
        if (c.unicode() == sign.character)
            return sign.mml;
    }
    return 0;
}

// Everything the lexers of one file share: its macros and its time base.
struct Shared {
    const QString &text;
    const MmlDialect &dialect;
    MmlLexed &out;
    std::vector<qsizetype> lineStarts;
    std::map<QString, std::pair<qsizetype, qsizetype>> macros; // Sakura's Str: where its text is
    // Sakura's ~{word}={…}: where its text is, the longest word first.
    struct LongestFirst {
        bool operator()(const QString &a, const QString &b) const
        {
            return a.size() != b.size() ? a.size() > b.size() : a < b;
        }
    };
    std::map<QString, std::pair<qsizetype, qsizetype>, LongestFirst> words;
    int ticksPerQuarter = 96;
};

class Lexer {
public:
    Lexer(Shared &shared, qsizetype begin, qsizetype end, int depth)
        : m_shared(shared)
        , m_text(shared.text)
        , m_dialect(shared.dialect)
        , m_pos(begin)
        , m_end(end)
        , m_depth(depth)
    { }

    void run()
    {
        m_lineHasContent = !atLineStart(m_pos);
        while (!atEnd()) {
            if (m_stopped)
                return;
            const qsizetype at = m_pos;
            const QChar c = peek();
            const bool lineStart = !m_lineHasContent;
            if (c.isSpace() || c == u'\u3000') {
                if (take() == u'\n')
                    m_lineHasContent = false;
                continue;
            }
            m_lineHasContent = true;
            if (startsWith(u"/*")) {
                skipBlockComment();
                m_lineHasContent = !atLineStart(m_pos);
            } else if (startsWith(u"//") && m_dialect.family != Family::FlMml) {
                lineComment();
            } else if (c == u';') {
                take();
                if (m_dialect.semicolon == MmlDialect::Semicolon::NextTrack)
                    push(Kind::NextTrack, at);
                else if (m_dialect.semicolon == MmlDialect::Semicolon::Comment)
                    skipLine();
            } else if (c == u'#' && lineStart) {
                header(at);
            } else if (m_dialect.family == Family::Mck && lineStart && c == u'@' && definesOnThisLine()) {
                skipDefinition(at, QCoreApplication::translate("MmlLexer", "音色などの定義 @"));
            } else if (m_dialect.family == Family::Mck && lineStart && c >= u'A' && c <= u'Z' && trackLetters(at)) {
                // read
            } else if (m_dialect.family == Family::Sakura && sakuraWord(at)) {
                // read
            } else {
                command(at);
            }
        }
    }

private:
    bool atEnd() const { return m_pos >= m_end; }
    QChar peek(qsizetype ahead = 0) const { return m_pos + ahead < m_end ? m_text.at(m_pos + ahead) : QChar(); }
    QChar take() { return m_text.at(m_pos++); }
    bool startsWith(QStringView word) const
    {
        return m_end - m_pos >= word.size() && QStringView(m_text).mid(m_pos, word.size()) == word;
    }
    bool startsWithWord(QStringView word) const
    {
        return m_end - m_pos >= word.size()
            && QStringView(m_text).mid(m_pos, word.size()).compare(word, Qt::CaseInsensitive) == 0;
    }

    std::pair<int, int> place(qsizetype at) const
    {
        const auto &starts = m_shared.lineStarts;
        const auto line = std::upper_bound(starts.begin(), starts.end(), at) - 1;
        return {int(line - starts.begin()) + 1, int(at - *line) + 1};
    }

    MmlToken &push(Kind kind, qsizetype at)
    {
        MmlToken token;
        token.kind = kind;
        std::tie(token.line, token.column) = place(at);
        m_shared.out.tokens.push_back(token);
        return m_shared.out.tokens.back();
    }

    void leaveOut(const QString &what, qsizetype at)
    {
        const auto [line, column] = place(at);
        m_shared.out.leftOut.add(what, line, column);
    }

    bool atLineStart(qsizetype at) const
    {
        for (qsizetype i = at - 1; i >= 0; --i) {
            const QChar c = m_text.at(i);
            if (c == u'\n')
                return true;
            if (c != u' ' && c != u'\t' && c != u'\r' && c != u'\u3000')
                return false;
        }
        return true;
    }

    void skipLine()
    {
        while (!atEnd() && peek() != u'\n')
            take();
    }

    void skipBlockComment()
    {
        m_pos += 2;
        while (!atEnd() && !startsWith(u"*/"))
            take();
        m_pos = std::min(m_end, m_pos + 2);
    }

    // "// meter 3/4" on a line of its own: the meter ZEPA's staff shows.
    void lineComment()
    {
        const qsizetype start = m_pos;
        skipLine();
        static const QRegularExpression meter(QStringLiteral("^//\\s*meter\\s+([234])/4\\s*$"));
        const QRegularExpressionMatch match = meter.match(QStringView(m_text).mid(start, m_pos - start).trimmed());
        if (match.hasMatch())
            m_shared.out.meter = match.capturedView(1).toInt();
    }

    std::optional<int> number(bool signAllowed = false)
    {
        bool negative = false;
        if (signAllowed && (peek() == u'-' || peek() == u'+')) {
            if (!peek(1).isDigit())
                return std::nullopt;
            negative = take() == u'-';
        }
        int value = 0;
        int digits = 0;
        while (!atEnd() && peek() >= u'0' && peek() <= u'9') {
            if (digits < 9)
                value = value * 10 + (take().unicode() - u'0');
            else
                take();
            ++digits;
        }
        if (digits == 0)
            return std::nullopt;
        return negative ? -value : value;
    }

    void skipBlanks()
    {
        while (!atEnd() && (peek() == u' ' || peek() == u'\t' || peek() == u'\u3000'))
            take();
    }

    // From an opening bracket to its match, nested, passing over strings.
    void skipBalanced(QChar open, QChar close)
    {
        int depth = 0;
        bool quoted = false;
        while (!atEnd()) {
            const QChar c = take();
            if (c == u'"')
                quoted = !quoted;
            else if (quoted)
                continue;
            else if (c == open)
                ++depth;
            else if (c == close && --depth <= 0)
                return;
        }
    }

    // The arguments of a command or statement, as far as they go: "=value",
    // "(…)", "{…}", or numbers with commas.
    void skipArguments()
    {
        skipBlanks();
        if (peek() == u'=') {
            take();
            skipBlanks();
        }
        if (peek() == u'(') {
            skipBalanced(u'(', u')');
        } else if (peek() == u'{') {
            skipBalanced(u'{', u'}');
        } else {
            while (!atEnd()
                   && (peek().isDigit() || peek() == u',' || peek() == u'-' || peek() == u'+' || peek() == u'%'
                       || peek() == u'!' || peek() == u'.' || peek() == u'$'))
                take();
        }
    }

    // A length after a note, a rest, a tie or l: a number (1920ths of a
    // whole note are counted from it), ticks after %, and dots.
    void length(MmlToken &token)
    {
        if (peek() == u'%' && peek(1).isDigit()) {
            take();
            const qint64 ticks = *number();
            const qint64 perWhole = 4 * qint64(m_shared.ticksPerQuarter);
            token.units = ticks * UnitsPerWhole / perWhole;
            token.roundedLength = (ticks * UnitsPerWhole) % perWhole != 0;
        } else if (peek().isDigit()) {
            const int value = *number();
            if (value > 0) {
                token.units = (UnitsPerWhole + value / 2) / value;
                token.roundedLength = UnitsPerWhole % value != 0;
            }
        }
        while (peek() == u'.') {
            take();
            ++token.dots;
        }
        if (token.units && token.dots > 0) {
            qint64 added = *token.units;
            for (int dot = 0; dot < token.dots; ++dot) {
                token.roundedLength = token.roundedLength || added % 2 != 0;
                added /= 2;
                *token.units += added;
            }
            token.dots = 0;
        }
        // Sakura's further arguments of a note: gate, velocity, timing.
        if (m_dialect.family == Family::Sakura) {
            while (peek() == u',') {
                take();
                while (!atEnd() && (peek().isDigit() || peek() == u'%' || peek() == u'-' || peek() == u'!'))
                    take();
            }
        }
    }

    void note(qsizetype at, int letter)
    {
        MmlToken &token = push(Kind::Note, at);
        token.letter = letter;
        while (!atEnd()) {
            const QChar c = peek();
            const char sign = sutotonSign(c);
            if (c == u'+' || c == u'#' || sign == '#' || sign == '+')
                ++token.accidentals;
            else if (c == u'-' || sign == '-')
                --token.accidentals;
            else if (c == u'*' && m_dialect.family == Family::Sakura)
                token.natural = true;
            else if (c == u'ァ' || c == u'ぁ')
                ; // フ is ファ
            else
                break;
            take();
            token.accidentals = std::clamp(token.accidentals, -240, 240);
        }
        length(token);
    }

    void header(qsizetype at)
    {
        take();
        const qsizetype wordStart = m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'-' || peek() == u'_'))
            take();
        const QString word = m_text.mid(wordStart, m_pos - wordStart);
        if (m_dialect.family == Family::Sakura) {
            // A comment, or a macro Sakura defines with "#Name={…}".
            skipBlanks();
            if (peek() == u'=') {
                take();
                skipBlanks();
                if (peek() == u'{') {
                    skipBalanced(u'{', u'}');
                    leaveOut(QStringLiteral("#%1").arg(word), at);
                    return;
                }
            }
            skipLine();
            return;
        }
        const qsizetype valueStart = m_pos;
        skipLine();
        const QString upper = word.toUpper();
        if (upper == QLatin1String("TITLE")) {
            QString value = m_text.mid(valueStart, m_pos - valueStart).trimmed();
            if (value.size() >= 2
                && ((value.front() == u'"' && value.back() == u'"') || (value.front() == u'<' && value.back() == u'>')))
                value = value.mid(1, value.size() - 2).trimmed();
            if (m_shared.out.title.isEmpty())
                m_shared.out.title = value;
        } else if (upper.startsWith(QLatin1String("OCTAVE")) || upper == QLatin1String("COMPOSER")
                   || upper == QLatin1String("PROGRAMER") || upper == QLatin1String("ARTIST")
                   || upper == QLatin1String("COMMENT") || upper == QLatin1String("CODING")
                   || upper == QLatin1String("ARRANGER") || word.isEmpty()) {
            // Said by the dialect, or about the song: nothing left out.
        } else {
            leaveOut(QStringLiteral("#%1").arg(word), at);
        }
    }

    bool definesOnThisLine() const
    {
        for (qsizetype i = m_pos; i < m_end && m_text.at(i) != u'\n'; ++i) {
            if (m_text.at(i) == u'=')
                return true;
        }
        return false;
    }

    // "@name = { … }" or "Name = value": skipped whole, however many lines.
    void skipDefinition(qsizetype at, const QString &what)
    {
        while (!atEnd() && peek() != u'=' && peek() != u'\n')
            take();
        if (peek() == u'=')
            take();
        skipBlanks();
        if (peek() == u'{')
            skipBalanced(u'{', u'}');
        else
            skipLine();
        leaveOut(what, at);
    }

    // MCK: the track letters a line starts with ("A", "AB", "P").
    bool trackLetters(qsizetype at)
    {
        qsizetype end = m_pos;
        while (end < m_end && m_text.at(end) >= u'A' && m_text.at(end) <= u'Z')
            ++end;
        if (end == m_pos || end - m_pos > 12 || end >= m_end || (m_text.at(end) != u' ' && m_text.at(end) != u'\t'))
            return false;
        MmlToken &token = push(Kind::Track, at);
        for (qsizetype i = m_pos; i < end; ++i)
            token.tracks << QString(m_text.at(i));
        m_pos = end;
        return true;
    }

    QString identifier()
    {
        const qsizetype start = m_pos;
        while (!atEnd() && (peek().isLetterOrNumber() || peek() == u'_' || peek() == u'.')
               && (peek().unicode() < 0x80 || m_pos == start))
            take();
        return m_text.mid(start, m_pos - start);
    }

    std::optional<int> valueArgument(bool signAllowed = false)
    {
        skipBlanks();
        bool parenthesis = false;
        if (peek() == u'=' || peek() == u'(') {
            parenthesis = take() == u'(';
            skipBlanks();
        }
        const std::optional<int> value = number(signAllowed);
        if (parenthesis) {
            while (!atEnd() && peek() != u')' && peek() != u'\n')
                take();
            if (peek() == u')')
                take();
        }
        return value;
    }

    // A string argument: ="…", {"…"} or ("…").
    QString stringArgument()
    {
        skipBlanks();
        if (peek() == u'=')
            take();
        skipBlanks();
        const qsizetype start = m_pos;
        if (peek() == u'{')
            skipBalanced(u'{', u'}');
        else if (peek() == u'(')
            skipBalanced(u'(', u')');
        else
            skipLine();
        const QString raw = m_text.mid(start, m_pos - start);
        const qsizetype open = raw.indexOf(u'"');
        const qsizetype close = raw.lastIndexOf(u'"');
        return open >= 0 && close > open ? raw.mid(open + 1, close - open - 1).trimmed() : QString();
    }

    void meterArgument()
    {
        skipBlanks();
        if (peek() == u'=' || peek() == u'(')
            take();
        skipBlanks();
        const std::optional<int> beats = number();
        skipBlanks();
        if (peek() == u',' || peek() == u'/')
            take();
        skipBlanks();
        const std::optional<int> beatType = number();
        if (peek() == u')')
            take();
        if (beats && beatType && *beatType == 4 && *beats >= 2 && *beats <= 4 && m_shared.out.meter == 0)
            m_shared.out.meter = *beats;
    }

    // KeyFlag+(cf), KeyFlag-(be), KeyFlag=(a,b,c,d,e,f,g in numbers), 調#(ドファ).
    void keyFlags(qsizetype at)
    {
        MmlToken &token = push(Kind::KeyFlags, at);
        skipBlanks();
        if (peek() == u'=')
            take();
        int sign = 0;
        if (peek() == u'+' || peek() == u'#' || sutotonSign(peek()) == '#')
            sign = 1, take();
        else if (peek() == u'-' || sutotonSign(peek()) == '-')
            sign = -1, take();
        skipBlanks();
        if (peek() != u'(')
            return;
        const qsizetype open = m_pos;
        skipBalanced(u'(', u')');
        const QString inside = m_text.mid(open + 1, m_pos - open - 2);
        if (sign == 0) {
            // Numbers in the order a b c d e f g.
            const QStringList values = inside.split(u',');
            static constexpr int FromA[7] = {5, 6, 0, 1, 2, 3, 4};
            for (qsizetype i = 0; i < values.size() && i < 7; ++i)
                token.flags[std::size_t(FromA[i])] = std::clamp(values[i].trimmed().toInt(), -12, 12);
            return;
        }
        for (QChar c : inside) {
            const char sutoton = sutotonSign(c);
            const int letter = letterOf(sutoton ? QChar(QLatin1Char(sutoton)) : c);
            if (letter >= 0)
                token.flags[std::size_t(letter)] = sign;
        }
    }

    // Reads the text between begin and end as MML where it stands.
    void expand(qsizetype begin, qsizetype end)
    {
        if (m_depth >= DeepestMacro || begin >= end)
            return;
        Lexer inner(m_shared, begin, end, m_depth + 1);
        inner.run();
        m_stopped = m_stopped || inner.m_stopped;
    }

    bool sakuraWord(qsizetype at)
    {
        const QChar c = peek();
        if ((c == u'~' || c == u'\u203E') && peek(1) == u'{') {
            defineWord(at);
            return true;
        }
        // Words the song defined for itself, the longest first.
        for (const auto &[word, range] : m_shared.words) {
            if (startsWith(word)) {
                m_pos += word.size();
                expand(range.first, range.second);
                return true;
            }
        }
        // Japanese words, the longest first.
        static const std::pair<const char16_t *, Kind> Commands[] = {
            {u"テンポ", Kind::Tempo},       {u"トラック", Kind::Track}, {u"音符", Kind::DefaultLength},
            {u"音長", Kind::DefaultLength}, {u"音階", Kind::Octave},    {u"ゲート", Kind::Gate},
        };
        static const std::pair<const char16_t *, int> Lengths[]
            = {{u"付点四分音符", 720}, {u"全音符", 1920},  {u"二分音符", 960},
               {u"四分音符", 480},     {u"八分音符", 240}, {u"十六音符", 120}};
        for (const auto &[word, units] : Lengths) {
            if (startsWith(word)) {
                m_pos += qsizetype(std::char_traits<char16_t>::length(word));
                push(Kind::DefaultLength, at).units = units;
                return true;
            }
        }
        for (const auto &[word, kind] : Commands) {
            if (!startsWith(word))
                continue;
            m_pos += qsizetype(std::char_traits<char16_t>::length(word));
            simpleCommand(kind, at);
            return true;
        }
        static const char16_t *const Skipped[] = {
            u"音源初期化", u"音色", u"音量",       u"チャンネル", u"時間",           u"演奏位置", u"ここから演奏",
            u"読む",       u"作者", u"コメント",   u"大きく",     u"クレッシェンド", u"小さく",   u"デクレッシェンド",
            u"音量戻す",   u"方向", u"ビブラート", u"ペダル",     u"放す",           u"リズム"};
        for (const char16_t *word : Skipped) {
            if (!startsWith(word))
                continue;
            const QString what = QString::fromUtf16(word);
            m_pos += what.size();
            while (!atEnd() && !peek().isSpace() && peek().unicode() >= 0x3000 && !sutotonSign(peek())
                   && peek() != u'【')
                take(); // 方向左前 and the like
            skipArguments();
            if (what != QLatin1String("作者") && what != QLatin1String("コメント"))
                leaveOut(what, at);
            return true;
        }
        if (startsWith(u"拍子")) {
            m_pos += 2;
            meterArgument();
            return true;
        }
        if (startsWith(u"曲名")) {
            m_pos += 2;
            const QString title = stringArgument();
            if (m_shared.out.title.isEmpty())
                m_shared.out.title = title;
            return true;
        }
        if (startsWith(u"調")) {
            m_pos += 1;
            keyFlags(at);
            return true;
        }
        if (startsWith(u"連符")) {
            m_pos += 2;
            skipBlanks();
            return true; // the { … } after it is the tuplet
        }
        if (const char sign = sutotonSign(c)) {
            take();
            command(at, QChar(QLatin1Char(sign)));
            return true;
        }
        if (c == u'ァ' || c == u'ぁ') {
            take();
            return true;
        }
        if (!(c >= u'A' && c <= u'Z'))
            return false;
        statement(at);
        return true;
    }

    // Tempo, octave, length, gate and track given by a word: the number after it.
    void simpleCommand(Kind kind, qsizetype at)
    {
        if (kind == Kind::DefaultLength) {
            MmlToken &token = push(kind, at);
            length(token);
            return;
        }
        const std::optional<int> value = valueArgument();
        if (!value) {
            leaveOut(m_text.mid(at, m_pos - at).trimmed(), at);
            return;
        }
        MmlToken &token = push(kind, at);
        token.number = value;
        if (kind == Kind::Track)
            token.tracks << QString::number(*value);
    }

    // A Sakura statement: a word in capitals and its arguments.
    void statement(qsizetype at)
    {
        const QString word = identifier();
        const QString key = word.toLower();
        if (key == QLatin1String("tr") || key == QLatin1String("track")) {
            simpleCommand(Kind::Track, at);
        } else if (key == QLatin1String("tempo") || key == QLatin1String("t") || key == QLatin1String("bpm")) {
            simpleCommand(Kind::Tempo, at);
        } else if (key == QLatin1String("trackname")) {
            const QString title = stringArgument();
            if (m_shared.out.title.isEmpty())
                m_shared.out.title = title;
        } else if (key == QLatin1String("copyright") || key == QLatin1String("metatext")) {
            stringArgument();
        } else if (key.endsWith(QLatin1String("timesignature")) || key == QLatin1String("timesig")) {
            meterArgument();
        } else if (key.endsWith(QLatin1String("keyflag")) || key == QLatin1String("kf")) {
            keyFlags(at);
        } else if (key == QLatin1String("key") || key == QLatin1String("keyshift")
                   || key == QLatin1String("trackkey")) {
            const std::optional<int> value = valueArgument(true);
            if (value)
                push(Kind::Transpose, at).number = std::clamp(*value, -127, 127);
        } else if (key.endsWith(QLatin1String("timebase"))) {
            if (const std::optional<int> value = valueArgument())
                m_shared.ticksPerQuarter = std::clamp(*value, 1, 9600);
        } else if (key == QLatin1String("str")) {
            defineMacro(at);
        } else if (key == QLatin1String("end")) {
            m_stopped = true;
        } else if (key == QLatin1String("div")) {
            skipBlanks(); // the { … } after it is the tuplet
        } else if (const auto macro = m_shared.macros.find(word); macro != m_shared.macros.end()) {
            expand(macro->second.first, macro->second.second);
        } else if (key == QLatin1String("play")) {
            play(at);
        } else if (key == QLatin1String("function")) {
            identifier();
            skipBlanks();
            if (peek() == u'(')
                skipBalanced(u'(', u')');
            skipBlanks();
            if (peek() == u'{')
                skipBalanced(u'{', u'}');
            leaveOut(QStringLiteral("Function"), at);
        } else if (key == QLatin1String("int") || key == QLatin1String("array")) {
            while (!atEnd() && peek() != u';' && peek() != u'\n')
                take();
            leaveOut(word, at);
        } else {
            otherStatement(word, at);
        }
    }

    // PLAY(A, B, …): the macros given, each on its track from the first on.
    // The melody is the first track's; a track given nothing ("___") plays
    // nothing there.
    void play(qsizetype at)
    {
        skipBlanks();
        if (peek() != u'(') {
            leaveOut(QStringLiteral("Play"), at);
            return;
        }
        const qsizetype open = m_pos;
        skipBalanced(u'(', u')');
        const QStringList names = m_text.mid(open + 1, m_pos - open - 2).split(u',');
        for (qsizetype i = 0; i < names.size(); ++i) {
            const auto macro = m_shared.macros.find(names[i].trimmed());
            if (macro == m_shared.macros.end())
                continue;
            push(Kind::Track, at).tracks << QString::number(i + 1);
            expand(macro->second.first, macro->second.second);
        }
        push(Kind::Track, at).tracks << QStringLiteral("1");
    }

    // ~{word}={MML}: a Japanese word of the song's own.
    void defineWord(qsizetype at)
    {
        take();
        const qsizetype open = m_pos;
        skipBalanced(u'{', u'}');
        const QString word = m_text.mid(open + 1, std::max<qsizetype>(0, m_pos - open - 2));
        skipBlanks();
        if (peek() == u'=')
            take();
        skipBlanks();
        if (peek() != u'{' || word.isEmpty()) {
            leaveOut(QStringLiteral("~{…}"), at);
            return;
        }
        const qsizetype value = m_pos;
        skipBalanced(u'{', u'}');
        m_shared.words.emplace(word, std::make_pair(value + 1, std::max(value + 1, m_pos - 1)));
    }

    void defineMacro(qsizetype at)
    {
        skipBlanks();
        const QString name = identifier();
        skipBlanks();
        if (peek() == u'=')
            take();
        skipBlanks();
        if (peek() != u'{' || name.isEmpty()) {
            skipLine();
            leaveOut(QStringLiteral("Str"), at);
            return;
        }
        const qsizetype open = m_pos;
        skipBalanced(u'{', u'}');
        m_shared.macros[name] = {open + 1, std::max(open + 1, m_pos - 1)};
    }

    // A statement ZEPA has no use for: left out with its arguments, but the
    // notes it is given ("MidiDelayS(ソーミー)", "Oct({cde})") still play.
    void otherStatement(const QString &word, qsizetype at)
    {
        if (peek() == u'$') // a string variable's name: SysEx$
            take();
        skipBlanks();
        if (peek() == u'.') // v.onTime(…) and the like
            identifier();
        skipBlanks();
        leaveOut(word, at);
        if (peek() == u'(') {
            const qsizetype open = m_pos;
            skipBalanced(u'(', u')');
            const qsizetype close = m_pos - 1;
            const QStringView inside = QStringView(m_text).mid(open + 1, std::max<qsizetype>(0, close - open - 1));
            const qsizetype brace = inside.indexOf(u'{');
            if (brace >= 0) {
                const qsizetype from = open + 1 + brace;
                const qsizetype to = m_text.lastIndexOf(u'}', close);
                if (to > from)
                    expand(from + 1, to);
            } else if (std::any_of(inside.begin(), inside.end(), [](QChar c) { return sutotonSign(c) >= 'a'; })) {
                expand(open + 1, close);
            }
        } else if (peek() == u'{') {
            skipBalanced(u'{', u'}');
        } else if (peek() == u'=') {
            take();
            skipBlanks();
            if (peek() == u'{' || peek() == u'(')
                skipBalanced(peek(), peek() == u'{' ? u'}' : u')');
            else
                while (!atEnd() && peek() != u';' && peek() != u'\n')
                    take();
        } else {
            skipArguments();
        }
    }

    // One command of a letter or sign; what is not a melody's is left out.
    void command(qsizetype at, QChar given = QChar())
    {
        const bool sutoton = !given.isNull();
        const QChar c = sutoton ? given : take();
        const QChar lower = c.toLower();
        const bool capital = c.isUpper();
        const bool sakura = m_dialect.family == Family::Sakura;
        if (capital && (m_dialect.capitalsAreCommands || sakura) && !sutoton) {
            // MCK's D2, MP1, SA3…: the letters name the kind.
            while (!atEnd() && peek() >= u'A' && peek() <= u'Z')
                take();
            const QString word = m_text.mid(at, m_pos - at);
            skipArguments();
            leaveOut(word, at);
            return;
        }
        if (c.unicode() < 0x80 && c.isLetter() && peek() == u'.' && peek(1).isLetter()) {
            // Sakura's v.onTime(…), q.Random(…) and the like.
            take();
            identifier();
            skipArguments();
            leaveOut(QStringLiteral("%1.").arg(c), at);
            return;
        }
        if (const int letter = letterOf(c); letter >= 0 && c.unicode() < 0x80) {
            note(at, letter);
            return;
        }
        switch (lower.unicode()) {
        case u'r':
        case u'_': {
            if (lower == u'_' && !sakura)
                break;
            if (sakura && peek() == u'-') { // Sakura's r-4 moves the time back
                take();
                MmlToken ignored;
                length(ignored);
                leaveOut(QStringLiteral("r-"), at);
                return;
            }
            length(push(Kind::Rest, at));
            return;
        }
        case u'^':
            length(push(Kind::Tie, at));
            return;
        case u'&':
            push(Kind::Slur, at);
            return;
        case u'l':
            length(push(Kind::DefaultLength, at));
            return;
        case u'o':
            if (const std::optional<int> value = number()) {
                push(Kind::Octave, at).number = *value;
                return;
            }
            break;
        case u'n':
            if (sakura || m_dialect.family == Family::FlMml) {
                if (peek() == u'(')
                    break;
                if (const std::optional<int> value = number()) {
                    MmlToken &token = push(Kind::NoteNumber, at);
                    token.number = std::clamp(*value, 0, 127);
                    if (peek() == u',')
                        take();
                    length(token);
                    return;
                }
            }
            break;
        case u't':
            if (sakura) { // a timing shift, not the tempo
                number(true);
                leaveOut(QStringLiteral("t"), at);
                return;
            }
            if (const std::optional<int> value = number()) {
                push(Kind::Tempo, at).number = *value;
                return;
            }
            break;
        case u'q':
            if (const std::optional<int> value = number()) {
                MmlToken &token = push(Kind::Gate, at);
                token.number = *value;
                token.upper = capital;
                return;
            }
            break;
        case u'k':
            if (!sakura && m_dialect.family != Family::Mck) {
                if (const std::optional<int> value = number(true)) {
                    push(Kind::Transpose, at).number = std::clamp(*value, -127, 127);
                    return;
                }
            }
            break;
        case u'>':
            push(Kind::Greater, at);
            return;
        case u'<':
            push(Kind::Less, at);
            return;
        case u'`':
            if (sakura) {
                push(Kind::OnceUp, at);
                return;
            }
            break;
        case u'"':
            if (sakura) {
                push(Kind::OnceDown, at);
                return;
            }
            break;
        case u'[':
            if (m_dialect.family == Family::FlMml) {
                push(Kind::ChordStart, at);
                return;
            }
            if (m_dialect.loopCountFirst) {
                skipBlanks();
                MmlToken &token = push(Kind::LoopStart, at);
                token.number = number();
                return;
            }
            push(Kind::LoopStart, at);
            return;
        case u']':
            if (m_dialect.family == Family::FlMml) {
                length(push(Kind::ChordEnd, at));
                return;
            }
            push(Kind::LoopEnd, at).number = m_dialect.loopCountFirst ? std::nullopt : number();
            return;
        case u':':
            if (peek() == u'/') { // FlMML's end of a loop
                take();
                push(Kind::LoopEnd, at);
                return;
            }
            if (peek() == u'|') { // MCK's |: … :|n
                take();
                push(Kind::LoopEnd, at).number = number();
                return;
            }
            push(Kind::LoopBreak, at);
            return;
        case u'|':
            if (peek() == u':') {
                take();
                push(Kind::LoopStart, at);
                return;
            }
            if (!sakura)
                push(Kind::LoopBreak, at);
            return;
        case u'/':
            if (peek() == u':') {
                take();
                MmlToken &token = push(Kind::LoopStart, at);
                token.number = number();
                return;
            }
            if (m_dialect.family == Family::Mck) {
                skipLine();
                return;
            }
            push(Kind::LoopBreak, at);
            return;
        case u'\\':
            push(Kind::LoopBreak, at);
            return;
        case u'\'':
            if (sakura) {
                m_inChord = !m_inChord;
                if (m_inChord)
                    push(Kind::ChordStart, at);
                else
                    length(push(Kind::ChordEnd, at));
                return;
            }
            break;
        case u'{':
            push(Kind::TupletStart, at);
            return;
        case u'}':
            length(push(Kind::TupletEnd, at));
            return;
        case u'!':
            if (m_dialect.family == Family::Mck) {
                push(Kind::TrackEnd, at);
                return;
            }
            break;
        case u'$':
            // Sakura's rhythm macros ($b{…}), FlMML's macros ($name=…;).
            while (!atEnd() && peek() != u'{' && peek() != u'=' && peek() != u'\n')
                take();
            if (peek() == u'{')
                skipBalanced(u'{', u'}');
            else
                while (!atEnd() && peek() != u';' && peek() != u'\n')
                    take();
            leaveOut(QStringLiteral("$"), at);
            return;
        case u',':
        case u'*':
            return;
        default:
            break;
        }
        // Anything else: the command and its number left out, said once by kind.
        if (c == u'@') {
            while (!atEnd() && (peek() == u'@' || (peek().isLetter() && peek().unicode() < 0x80)))
                take();
        }
        if (peek() == u'(') {
            skipBalanced(u'(', u')');
        } else {
            number(true);
            while (peek() == u',' && (peek(1).isDigit() || peek(1) == u'-')) {
                take();
                number(true);
            }
        }
        const QString what = describe(c, m_text.mid(at, std::min<qsizetype>(m_pos - at, 3)));
        leaveOut(what, at);
        // A command some dialect has, written without its number, is no sign of prose.
        if ((!named(c) && !QStringLiteral("tolqkvupyswxzn@").contains(lower)) || c.isDigit()) {
            MmlLexed &out = m_shared.out;
            if (out.unknown++ == 0) {
                out.firstUnknown = QString(c);
                std::tie(out.unknownLine, out.unknownColumn) = place(at);
            }
        }
    }

    // A command some dialect has, which the list of what was left out names.
    static bool named(QChar c) { return c.isDigit() || QStringLiteral("vup@()").contains(c.toLower()); }

    static QString describe(QChar c, const QString &written)
    {
        switch (c.toLower().unicode()) {
        case u'v':
            return QCoreApplication::translate("MmlLexer", "音量 v");
        case u'u':
            return QCoreApplication::translate("MmlLexer", "強さ u");
        case u'p':
            return QCoreApplication::translate("MmlLexer", "左右の位置 p");
        case u'@':
            return QCoreApplication::translate("MmlLexer", "音色 @");
        case u'(':
        case u')':
            return QCoreApplication::translate("MmlLexer", "音量 ( )");
        default:
            break;
        }
        if (c.isDigit())
            return QCoreApplication::translate("MmlLexer", "命令のない数");
        return QCoreApplication::translate("MmlLexer", "「%1」").arg(c.isPrint() ? QString(c) : written);
    }

    Shared &m_shared;
    const QString &m_text;
    const MmlDialect &m_dialect;
    qsizetype m_pos;
    qsizetype m_end;
    int m_depth;
    bool m_stopped = false;
    bool m_inChord = false;
    bool m_lineHasContent = false; // something but blanks since the line began
};

} // namespace

MmlLexed lexMml(const QString &text, const MmlDialect &dialect)
{
    MmlLexed lexed;
    Shared shared{text, dialect, lexed, {0}, {}, {}, dialect.ticksPerQuarter};
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'\n')
            shared.lineStarts.push_back(i + 1);
    }
    lexed.tokens.reserve(std::size_t(text.size() / 2) + 16); // a command is two characters or more
    Lexer(shared, 0, text.size(), 0).run();
    return lexed;
}
