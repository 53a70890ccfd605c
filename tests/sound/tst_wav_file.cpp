#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"
#include "score/ComposerState.h"
#include "sound/WavFile.h"

class WavFileTest : public QObject {
    Q_OBJECT

private slots:
    void readersNotOursAgreeOnHeaderAndSamples();
    void tooLongIsRefusedWithoutWriting();
};

void WavFileTest::readersNotOursAgreeOnHeaderAndSamples()
{
    const std::vector<NoteRecord> notes{toneNote(0, Octave::Middle, 50), restNote(25),
                                        toneNote(9, Octave::High, 400, Articulation::SlurOrTie)};
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("melody.wav"));
    SoundRenderer renderer(toneTimeline(brickEvents(notes)));
    QCOMPARE(WavFile::write(path, renderer).status, WavFile::Result::Status::Written);

    // Python's wave module: format, count, and the samples themselves.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    QVERIFY2(!python.isEmpty(), "python3 (Debian package python3) is needed to read the file");
    QProcess reader;
    reader.start(python,
                 {QStringLiteral("-c"), QStringLiteral(R"(import sys, wave, array
w = wave.open(sys.argv[1])
a = array.array('h', w.readframes(w.getnframes()))
print(w.getnchannels(), w.getsampwidth(), w.getframerate(), w.getcomptype(), w.getnframes(), sum(1 for x in a if x))
)"),
                  path});
    QVERIFY(reader.waitForFinished(60000));
    QCOMPARE(reader.exitCode(), 0);
    const qint64 samples = (50 + 25 + 400) * 441;
    const qint64 sounding = (40 + 400) * 441;
    QCOMPARE(QString::fromLatin1(reader.readAllStandardOutput()).trimmed(),
             QStringLiteral("1 2 44100 NONE %1 %2").arg(samples).arg(sounding));

    // soxi, from the sox package, reads the same.
    const QString soxi = QStandardPaths::findExecutable(QStringLiteral("soxi"));
    QVERIFY2(!soxi.isEmpty(), "soxi (Debian package sox) is needed to read the file");
    QProcess sox;
    sox.start(soxi, {QStringLiteral("-s"), path});
    QVERIFY(sox.waitForFinished(60000));
    QCOMPARE(sox.readAllStandardOutput().trimmed(), QByteArray::number(samples));
    QCOMPARE(QDir(directory.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("melody.wav")});
}

void WavFileTest::tooLongIsRefusedWithoutWriting()
{
    // The longest WAV holds 2 147 483 629 samples, 13 h 31 min at 44.1 kHz.
    QVERIFY(WavFile::fits(2147483629));
    QVERIFY(!WavFile::fits(2147483630));
    // A full score of whole notes at tempo 60 lasts 36 hours.
    const std::vector<NoteRecord> notes(ComposerState::ScoreCapacity, toneNote(0, Octave::Middle, 400));
    SoundRenderer renderer(toneTimeline(brickEvents(notes)));
    QCOMPARE(renderer.totalSamples(), qint64(32767) * 400 * 441);
    QTemporaryDir directory;
    const QString path = directory.filePath(QStringLiteral("long.wav"));
    QCOMPARE(WavFile::write(path, renderer).status, WavFile::Result::Status::TooLong);
    QVERIFY(QDir(directory.path()).isEmpty());
    QCOMPARE(renderer.position(), qint64(0));
}

QTEST_GUILESS_MAIN(WavFileTest)
#include "tst_wav_file.moc"
