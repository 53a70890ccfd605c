#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "common/ExampleMelody.h"
#include "common/RecordingMessageService.h"
#include "composer/ScoreEditor.h"
#include "writer/FrequencyTable.h"
#include "writer/MusicFileSaver.h"
#include "writer/NqcProgram.h"
#include "writer/PosixFileSystem.h"
#include "writer/ProgramFileWriter.h"

namespace {

NoteRecord note(const char *tone, int length, int gapMode)
{
    NoteRecord record;
    record.PitchCode = QString::fromLatin1(tone); // the writer needs only the joined name
    record.Length = qint16(length);
    record.GapMode = qint16(gapMode);
    return record;
}

NoteRecord rest(int length)
{
    NoteRecord record;
    record.PitchText = QStringLiteral("休");
    record.IsRest = 1;
    record.Length = qint16(length);
    return record;
}

// The statements of task music(): what follows the 68 fixed lines, less the closing "}".
QStringList bodyOf(const std::string &program)
{
    QStringList lines = QString::fromStdString(program).split(QStringLiteral("\r\n"));
    lines.removeLast(); // after the last CR LF
    lines.removeLast(); // "}"
    return lines.mid(68);
}

} // namespace

class NqcProgramTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheExampleByteForByte();
    void splitsLengthsIntoPiecesOf255_data();
    void splitsLengthsIntoPiecesOf255();
    void frequencyTableNamesEveryTone();
    void fullScoreWritesEveryRecord();
    void fileHoldsTheSameBytesWhateverTheSize_data();
    void fileHoldsTheSameBytesWhateverTheSize();
};

void NqcProgramTest::writesTheExampleByteForByte()
{
    RecordingMessageService messages;
    ScoreEditor editor(60, messages);
    composeExampleMelody(editor);

    QFile golden(QStringLiteral(ZEPA_TEST_DATA "/example.nqc"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const std::string program = nqcProgramText(editor.state().Score, editor.state().NoteCount - 1);
    QCOMPARE(QByteArray::fromStdString(program), golden.readAll());
}

void NqcProgramTest::splitsLengthsIntoPiecesOf255_data()
{
    QTest::addColumn<NoteRecord>("record");
    QTest::addColumn<QStringList>("body");

    auto tone = [](const char *name, int ticks) { return QStringLiteral("     PlayTone(%1,%2);").arg(QLatin1String(name)).arg(ticks); };
    auto wait = [](int ticks) { return QStringLiteral("     Wait(%1);").arg(ticks); };

    QTest::newRow("quarter at 120, normal") << note("C", 50, 10) << QStringList{tone("C", 40), wait(50)};
    QTest::newRow("slur or tie sounds whole") << note("C", 50, 0) << QStringList{tone("C", 50), wait(50)};
    QTest::newRow("staccato") << note("ASH", 50, 20) << QStringList{tone("ASH", 30), wait(50)};
    QTest::newRow("sixteenth at 240, normal: at least 2") << note("D", 6, 10) << QStringList{tone("D", 2), wait(6)};
    QTest::newRow("thirty-second at 240, staccato: at least 1") << note("E", 3, 20) << QStringList{tone("E", 1), wait(3)};
    QTest::newRow("gap leaves exactly 1") << note("E", 11, 10) << QStringList{tone("E", 1), wait(11)};
    QTest::newRow("255 is not split") << note("GML", 255, 10) << QStringList{tone("GML", 245), wait(255)};
    QTest::newRow("258: the wait is split") << note("A", 258, 10) << QStringList{tone("A", 248), wait(255), wait(3)};
    QTest::newRow("400 slur: tone and wait split") << note("BMH", 400, 0)
                                                  << QStringList{tone("BMH", 255), wait(255), tone("BMH", 145), wait(145)};
    QTest::newRow("265 normal: tone 255 fits") << note("F", 265, 10) << QStringList{tone("F", 255), wait(255), wait(10)};
    QTest::newRow("266 normal: tone split too") << note("F", 266, 10)
                                               << QStringList{tone("F", 255), wait(255), tone("F", 1), wait(11)};
    QTest::newRow("whole rest at 60") << rest(400) << QStringList{wait(255), wait(145)};
    QTest::newRow("short rest") << rest(3) << QStringList{wait(3)};
}

void NqcProgramTest::splitsLengthsIntoPiecesOf255()
{
    QFETCH(NoteRecord, record);
    QFETCH(QStringList, body);
    const std::vector<NoteRecord> score{record};
    QCOMPARE(bodyOf(nqcProgramText(score, 0)), body);
    QCOMPARE(score.front().SoundLength, qint16(0)); // the score itself is not touched
}

void NqcProgramTest::frequencyTableNamesEveryTone()
{
    // Every name that a note can carry is defined, in the table's order.
    const QStringList lines = QString::fromLatin1(frequencyTableText().data(), qsizetype(frequencyTableText().size()))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 60);
    int line = 0;
    for (const PitchEntry &pitch : pitchTable()) {
        for (Octave octave : {Octave::Lowest, Octave::Low, Octave::Middle, Octave::High, Octave::Highest}) {
            const QString name = pitch.code + octaveEntry(octave).code;
            QVERIFY2(lines[line].startsWith(QStringLiteral("#define   ") + name.leftJustified(7)), qPrintable(lines[line]));
            ++line;
        }
    }
    QCOMPARE(lines[0], QStringLiteral("#define   CML    131"));
    QCOMPARE(lines[2], QStringLiteral("#define   C      523"));
    QCOMPARE(lines[9], QStringLiteral("#define   CSMH   2217"));
    QCOMPARE(lines[22], QStringLiteral("#define   E      660"));
    QCOMPARE(lines[39], QStringLiteral("#define   GMH    3140"));
}

void NqcProgramTest::fullScoreWritesEveryRecord()
{
    std::vector<NoteRecord> score(32767, note("C", 50, 10));
    score[32766] = note("BMH", 50, 10);
    const std::string program = nqcProgramText(score, 32766);
    const QByteArray bytes = QByteArray::fromStdString(program);

    QCOMPARE(bytes.count("PlayTone("), qsizetype(32767));
    QVERIFY(bytes.endsWith("     PlayTone(BMH,40);\r\n     Wait(50);\r\n}\r\n"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    QCOMPARE(bytes.count("\r"), bytes.count("\r\n"));
    for (char c : bytes)
        QVERIFY(static_cast<unsigned char>(c) < 0x80);
    QVERIFY(bytes.contains("3951\r\n\r\ntask main()\r\n{\r\n     start music;\r\n}\r\n\r\ntask music()\r\n{\r\n"));
}

void NqcProgramTest::fileHoldsTheSameBytesWhateverTheSize_data()
{
    QTest::addColumn<int>("records");
    // The file is composed in parts of 11000 records while earlier parts are written.
    for (int records : {1, 10999, 11000, 11001, 22001, 32767})
        QTest::addRow("%d records", records) << records;
}

void NqcProgramTest::fileHoldsTheSameBytesWhateverTheSize()
{
    QFETCH(int, records);
    // Runs of equal notes, single notes and rests, so that parts start and end inside runs.
    std::vector<NoteRecord> score;
    for (int i = 0; score.size() < std::size_t(records); ++i) {
        const NoteRecord record = i % 3 == 2 ? rest(100 + i % 7) : note(i % 2 ? "CSH" : "G", 50 + i % 300, (i % 3) * 10);
        for (int run = 0; run < 1 + i % 40 && score.size() < std::size_t(records); ++run)
            score.push_back(record);
    }

    QTemporaryDir directory;
    PosixFileSystem files(directory.path());
    const SaveResult saved = saveMusicFile(files, [&score, records](OutputFile &file, QString &reason) {
        return writeNqcProgramFile(file, score, records - 1, reason);
    });
    QCOMPARE(saved.status, SaveResult::Status::Saved);
    QFile written(directory.filePath(saved.fileName));
    QVERIFY(written.open(QIODevice::ReadOnly));
    QCOMPARE(written.readAll(), QByteArray::fromStdString(nqcProgramText(score, records - 1)));
}

QTEST_GUILESS_MAIN(NqcProgramTest)
#include "tst_nqc_program.moc"
