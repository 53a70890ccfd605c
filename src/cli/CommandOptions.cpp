#include "cli/CommandOptions.h"

#include <QCoreApplication>

#include "sending/RcxSender.h"
#include "workflows/Outputs.h"

namespace {

QString words(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

// A whole number from 1 to most, or nothing: the option was not given.
std::optional<int> numberOf(const QCommandLineParser &parser, const QString &name, int most, bool &ok)
{
    ok = true;
    if (!parser.isSet(name))
        return std::nullopt;
    const int value = parser.value(name).toInt(&ok);
    ok = ok && value >= 1 && value <= most;
    return value;
}

} // namespace

QList<QCommandLineOption> ForceOption::options()
{
    return {QCommandLineOption(QStringLiteral("force"))};
}

void ForceOption::read(const QCommandLineParser &parser)
{
    force = parser.isSet(QStringLiteral("force"));
}

QList<QCommandLineOption> VoiceOptions::options()
{
    return {QCommandLineOption(QStringLiteral("track"), QString(), QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("channel"), QString(), QStringLiteral("N"))};
}

std::optional<QString> VoiceOptions::read(const QCommandLineParser &parser)
{
    bool ok = true;
    track = numberOf(parser, QStringLiteral("track"), 65535, ok).value_or(0);
    if (!ok)
        return words(QT_TRANSLATE_NOOP("CommandLine", "--track にはトラックの番号（1 から）を書いてください"));
    channel = numberOf(parser, QStringLiteral("channel"), 16, ok).value_or(0);
    if (!ok)
        return words(QT_TRANSLATE_NOOP("CommandLine", "--channel にはチャンネルの番号（1 から 16）を書いてください"));
    return std::nullopt;
}

MelodyReadOptions VoiceOptions::reading() const
{
    MelodyReadOptions options;
    options.track = track;
    options.channel = channel;
    return options;
}

QList<QCommandLineOption> SheetOptions::options()
{
    return {QCommandLineOption(QStringLiteral("meter"), QString(), QStringLiteral("N/4")),
            QCommandLineOption(QStringLiteral("title"), QString(), QStringLiteral("TEXT"))};
}

std::optional<QString> SheetOptions::read(const QCommandLineParser &parser)
{
    title = parser.value(QStringLiteral("title"));
    if (!parser.isSet(QStringLiteral("meter")))
        return std::nullopt;
    const QString text = parser.value(QStringLiteral("meter"));
    meter.reset();
    if (text == QLatin1String("none"))
        meter = 0;
    for (int beats : {4, 3, 2}) {
        if (text == QStringLiteral("%1/4").arg(beats))
            meter = beats;
    }
    if (!meter)
        return words(QT_TRANSLATE_NOOP("CommandLine", "--meter には 4/4、3/4、2/4、none のどれかを書いてください"));
    return std::nullopt;
}

QList<QCommandLineOption> SendOptions::options()
{
    return {QCommandLineOption(QStringLiteral("port"), QString(), QStringLiteral("PORT")),
            QCommandLineOption(QStringLiteral("slot"), QString(), QStringLiteral("N")),
            QCommandLineOption(QStringLiteral("run"))};
}

std::optional<QString> SendOptions::read(const QCommandLineParser &parser)
{
    bool ok = true;
    choice.slot = numberOf(parser, QStringLiteral("slot"), 5, ok).value_or(choice.slot);
    if (!ok)
        return words(QT_TRANSLATE_NOOP("CommandLine", "--slot にはプログラムの番号（1 から 5）を書いてください"));
    if (parser.isSet(QStringLiteral("port")))
        choice.port = parser.value(QStringLiteral("port"));
    choice.run = parser.isSet(QStringLiteral("run"));
    return portProblem(choice.port);
}

QList<QCommandLineOption> TargetOption::options()
{
    return {QCommandLineOption(QStringLiteral("target"), QString(), QStringLiteral("NAME"))};
}

QString TargetOption::names(const QString &separator)
{
    QStringList bricks;
    QStringList others;
    for (const OutputFormat &format : outputFormats())
        (format.brick ? bricks : others) << format.id;
    return (bricks + others).join(separator);
}

std::optional<QString> TargetOption::read(const QCommandLineParser &parser, const QString &command)
{
    target = parser.value(QStringLiteral("target"));
    if (outputWriter(target))
        return std::nullopt;
    return words(QT_TRANSLATE_NOOP("CommandLine", "%1 の --target には次のどれかが要ります：%2"))
        .arg(command, names(QStringLiteral(", ")));
}

QList<QCommandLineOption> AsPlayedOption::options()
{
    return {QCommandLineOption(QStringLiteral("as-played"))};
}

void AsPlayedOption::read(const QCommandLineParser &parser)
{
    asPlayed = parser.isSet(QStringLiteral("as-played"));
}
