#include "windows/guide/GuideText.h"

#include <QFile>
#include <QRegularExpression>

#include "base/UiLanguage.h"

namespace GuideText {
namespace {

// A title is a line underlined by a line of '-' or '='.
bool underline(const QString &line)
{
    static const QRegularExpression rule(QStringLiteral("\\A[-=]{3,}\\z"));
    return rule.match(line.trimmed()).hasMatch();
}

} // namespace

QString plainText()
{
    QFile file(UiLanguages::language() == UiLanguage::English ? QStringLiteral(":/guide/Readme.en.txt")
                                                              : QStringLiteral(":/guide/Readme.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

QStringList sectionTitles(const QString &plain)
{
    const QStringList lines = plain.split(QLatin1Char('\n'));
    QStringList titles;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (underline(lines[i]) && !lines[i - 1].trimmed().isEmpty() && lines[i].startsWith(QLatin1Char('-')))
            titles << lines[i - 1].trimmed();
    }
    return titles;
}

QString html(const QString &plain)
{
    const QStringList lines = plain.split(QLatin1Char('\n'));
    QString body;
    QString contents;
    QString block;
    int section = 0;
    const auto endBlock = [&] {
        while (block.endsWith(QLatin1Char('\n')))
            block.chop(1);
        if (!block.trimmed().isEmpty())
            body += QStringLiteral("<pre>%1</pre>\n").arg(block);
        block.clear();
    };
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString &line = lines[i];
        const bool titled = i + 1 < lines.size() && underline(lines[i + 1]) && !line.trimmed().isEmpty();
        if (!titled) {
            block += line.toHtmlEscaped() + QLatin1Char('\n');
            continue;
        }
        endBlock();
        const QString title = line.trimmed().toHtmlEscaped();
        if (lines[i + 1].startsWith(QLatin1Char('='))) {
            body += QStringLiteral("<h1>%1</h1>\n").arg(title);
        } else {
            ++section;
            body += QStringLiteral("<h2><a name=\"section%1\"></a>%2</h2>\n").arg(section).arg(title);
            contents += QStringLiteral("<li><a href=\"#section%1\">%2</a></li>\n").arg(section).arg(title);
        }
        ++i; // the underline
    }
    endBlock();
    // The contents go after the title and the opening paragraph.
    const qsizetype firstSection = body.indexOf(QLatin1String("<h2>"));
    const QString list = QStringLiteral("<ul>\n%1</ul>\n").arg(contents);
    return firstSection < 0 ? body : body.left(firstSection) + list + body.mid(firstSection);
}

} // namespace GuideText
