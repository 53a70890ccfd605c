#include "cli/CommandLine.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

#include "base/ProgramInfo.h"
#include "cli/CommandSupport.h"
#include "cli/Commands.h"

using CommandSupport::fail;

namespace {

Command *commandNamed(const QString &name)
{
    for (const std::unique_ptr<Command> &command : commands()) {
        if (command->help().name == name)
            return command.get();
    }
    return nullptr;
}

QString overallHelp()
{
    QString text
        = QCoreApplication::translate("CommandLine",
                                      "使い方: zepa [--lang ja|en] [ファイル]\n"
                                      "        zepa [--lang ja|en] コマンド [--force] 引数…\n"
                                      "引数なしで起動するとウィンドウを開きます。メロディファイルなどを指定すると、"
                                      "そのテンポで作曲ウィンドウを開きます。\n\nコマンド:\n");
    for (const std::unique_ptr<Command> &command : commands()) {
        const Command::Help help = command->help();
        text += QStringLiteral("  %1 %2\n      %3\n      %4 %5\n")
                    .arg(help.name, help.arguments, help.description, QCoreApplication::translate("CommandLine", "例:"),
                         help.example);
    }
    text += QCoreApplication::translate(
        "CommandLine",
        "\nオプション:\n"
        "  --force    出力ファイルがあれば置き換える（ないと置き換えません）\n"
        "  --lang     表示の言語: ja 日本語、en 英語（省くと設定「表示言語」かシステムの言語）\n"
        "  --help     この説明（zepa コマンド --help でコマンドごとの説明）\n"
        "  --version  名前とバージョン\n"
        "\nINPUT はメロディファイル（.mml）、ZEPAが書いたNQCプログラム（music0.nqc など）、"
        "MIDIファイル（.mid）、MusicXML（.musicxml、.xml、.mxl）のどれかです。\n"
        "終了コード: 0 成功、1 ファイルを読み書きできなかった、2 使い方の誤り。\n");
    return text;
}

QString commandHelp(const Command &command)
{
    const Command::Help help = command.help();
    return QStringLiteral("%1: zepa %2 %3%4\n%5\n%6 %7\n")
        .arg(QCoreApplication::translate("CommandLine", "使い方"), help.name,
             command.writes() ? QStringLiteral("[--force] ") : QString(), help.arguments, help.description,
             QCoreApplication::translate("CommandLine", "例:"), help.example);
}

void print(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

// Every verb's options, each once: the line is parsed with all of them, so
// that an option of another verb is refused in words that name the verb.
QList<QCommandLineOption> everyVerbsOptions()
{
    QList<QCommandLineOption> all;
    QStringList names;
    for (const std::unique_ptr<Command> &command : commands()) {
        for (const QCommandLineOption &option : command->options()) {
            if (!names.contains(option.names().front())) {
                names << option.names().front();
                all << option;
            }
        }
    }
    return all;
}

// The options that take a value, the word after them being that value.
QStringList optionsWithValue()
{
    QStringList names;
    for (const QCommandLineOption &option : everyVerbsOptions()) {
        if (!option.valueName().isEmpty())
            names << option.names();
    }
    return names;
}

// The command named, looked for before the application is made: a command
// that paints needs Qt's painting, which the others do without.
Command *commandOf(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i) {
        const QString word = QString::fromLocal8Bit(argv[i]);
        if (word == QLatin1String("--"))
            return i + 1 < argc ? commandNamed(QString::fromLocal8Bit(argv[i + 1])) : nullptr;
        if (word.startsWith(u'-')) {
            const QString name = word.mid(word.startsWith(QLatin1String("--")) ? 2 : 1);
            if (!name.contains(u'=') && optionsWithValue().contains(name))
                ++i;
            continue;
        }
        return commandNamed(word);
    }
    return nullptr;
}

} // namespace

const std::vector<std::unique_ptr<Command>> &commands()
{
    static const std::vector<std::unique_ptr<Command>> list = [] {
        std::vector<std::unique_ptr<Command>> made;
        made.push_back(std::make_unique<RenderCommand>());
        made.push_back(std::make_unique<PlayCommand>());
        made.push_back(std::make_unique<NqcCommand>());
        made.push_back(std::make_unique<MmlCommand>());
        made.push_back(std::make_unique<MidiCommand>());
        made.push_back(std::make_unique<ExportCommand>());
        made.push_back(std::make_unique<SendCommand>());
        made.push_back(std::make_unique<PdfCommand>());
        made.push_back(std::make_unique<MusicXmlCommand>());
        made.push_back(std::make_unique<LilyPondCommand>());
        return made;
    }();
    return list;
}

bool isCommandLine(int argc, char *argv[])
{
    if (argc < 2)
        return false;
    if (argc > 2 || argv[1][0] == '-')
        return true;
    const QString word = QFile::decodeName(argv[1]);
    if (commandNamed(word))
        return true;
    // A file to open, even one that is not there (the windows say so); a bare
    // word that names nothing is a command mistyped.
    return !(QFileInfo::exists(word) || word.contains(QLatin1Char('.')) || word.contains(QLatin1Char('/')));
}

namespace {

// Qt's own warnings (a missing runtime folder, a sound server that does not
// answer) mean nothing to the user of a command, which says in its own words
// what went wrong; ZEPA_QT_MESSAGES=1 lets them through for a developer.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
}

} // namespace

bool installChosenLanguage(const UiLanguages::LanguageOption &language)
{
    UiLanguages::install(UiLanguages::chosen(language.language));
    if (language.ok)
        return true;
    fail(ExitStatus::UsageError,
         QCoreApplication::translate("CommandLine",
                                     "--lang には ja（日本語）か en（英語）を書いてください（「%1」は使えません）")
             .arg(language.value));
    return false;
}

int runCommandLine(int argc, char *argv[], const UiLanguages::LanguageOption &language)
{
    using namespace ExitStatus;
    if (!qEnvironmentVariableIsSet("ZEPA_QT_MESSAGES"))
        qInstallMessageHandler(quietQtMessages);
    // Pages are painted offscreen: no display is needed, none is opened.
    const Command *named = commandOf(argc, argv);
    std::unique_ptr<QCoreApplication> application;
    if (named && named->help().paints) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        application = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
    QCoreApplication::setOrganizationName(QStringLiteral("ZEPA"));
    QCoreApplication::setApplicationName(QStringLiteral("ZEPA"));
    if (!installChosenLanguage(language))
        return UsageError;
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QList<QCommandLineOption> verbsOptions = everyVerbsOptions();
    parser.addOptions(QList<QCommandLineOption>{help, version} + verbsOptions);
    parser.addPositionalArgument(QStringLiteral("command"), QString());
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(UsageError,
                    QCoreApplication::translate("CommandLine", "%1 zepa --help で使い方を見てください")
                        .arg(parser.errorText()));
    QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty()) {
        if (parser.isSet(version)) {
            print(QStringLiteral("ZEPA %1\n").arg(programVersionText()));
            return Success;
        }
        if (parser.isSet(help)) {
            print(overallHelp());
            return Success;
        }
        return fail(
            UsageError,
            QCoreApplication::translate("CommandLine", "コマンドがありません。zepa --help で使い方を見てください"));
    }
    const QString name = arguments.takeFirst();
    Command *command = commandNamed(name);
    if (!command)
        return fail(UsageError,
                    QCoreApplication::translate("CommandLine",
                                                "「%1」というコマンドはありません。zepa --help で使い方を見てください")
                        .arg(name));
    const Command::Help about = command->help();
    if (parser.isSet(help)) {
        print(commandHelp(*command));
        return Success;
    }
    if (parser.isSet(QStringLiteral("force")) && !command->writes())
        return fail(
            UsageError,
            QCoreApplication::translate("CommandLine", "%1 はファイルを書かないので --force は使えません").arg(name));
    for (const QCommandLineOption &option : verbsOptions) {
        const QString optionName = option.names().front();
        if (parser.isSet(optionName) && !command->takes(optionName))
            return fail(UsageError,
                        QCoreApplication::translate("CommandLine", "%1 には --%2 は使えません").arg(name, optionName));
    }
    if (arguments.size() < about.fewest || arguments.size() > about.most)
        return fail(
            UsageError,
            QCoreApplication::translate("CommandLine", "%1 の引数は %2 です。zepa %1 --help で説明を見てください")
                .arg(name, about.arguments));
    if (const std::optional<QString> problem = command->readOptions(parser))
        return fail(UsageError, *problem);
    return command->run(arguments);
}
