#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"
#include "midi/MidiWriter.h"
#include "mml/MmlWriter.h"
#include "nqc/NqcProgram.h"
#include "sound/ToneTimeline.h"
#include "workflows/MelodyReader.h"

Q_DECLARE_METATYPE(MelodyKind)
Q_DECLARE_METATYPE(MelodyRead::Status)
Q_DECLARE_METATYPE(std::optional<MelodyKind>)
Q_DECLARE_METATYPE(Melody)

namespace {

// Every pitch, octave, length and articulation, rests among them.
Melody variedMelody(int tempo)
{
    QRandomGenerator random(20261208);
    Melody melody;
    melody.tempo = tempo;
    for (int i = 0; i < 60; ++i)
        melody.notes.push_back(randomNote(random, tempo));
    melody.notes.front().pitch = 3; // a note first, so that a MIDI file starts with one
    return melody;
}

// Format 1 at 480 ticks a quarter: a tempo track (100), a melody in channel 1
// and a drum part in channel 10.
const QByteArray TwoVoices = QByteArray::fromHex("4d546864000000060001000301e0"
                                                 "4d54726b0000000b00ff51030927c000ff2f00"
                                                 "4d54726b0000001a0090486483004800604c6483004c00604f6483604f00"
                                                 "00ff2f00"
                                                 "4d54726b0000001300992464836024000026648360260000ff2f00");

} // namespace

class MelodyReaderTest : public QObject {
    Q_OBJECT

private slots:
    void everyFileZepaWritesReadsBackAsItsMelody_data();
    void everyFileZepaWritesReadsBackAsItsMelody();
    void refusalsSayWhyAndWhere_data();
    void refusalsSayWhyAndWhere();
    void aVoiceOfAMidiFileIsChosenOrAsked();
    void filesThatCannotBeOpenedSaySo();
};

void MelodyReaderTest::everyFileZepaWritesReadsBackAsItsMelody_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<MelodyKind>("kind");
    QTest::addColumn<Melody>("melody");
    for (int tempo : {60, 97, 240}) {
        const Melody melody = variedMelody(tempo);
        QTest::addRow("melody file at %d", tempo) << mmlText(melody) << MelodyKind::MelodyFile << melody;
        QTest::addRow("program at %d", tempo)
            << QByteArray::fromStdString(nqcProgramText(melody.notes)) << MelodyKind::Program << melody;
        QTest::addRow("MIDI file at %d", tempo) << MidiFile::write(melody.notes, tempo) << MelodyKind::Midi << melody;
    }
}

void MelodyReaderTest::everyFileZepaWritesReadsBackAsItsMelody()
{
    QFETCH(QByteArray, bytes);
    QFETCH(MelodyKind, kind);
    QFETCH(Melody, melody);
    // Told by the bytes, not by a name: the same whatever the file is called.
    const MelodyRead read = readMelodyBytes(bytes);
    QVERIFY2(read.hasMelody(), qPrintable(read.placedError() + read.melodyError));
    QCOMPARE(read.kind, kind);
    // A program's tempo is the one nearest 120 that explains its statements.
    if (kind != MelodyKind::Program)
        QCOMPARE(read.melody.tempo, melody.tempo);
    // A program or MIDI file shows what the brick plays; a rest after a
    // note has no octave or articulation of its own there.
    // A MIDI file keeps the tones on the beat grid: where a short note and
    // the rest after it sound alike, either reading writes the same file.
    if (kind == MelodyKind::Midi) {
        QVERIFY(MidiFile::write(read.melody.notes, read.melody.tempo) == bytes);
    } else {
        QVERIFY(read.events == brickEvents(melody.notes));
    }
    if (kind == MelodyKind::MelodyFile)
        QVERIFY(read.melody == melody);
    QVERIFY(brickEvents(read.melody.notes) == read.events);
    QVERIFY(read.changes.isEmpty());
}

void MelodyReaderTest::refusalsSayWhyAndWhere_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<MelodyKind>>("onlyKind");
    QTest::addColumn<QString>("error");
    std::string program = nqcProgramText(variedMelody(120).notes);
    const std::size_t wait = program.find("Wait(");
    program.replace(wait, 6, "Wait(x");
    QTest::newRow("a melody file with an error")
        << QByteArray("c d\ne3") << std::optional<MelodyKind>()
        << "2行目 2文字目: 長さは 1, 2, 4, 8, 16, 32, 2., 4., 8., 16., 6, 12, 24 のどれかです";
    QTest::newRow("a program changed by hand")
        << QByteArray::fromStdString(program) << std::optional<MelodyKind>() << "70行目: Wait(TICKS)";
    QTest::newRow("another NQC program")
        << QByteArray("// my robot\ntask main()\n{\n    OnFwd(OUT_A);\n}\n") << std::optional<MelodyKind>()
        << "1行目: ZEPAが書いたプログラムではありません。";
    // Only a line that begins with it makes a program: in a comment it is a word.
    QTest::newRow("a melody file that names task main() in a comment")
        << QByteArray("// task main() plays it\nc d e3") << std::optional<MelodyKind>() << "2行目 6文字目: 長さは";
    QTest::newRow("a MIDI file cut short")
        << TwoVoices.left(40) << std::optional<MelodyKind>() << "ファイルが途中で切れています。";
    QTest::newRow("a melody file where only MIDI is taken")
        << QByteArray("T120 c d e") << std::optional<MelodyKind>(MelodyKind::Midi) << "MIDIファイルではありません。";
}

void MelodyReaderTest::refusalsSayWhyAndWhere()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<MelodyKind>, onlyKind);
    QFETCH(QString, error);
    MelodyReadOptions options;
    options.onlyKind = onlyKind;
    const MelodyRead read = readMelodyBytes(bytes, options);
    QCOMPARE(read.status, MelodyRead::Status::Refused);
    QVERIFY2(read.placedError().startsWith(error), qPrintable(read.placedError()));
}

void MelodyReaderTest::aVoiceOfAMidiFileIsChosenOrAsked()
{
    MelodyReadOptions options;
    // By default the first voice with notes; by track and channel another.
    QCOMPARE(readMelodyBytes(TwoVoices, options).melody.notes.size(), std::size_t(3));
    options.track = 3;
    options.channel = 10;
    QCOMPARE(readMelodyBytes(TwoVoices, options).melody.notes.size(), std::size_t(2));
    QCOMPARE(readMelodyBytes(TwoVoices, options).changes,
             QStringList{QStringLiteral("ZEPAの５オクターブの外にあった 2 音を、オクターブ単位で移しました。")});
    options.track = 4;
    const MelodyRead none = readMelodyBytes(TwoVoices, options);
    QCOMPARE(none.status, MelodyRead::Status::NoSuchVoice);
    QCOMPARE(none.voices.size(), std::size_t(2));

    // Asked: the user's choice, or nothing when the user cancels.
    std::optional<std::size_t> answer = 1;
    std::size_t offered = 0;
    MelodyReadOptions asking;
    asking.chooseVoice = [&](const std::vector<MidiVoice> &voices) {
        offered = voices.size();
        return answer;
    };
    QCOMPARE(readMelodyBytes(TwoVoices, asking).melody.notes.size(), std::size_t(2));
    QCOMPARE(offered, std::size_t(2));
    answer.reset();
    QCOMPARE(readMelodyBytes(TwoVoices, asking).status, MelodyRead::Status::Cancelled);
}

void MelodyReaderTest::filesThatCannotBeOpenedSaySo()
{
    QTemporaryDir directory;
    const MelodyRead missing = readMelodyFile(directory.filePath(QStringLiteral("none.mml")));
    QCOMPARE(missing.status, MelodyRead::Status::Unreadable);
    QCOMPARE(missing.error, QStringLiteral("ファイルまたはフォルダがありません。"));
    QCOMPARE(missing.systemError, QStringLiteral("No such file or directory"));
    const MelodyRead folder = readMelodyFile(directory.path());
    QCOMPARE(folder.status, MelodyRead::Status::Unreadable);
    QCOMPARE(folder.error, QStringLiteral("ファイルではなくフォルダです。"));

    // Far larger than any melody ZEPA holds: refused before it is read.
    QFile huge(directory.filePath(QStringLiteral("blanks.mml")));
    QVERIFY(huge.open(QIODevice::WriteOnly) && huge.write("T120 ") == 5 && huge.resize(9 * 1024 * 1024));
    huge.close();
    const MelodyRead large = readMelodyFile(huge.fileName());
    QCOMPARE(large.status, MelodyRead::Status::Refused);
    QCOMPARE(large.error,
             QStringLiteral("9.0 MB あり、ZEPAの曲（32767 音まで）のファイルとしては大きすぎます（8 MB まで）。"));
}

QTEST_GUILESS_MAIN(MelodyReaderTest)
#include "tst_melody_reader.moc"
