#include <algorithm>
#include <cmath>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "TestPaths.h"

#include "common/NoteBuilders.h"
#include "common/OutsideChecks.h"
#include "common/TestFiles.h"
#include "engraving/WrittenMelody.h"
#include "nqc/NqcProgram.h"
#include "performance/BrickTones.h"
#include "send/SimulatedBrick.h"
#include "workflows/MelodyReader.h"
#include "workflows/Outputs.h"

namespace {

struct Run {
    int status = -1;
    QString output;
    QString errors;
};

Run zepa(const QStringList &arguments,
         const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(ZEPA_PROGRAM), arguments);
    if (!process.waitForFinished(120000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// A short melody of three tones with gaps between them and a rest, as ZEPA
// writes it.
const std::vector<NoteRecord> ShortTune{toneNote(9, Octave::Low, 40), restNote(20), toneNote(0, Octave::High, 40),
                                        toneNote(7, Octave::Middle, 40)};

// The frequencies of the stretches of sound in a capture, in order.
QList<int> heardFrequencies(const QByteArray &raw)
{
    const auto *samples = reinterpret_cast<const qint16 *>(raw.constData());
    const qsizetype count = raw.size() / 2;
    QList<int> frequencies;
    qsizetype start = -1;
    qsizetype last = -1;
    auto finish = [&] {
        if (start < 0 || last - start < 4410)
            return; // under 0.1 s: a click, not a tone
        int changes = 0;
        for (qsizetype i = start + 1; i <= last; ++i)
            changes += (samples[i] < 0) != (samples[i - 1] < 0);
        frequencies << int(std::lround(changes / 2.0 / (double(last - start) / 44100)));
    };
    for (qsizetype i = 0; i < count; ++i) {
        if (std::abs(samples[i]) < 1000)
            continue;
        if (start >= 0 && i - last > 2000) { // a gap of more than 45 ms ends a stretch
            finish();
            start = -1;
        }
        if (start < 0)
            start = i;
        last = i;
    }
    finish();
    return frequencies;
}

} // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void usageErrorsAndHelp_data();
    void usageErrorsAndHelp();
    void messagesSpeakOneLanguage_data();
    void messagesSpeakOneLanguage();
    void filesDoNotDependOnTheLanguage_data();
    void filesDoNotDependOnTheLanguage();
    void renderWritesTheMelodyAndReplacesNothing();
    void melodyFilesAndProgramsTurnIntoEachOther();
    void midiFilesComeInAndProgramsGoToOtherBricks();
    void sendReachesTheSimulatedBrick();
    void sheetMusicIsAPdfWithItsFontsInside();
    void notationFilesGoOutAndComeBack();
    void playWithoutASoundServerSaysSoOnce();
    void playIsHeardThroughARealSoundServer();
};

void CommandLineTest::usageErrorsAndHelp_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown command") << QStringList{"sing"} << 2 << "zepa: unknown command \"sing\"; see zepa --help\n";
    QTest::newRow("render without output")
        << QStringList{"render", "music0.nqc"} << 2 << "zepa: render takes INPUT OUTPUT.wav; see zepa render --help\n";
    QTest::newRow("play with two inputs")
        << QStringList{"play", "a.nqc", "b.nqc"} << 2 << "zepa: play takes INPUT; see zepa play --help\n";
    QTest::newRow("play writes nothing to force")
        << QStringList{"play", "--force", "a.nqc"} << 2 << "zepa: play writes no file and takes no --force\n";
    QTest::newRow("an option alone") << QStringList{"--force"} << 2 << "zepa: no command given; see zepa --help\n";
    QTest::newRow("an unknown option") << QStringList{"nqc", "--fast", "a.mml"} << 2
                                       << "zepa: Unknown option 'fast'.; see zepa --help\n";
    QTest::newRow("a voice for a command without one")
        << QStringList{"render", "--track", "2", "a.mid", "a.wav"} << 2 << "zepa: render takes no --track\n";
    QTest::newRow("channel 17") << QStringList{"mml", "--channel", "17", "a.mid", "a.mml"} << 2
                                << "zepa: --channel takes a channel number from 1 to 16\n";
    QTest::newRow("track 0") << QStringList{"mml", "--track", "0", "a.mid", "a.mml"} << 2
                             << "zepa: --track takes a track number from 1\n";
    QTest::newRow("export for no brick")
        << QStringList{"export", "a.mml", "a.py"} << 2
        << "zepa: export needs --target, one of: nxc, pybricks, microbit, ev3dev, nqc, wav, midi, midi-as-played, pdf, "
           "musicxml, lilypond\n";
    QTest::newRow("export for an unknown brick")
        << QStringList{"export", "--target", "rcx3", "a.mml", "a.py"} << 2
        << "zepa: export needs --target, one of: nxc, pybricks, microbit, ev3dev, nqc, wav, midi, midi-as-played, pdf, "
           "musicxml, lilypond\n";
    QTest::newRow("input missing") << QStringList{
        "render", "/nonexistent/music0.nqc",
        "x.wav"} << 1 << "zepa: /nonexistent/music0.nqc: the file does not exist; check its name and folder\n";
}

void CommandLineTest::usageErrorsAndHelp()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    const Run run = zepa(arguments);
    QCOMPARE(run.status, status);
    QCOMPARE(run.errors, message);

    const Run help = zepa({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    for (const char *command :
         {"render INPUT OUTPUT.wav", "play INPUT", "nqc INPUT.mml [OUTPUT.nqc]",
          "mml [--track N] [--channel N] INPUT OUTPUT.mml", "midi [--as-played] INPUT OUTPUT.mid",
          "export --target nxc|pybricks|microbit|ev3dev|nqc|wav|midi|midi-as-played|pdf|musicxml|lilypond INPUT OUTPUT",
          "--force", "--help", "--version"})
        QVERIFY2(help.output.contains(QLatin1String(command)), command);
    QProcessEnvironment japanese = QProcessEnvironment::systemEnvironment();
    japanese.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
    japanese.insert(QStringLiteral("LC_ALL"), QStringLiteral("ja_JP.UTF-8"));
    const Run helpJa = zepa({QStringLiteral("--help")}, japanese);
    QVERIFY2(helpJa.output.contains(QStringLiteral("曲をWAVファイル")), qPrintable(helpJa.output.left(200)));
    QCOMPARE(zepa({QStringLiteral("--version")}).output, QStringLiteral("ZEPA 1.3.2\n"));
    const Run one = zepa({QStringLiteral("nqc"), QStringLiteral("--help")});
    QCOMPARE(one.status, 0);
    QVERIFY(one.output.startsWith(QStringLiteral("Usage: zepa nqc [--force] INPUT.mml [OUTPUT.nqc]\n")));

    // English throughout, once: the program's help and every command's.
    if (QByteArray(QTest::currentDataTag()) != "unknown command")
        return;
    const QRegularExpression japaneseText(
        QStringLiteral("[\\x{3040}-\\x{30ff}\\x{3400}-\\x{9fff}\\x{ff01}-\\x{ff5e}]"));
    QVERIFY2(!japaneseText.match(help.output).hasMatch(), qPrintable(japaneseText.match(help.output).captured()));
    static const QRegularExpression verbLine(QStringLiteral("^  ([a-z]+) "), QRegularExpression::MultilineOption);
    int verbs = 0;
    for (const QRegularExpressionMatch &verb : verbLine.globalMatch(help.output)) {
        const Run verbHelp = zepa({verb.captured(1), QStringLiteral("--help")});
        QVERIFY2(verbHelp.status == 0 && !japaneseText.match(verbHelp.output).hasMatch(), qPrintable(verbHelp.output));
        ++verbs;
    }
    QVERIFY(verbs >= 10);
}

void CommandLineTest::messagesSpeakOneLanguage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("message"); // %1 the folder of the test's files
    QTest::addColumn<int>("status");
    const auto both = [](const char *name, const QStringList &arguments, const QString &english,
                         const QString &japanese, int status) {
        QTest::addRow("%s, en", name) << arguments << "C.UTF-8" << english << status;
        QTest::addRow("%s, ja", name) << arguments << "ja_JP.UTF-8" << japanese << status;
    };
    both("a file not there", {"render", "%1/missing.mml", "%1/x.wav"},
         "zepa: %1/missing.mml: the file does not exist; check its name and folder\n",
         "zepa: %1/missing.mml: このファイルはありません。名前と場所を確かめてください\n", 1);
    both("a program ZEPA did not write", {"nqc", "%1/robot.nqc", "%1/out.nqc"},
         "zepa: %1/robot.nqc:1: this is not a program ZEPA wrote: open the melody file (.mml) instead, or a "
         "music0.nqc as ZEPA wrote it\n",
         "zepa: %1/robot.nqc:1: ZEPAが書いたプログラムではありません。ZEPAで開くのは、メロディファイル（.mml）か、"
         "ZEPAが書いたままの music0.nqc などです\n",
         1);
    both("words that are no melody file", {"midi", "%1/song.mml", "%1/song.mid"},
         "zepa: %1/song.mml:1:1: \"H\" cannot be used; this is no MML (more commands of no dialect than notes)\n",
         "zepa: %1/song.mml:1:1: "
         "「H」は使えません。MMLとして読めません（どの書き方にもない命令が、音より多くあります）\n",
         1);
    both("a broken byte in a MIDI file", {"mml", "%1/broken.mid", "%1/out.mml"},
         "zepa: %1/broken.mid: track 1, byte 2: data bytes come before any command.\n",
         "zepa: %1/broken.mid: トラック 1 の 2 バイト目: データが命令なしで始まっています。\n", 1);
    // A byte the message quotes is shown by its code, and the line goes on after it.
    both("a NUL byte in a melody file", {"nqc", "%1/nul.mml", "%1/nul.nqc"},
         "zepa: %1/nul.mml: Left out what ZEPA does not use: “U+0000” (1, first at line 1 column 7).\n",
         "zepa: %1/nul.mml: ZEPAでは使わない次のものを省きました：「U+0000」（1 か所、最初は 1行目 7文字目）。\n", 0);
    both("an output there already", {"mml", "%1/song2.mml", "%1/robot.nqc"},
         "zepa: %1/robot.nqc: exists already; not replaced (--force replaces it)\n",
         "zepa: %1/robot.nqc: もうあるので置き換えませんでした（--force を付けると置き換えます）\n", 1);
    both("an unknown command", {"sing"}, "zepa: unknown command \"sing\"; see zepa --help\n",
         "zepa: 「sing」というコマンドはありません。zepa --help で使い方を見てください\n", 2);
    both("no language", {"--lang", "fr", "render"}, "zepa: --lang takes ja (Japanese) or en (English), not \"fr\"\n",
         "zepa: --lang には ja（日本語）か en（英語）を書いてください（「fr」は使えません）\n", 2);
    // --lang goes over the locale, before or after the command.
    QTest::newRow("--lang en under a Japanese locale") << QStringList{"--lang", "en", "sing"} << "ja_JP.UTF-8"
                                                       << "zepa: unknown command \"sing\"; see zepa --help\n"
                                                       << 2;
    QTest::newRow("--lang=ja under the C locale")
        << QStringList{"render", "--lang=ja", "%1/missing.mml", "%1/x.wav"} << "C.UTF-8"
        << "zepa: %1/missing.mml: このファイルはありません。名前と場所を確かめてください\n"
        << 1;
}

void CommandLineTest::messagesSpeakOneLanguage()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, locale);
    QFETCH(QString, message);
    QFETCH(int, status);
    QTemporaryDir directory;
    writeFile(directory.filePath(QStringLiteral("robot.nqc")), "task main()\n{\n    OnFwd(OUT_A);\n}\n");
    writeFile(directory.filePath(QStringLiteral("song.mml")), "Hi! This is no melody, just words.\n");
    // A note's data with no note-on before it.
    writeFile(directory.filePath(QStringLiteral("broken.mid")),
              QByteArray::fromHex("4d546864000000060000000101e0"
                                  "4d54726b00000003004040"));
    writeFile(directory.filePath(QStringLiteral("song2.mml")), "t90 c d e\n");
    writeFile(directory.filePath(QStringLiteral("nul.mml")), QByteArray("t120 c\0d\n", 9));
    for (QString &argument : arguments)
        argument = argument.arg(directory.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LANG"), locale);
    environment.insert(QStringLiteral("LC_ALL"), locale);
    const Run run = zepa(arguments, environment);
    QCOMPARE(run.errors, message.arg(directory.path()));
    QCOMPARE(run.status, status);
}

void CommandLineTest::filesDoNotDependOnTheLanguage_data()
{
    QTest::addColumn<QStringList>("command");
    QTest::addColumn<QString>("output");
    QTest::newRow("NQC") << QStringList{"nqc"} << "out.nqc";
    QTest::newRow("melody file") << QStringList{"mml"} << "out.mml";
    QTest::newRow("MIDI") << QStringList{"midi"} << "out.mid";
    QTest::newRow("WAV") << QStringList{"render"} << "out.wav";
    QTest::newRow("NXC") << QStringList{"export", "--target", "nxc"} << "out.nxc";
    QTest::newRow("Pybricks") << QStringList{"export", "--target", "pybricks"} << "out.py";
    QTest::newRow("micro:bit") << QStringList{"export", "--target", "microbit"} << "out.py";
    QTest::newRow("ev3dev") << QStringList{"export", "--target", "ev3dev"} << "out.py";
    QTest::newRow("MusicXML") << QStringList{"musicxml", "--meter", "3/4"} << "out.musicxml";
    QTest::newRow("LilyPond") << QStringList{"lilypond", "--meter", "3/4"} << "out.ly";
}

// The files are the same bytes whichever language the windows speak: only
// what the user reads is translated.
void CommandLineTest::filesDoNotDependOnTheLanguage()
{
    QFETCH(QStringList, command);
    QFETCH(QString, output);
    QTemporaryDir directory;
    const QString melody = directory.filePath(QStringLiteral("furusato.mml"));
    // A triplet alone does not fit 3/4: the notation files say so in words.
    writeFile(melody, "t90 o5 c4 d8 e16 f32 r4 g12 a2. b& > c1 q4 c+\n");
    QByteArray written[2];
    for (int i = 0; i < 2; ++i) {
        const QString path = directory.filePath(QString::number(i) + output);
        const Run run = zepa(QStringList{QStringLiteral("--lang"), i == 0 ? QStringLiteral("ja") : QStringLiteral("en")}
                             + command + QStringList{melody, path});
        QVERIFY2(run.status == 0, qPrintable(run.errors));
        written[i] = contents(path);
        QVERIFY(!written[i].isEmpty());
    }
    QCOMPARE(written[1], written[0]);
}

void CommandLineTest::renderWritesTheMelodyAndReplacesNothing()
{
    QTemporaryDir directory;
    const QString program = directory.filePath(QStringLiteral("music0.nqc"));
    writeFile(program, QByteArray::fromStdString(nqcProgramText(ShortTune)));
    const QString wav = directory.filePath(QStringLiteral("melody.wav"));
    Run run = zepa({QStringLiteral("render"), program, wav});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errors, QString());
    QCOMPARE(QFileInfo(wav).size(), 44 + qint64(140) * 441 * 2);

    run = zepa({QStringLiteral("render"), program, wav});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors, QStringLiteral("zepa: %1: exists already; not replaced (--force replaces it)\n").arg(wav));
    QCOMPARE(zepa({QStringLiteral("render"), QStringLiteral("--force"), program, wav}).status, 0);

    QByteArray damaged = QByteArray::fromStdString(nqcProgramText(ShortTune));
    damaged.replace("Wait(20)", "Wait(2O)");
    writeFile(program, damaged);
    run = zepa({QStringLiteral("render"), program, directory.filePath(QStringLiteral("other.wav"))});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors,
             QStringLiteral("zepa: %1:71: expected Wait(TICKS) with 0 to 255 ticks, found "
                            "\"     Wait(2O);\"\n")
                 .arg(program));
    QVERIFY(!QFile::exists(directory.filePath(QStringLiteral("other.wav"))));
}

void CommandLineTest::melodyFilesAndProgramsTurnIntoEachOther()
{
    QTemporaryDir directory;
    const QString melody = directory.filePath(QStringLiteral("furusato.mml"));
    writeFile(melody, "T90\nO5 c d e f g4. a8 b O6 c2 r4 O5 b& a Q4 g\n");
    QProcess nqc;
    nqc.setWorkingDirectory(directory.path());
    nqc.start(QStringLiteral(ZEPA_PROGRAM), {QStringLiteral("nqc"), melody});
    QVERIFY(nqc.waitForFinished(60000));
    QCOMPARE(nqc.exitCode(), 0);
    QCOMPARE(nqc.readAllStandardOutput(), QByteArray("music0.nqc\n"));
    const QString program = directory.filePath(QStringLiteral("music0.nqc"));

    // Named, never replacing: the same bytes as the next free name got.
    const QString named = directory.filePath(QStringLiteral("named.nqc"));
    QCOMPARE(zepa({QStringLiteral("nqc"), melody, named}).status, 0);
    QFile first(program);
    QFile second(named);
    QVERIFY(first.open(QIODevice::ReadOnly) && second.open(QIODevice::ReadOnly));
    QCOMPARE(first.readAll(), second.readAll());
    Run run = zepa({QStringLiteral("nqc"), melody, named});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors, QStringLiteral("zepa: %1: exists already; not replaced (--force replaces it)\n").arg(named));
    QCOMPARE(zepa({QStringLiteral("nqc"), QStringLiteral("--force"), melody, named}).status, 0);

    // Back into a melody file that writes the same program again.
    const QString back = directory.filePath(QStringLiteral("back.mml"));
    QCOMPARE(zepa({QStringLiteral("mml"), program, back}).status, 0);
    const QString again = directory.filePath(QStringLiteral("again.nqc"));
    QCOMPARE(zepa({QStringLiteral("nqc"), back, again}).status, 0);
    QFile againFile(again);
    QVERIFY(againFile.open(QIODevice::ReadOnly));
    first.seek(0);
    QCOMPARE(againFile.readAll(), first.readAll());

    // A melody file and a program give the same MIDI file.
    const QString fromMelody = directory.filePath(QStringLiteral("a.mid"));
    const QString fromProgram = directory.filePath(QStringLiteral("b.mid"));
    QCOMPARE(zepa({QStringLiteral("midi"), melody, fromMelody}).status, 0);
    QCOMPARE(zepa({QStringLiteral("midi"), program, fromProgram}).status, 0);
    QFile midiA(fromMelody);
    QFile midiB(fromProgram);
    QVERIFY(midiA.open(QIODevice::ReadOnly) && midiB.open(QIODevice::ReadOnly));
    QCOMPARE(midiA.readAll(), midiB.readAll());

    // A melody file renders too; one with an error names line and column.
    QCOMPARE(zepa({QStringLiteral("render"), melody, directory.filePath(QStringLiteral("f.wav"))}).status, 0);
    writeFile(melody, "c d\nHi! This is no melody, just words.");
    run = zepa({QStringLiteral("nqc"), melody});
    QCOMPARE(run.status, 1);
    QCOMPARE(
        run.errors,
        QStringLiteral("zepa: %1:2:1: \"H\" cannot be used; this is no MML (more commands of no dialect than notes)\n")
            .arg(melody));
}

void CommandLineTest::midiFilesComeInAndProgramsGoToOtherBricks()
{
    QTemporaryDir directory;
    // Format 1 at 480 ticks a quarter: a tempo track (100), a melody in
    // channel 1 and a drum part in channel 10, far below ZEPA's octaves.
    const QByteArray song = QByteArray::fromHex("4d546864000000060001000301e0"
                                                "4d54726b0000000b00ff51030927c000ff2f00"
                                                "4d54726b0000001a0090486483004800604c6483004c00604f6483604f00"
                                                "00ff2f00"
                                                "4d54726b0000001300992464836024000026648360260000ff2f00");
    const QString midi = directory.filePath(QStringLiteral("song.mid"));
    writeFile(midi, song);
    const QString first = directory.filePath(QStringLiteral("first.mml"));
    Run run = zepa({QStringLiteral("mml"), midi, first});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errors, QString());
    QFile melody(first);
    QVERIFY(melody.open(QIODevice::ReadOnly));
    QVERIFY(melody.readAll().endsWith("t100\no5 l4 q7 c e q8 g\n"));

    const QString drums = directory.filePath(QStringLiteral("drums.mml"));
    run = zepa({QStringLiteral("mml"), QStringLiteral("--track"), QStringLiteral("3"), QStringLiteral("--channel"),
                QStringLiteral("10"), midi, drums});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errors,
             QStringLiteral("zepa: %1: 2 notes outside ZEPA's five octaves were moved by octaves into "
                            "them.\n")
                 .arg(midi));
    run = zepa({QStringLiteral("mml"), QStringLiteral("--track"), QStringLiteral("4"), midi, drums});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors,
             QStringLiteral("zepa: %1: no notes in track 4 channel any; notes are in --track 2 "
                            "--channel 1 (3 notes), --track 3 --channel 10 (2 notes)\n")
                 .arg(midi));

    // Out to a brick, which plays it as the RCX does: nothing to say; never
    // over a file without --force.
    const QString script = directory.filePath(QStringLiteral("song.py"));
    const QStringList exportEv3{QStringLiteral("export"), QStringLiteral("--target"), QStringLiteral("ev3dev"), drums,
                                script};
    run = zepa(exportEv3);
    QCOMPARE(run.status, 0);
    QCOMPARE(run.errors, QString());
    QCOMPARE(zepa(exportEv3).status, 1);
    QCOMPARE(zepa(QStringList{QStringLiteral("--force")} + exportEv3).status, 0);

    // export --target takes every format of the register, and writes what the
    // one writer writes for the menus: a new format needs no verb of its own.
    const std::optional<Melody> read = readMelodyFile(drums).melody;
    for (const OutputFormat &format : outputFormats()) {
        if (format.paints)
            continue; // drawn pages: this program paints none (sheetMusicIsAPdfWithItsFontsInside)
        const QString out = directory.filePath(QStringLiteral("out.") + format.id);
        run = zepa({QStringLiteral("export"), QStringLiteral("--target"), format.id, drums, out});
        QVERIFY2(run.status == 0, qPrintable(format.id + u' ' + run.errors));
        const QString expected = directory.filePath(QStringLiteral("expected.") + format.id);
        QVERIFY(writeOutput(format.id, OutputSource::of(*read, QStringLiteral("drums")), expected,
                            UserFileWriter::Replace::Never)
                    .written());
        QVERIFY2(contents(out) == contents(expected), qPrintable(format.id));
    }
}

void CommandLineTest::sendReachesTheSimulatedBrick()
{
    ZEPA_OUTSIDE_CHECK();
    QTemporaryDir directory;
    const QString melody = directory.filePath(QStringLiteral("song.mml"));
    writeFile(melody, "t120 o5 c d e");
    SimulatedBrick brick;
    Run run = zepa({QStringLiteral("send"), QStringLiteral("--port"), brick.port(), QStringLiteral("--slot"),
                    QStringLiteral("3"), QStringLiteral("--run"), melody});
    QCOMPARE(run.errors, QString());
    QCOMPARE(run.status, 0);
    QCOMPARE(run.output, QStringLiteral("Sent to the RCX's program 3 (battery 8.3 V).\n"));
    QVERIFY(brick.hasTask(3, 1));
    // A port that is an option is no port: refused before anything is sent.
    run = zepa({QStringLiteral("send"), QStringLiteral("--port"), QStringLiteral("-d"), melody});
    QCOMPARE(run.status, 2);
    QVERIFY2(run.errors.startsWith(QStringLiteral("zepa: \"-d\" is not a port")), qPrintable(run.errors));
    QCOMPARE(zepa({QStringLiteral("send"), QStringLiteral("--slot"), QStringLiteral("6"), melody}).errors,
             QStringLiteral("zepa: --slot takes a program slot from 1 to 5\n"));
    SimulatedBrick off({"--no-echo"});
    run = zepa({QStringLiteral("send"), QStringLiteral("--port"), off.port(), melody});
    QCOMPARE(run.status, 1);
    QCOMPARE(run.errors,
             QStringLiteral("zepa: The infrared tower (%1) does not answer: check its battery and the port it "
                            "is plugged into.\n")
                 .arg(off.port()));
}

namespace {

// What a program no one here wrote prints about a file.
QString toolOutput(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(120000) || tool.exitCode() != 0)
        return QStringLiteral("%1 failed: %2").arg(program, QString::fromUtf8(tool.readAllStandardError()));
    return QString::fromUtf8(tool.readAllStandardOutput());
}

struct PdfWord {
    int page = 0;
    QRectF box;
    QString text;
};

// Every word pdftotext finds, with its page and box in points.
std::vector<PdfWord> pdfWords(const QString &pdf, QSizeF *pageSize)
{
    const QString html = toolOutput(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    std::vector<PdfWord> words;
    int page = 0;
    static const QRegularExpression pattern(QStringLiteral(
        R"re(<page width="([\d.]+)" height="([\d.]+)">|<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    for (const QRegularExpressionMatch &match : pattern.globalMatch(html)) {
        if (match.capturedLength(1) > 0) {
            ++page;
            *pageSize = QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble());
            continue;
        }
        words.push_back({page,
                         QRectF(QPointF(match.captured(3).toDouble(), match.captured(4).toDouble()),
                                QPointF(match.captured(5).toDouble(), match.captured(6).toDouble())),
                         match.captured(7)});
    }
    return words;
}

// How many of the music font's glyphs in [first, last] the words hold.
int glyphsIn(const std::vector<PdfWord> &words, char16_t first, char16_t last)
{
    int count = 0;
    for (const PdfWord &word : words)
        count += int(std::count_if(word.text.begin(), word.text.end(),
                                   [&](QChar c) { return c.unicode() >= first && c.unicode() <= last; }));
    return count;
}

// Where each staff line of a page ends on the right, in points: the page
// rendered by pdftoppm, a staff line being a row dark for most of the page's
// width (its ends as the darkest ink reaches).
QList<double> staffLineEnds(const QString &pdf, int page, const QString &folder)
{
    const QString stem = QDir(folder).filePath(QStringLiteral("page%1").arg(page));
    toolOutput(QStringLiteral("pdftoppm"),
               {QStringLiteral("-gray"), QStringLiteral("-r"), QStringLiteral("144"), QStringLiteral("-singlefile"),
                QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page), pdf, stem});
    // A binary PGM: "P5", width, height, the largest value, one byte a pixel.
    const QByteArray pgm = contents(stem + QStringLiteral(".pgm"));
    static const QRegularExpression header(QStringLiteral(R"(^P5\s+(\d+)\s+(\d+)\s+255\s)"));
    const QRegularExpressionMatch match = header.match(QString::fromLatin1(pgm.left(40)));
    QList<double> ends;
    if (!match.hasMatch())
        return ends;
    const int width = match.captured(1).toInt(), height = match.captured(2).toInt();
    const qsizetype start = match.capturedLength(0);
    if (pgm.size() < start + qsizetype(width) * height)
        return ends;
    bool inLine = false;
    for (int y = 0; y < height; ++y) {
        const auto *row = reinterpret_cast<const uchar *>(pgm.constData() + start + qsizetype(y) * width);
        int dark = 0, right = -1;
        for (int x = 0; x < width; ++x) {
            if (row[x] < 160) {
                ++dark;
                right = x;
            }
        }
        const bool line = dark > width / 3;
        if (line && !inLine)
            ends << (right + 1) * 72.0 / 144;
        inLine = line;
    }
    return ends;
}

bool isMusicGlyph(const QString &word)
{
    return std::all_of(word.begin(), word.end(), [](QChar c) { return c.unicode() >= 0xe000 && c.unicode() < 0xf900; });
}

} // namespace

void CommandLineTest::sheetMusicIsAPdfWithItsFontsInside()
{
    ZEPA_OUTSIDE_CHECK();
    QTemporaryDir directory;
    const QString song = directory.filePath(QStringLiteral("song.mml"));
    writeFile(song, "// meter 3/4\nt96 o5 l4 c d e f+2. l8 g a b o6 c o5 b a Q4 g2 r4 o7 c d e\n");
    const QString pdf = directory.filePath(QStringLiteral("song.pdf"));
    Run run = zepa({QStringLiteral("pdf"), QStringLiteral("--title"), QStringLiteral("ふるさと"), song, pdf});
    QCOMPARE(run.errors, QString());
    QCOMPARE(run.status, 0);

    // Both fonts travel inside the file: a printer without them prints the same.
    const QString fonts = toolOutput(QStringLiteral("pdffonts"), {pdf});
    static const QRegularExpression embedded(
        QStringLiteral(R"(^(\S+)\s.*\s(yes|no)\s+(yes|no)\s+(yes|no)\s+\d+\s+\d+$)"),
        QRegularExpression::MultilineOption);
    QStringList embeddedFonts;
    for (const QRegularExpressionMatch &match : embedded.globalMatch(fonts)) {
        QCOMPARE(match.captured(2), QStringLiteral("yes"));
        embeddedFonts << match.captured(1);
    }
    QVERIFY2(embeddedFonts.filter(QStringLiteral("Bravura")).size() == 1, qPrintable(fonts));
    QVERIFY2(embeddedFonts.filter(QStringLiteral("IPA")).size() >= 1, qPrintable(fonts));

    // The title at the top of page 1, centred, the tempo, no page number on
    // the first page, and nothing outside its 15 mm margins.
    QSizeF page;
    const std::vector<PdfWord> words = pdfWords(pdf, &page);
    QCOMPARE(page, QSizeF(595, 842));
    const double margin = 15 / 25.4 * 72 - 0.5;
    QStringList texts;
    const PdfWord *highest = nullptr;
    for (const PdfWord &word : words) {
        QVERIFY2(word.box.left() >= margin && word.box.right() <= page.width() - margin, qPrintable(word.text));
        if (!isMusicGlyph(word.text)) {
            texts << word.text;
            QVERIFY2(word.box.top() >= margin && word.box.bottom() <= page.height() - margin, qPrintable(word.text));
            if (!highest || word.box.top() < highest->box.top())
                highest = &word;
        }
    }
    QVERIFY(highest);
    QCOMPARE(highest->text, QStringLiteral("ふるさと"));
    QVERIFY(std::abs(highest->box.center().x() - page.width() / 2) < 1);
    QCOMPARE(texts,
             (QStringList{QStringLiteral("="), QStringLiteral("96"), QStringLiteral("ふるさと")})); // page 1 unnumbered
    const QString songInfo
        = toolOutput(QStringLiteral("pdfinfo"), {QStringLiteral("-enc"), QStringLiteral("UTF-8"), pdf});
    QVERIFY2(songInfo.contains(
                 QRegularExpression(QStringLiteral("^Title: +ふるさと$"), QRegularExpression::MultilineOption)),
             qPrintable(songInfo));

    // A file there already stays unless --force; a meter ZEPA has not is a usage error.
    run = zepa({QStringLiteral("pdf"), song, pdf});
    QCOMPARE(run.status, 1);
    run = zepa({QStringLiteral("pdf"), QStringLiteral("--meter"), QStringLiteral("5/4"), song, pdf});
    QCOMPARE(run.status, 2);

    // The most notes a score holds, varied, over many numbered pages.
    QByteArray longSong = "t120 ";
    const char *const phrases[] = {"o4 l8 c d+ e l4 f g. ", "o6 l16 a b > c < b l2 r ", "o5 l12 c+ d c Q4 f+ g f ",
                                   "o3 l1 b ", "o7 l32 c d e f Q8 l4 e e Q7 "};
    int notes = 0;
    for (int i = 0; notes + 6 <= 32767; ++i) {
        const QByteArray phrase(phrases[i % 5]);
        longSong += phrase;
        notes += int(phrase.count(' ')) - int(phrase.count("l")) - int(phrase.count("o")) - int(phrase.count("Q"));
    }
    const QString longMelody = directory.filePath(QStringLiteral("long.mml"));
    writeFile(longMelody, longSong);
    const QString longPdf = directory.filePath(QStringLiteral("long.pdf"));
    QElapsedTimer timer;
    timer.start();
    run = zepa({QStringLiteral("pdf"), QStringLiteral("--meter"), QStringLiteral("4/4"), longMelody, longPdf});
    qInfo("%d notes: a PDF of %lld bytes in %lld ms", notes, QFileInfo(longPdf).size(), timer.elapsed());
    QCOMPARE(run.errors, QString());
    QCOMPARE(run.status, 0);
    const QString info = toolOutput(QStringLiteral("pdfinfo"), {longPdf});
    static const QRegularExpression pagesLine(QStringLiteral(R"(Pages:\s+(\d+))"));
    const int pages = pagesLine.match(info).captured(1).toInt();
    QVERIFY2(pages > 50, qPrintable(info));
    const QString lastPage = toolOutput(QStringLiteral("pdftotext"),
                                        {QStringLiteral("-f"), QString::number(pages), longPdf, QStringLiteral("-")});
    QVERIFY2(lastPage.startsWith(QString::number(pages)), qPrintable(lastPage.left(200)));
    // The number in the page's top outer corner: right on an odd page, left on an even one.
    QSizeF size;
    const std::vector<PdfWord> numbers = pdfWords(longPdf, &size);
    for (int page : {2, 3, pages}) {
        const auto number = std::find_if(numbers.begin(), numbers.end(), [&](const PdfWord &word) {
            return word.page == page && word.text == QString::number(page);
        });
        QVERIFY(number != numbers.end());
        const double margin = 15 / 25.4 * 72;
        QVERIFY2(number->box.top() < margin + 12, qPrintable(QString::number(number->box.top())));
        if (page % 2 == 1)
            QVERIFY(std::abs(number->box.right() - (size.width() - margin)) < 2);
        else
            QVERIFY(std::abs(number->box.left() - margin) < 2);
    }

    // The staff as the rules write it: as many sharps and naturals as the
    // rule of the bar needs, flags only on the notes no beam can join (a
    // beam group never crosses a bar line, so no line's end cuts one).
    MelodyRead read = readMelodyFile(longMelody);
    QVERIFY2(read.hasMelody(), qPrintable(read.error));
    read.melody.meter = 4;
    const WrittenMelody written = writeMelody(read.melody);
    int sharps = 0, naturals = 0, flags = 0;
    for (std::size_t k = 0; k < written.pieces.size(); ++k) {
        const WrittenPiece &piece = written.pieces[k];
        sharps += piece.accidental == ShownAccidental::Sharp;
        naturals += piece.accidental == ShownAccidental::Natural;
        const bool beamed = std::any_of(written.beams.begin(), written.beams.end(), [&](const BeamGroup &beam) {
            return beam.first <= int(k) && int(k) <= beam.last;
        });
        flags += !piece.rest && beamCount(piece.shown) > 0 && !beamed;
    }
    qInfo("%d sharps, %d naturals, %d flags", sharps, naturals, flags);
    QVERIFY(naturals > 100 && flags > 100);
    QCOMPARE(glyphsIn(numbers, 0xE262, 0xE262), sharps);
    QCOMPARE(glyphsIn(numbers, 0xE261, 0xE261), naturals);
    QCOMPARE(glyphsIn(numbers, 0xE240, 0xE24F), flags);
    // Every line reaches the right margin, the melody's last apart: its five
    // staff lines end there (the final bar line) on pages 1, 2 and the last.
    const double right = size.width() - 15 / 25.4 * 72;
    for (int page : {1, 2, pages}) {
        const QList<double> ends = staffLineEnds(longPdf, page, directory.path());
        QVERIFY2(ends.size() >= 5 && ends.size() % 5 == 0, qPrintable(QString::number(ends.size())));
        const qsizetype justified = page == pages ? ends.size() - 5 : ends.size();
        for (qsizetype i = 0; i < justified; ++i)
            QVERIFY2(std::abs(ends[i] - right) < 1.5,
                     qPrintable(QStringLiteral("page %1, staff line %2 ends at %3 pt, the margin at %4 pt")
                                    .arg(page)
                                    .arg(i)
                                    .arg(ends[i])
                                    .arg(right)));
    }
}

void CommandLineTest::notationFilesGoOutAndComeBack()
{
    QTemporaryDir directory;
    const QString song = directory.filePath(QStringLiteral("song.mml"));
    writeFile(song, "t96 o5 l4 c d e f+2. l8 g a Q8 b > c Q7 < b4 r4\n");
    const QString xml = directory.filePath(QStringLiteral("song.musicxml"));
    QCOMPARE(zepa({QStringLiteral("musicxml"), QStringLiteral("--meter"), QStringLiteral("3/4"), song, xml}).status, 0);
    const QString ly = directory.filePath(QStringLiteral("song.ly"));
    QCOMPARE(zepa({QStringLiteral("lilypond"), QStringLiteral("--title"), QStringLiteral("ふるさと"), song, ly}).status,
             0);
    QFile lilyPond(ly);
    QVERIFY(lilyPond.open(QIODevice::ReadOnly));
    const QByteArray score = lilyPond.readAll();
    QVERIFY(score.startsWith("\\version \"2.24.0\"") && score.contains("title = \"ふるさと\""));

    // Every INPUT may be MusicXML: the same program as from the melody file, the meter kept.
    const QString fromXml = directory.filePath(QStringLiteral("from-xml.nqc"));
    const QString fromMml = directory.filePath(QStringLiteral("from-mml.nqc"));
    QCOMPARE(zepa({QStringLiteral("nqc"), xml, fromXml}).errors, QString());
    QCOMPARE(zepa({QStringLiteral("nqc"), song, fromMml}).status, 0);
    QFile a(fromXml), b(fromMml);
    QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QCOMPARE(a.readAll(), b.readAll());
    const QString back = directory.filePath(QStringLiteral("back.mml"));
    QCOMPARE(zepa({QStringLiteral("mml"), xml, back}).status, 0);
    QFile melody(back);
    QVERIFY(melody.open(QIODevice::ReadOnly));
    QVERIFY(melody.readAll().contains("// meter 3/4\n"));

    // A compressed file cut short is refused, naming it.
    const QString broken = directory.filePath(QStringLiteral("broken.mxl"));
    writeFile(broken, QByteArray("PK\x03\x04", 4) + QByteArray(40, 'x'));
    const Run refused = zepa({QStringLiteral("nqc"), broken, fromXml});
    QCOMPARE(refused.status, 1);
    QVERIFY2(refused.errors.contains(broken) && refused.errors.contains(QStringLiteral(".mxl")),
             qPrintable(refused.errors));
}

void CommandLineTest::playWithoutASoundServerSaysSoOnce()
{
    QTemporaryDir directory;
    const QString program = directory.filePath(QStringLiteral("music0.nqc"));
    writeFile(program, QByteArray::fromStdString(nqcProgramText(ShortTune)));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + directory.filePath("none"));
    const Run run = zepa({QStringLiteral("play"), program}, environment);
    QCOMPARE(run.status, 1);
    QVERIFY2(run.errors.endsWith(QStringLiteral("zepa: no sound output device found; 'zepa render' writes the "
                                                "melody as a WAV file instead\n")),
             qPrintable(run.errors));
    QVERIFY2(run.errors.count(QLatin1Char('\n')) <= 3, qPrintable(run.errors)); // no flood of messages
}

void CommandLineTest::playIsHeardThroughARealSoundServer()
{
    ZEPA_OUTSIDE_CHECK();
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString parec = QStandardPaths::findExecutable(QStringLiteral("parec"));
    // The sound server is a checker of its own: missing, it fails the test.
    if (pulseaudio.isEmpty() || parec.isEmpty())
        QFAIL("pulseaudio and parec (Debian packages pulseaudio, pulseaudio-utils) are not installed; "
              "./zepa.sh test installs them");
    QTemporaryDir directory;
    const QString socket = directory.filePath(QStringLiteral("native"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + socket);
    environment.insert(QStringLiteral("HOME"), directory.path());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), directory.path());

    // A server of the test's own with a null sink whose monitor is recorded.
    QProcess server;
    server.setProcessEnvironment(environment);
    server.start(pulseaudio,
                 {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                  QStringLiteral("--load=module-native-protocol-unix socket=") + socket,
                  QStringLiteral("--load=module-null-sink sink_name=zepa_test")});
    for (int i = 0; i < 100 && !QFile::exists(socket); ++i)
        QTest::qWait(50);
    if (!QFile::exists(socket)) {
        server.kill();
        server.waitForFinished();
        QFAIL(qPrintable(QStringLiteral("the sound server could not be started: ")
                         + QString::fromLocal8Bit(server.readAllStandardError()).left(300)));
    }
    QProcess recorder;
    recorder.setProcessEnvironment(environment);
    recorder.start(parec,
                   {QStringLiteral("-d"), QStringLiteral("zepa_test.monitor"), QStringLiteral("--raw"),
                    QStringLiteral("--format=s16le"), QStringLiteral("--rate=44100"), QStringLiteral("--channels=1")});
    QVERIFY(recorder.waitForStarted());
    // The null sink's monitor streams silence once the recorder is connected:
    // its first bytes say that recording has begun, whatever the machine's load.
    QByteArray recorded;
    while (recorded.isEmpty() && recorder.waitForReadyRead(30000))
        recorded += recorder.readAllStandardOutput();
    QVERIFY2(!recorded.isEmpty(), "parec recorded nothing from the null sink");

    const QString program = directory.filePath(QStringLiteral("music0.nqc"));
    writeFile(program, QByteArray::fromStdString(nqcProgramText(ShortTune)));
    const Run run = zepa({QStringLiteral("play"), program}, environment);
    QList<int> expected;
    for (const NoteRecord &note : ShortTune) {
        if (!note.isRest())
            expected << brickTones()[std::size_t(toneIndex(note.pitch, note.octave))].hertz;
    }
    // What the server still holds reaches the recorder late on a busy machine:
    // it is read until every tone has been heard and a silence follows it.
    const auto heardToTheEnd = [&] {
        constexpr qsizetype SilentSamples = 44100 / 4; // 0.25 s
        const qsizetype samples = recorded.size() / 2;
        if (samples < SilentSamples || heardFrequencies(recorded).size() < expected.size())
            return false;
        const auto *last = reinterpret_cast<const qint16 *>(recorded.constData()) + samples - SilentSamples;
        return std::all_of(last, last + SilentSamples, [](qint16 sample) { return std::abs(sample) < 1000; });
    };
    while (!heardToTheEnd() && recorder.waitForReadyRead(30000))
        recorded += recorder.readAllStandardOutput();
    recorder.terminate();
    recorder.waitForFinished();
    server.terminate();
    server.waitForFinished();
    QCOMPARE(run.status, 0);

    const QList<int> heard = heardFrequencies(recorded);
    QCOMPARE(heard.size(), expected.size());
    for (qsizetype i = 0; i < expected.size(); ++i)
        QVERIFY2(std::abs(heard[i] - expected[i]) <= expected[i] / 100,
                 qPrintable(QStringLiteral("heard %1 Hz, expected %2 Hz").arg(heard[i]).arg(expected[i])));
}

QTEST_GUILESS_MAIN(CommandLineTest)
#include "tst_command_line.moc"
