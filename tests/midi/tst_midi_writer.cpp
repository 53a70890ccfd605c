#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"

#include "common/OutsideChecks.h"
#include "midi/MidiWriter.h"
#include "performance/BrickTones.h"
#include "sound/ToneTimeline.h"

Q_DECLARE_METATYPE(MidiFile::Timing)

namespace {

// A note as a reader heard it: its MIDI note, onset and length in seconds.
struct HeardNote {
    int key;
    double onset;
    double length;
};

// The notes the brick plays, from its statements.
// A note tied into one of its own pitch goes on sounding: one note is heard
// from the first onset to the last one's end.
void hear(QList<HeardNote> &heard, const NoteRecord *before, const NoteRecord &note, const HeardNote &sound)
{
    if (before && !before->isRest() && before->articulation == Articulation::SlurOrTie && before->pitch == note.pitch
        && before->octave == note.octave && !heard.isEmpty()) {
        heard.back().length = sound.onset + sound.length - heard.back().onset;
        return;
    }
    heard.append(sound);
}

QList<HeardNote> brickNotes(const std::vector<NoteRecord> &notes)
{
    QList<HeardNote> heard;
    qint64 start = 0;
    const NoteRecord *before = nullptr;
    for (const NoteRecord &note : notes) {
        const ToneTimeline timeline = toneTimeline(brickEvents(std::span(&note, 1)));
        if (!note.isRest())
            hear(heard, before, note,
                 {MidiFile::noteNumber(note.pitch, note.octave), start / 100.0,
                  (timeline.spans.back().endTick - timeline.spans.front().startTick) / 100.0});
        before = &note;
        start += timeline.totalTicks;
    }
    return heard;
}

// Python's mido, from Debian's python3-mido, reads the file.
QList<HeardNote> readWithMido(const QString &path, QString &error)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QStringLiteral(R"(import sys, mido
f = mido.MidiFile(sys.argv[1])
assert f.type == 0 and f.ticks_per_beat == 960
now, on = 0.0, {}
for m in f:
    now += m.time
    if m.type == 'note_on' and m.velocity > 0:
        on[m.note] = now
    elif m.type in ('note_off', 'note_on'):
        print(m.note, on.pop(m.note), now)
)"),
                  path});
    python.waitForFinished(60000);
    if (python.exitCode() != 0) {
        error = QString::fromLocal8Bit(python.readAllStandardError());
        return {};
    }
    QList<HeardNote> heard;
    for (const QByteArray &line : python.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() == 3)
            heard.append({fields[0].toInt(), fields[1].toDouble(), fields[2].toDouble() - fields[1].toDouble()});
    }
    return heard;
}

// The notes on the beat grid: each onset the sum of the exact lengths before
// it, each note sounding its length less its gap at the tempo.
QList<HeardNote> gridNotes(const std::vector<NoteRecord> &notes, int tempo)
{
    QList<HeardNote> heard;
    const NoteRecord *before = nullptr;
    double beats = 0;
    const double secondsPerBeat = 60.0 / tempo;
    for (const NoteRecord &note : notes) {
        const double length = MidiFile::gridTicks(note.length) / 960.0;
        if (!note.isRest()) {
            double sound = length * secondsPerBeat - gapTicks(note.articulation) / 100.0;
            if (sound < 0.01)
                sound = note.articulation == Articulation::Normal ? 0.02 : 0.01;
            hear(heard, before, note,
                 {MidiFile::noteNumber(note.pitch, note.octave), beats * secondsPerBeat,
                  std::min(sound, length * secondsPerBeat)});
        }
        before = &note;
        beats += length;
    }
    return heard;
}

// midicsv lists the events; times are turned into seconds at the file's tempo.
QList<HeardNote> readWithMidicsv(const QString &path, QString &error)
{
    QProcess midicsv;
    midicsv.start(QStringLiteral("midicsv"), {path});
    if (!midicsv.waitForFinished(60000) || midicsv.exitCode() != 0) {
        error = QStringLiteral("midicsv (Debian package midicsv) failed: ") + midicsv.errorString();
        return {};
    }
    double division = 0;
    double secondsPerTick = 0;
    QMap<int, double> onsets;
    QList<HeardNote> heard;
    for (const QByteArray &line : midicsv.readAllStandardOutput().split('\n')) {
        QList<QByteArray> fields = line.split(',');
        for (QByteArray &field : fields)
            field = field.trimmed();
        if (fields.size() < 4)
            continue;
        const double seconds = fields[1].toDouble() * secondsPerTick;
        if (fields[2] == "Header") {
            division = fields[5].toDouble();
        } else if (fields[2] == "Tempo") {
            secondsPerTick = fields[3].toDouble() / 1e6 / division;
        } else if (fields[2] == "Note_on_c" && fields[5].toInt() > 0) {
            onsets[fields[4].toInt()] = seconds;
        } else if (fields[2] == "Note_off_c" || fields[2] == "Note_on_c") {
            const int key = fields[4].toInt();
            const double onset = onsets.take(key);
            heard.append({key, onset, seconds - onset});
        }
    }
    return heard;
}

} // namespace

class MidiWriterTest : public QObject {
    Q_OBJECT

private slots:
    void readersNotOursHearWhatTheBrickPlays_data();
    void readersNotOursHearWhatTheBrickPlays();
    void gridLengthsAreExactTicks();
};

void MidiWriterTest::readersNotOursHearWhatTheBrickPlays_data()
{
    QTest::addColumn<MidiFile::Timing>("timing");
    QTest::newRow("on the beat grid") << MidiFile::Timing::Grid;
    QTest::newRow("as the brick plays it") << MidiFile::Timing::AsPlayed;
}

void MidiWriterTest::readersNotOursHearWhatTheBrickPlays()
{
    ZEPA_OUTSIDE_CHECK();
    QFETCH(MidiFile::Timing, timing);
    QRandomGenerator random(20261207);
    QTemporaryDir directory;
    for (int round = 0; round < 6; ++round) {
        const int tempo = round == 0 ? 60 : round == 1 ? 240 : int(random.bounded(60, 241));
        std::vector<NoteRecord> notes;
        for (int i = 0; i < 60; ++i) {
            notes.push_back(randomNote(random, tempo, 6));
        }
        const QString path = directory.filePath(QStringLiteral("melody%1.mid").arg(round));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MidiFile::write(notes, tempo, timing));
        file.close();

        const QList<HeardNote> expected
            = timing == MidiFile::Timing::Grid ? gridNotes(notes, tempo) : brickNotes(notes);
        QString error;
        for (const QList<HeardNote> &heard : {readWithMido(path, error), readWithMidicsv(path, error)}) {
            QVERIFY2(error.isEmpty(), qPrintable(error));
            QCOMPARE(heard.size(), expected.size());
            for (qsizetype i = 0; i < expected.size(); ++i) {
                QCOMPARE(heard[i].key, expected[i].key);
                QVERIFY2(std::abs(heard[i].onset - expected[i].onset) < 0.001,
                         qPrintable(QStringLiteral("note %1 starts at %2 s, the brick at %3 s")
                                        .arg(i)
                                        .arg(heard[i].onset)
                                        .arg(expected[i].onset)));
                QVERIFY2(std::abs(heard[i].length - expected[i].length) < 0.001,
                         qPrintable(QStringLiteral("note %1 lasts %2 s, the brick %3 s")
                                        .arg(i)
                                        .arg(heard[i].length)
                                        .arg(expected[i].length)));
            }
        }
    }
}

void MidiWriterTest::gridLengthsAreExactTicks()
{
    // Sixteen sixteenths at 120 end on the fourth beat's end, 3840 ticks; so
    // do thirty-two thirty-seconds at 220, or twelve eighth triplets.
    for (const auto &[length, count, tempo] :
         {std::tuple{NoteLength::Sixteenth, 16, 120}, std::tuple{NoteLength::ThirtySecond, 32, 220},
          std::tuple{NoteLength::EighthTriplet, 12, 97}}) {
        NoteRecord note = toneNote(0, Octave::Middle, lengthTicks(length, tempo));
        note.length = length;
        const std::vector<NoteRecord> notes(std::size_t(count), note);
        QTemporaryDir directory;
        const QString path = directory.filePath(QStringLiteral("grid.mid"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(MidiFile::write(notes, tempo));
        file.close();
        QProcess midicsv;
        midicsv.start(QStringLiteral("midicsv"), {path});
        QVERIFY(midicsv.waitForFinished(60000));
        QVERIFY(midicsv.readAllStandardOutput().contains("1, 3840, End_track"));
    }
}

QTEST_GUILESS_MAIN(MidiWriterTest)
#include "tst_midi_writer.moc"
