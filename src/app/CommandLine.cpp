#include "app/CommandLine.h"

#include <cstdio>

#include <algorithm>

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QStringList>

#include <QSaveFile>

#include "base/ProgramInfo.h"
#include "exports/ExportTargets.h"
#include "midi/MidiImport.h"
#include "midi/MidiWriter.h"
#include "mml/MelodyFromEvents.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "nqc/MusicFileSaver.h"
#include "nqc/NqcProgram.h"
#include "nqc/NqcReader.h"
#include "nqc/PosixFileSystem.h"
#include "playback/SpeakerOutput.h"
#include "sound/WavFile.h"

namespace {

constexpr int Success = 0;
constexpr int WorkFailed = 1;
constexpr int UsageError = 2;

// What the options said, for the commands that take them.
struct Options {
    bool force = false;
    int track = 0; // 0: the first with notes
    int channel = 0;
    ExportTarget target = ExportTarget::Nxc;
};

bool japanese()
{
    return QLocale::system().language() == QLocale::Japanese;
}

int fail(int status, const QString &message)
{
    std::fprintf(stderr, "zepa: %s\n", qPrintable(message));
    return status;
}

bool isMelodyFile(const QString &path)
{
    return QFileInfo(path).suffix().compare(QStringLiteral("mml"), Qt::CaseInsensitive) == 0;
}

bool readFile(const QString &path, QByteArray &bytes, QString &message)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        message = QStringLiteral("%1: cannot read: %2").arg(path, file.errorString());
        return false;
    }
    bytes = file.readAll();
    return true;
}

bool readMelodyFile(const QString &path, Melody &melody, QString &message)
{
    QByteArray bytes;
    if (!readFile(path, bytes, message))
        return false;
    const MmlReadResult read = readMml(bytes);
    if (!read.ok()) {
        message = QStringLiteral("%1:%2:%3: %4").arg(path).arg(read.line).arg(read.column).arg(read.error);
        return false;
    }
    melody = read.melody;
    return true;
}

// The events of the melody in INPUT, a melody file or a program ZEPA wrote,
// or a one-line message why not.
bool readMelody(const QString &path, std::vector<BrickEvent> &events, QString &message)
{
    if (isMelodyFile(path)) {
        Melody melody;
        if (!readMelodyFile(path, melody, message))
            return false;
        events = brickEvents(melody.notes);
        return true;
    }
    QByteArray bytes;
    if (!readFile(path, bytes, message))
        return false;
    const NqcReadResult read = readNqcProgram(bytes);
    if (!read.ok()) {
        message = QStringLiteral("%1:%2: %3").arg(path).arg(read.errorLine).arg(read.error);
        return false;
    }
    events = read.events;
    return true;
}

int render(const QStringList &arguments, const Options &options)
{
    const bool force = options.force;
    std::vector<BrickEvent> events;
    QString message;
    if (!readMelody(arguments[0], events, message))
        return fail(WorkFailed, message);
    const QString &output = arguments[1];
    if (!force && (QFileInfo::exists(output) || QFileInfo(output).isSymLink()))
        return fail(WorkFailed, QStringLiteral("%1: exists already; not replaced (--force replaces it)").arg(output));
    SoundRenderer renderer(toneTimeline(events));
    const WavFile::Result result = WavFile::write(output, renderer);
    switch (result.status) {
    case WavFile::Result::Status::Written:
        return Success;
    case WavFile::Result::Status::TooLong:
        return fail(
            WorkFailed,
            QStringLiteral("%1: the melody is longer than a WAV file can hold (about 13.5 hours)").arg(arguments[0]));
    case WavFile::Result::Status::Cancelled:
    case WavFile::Result::Status::Failed:
        break;
    }
    return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(output, result.reason));
}

int play(const QStringList &arguments, const Options &)
{
    std::vector<BrickEvent> events;
    QString message;
    if (!readMelody(arguments[0], events, message))
        return fail(WorkFailed, message);
    SpeakerOutput speaker;
    int status = Success;
    QObject::connect(&speaker, &SoundOutput::finished, [] { QCoreApplication::exit(Success); });
    QObject::connect(&speaker, &SoundOutput::failed, [&status] {
        status = fail(WorkFailed, QStringLiteral("the sound output device went away while playing"));
        QCoreApplication::exit(status);
    });
    if (!speaker.play(std::move(events)))
        return fail(WorkFailed,
                    QStringLiteral("no sound output device found; 'zepa render' writes the melody as "
                                   "a WAV file instead"));
    QCoreApplication::exec();
    return status;
}

bool exists(const QString &path)
{
    return QFileInfo::exists(path) || QFileInfo(path).isSymLink();
}

int writeNqc(const QStringList &arguments, const Options &options)
{
    const bool force = options.force;
    Melody melody;
    QString message;
    if (!readMelodyFile(arguments[0], melody, message))
        return fail(WorkFailed, message);
    const ContentsWriter program = [&melody](OutputFile &file, QString &reason) {
        return composeNqcProgram(melody.notes, [&](std::string_view piece) { return file.write(piece, reason); });
    };
    if (arguments.size() == 1) {
        PosixFileSystem here;
        const SaveResult saved = saveMusicFile(here, program);
        if (saved.status == SaveResult::Status::Saved) {
            std::printf("%s\n", qPrintable(saved.fileName));
            return Success;
        }
        if (saved.status == SaveResult::Status::NoFreeName)
            return fail(WorkFailed, QStringLiteral("music0.nqc to music32767.nqc are all taken here"));
        return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(saved.fileName, saved.reason));
    }
    // A named output: complete or not there, and never in place of a file
    // unless --force asks for it.
    const QFileInfo output(arguments[1]);
    if (exists(arguments[1])) {
        if (!force)
            return fail(WorkFailed,
                        QStringLiteral("%1: exists already; not replaced (--force replaces it)").arg(arguments[1]));
        QSaveFile replacement(arguments[1]);
        const std::string text = nqcProgramText(melody.notes);
        if (!replacement.open(QIODevice::WriteOnly)
            || replacement.write(text.data(), qint64(text.size())) != qint64(text.size()) || !replacement.commit())
            return fail(WorkFailed,
                        QStringLiteral("%1: cannot write: %2").arg(arguments[1], replacement.errorString()));
        return Success;
    }
    PosixFileSystem folder(output.absolutePath());
    FileSystem::CreateResult created = folder.createUnnamed();
    QString reason = created.reason;
    if (created.status == FileSystem::CreateStatus::Created && program(*created.file, reason)
        && created.file->flush(reason)) {
        switch (created.file->giveName(output.fileName(), reason)) {
        case OutputFile::NameResult::Named:
            return Success;
        case OutputFile::NameResult::Taken:
            return fail(WorkFailed,
                        QStringLiteral("%1: exists already; not replaced (--force replaces it)").arg(arguments[1]));
        case OutputFile::NameResult::Failed:
            break;
        }
    }
    return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(arguments[1], reason));
}

// Writes a file that must not replace one unless --force says so.
int writeOutput(const QString &path, const QByteArray &bytes, bool force)
{
    if (!force && exists(path))
        return fail(WorkFailed, QStringLiteral("%1: exists already; not replaced (--force replaces it)").arg(path));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return fail(WorkFailed, QStringLiteral("%1: cannot write: %2").arg(path, file.errorString()));
    return Success;
}

void tell(const QString &path, const QStringList &changes)
{
    for (const QString &change : changes)
        std::fprintf(stderr, "zepa: %s: %s\n", qPrintable(path), qPrintable(change));
}

// The melody of one voice of a MIDI file, and what the import changed.
bool importMidiFile(const QString &path, const QByteArray &bytes, const Options &options, Melody &melody,
                    QString &message)
{
    const MidiReadResult read = readMidiFile(bytes);
    if (!read.ok()) {
        message = QStringLiteral("%1: %2").arg(path, read.error);
        return false;
    }
    const MidiVoice *voice = findMidiVoice(read.song, options.track, options.channel);
    if (voice == nullptr) {
        QStringList voices;
        for (const MidiVoice &candidate : read.song.voices)
            voices << QStringLiteral("--track %1 --channel %2 (%3 notes)")
                          .arg(candidate.track)
                          .arg(candidate.channel)
                          .arg(candidate.notes.size());
        message = QStringLiteral("%1: no notes in track %2 channel %3; notes are in %4")
                      .arg(path, options.track ? QString::number(options.track) : QStringLiteral("any"),
                           options.channel ? QString::number(options.channel) : QStringLiteral("any"),
                           voices.join(QStringLiteral(", ")));
        return false;
    }
    const MidiImport import = importMidiVoice(read.song, *voice);
    if (!import.ok()) {
        message = QStringLiteral("%1: %2").arg(path, import.error);
        return false;
    }
    tell(path, import.changes(japanese()));
    melody = import.melody;
    return true;
}

int writeMml(const QStringList &arguments, const Options &options)
{
    QByteArray bytes;
    QString message;
    if (!readFile(arguments[0], bytes, message))
        return fail(WorkFailed, message);
    if (bytes.startsWith("MThd")) {
        Melody melody;
        if (!importMidiFile(arguments[0], bytes, options, melody, message))
            return fail(WorkFailed, message);
        return writeOutput(arguments[1], mmlText(melody), options.force);
    }
    if (options.track != 0 || options.channel != 0)
        return fail(
            UsageError,
            QStringLiteral("%1 is not a MIDI file; --track and --channel choose a voice of one").arg(arguments[0]));
    std::vector<BrickEvent> events;
    if (!readMelody(arguments[0], events, message))
        return fail(WorkFailed, message);
    const MelodyFromEventsResult melody = melodyFromEvents(events);
    if (!melody.ok())
        return fail(WorkFailed, QStringLiteral("%1: cannot be made a melody file: %2").arg(arguments[0], melody.error));
    return writeOutput(arguments[1], mmlText(melody.melody), options.force);
}

// The melody in INPUT with its tempo: a melody file, or a program whose tempo
// can be told from its statements.
bool readMelodyWithTempo(const QString &path, Melody &melody, QString &message)
{
    if (isMelodyFile(path))
        return readMelodyFile(path, melody, message);
    std::vector<BrickEvent> events;
    if (!readMelody(path, events, message))
        return false;
    MelodyFromEventsResult found = melodyFromEvents(events);
    if (!found.ok()) {
        message = QStringLiteral("%1: its tempo cannot be told: %2").arg(path, found.error);
        return false;
    }
    melody = std::move(found.melody);
    return true;
}

int writeMidi(const QStringList &arguments, const Options &options)
{
    Melody melody;
    QString message;
    if (!readMelodyWithTempo(arguments[0], melody, message))
        return fail(WorkFailed, message);
    return writeOutput(arguments[1], MidiFile::write(melody.notes, melody.tempo), options.force);
}

int writeExport(const QStringList &arguments, const Options &options)
{
    Melody melody;
    QString message;
    if (!readMelodyWithTempo(arguments[0], melody, message))
        return fail(WorkFailed, message);
    const ExportedProgram program = exportProgram(options.target, melody.notes, melody.tempo);
    const int status = writeOutput(arguments[1], program.text, options.force);
    if (status == Success)
        tell(arguments[1], program.changeTexts(japanese()));
    return status;
}

// A command: its arguments, what it does and an example, in English and
// Japanese.
struct Command {
    QString name;
    QString arguments;
    int fewest;
    int most;
    bool writes; // takes --force
    QString english;
    QString japanese;
    QString example;
    QStringList options; // the options with a value it takes
    int (*run)(const QStringList &arguments, const Options &options);
};

const std::vector<Command> &commands()
{
    static const std::vector<Command> list{
        {QStringLiteral("render"),
         QStringLiteral("INPUT OUTPUT.wav"),
         2,
         2,
         true,
         QStringLiteral("write the melody as a WAV file (44100 Hz, mono, 16-bit)"),
         QStringLiteral("曲をWAVファイル（44100 Hz、モノラル、16ビット）に書き出す"),
         QStringLiteral("zepa render furusato.mml furusato.wav"),
         {},
         render},
        {QStringLiteral("play"),
         QStringLiteral("INPUT"),
         1,
         1,
         false,
         QStringLiteral("play the melody and end when it has been heard (Ctrl+C stops it)"),
         QStringLiteral("曲を再生し、鳴り終わると終わる（Ctrl+C で止まる）"),
         QStringLiteral("zepa play music0.nqc"),
         {},
         play},
        {QStringLiteral("nqc"),
         QStringLiteral("INPUT.mml [OUTPUT.nqc]"),
         1,
         2,
         true,
         QStringLiteral("write the NQC program, by default as the next free musicN.nqc here"),
         QStringLiteral("NQCプログラムを書き出す（出力を省くと、ここに空いている musicN.nqc として）"),
         QStringLiteral("zepa nqc furusato.mml"),
         {},
         writeNqc},
        {QStringLiteral("mml"),
         QStringLiteral("[--track N] [--channel N] INPUT OUTPUT.mml"),
         2,
         2,
         true,
         QStringLiteral("make a melody file of a program ZEPA wrote or of one voice of a MIDI file "
                        "(by default the first track and channel with notes)"),
         QStringLiteral("ZEPAが書いたプログラムか、MIDIファイルのひとつの声部をメロディファイルにする"
                        "（省くと、音のある最初のトラックとチャンネル）"),
         QStringLiteral("zepa mml --track 2 --channel 1 song.mid song.mml"),
         {QStringLiteral("track"), QStringLiteral("channel")},
         writeMml},
        {QStringLiteral("midi"),
         QStringLiteral("INPUT OUTPUT.mid"),
         2,
         2,
         true,
         QStringLiteral("write the melody as a Standard MIDI File"),
         QStringLiteral("曲をスタンダードMIDIファイルに書き出す"),
         QStringLiteral("zepa midi furusato.mml furusato.mid"),
         {},
         writeMidi},
        {QStringLiteral("export"),
         QStringLiteral("--target nxc|pybricks|microbit|ev3dev INPUT OUTPUT"),
         2,
         2,
         true,
         QStringLiteral("write the melody as a program for another brick: NXT (NXC), Pybricks hubs, "
                        "micro:bit or EV3 with ev3dev; says what it had to change"),
         QStringLiteral("曲をほかのブロック用のプログラムに書き出す（NXT の NXC、Pybricks のハブ、micro:bit、"
                        "ev3dev の EV3）。変えたところがあれば知らせる"),
         QStringLiteral("zepa export --target nxc furusato.mml furusato.nxc"),
         {QStringLiteral("target")},
         writeExport},
    };
    return list;
}

QString programVersion()
{
    return QStringLiteral("%1 %2.%3.%4")
        .arg(QStringLiteral("ZEPA"))
        .arg(ProgramVersion.major)
        .arg(ProgramVersion.minor)
        .arg(ProgramVersion.revision);
}

QString overallHelp()
{
    const bool ja = japanese();
    QString text = ja ? QStringLiteral("使い方: zepa [メロディファイル.mml]\n"
                                       "        zepa コマンド [--force] 引数…\n"
                                       "引数なしで起動するとウィンドウを開きます。メロディファイルを指定すると、"
                                       "そのテンポで作曲ウィンドウを開きます。\n\nコマンド:\n")
                      : QStringLiteral("Usage: zepa [MELODY.mml]\n"
                                       "       zepa COMMAND [--force] ARGUMENTS...\n"
                                       "Without a command ZEPA opens its windows; with a melody file it opens the "
                                       "composer on it, at its tempo.\n\nCommands:\n");
    for (const Command &command : commands()) {
        text += QStringLiteral("  %1 %2\n      %3\n      %4 %5\n")
                    .arg(command.name, command.arguments, ja ? command.japanese : command.english,
                         ja ? QStringLiteral("例:") : QStringLiteral("e.g."), command.example);
    }
    text += ja
        ? QStringLiteral("\nオプション:\n"
                         "  --force    出力ファイルがあれば置き換える（ないと置き換えません）\n"
                         "  --help     この説明（zepa コマンド --help でコマンドごとの説明）\n"
                         "  --version  名前とバージョン\n"
                         "\nINPUT はメロディファイル（.mml）か、ZEPAが書いたNQCプログラム（music0.nqc など）です。\n"
                         "zepa mml はMIDIファイル（.mid）も読みます。\n"
                         "終了コード: 0 成功、1 ファイルを読み書きできなかった、2 使い方の誤り。\n")
        : QStringLiteral("\nOptions:\n"
                         "  --force    replace an output file that exists (never replaced otherwise)\n"
                         "  --help     this text; zepa COMMAND --help explains one command\n"
                         "  --version  the program's name and version\n"
                         "\nINPUT is a melody file (.mml) or an NQC program that ZEPA wrote (music0.nqc, ...);\n"
                         "zepa mml also reads MIDI files (.mid).\n"
                         "Exit status: 0 success, 1 a file could not be read or written, 2 a usage error.\n");
    return text;
}

QString commandHelp(const Command &command)
{
    const bool ja = japanese();
    return QStringLiteral("%1: zepa %2 %3%4\n%5\n%6 %7\n")
        .arg(ja ? QStringLiteral("使い方") : QStringLiteral("Usage"), command.name,
             command.writes ? QStringLiteral("[--force] ") : QString(), command.arguments,
             ja ? command.japanese : command.english, ja ? QStringLiteral("例:") : QStringLiteral("e.g."),
             command.example);
}

void print(const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
}

} // namespace

bool isCommandLine(int argc, char *argv[])
{
    if (argc < 2)
        return false;
    // A single melody file opens in the windows.
    return !(argc == 2 && argv[1][0] != '-' && QFileInfo(QFile::decodeName(argv[1])).isFile());
}

int runCommandLine(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QCommandLineParser parser;
    const QCommandLineOption force(QStringLiteral("force"));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    const QCommandLineOption track(QStringLiteral("track"), QString(), QStringLiteral("N"));
    const QCommandLineOption channel(QStringLiteral("channel"), QString(), QStringLiteral("N"));
    const QCommandLineOption target(QStringLiteral("target"), QString(), QStringLiteral("NAME"));
    parser.addOptions({force, help, version, track, channel, target});
    parser.addPositionalArgument(QStringLiteral("command"), QString());
    if (!parser.parse(QCoreApplication::arguments()))
        return fail(UsageError, parser.errorText() + QStringLiteral("; see zepa --help"));
    QStringList arguments = parser.positionalArguments();
    if (arguments.isEmpty()) {
        if (parser.isSet(version)) {
            print(programVersion() + QLatin1Char('\n'));
            return Success;
        }
        if (parser.isSet(help)) {
            print(overallHelp());
            return Success;
        }
        return fail(UsageError, QStringLiteral("no command given; see zepa --help"));
    }
    const QString name = arguments.takeFirst();
    const auto command = std::find_if(commands().begin(), commands().end(),
                                      [&name](const Command &candidate) { return candidate.name == name; });
    if (command == commands().end())
        return fail(UsageError, QStringLiteral("unknown command \"%1\"; see zepa --help").arg(name));
    if (parser.isSet(help)) {
        print(commandHelp(*command));
        return Success;
    }
    if (parser.isSet(force) && !command->writes)
        return fail(UsageError, QStringLiteral("%1 writes no file and takes no --force").arg(name));
    for (const QCommandLineOption *option : {&track, &channel, &target}) {
        const QString optionName = option->names().front();
        if (parser.isSet(*option) && !command->options.contains(optionName))
            return fail(UsageError, QStringLiteral("%1 takes no --%2").arg(name, optionName));
    }
    if (arguments.size() < command->fewest || arguments.size() > command->most)
        return fail(UsageError, QStringLiteral("%1 takes %2; see zepa %1 --help").arg(name, command->arguments));
    Options options;
    options.force = parser.isSet(force);
    const auto number = [&parser](const QCommandLineOption &option, int most, int &value) {
        if (!parser.isSet(option))
            return true;
        bool ok = false;
        value = parser.value(option).toInt(&ok);
        return ok && value >= 1 && value <= most;
    };
    if (!number(track, 65535, options.track))
        return fail(UsageError, QStringLiteral("--track takes a track number from 1"));
    if (!number(channel, 16, options.channel))
        return fail(UsageError, QStringLiteral("--channel takes a channel number from 1 to 16"));
    if (command->options.contains(QStringLiteral("target"))) {
        const std::optional<ExportTarget> chosen = exportTargetNamed(parser.value(target));
        if (!chosen)
            return fail(UsageError, QStringLiteral("%1 needs --target nxc, pybricks, microbit or ev3dev").arg(name));
        options.target = *chosen;
    }
    return command->run(arguments, options);
}
