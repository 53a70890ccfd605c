#include "widgets/MenuGuide.h"

#include <algorithm>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QTextBoundaryFinder>

namespace {

constexpr int GuideWidth = 76;
constexpr int DescriptionIndent = 8;

// The words as the guide prints them: the access key kept in Japanese's
// "(N)" and dropped from an English word, "..." as Japanese writes it.
QString guideWords(QString text)
{
    const bool japanese = displayWidth(text) != text.size();
    text.remove(QLatin1Char('&'));
    if (japanese)
        text.replace(QStringLiteral("..."), QStringLiteral("…"));
    return text;
}

QString keysOf(const QAction &action)
{
    QStringList keys;
    for (const QKeySequence &key : action.shortcuts())
        keys << key.toString(QKeySequence::PortableText);
    return keys.join(QStringLiteral(", "));
}

// The description in lines of the guide's width, broken where the language
// allows (between Japanese letters, never before 。 or ）; at an English space).
QStringList wrapped(const QString &text, int width)
{
    QStringList lines;
    QString line;
    QTextBoundaryFinder breaks(QTextBoundaryFinder::Line, text);
    qsizetype start = 0;
    while (breaks.toNextBoundary() != -1) {
        const qsizetype end = breaks.position();
        const QString piece = text.mid(start, end - start);
        start = end;
        if (!line.isEmpty() && displayWidth(line + piece.trimmed()) > width) {
            lines << line.trimmed();
            line.clear();
        }
        line += piece;
    }
    if (!line.trimmed().isEmpty())
        lines << line.trimmed();
    return lines;
}

struct GuideLine {
    int depth = 0; // 0: a menu of the bar; 1: its command; 2: a command of a menu inside
    QString words;
    QString keys;
    QString description;
};

void collect(const QMenu &menu, int depth, std::vector<GuideLine> &lines)
{
    for (const QAction *action : menu.actions()) {
        if (action->isSeparator() || !action->isVisible())
            continue;
        // A menu that is itself a command carries its description; one that
        // only gathers commands is opened.
        QMenu *inner = action->menu();
        const bool gathers = inner && action->whatsThis().isEmpty();
        lines.push_back({depth, guideWords(action->text()), gathers ? QString() : keysOf(*action),
                         gathers ? QString() : action->whatsThis()});
        if (gathers)
            collect(*inner, depth + 1, lines);
    }
}

} // namespace

int displayWidth(const QString &text)
{
    int width = 0;
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        // "…" is as wide as a Japanese letter in the Japanese fixed-width font
        // the guide is shown in (it is of East Asian ambiguous width).
        const bool wide = u == 0x2026 || (u >= 0x1100 && u <= 0x115f) || (u >= 0x2e80 && u <= 0xa4cf)
            || (u >= 0xac00 && u <= 0xd7a3) || (u >= 0xf900 && u <= 0xfaff) || (u >= 0xfe30 && u <= 0xfe4f)
            || (u >= 0xff00 && u <= 0xff60) || (u >= 0xffe0 && u <= 0xffe6);
        width += wide ? 2 : 1;
    }
    return width;
}

QString menuGuide(const QMenuBar &bar)
{
    std::vector<GuideLine> lines;
    for (const QAction *top : bar.actions()) {
        if (!top->menu())
            continue;
        lines.push_back({0, guideWords(top->text()), {}, {}});
        collect(*top->menu(), 1, lines);
    }
    int wordsColumn = 0;
    for (const GuideLine &line : lines) {
        if (!line.keys.isEmpty())
            wordsColumn = std::max(wordsColumn, 2 * line.depth + displayWidth(line.words));
    }
    QString guide;
    for (const GuideLine &line : lines) {
        QString first = QString(2 * line.depth, QLatin1Char(' ')) + line.words;
        if (!line.keys.isEmpty())
            first += QString(wordsColumn + 2 - displayWidth(first), QLatin1Char(' ')) + line.keys;
        guide += first + QLatin1Char('\n');
        const QString indent(DescriptionIndent + 2 * (line.depth - 1), QLatin1Char(' '));
        for (const QString &text : wrapped(line.description, GuideWidth - int(indent.size())))
            guide += indent + text + QLatin1Char('\n');
    }
    return guide;
}
