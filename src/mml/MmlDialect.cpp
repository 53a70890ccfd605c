#include "mml/MmlDialect.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include "base/ProgramInfo.h"

namespace {

bool has(const QString &text, const char *pattern, bool anyCase = true)
{
    const QRegularExpression expression(QString::fromUtf8(pattern),
                                        anyCase ? QRegularExpression::MultilineOption
                                                | QRegularExpression::CaseInsensitiveOption
                                                : QRegularExpression::MultilineOption);
    return expression.match(text).hasMatch();
}

// The text without its comments, which may say anything.
QString withoutComments(QString text)
{
    static const QRegularExpression block(QStringLiteral("/\\*.*?\\*/"),
                                          QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression line(QStringLiteral("//[^\\n]*"));
    return text.remove(block).remove(line);
}

} // namespace

QString MmlDialect::name() const
{
    switch (family) {
    case Family::Zepa:
    case Family::OldZepa:
        return QStringLiteral("ZEPA");
    case Family::Sakura:
        return QCoreApplication::translate("MmlDialect", "サクラ");
    case Family::Mck:
        return QCoreApplication::translate("MmlDialect", "MCK（ppmck）");
    case Family::FlMml:
        return QStringLiteral("FlMML");
    case Family::Plain:
        break;
    }
    return QCoreApplication::translate("MmlDialect", "ふつうのMML");
}

MmlDialect mmlDialectOf(const QString &text)
{
    MmlDialect dialect;
    using Family = MmlDialect::Family;
    // The header ZEPA writes, and the one it wrote before.
    if (text.startsWith(QStringLiteral("; ") + ProgramTitle)) {
        dialect.family = Family::OldZepa;
        dialect.defaultOctave = 5;
        dialect.semicolon = MmlDialect::Semicolon::Comment;
        return dialect;
    }
    if (text.startsWith(QStringLiteral("// ") + ProgramTitle)) {
        dialect.family = Family::Zepa;
        return dialect;
    }
    // Only the first part decides: a dialect shows itself in its headers.
    const QString head = withoutComments(text.left(256 * 1024));
    // #TITLE and #COMPOSER are many dialects' headers; these are MCK's own.
    if (has(head,
            "^\\s*#(programer|octave-rev|ex-|auto-bankswitch|include|bank|pitch-correction|setbank|"
            "effect-include)")
        || (has(head, "^[A-Z]{1,5}[ \\t]+[a-z@<>\\[]", false) && has(head, "^\\s*#[A-Z-]+", false))) {
        dialect.family = Family::Mck;
        dialect.semicolon = MmlDialect::Semicolon::Comment;
        dialect.capitalsAreCommands = true;
        dialect.ticksPerQuarter = 48; // a whole note is 192
        const QRegularExpression reverse(QStringLiteral("^\\s*#OCTAVE-REV\\s*(\\d*)"),
                                         QRegularExpression::MultilineOption
                                             | QRegularExpression::CaseInsensitiveOption);
        const QRegularExpressionMatch declared = reverse.match(head);
        if (declared.hasMatch()) {
            dialect.directionDeclared = true;
            dialect.lessRaises = declared.captured(1).isEmpty() || declared.captured(1).toInt() != 0;
        }
        return dialect;
    }
    if (has(head, "^\\s*(TR|Track|Tempo|TrackName|TimeSignature|Copyright)\\s*[=({]") || has(head, "System\\.")
        || has(head, "\\b(Include|ResetGM|ResetGS|ResetXG)\\b")
        || has(head, "(トラック|テンポ|音符|音階|曲名|ド|レ|ミ|ソ|ラ|シ)") || has(head, "^\\s*(Str|Function)\\s+\\w")
        || has(head, "\\bKeyFlag\\s*[=+#-]", false)) {
        dialect.family = Family::Sakura;
        dialect.middleCOctave = 5;
        dialect.defaultOctave = 5;
        dialect.semicolon = MmlDialect::Semicolon::Blank;
        dialect.loopCountFirst = true;
        dialect.gate = MmlDialect::Gate::Percent;
        if (has(head, "X68mode\\s*\\(\\s*on")) {
            dialect.directionDeclared = true;
            dialect.lessRaises = true;
        }
        return dialect;
    }
    if (has(head, "^\\s*#OCTAVE\\s+(REVERSE|NORMAL)") || has(head, "/:") || has(head, ":/")
        || has(head, "^\\s*#(ARTIST|COMMENT|CODING)\\b") || has(head, "@e1,")) {
        dialect.family = Family::FlMml;
        dialect.middleCOctave = 5;
        dialect.defaultOctave = 4;
        dialect.gate = MmlDialect::Gate::Sixteenths;
        dialect.lessRaises = true;
        dialect.ticksPerQuarter = 96; // a whole note is 384
        if (has(head, "^\\s*#OCTAVE\\s+REVERSE")) {
            dialect.directionDeclared = true;
            dialect.lessRaises = false;
        } else if (has(head, "^\\s*#OCTAVE\\s+NORMAL")) {
            dialect.directionDeclared = true;
        }
        return dialect;
    }
    return dialect;
}
