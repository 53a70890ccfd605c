#include "nqc/NqcReader.h"

#include <charconv>

#include <QCoreApplication>

#include "nqc/FrequencyTable.h"
#include "performance/BrickTones.h"

namespace {

// The fixed lines between the frequency table and the first statement, and
// the one after the last.
constexpr std::string_view OpeningLines[] = {
    "", "task main()", "{", "     start music;", "}", "", "task music()", "{",
};
constexpr std::string_view ClosingLine = "}";

std::vector<std::string_view> linesOf(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// "     NAME(" … ");" with the arguments between.
bool statement(std::string_view line, std::string_view name, std::string_view &arguments)
{
    const std::string_view indent = "     ";
    if (!line.starts_with(indent))
        return false;
    line.remove_prefix(indent.size());
    if (!line.starts_with(name) || !line.ends_with(");"))
        return false;
    line.remove_prefix(name.size());
    if (!line.starts_with('('))
        return false;
    arguments = line.substr(1, line.size() - 3);
    return true;
}

// Ticks as ZEPA writes them: plain decimal, 0 to 255.
bool ticksOf(std::string_view text, quint16 &ticks)
{
    if (text.empty() || text.size() > 3 || (text.size() > 1 && text.front() == '0'))
        return false;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > MaxTicksPerStatement)
        return false;
    ticks = quint16(value);
    return true;
}

int toneNamed(std::string_view name)
{
    for (int tone = 0; tone < ToneCount; ++tone) {
        if (brickTones()[std::size_t(tone)].name == name)
            return tone;
    }
    return -1;
}

NqcReadResult refused(int line, const QString &expected)
{
    NqcReadResult result;
    result.errorLine = line;
    result.error = expected;
    return result;
}

QString quoted(std::string_view line)
{
    return QLatin1Char('"') + QString::fromLatin1(line.data(), qsizetype(line.size())) + QLatin1Char('"');
}

} // namespace

NqcReadResult readNqcProgram(const QByteArray &text)
{
    const std::vector<std::string_view> lines = linesOf(std::string_view(text.constData(), std::size_t(text.size())));
    const std::vector<std::string_view> table = linesOf(frequencyTableText());
    std::size_t next = 0;
    auto lineNumber = [&next] { return int(next) + 1; };

    for (std::string_view expected : table) {
        if (next >= lines.size() || lines[next] != expected)
            return refused(
                lineNumber(),
                next == 0 ? QCoreApplication::translate("NqcReader",
                                                        "ZEPAが書いたプログラムではありません。ZEPAで開くのは、メロディ"
                                                        "ファイル（.mml）か、ZEPAが書いたままの music0.nqc などです")
                          : QCoreApplication::translate("NqcReader",
                                                        "ZEPAが書いたプログラムが書き換えられています（周波数の表の %1 "
                                                        "がありません）。メロディファイル（.mml）を開いてください")
                                .arg(quoted(expected)));
        ++next;
    }
    for (std::string_view expected : OpeningLines) {
        if (next >= lines.size() || lines[next] != expected)
            return refused(lineNumber(),
                           QCoreApplication::translate(
                               "NqcReader", "%1 があるはずのところです。ZEPAが書いたままのプログラムしか開けません")
                               .arg(quoted(expected)));
        ++next;
    }

    NqcReadResult result;
    for (; next < lines.size() && lines[next] != ClosingLine; ++next) {
        const std::string_view line = lines[next];
        std::string_view arguments;
        quint16 ticks = 0;
        if (statement(line, "PlayTone", arguments)) {
            const std::size_t comma = arguments.find(',');
            const int tone = comma == std::string_view::npos ? -1 : toneNamed(arguments.substr(0, comma));
            if (tone < 0 || !ticksOf(arguments.substr(comma + 1), ticks))
                return refused(
                    lineNumber(),
                    QCoreApplication::translate(
                        "NqcReader",
                        "PlayTone(TONE,TICKS)（TONE は表の音、TICKS は 0 から 255）があるはずのところに %1 があります")
                        .arg(quoted(line)));
            result.events.push_back({BrickEvent::Kind::Tone, quint8(tone), ticks});
        } else if (statement(line, "Wait", arguments)) {
            if (!ticksOf(arguments, ticks))
                return refused(lineNumber(),
                               QCoreApplication::translate(
                                   "NqcReader", "Wait(TICKS)（TICKS は 0 から 255）があるはずのところに %1 があります")
                                   .arg(quoted(line)));
            result.events.push_back({BrickEvent::Kind::Wait, 0, ticks});
        } else {
            return refused(lineNumber(),
                           QCoreApplication::translate("NqcReader",
                                                       "PlayTone か Wait の行か「}」があるはずのところに %1 があります")
                               .arg(quoted(line)));
        }
    }
    if (next >= lines.size())
        return refused(lineNumber(),
                       QCoreApplication::translate("NqcReader", "task music() を閉じる「}」がありません"));
    ++next;
    // Nothing but the end of the text may follow.
    if (next < lines.size() && !(next + 1 == lines.size() && lines[next].empty()))
        return refused(lineNumber(),
                       QCoreApplication::translate("NqcReader", "プログラムの終わりのあとに %1 があります")
                           .arg(quoted(lines[next])));
    return result;
}
