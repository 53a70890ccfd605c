#include <cmath>

#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/ExampleMelody.h"
#include "common/NoteBuilders.h"
#include "common/RecordingMessageService.h"

#include "exports/ExportTargets.h"
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

// The worked example, as the composer makes it.
std::vector<NoteRecord> exampleMelody()
{
    RecordingMessageService messages;
    ScoreEditor editor(60, messages);
    composeExampleMelody(editor);
    const std::span<const NoteRecord> notes = editor.state().notes();
    return {notes.begin(), notes.end()};
}

// Every length with every articulation, and a rest of every length, over all
// pitches and octaves.
std::vector<NoteRecord> everyKindOfNote(int tempo)
{
    std::vector<NoteRecord> notes;
    int i = 0;
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        for (Articulation articulation : AllArticulations) {
            NoteRecord note = toneNote(i % PitchCount, AllOctaves[std::size_t(i % 5)], lengthTicks(entry.length, tempo),
                                       articulation);
            note.length = entry.length;
            notes.push_back(note);
            ++i;
        }
        NoteRecord rest = restNote(lengthTicks(entry.length, tempo));
        rest.length = entry.length;
        notes.push_back(rest);
    }
    return notes;
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
    const QString mpyCross = QStringLiteral(ZEPA_TEST_DATA "/mpy_cross_check.js");
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
    python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral(ZEPA_TEST_DATA "/play_exported.py"), name, path});
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

// What the platform should play: the RCX's own timing where the platform can
// keep it, the lengths' exact values where it counts in beats.
QList<Stretch> expectedPlay(ExportTarget target, const std::vector<NoteRecord> &notes, int tempo)
{
    static const std::map<NoteLength, double> quarters{{NoteLength::Whole, 4},
                                                       {NoteLength::Half, 2},
                                                       {NoteLength::Quarter, 1},
                                                       {NoteLength::Eighth, 0.5},
                                                       {NoteLength::Sixteenth, 0.25},
                                                       {NoteLength::ThirtySecond, 0.125},
                                                       {NoteLength::DottedHalf, 3},
                                                       {NoteLength::DottedQuarter, 1.5},
                                                       {NoteLength::DottedEighth, 0.75},
                                                       {NoteLength::DottedSixteenth, 0.375},
                                                       {NoteLength::QuarterTriplet, 2.0 / 3},
                                                       {NoteLength::EighthTriplet, 1.0 / 3},
                                                       {NoteLength::SixteenthTriplet, 1.0 / 6}};
    QList<Stretch> stretches;
    for (const NoteRecord &note : notes) {
        const double hertz = note.isRest() ? 0 : brickTones()[toneIndex(note.pitch, note.octave)].hertz;
        double beats = quarters.at(note.length);
        switch (target) {
        case ExportTarget::Nxc:
        case ExportTarget::Microbit: {
            const PlayedNote played = playedNote(note);
            stretches.append({hertz, played.soundTicks * 10.0});
            stretches.append({0, (played.lengthTicks - played.soundTicks) * 10.0});
            break;
        }
        case ExportTarget::Pybricks: {
            const double length = beats * 60000 / tempo;
            const bool released = note.articulation != Articulation::SlurOrTie;
            stretches.append({hertz, released ? length * 7 / 8 : length});
            stretches.append({0, released ? length / 8 : 0});
            break;
        }
        case ExportTarget::Ev3dev:
            if (note.length == NoteLength::ThirtySecond)
                beats = 1.0 / 6; // its nearest, the sixteenth triplet
            stretches.append({hertz, beats * 60000 / tempo});
            break;
        }
    }
    return joined(stretches);
}

} // namespace

class ExportTargetsTest : public QObject {
    Q_OBJECT

private slots:
    void eachPlatformCompilesAndPlaysTheMelody_data();
    void eachPlatformCompilesAndPlaysTheMelody();
};

void ExportTargetsTest::eachPlatformCompilesAndPlaysTheMelody_data()
{
    QTest::addColumn<int>("target");
    QTest::addColumn<int>("tempo");
    QTest::addColumn<std::vector<NoteRecord>>("notes");
    QTest::addColumn<int>("changes"); // how many changes the export names; -1: not counted

    for (ExportTarget exportTarget : AllExportTargets) {
        const Platform &info = platformOf(exportTarget);
        const int target = int(info.target);
        const bool staccatoChanges = info.target == ExportTarget::Pybricks || info.target == ExportTarget::Ev3dev;
        QTest::addRow("%s, the worked example", qPrintable(info.name))
            << target << 60 << exampleMelody() << (staccatoChanges ? 1 : 0);
        const int expected = info.target == ExportTarget::Ev3dev ? 2 : info.target == ExportTarget::Pybricks ? 1 : 0;
        QTest::addRow("%s, every kind of note at 97", qPrintable(info.name))
            << target << 97 << everyKindOfNote(97) << expected;
        QRandomGenerator random(20261207 + quint32(target));
        const int tempo = int(random.bounded(60, 241));
        std::vector<NoteRecord> melody;
        for (int i = 0; i < 120; ++i)
            melody.push_back(randomNote(random, tempo));
        QTest::addRow("%s, a random melody at %d", qPrintable(info.name), tempo) << target << tempo << melody << -1;
    }
}

void ExportTargetsTest::eachPlatformCompilesAndPlaysTheMelody()
{
    QFETCH(int, target);
    QFETCH(int, tempo);
    QFETCH(std::vector<NoteRecord>, notes);
    QFETCH(int, changes);
    const ExportTarget platform = ExportTarget(target);
    const Platform &info = platformOf(platform);

    const ExportedProgram program = exportProgram(platform, notes, tempo);
    if (changes >= 0)
        QCOMPARE(program.changes.size(), changes);
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
    const QList<Stretch> expected = expectedPlay(platform, notes, tempo);
    QCOMPARE(played.size(), expected.size());
    for (qsizetype i = 0; i < played.size(); ++i) {
        const QString where = QStringLiteral("stretch %1: %2 Hz for %3 ms, expected %4 Hz for %5 ms")
                                  .arg(i)
                                  .arg(played[i].hertz)
                                  .arg(played[i].milliseconds)
                                  .arg(expected[i].hertz)
                                  .arg(expected[i].milliseconds);
        // Equal temperament against the RCX's table: within 1 %.
        QVERIFY2(std::abs(played[i].hertz - expected[i].hertz) <= expected[i].hertz * 0.01, qPrintable(where));
        QVERIFY2(std::abs(played[i].milliseconds - expected[i].milliseconds) < 0.01, qPrintable(where));
    }
}

QTEST_GUILESS_MAIN(ExportTargetsTest)
#include "tst_export_targets.moc"
