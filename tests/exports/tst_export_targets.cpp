#include <cmath>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "TestPaths.h"

#include "common/ExampleMelody.h"
#include "common/NoteBuilders.h"
#include "common/RecordingMessageService.h"

#include "exports/ExportTargets.h"
#include "mml/MmlReader.h"
#include "performance/BrickEvents.h"
#include "performance/BrickTones.h"

namespace {

// Each platform as play_exported.py names it, and a file name for its program.
struct Platform {
    ExportTarget target;
    QString name;
    QString file;
};

const Platform &platformOf(ExportTarget target)
{
    static const std::array<Platform, 4> platforms{{
        {ExportTarget::Nxc, QStringLiteral("nxc"), QStringLiteral("melody.nxc")},
        {ExportTarget::Pybricks, QStringLiteral("pybricks"), QStringLiteral("melody_pybricks.py")},
        {ExportTarget::Microbit, QStringLiteral("microbit"), QStringLiteral("melody_microbit.py")},
        {ExportTarget::Ev3dev, QStringLiteral("ev3dev"), QStringLiteral("melody_ev3dev.py")},
    }};
    return platforms[std::size_t(target)];
}

// Runs a checker; an empty text when it accepted the file.
QString refusal(const QString &program, const QStringList &arguments)
{
    const QString path = program.startsWith(QLatin1Char('/')) ? program : QStandardPaths::findExecutable(program);
    if (path.isEmpty())
        return QStringLiteral("%1 is not installed (./zepa.sh test installs it)").arg(program);
    QProcess checker;
    checker.setProcessChannelMode(QProcess::MergedChannels);
    checker.start(path, arguments);
    if (!checker.waitForFinished(300000) || checker.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("%1 did not finish").arg(program);
    if (checker.exitCode() != 0)
        return QStringLiteral("%1 refused it:\n%2").arg(program, QString::fromUtf8(checker.readAll().right(3000)));
    return {};
}

// What each platform's own compiler says about the program in path.
QString checkerRefusal(ExportTarget target, const QString &path, const QTemporaryDir &directory)
{
    const QString mpyCross = QStringLiteral(ZEPA_TESTS_DIR "/exports/mpy_cross_check.js");
    const QString modules = QStringLiteral(ZEPA_CHECKERS);
    if ((target == ExportTarget::Pybricks || target == ExportTarget::Microbit)
        && !QFile::exists(modules + QStringLiteral("/@pybricks/mpy-cross-v6/package.json")))
        return QStringLiteral("@pybricks/mpy-cross-v6 is not installed in %1 (./zepa.sh test installs it)")
            .arg(modules);
    switch (target) {
    case ExportTarget::Nxc: {
        const QString executable = directory.filePath(QStringLiteral("melody.rxe"));
        QString error = refusal(QStringLiteral("nbc"), {QStringLiteral("-O=") + executable, path});
        if (error.isEmpty() && QFileInfo(executable).size() == 0)
            error = QStringLiteral("nbc wrote no program");
        return error;
    }
    case ExportTarget::Pybricks:
        return refusal(QStringLiteral("node"), {mpyCross, modules, path});
    case ExportTarget::Microbit: {
        const QString error = refusal(QStringLiteral("node"), {mpyCross, modules, path});
        return error.isEmpty()
            ? refusal(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("py_compile"), path})
            : error;
    }
    case ExportTarget::Ev3dev:
        return refusal(QStringLiteral("python3"), {QStringLiteral("-m"), QStringLiteral("py_compile"), path});
    }
    return QStringLiteral("no checker");
}

struct Stretch {
    double hertz; // 0 for silence
    double milliseconds;
};

// Joins what sounds on without a break, so that a tone written in pieces and
// one written whole compare equal.
QList<Stretch> joined(const QList<Stretch> &stretches)
{
    QList<Stretch> tones;
    for (const Stretch &stretch : stretches) {
        if (stretch.milliseconds <= 0)
            continue;
        if (!tones.isEmpty() && tones.back().hertz == stretch.hertz)
            tones.back().milliseconds += stretch.milliseconds;
        else
            tones.append(stretch);
    }
    return tones;
}

// What a platform plays, by its documented rules (play_exported.py).
QList<Stretch> platformPlays(const QString &name, const QString &path, QString &error)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral(ZEPA_TESTS_DIR "/exports/play_exported.py"), name, path});
    python.waitForFinished(120000);
    if (python.exitCode() != 0) {
        error = QString::fromUtf8(python.readAllStandardError());
        return {};
    }
    QList<Stretch> stretches;
    for (const QByteArray &line : python.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 2)
            stretches.append({fields[0].toDouble(), fields[1].toDouble()});
    }
    return stretches;
}

// What the RCX plays: each note's tone for its sound and its silence after
// it, which every platform must keep.
QList<Stretch> rcxPlays(const std::vector<NoteRecord> &notes)
{
    QList<Stretch> stretches;
    for (const NoteRecord &note : notes) {
        const PlayedNote played = playedNote(note);
        const double hertz = played.isRest() ? 0 : brickTones()[std::size_t(played.tone)].hertz;
        stretches.append({hertz, played.soundTicks * 10.0});
        stretches.append({0, (played.lengthTicks - played.soundTicks) * 10.0});
    }
    return joined(stretches);
}

// Where two plays first differ by more than a millisecond or 1 % in pitch
// (equal temperament against the RCX's table), or nothing when they agree.
std::optional<QString> difference(const QList<Stretch> &played, const QList<Stretch> &expected)
{
    for (qsizetype i = 0; i < std::min(played.size(), expected.size()); ++i) {
        if (std::abs(played[i].hertz - expected[i].hertz) > expected[i].hertz * 0.01
            || std::abs(played[i].milliseconds - expected[i].milliseconds) > 1)
            return QStringLiteral("stretch %1: %2 Hz for %3 ms, the RCX %4 Hz for %5 ms")
                .arg(i)
                .arg(played[i].hertz)
                .arg(played[i].milliseconds)
                .arg(expected[i].hertz)
                .arg(expected[i].milliseconds);
    }
    if (played.size() != expected.size())
        return QStringLiteral("%1 stretches, the RCX %2").arg(played.size()).arg(expected.size());
    return std::nullopt;
}

} // namespace

class ExportTargetsTest : public QObject {
    Q_OBJECT

private slots:
    void eachPlatformCompilesAndPlaysTheMelody_data();
    void eachPlatformCompilesAndPlaysTheMelody();
    void thePlayerHearsTheFaultsOfEarlierPrograms_data();
    void thePlayerHearsTheFaultsOfEarlierPrograms();
    void programsLargerThanTheBrickHoldsAreSaidSo_data();
    void programsLargerThanTheBrickHoldsAreSaidSo();
    void uflashFlashesTheMicrobitScriptExactlyWhenNothingIsSaid();
};

void ExportTargetsTest::eachPlatformCompilesAndPlaysTheMelody_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("tempo");
    QTest::addColumn<std::vector<NoteRecord>>("notes");

    for (ExportTarget exportTarget : AllExportTargets) {
        const Platform &info = platformOf(exportTarget);
        const int target = int(info.target);
        QTest::addRow("%s, the worked example", qPrintable(info.name)) << target << 60 << exampleMelody();
        for (int tempo : {60, 97, 240})
            QTest::addRow("%s, every kind of note at %d", qPrintable(info.name), tempo)
                << target << tempo << everyKindOfNote(tempo);
        QRandomGenerator random(20261207 + quint32(target));
        const int tempo = int(random.bounded(60, 241));
        std::vector<NoteRecord> melody;
        for (int i = 0; i < 120; ++i)
            melody.push_back(randomNote(random, tempo));
        QTest::addRow("%s, a random melody at %d", qPrintable(info.name), tempo) << target << tempo << melody;
    }
}

void ExportTargetsTest::eachPlatformCompilesAndPlaysTheMelody()
{
    QFETCH(int, target);
    QFETCH(int, tempo);
    QFETCH(std::vector<NoteRecord>, notes);
    const ExportTarget platform = ExportTarget(target);
    const Platform &info = platformOf(platform);

    const ExportedProgram program = exportProgram(platform, notes, tempo);
    QVERIFY(program.changes.isEmpty()); // every platform plays it as the RCX does
    QTemporaryDir directory;
    const QString path = directory.filePath(info.file);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(program.text) == program.text.size());
    file.close();

    const QString refused = checkerRefusal(platform, path, directory);
    QVERIFY2(refused.isEmpty(), qPrintable(refused));

    QString error;
    const QList<Stretch> played = joined(platformPlays(info.name, path, error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const std::optional<QString> differs = difference(played, rcxPlays(notes));
    QVERIFY2(!differs, qPrintable(differs.value_or(QString())));
}

void ExportTargetsTest::thePlayerHearsTheFaultsOfEarlierPrograms_data()
{
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("fault");
    // Programs as ZEPA wrote them before, of T60 O5 C1 R4 Q4 E8 Q8 G2 A32 Q7 B16.
    QTest::newRow("micro:bit reads two digits of a length") << "microbit"
                                                            << "stretch 0: 523.25 Hz for 380 ms";
    QTest::newRow("Pybricks releases the last eighth") << "pybricks"
                                                       << "stretch 0: 523.25 Hz for 3500 ms";
    QTest::newRow("ev3dev plays whole beats and waits 50 ms after each") << "ev3dev"
                                                                         << "stretch 0: 523.25 Hz for 4000 ms";
}

void ExportTargetsTest::thePlayerHearsTheFaultsOfEarlierPrograms()
{
    QFETCH(QString, platform);
    QFETCH(QString, fault);
    const MmlReadResult melody = readMml("T60 O5 C1 R4 Q4 E8 Q8 G2 A32 Q7 B16");
    QVERIFY(melody.ok());
    QString error;
    const QList<Stretch> played = joined(
        platformPlays(platform, QStringLiteral(ZEPA_TESTS_DIR "/exports/data/before_%1.py").arg(platform), error));
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const std::optional<QString> differs = difference(played, rcxPlays(melody.melody.notes));
    QVERIFY2(differs && differs->startsWith(fault), qPrintable(differs.value_or(QStringLiteral("no difference"))));
}

void ExportTargetsTest::programsLargerThanTheBrickHoldsAreSaidSo_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("notes");
    QTest::addColumn<bool>("tooLarge");
    QTest::newRow("micro:bit, 300 notes") << int(ExportTarget::Microbit) << 300 << false;
    QTest::newRow("micro:bit, 3000 notes") << int(ExportTarget::Microbit) << 3000 << true;
    QTest::newRow("NXT, 700 notes") << int(ExportTarget::Nxc) << 700 << false;
    QTest::newRow("NXT, 2000 notes") << int(ExportTarget::Nxc) << 2000 << true;
}

void ExportTargetsTest::programsLargerThanTheBrickHoldsAreSaidSo()
{
    QFETCH(int, target);
    QFETCH(int, notes);
    QFETCH(bool, tooLarge);
    QRandomGenerator random(20261208);
    std::vector<NoteRecord> melody;
    for (int i = 0; i < notes; ++i)
        melody.push_back(randomNote(random, 120));
    const ExportedProgram program = exportProgram(ExportTarget(target), melody, 120);
    QCOMPARE(program.changes.size(), tooLarge ? 1 : 0);
    if (ExportTarget(target) != ExportTarget::Nxc)
        return;
    // The size the NXT program is said to have is what nbc makes of it.
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("melody.nxc"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(program.text) == program.text.size());
    file.close();
    QVERIFY2(checkerRefusal(ExportTarget::Nxc, path, directory).isEmpty(), "nbc refused the program");
    const qint64 made = QFileInfo(directory.filePath(QStringLiteral("melody.rxe"))).size();
    QVERIFY2(std::abs(made - nxtProgramBytes(melody)) <= made / 100,
             qPrintable(QStringLiteral("nbc made %1 bytes, said %2").arg(made).arg(nxtProgramBytes(melody))));
}

// Debian's uflash puts the script into the micro:bit V1's MicroPython, on a
// micro:bit that shows as a folder named MICROBIT. The longest melody whose
// script ZEPA writes without a word is flashed, and read back from the hex
// file byte for byte (uflash would have made CR LF into LF); one note more,
// and uflash refuses it and ZEPA says so.
void ExportTargetsTest::uflashFlashesTheMicrobitScriptExactlyWhenNothingIsSaid()
{
    QRandomGenerator random(20261209);
    std::vector<NoteRecord> melody;
    while (exportProgram(ExportTarget::Microbit, melody, 120).changes.isEmpty())
        melody.push_back(randomNote(random, 120));
    const NoteRecord tooMany = melody.back();
    melody.pop_back();
    QVERIFY(melody.size() > 300);

    for (const bool oneMore : {false, true}) {
        if (oneMore)
            melody.push_back(tooMany);
        const ExportedProgram program = exportProgram(ExportTarget::Microbit, melody, 120);
        QCOMPARE(program.changes.isEmpty(), !oneMore);
        QTemporaryDir directory;
        const QString script = directory.filePath(QStringLiteral("melody_microbit.py"));
        QFile file(script);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(program.text) == program.text.size());
        file.close();
        const QString microbit = directory.filePath(QStringLiteral("MICROBIT"));
        QVERIFY(QDir().mkpath(microbit));
        const QString flashed = refusal(QStringLiteral("uflash"), {script, microbit});
        if (oneMore) {
            QVERIFY2(flashed.contains(QStringLiteral("8188")), qPrintable(flashed));
            continue;
        }
        QVERIFY2(flashed.isEmpty(), qPrintable(flashed));
        // uflash -e prints the script it finds in the hex file, and a line end.
        QProcess extract;
        extract.start(QStringLiteral("uflash"), {QStringLiteral("-e"), microbit + QStringLiteral("/micropython.hex")});
        QVERIFY(extract.waitForFinished(60000) && extract.exitCode() == 0);
        QCOMPARE(extract.readAllStandardOutput(), program.text + '\n');
    }
}

QTEST_GUILESS_MAIN(ExportTargetsTest)
#include "tst_export_targets.moc"
