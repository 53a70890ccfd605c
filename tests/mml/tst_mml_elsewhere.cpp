#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "TestPaths.h"

#include "common/NoteBuilders.h"
#include "midi/MidiWriter.h"
#include "mml/MmlWriter.h"

namespace {

// The notes of a MIDI file as Python's mido (Debian python3-mido) reads them:
// "key onset" a line, onsets in ticks, and the tempo first.
QStringList notesByMido(const QString &path, QString &error)
{
    QProcess python;
    python.start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-c"), QStringLiteral(R"(import sys, mido
f = mido.MidiFile(sys.argv[1])
assert f.ticks_per_beat == 960
for track in f.tracks:
    now = 0
    for m in track:
        now += m.time
        if m.type == 'set_tempo':
            print('tempo', m.tempo)
        elif m.type == 'note_on' and m.velocity > 0:
            print(m.note, now)
)"),
                  path});
    python.waitForFinished(60000);
    if (python.exitCode() != 0) {
        error = QString::fromLocal8Bit(python.readAllStandardError());
        return {};
    }
    return QString::fromUtf8(python.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

} // namespace

class MmlElsewhereTest : public QObject {
    Q_OBJECT

private slots:
    void anotherReaderPlaysZepasMelodyFilesOnTheSameBeats_data();
    void anotherReaderPlaysZepasMelodyFilesOnTheSameBeats();
    void theCheckerRefusesZepasEarlierFiles();
};

void MmlElsewhereTest::anotherReaderPlaysZepasMelodyFilesOnTheSameBeats_data()
{
    QTest::addColumn<int>("tempo");
    QTest::addColumn<quint32>("seed");
    for (int tempo : {60, 97, 240})
        QTest::addRow("tempo %d", tempo) << tempo << quint32(20261208 + tempo);
}

// mml2smf (npm, MIT), an MML reader no one here wrote, makes a MIDI file of
// ZEPA's melody file: its notes are ZEPA's grid MIDI's, in the same order, at
// the same onsets. Their lengths differ by the readers' ideas of q only.
void MmlElsewhereTest::anotherReaderPlaysZepasMelodyFilesOnTheSameBeats()
{
    QFETCH(int, tempo);
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    Melody melody;
    melody.tempo = tempo;
    for (int i = 0; i < 300; ++i)
        melody.notes.push_back(randomNote(random, tempo));

    QTemporaryDir directory;
    const QString mml = directory.filePath(QStringLiteral("melody.mml"));
    const QString theirs = directory.filePath(QStringLiteral("theirs.mid"));
    const QString ours = directory.filePath(QStringLiteral("ours.mid"));
    QFile file(mml);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(mmlText(melody)) > 0);
    file.close();
    QFile midi(ours);
    QVERIFY(midi.open(QIODevice::WriteOnly) && midi.write(MidiFile::write(melody.notes, tempo)) > 0);
    midi.close();

    const QString modules = QStringLiteral(ZEPA_CHECKERS);
    QVERIFY2(QFile::exists(modules + QStringLiteral("/mml2smf/package.json")),
             qPrintable(QStringLiteral("mml2smf is not installed in %1 (./zepa.sh test installs it)").arg(modules)));
    QProcess node;
    node.setProcessChannelMode(QProcess::MergedChannels);
    node.start(QStringLiteral("node"), {QStringLiteral(ZEPA_TESTS_DIR "/mml/mml2smf_check.mjs"), modules, mml, theirs});
    QVERIFY2(node.waitForFinished(300000), "mml2smf did not finish");
    QVERIFY2(node.exitCode() == 0, qPrintable(QString::fromUtf8(node.readAll())));

    QString error;
    const QStringList byThem = notesByMido(theirs, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    const QStringList byUs = notesByMido(ours, error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    // The tempo to the microsecond a beat, as each rounds 60 000 000 / tempo.
    QVERIFY(!byThem.isEmpty() && !byUs.isEmpty());
    QVERIFY2(std::abs(byThem.front().section(QLatin1Char(' '), 1).toInt()
                      - byUs.front().section(QLatin1Char(' '), 1).toInt())
                 <= 1,
             qPrintable(byThem.front() + QStringLiteral(" against ") + byUs.front()));
    // A note tied into one of its own pitch (q8 before the same note) sounds
    // on in ZEPA's MIDI file; mml2smf strikes it again.
    QStringList struckByThem = byThem.mid(1);
    qint64 onset = 0;
    qsizetype heard = 0;
    const NoteRecord *before = nullptr;
    for (const NoteRecord &note : melody.notes) {
        if (!note.isRest()) {
            const bool tiedOn = before && !before->isRest() && before->articulation == Articulation::SlurOrTie
                && before->pitch == note.pitch && before->octave == note.octave;
            if (tiedOn)
                struckByThem.removeOne(
                    QStringLiteral("%1 %2").arg(MidiFile::noteNumber(note.pitch, note.octave)).arg(onset));
            else
                ++heard;
        }
        before = &note;
        onset += MidiFile::gridTicks(note.length);
    }
    QCOMPARE(struckByThem, byUs.mid(1));
    QCOMPARE(byUs.size(), 1 + heard);
}

// The check can fail: a melody file as ZEPA wrote it before, its header a
// ";" comment and its commands in capitals, is refused by mml2smf.
void MmlElsewhereTest::theCheckerRefusesZepasEarlierFiles()
{
    QTemporaryDir directory;
    const QString mml = directory.filePath(QStringLiteral("earlier.mml"));
    QFile file(mml);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("; NQC\xe7\x94\xa8\xe7\xb0\xa1\xe6\x98\x93 1.3.2\nT120\nO5 L4 Q7 C D E\n");
    file.close();
    QProcess node;
    node.setProcessChannelMode(QProcess::MergedChannels);
    node.start(QStringLiteral("node"),
               {QStringLiteral(ZEPA_TESTS_DIR "/mml/mml2smf_check.mjs"), QStringLiteral(ZEPA_CHECKERS), mml,
                directory.filePath(QStringLiteral("earlier.mid"))});
    QVERIFY(node.waitForFinished(60000));
    QCOMPARE(node.exitCode(), 1);
    QVERIFY2(node.readAll().startsWith("line 1 column 3"), "mml2smf should stop where the header's second word begins");
}

QTEST_GUILESS_MAIN(MmlElsewhereTest)
#include "tst_mml_elsewhere.moc"
