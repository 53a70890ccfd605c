#include <QFile>
#include <QTest>

#include "TestPaths.h"

#include "common/ExampleMelody.h"
#include "common/NoteBuilders.h"
#include "common/RecordingMessageService.h"
#include "nqc/FrequencyTable.h"
#include "nqc/NqcProgram.h"
#include "performance/BrickTones.h"
#include "score/ScoreEditor.h"

class NqcProgramTest : public QObject {
    Q_OBJECT

private slots:
    void writesTheExampleByteForByte();
    void writesEachEventAsOneLine();
    void frequencyTableNamesEveryTone();
    void fullScoreWritesEveryRecord();
};

void NqcProgramTest::writesTheExampleByteForByte()
{
    RecordingMessageService messages;
    ScoreEditor editor(60);
    composeExampleMelody(editor);

    QFile golden(QStringLiteral(ZEPA_TESTS_DIR "/nqc/data/example.nqc"));
    QVERIFY(golden.open(QIODevice::ReadOnly));
    const std::string program = nqcProgramText(editor.state().notes());
    QCOMPARE(QByteArray::fromStdString(program), golden.readAll());
}

void NqcProgramTest::writesEachEventAsOneLine()
{
    // The statements of task music(): what follows the 68 fixed lines, less the closing "}".
    const std::vector<BrickEvent> events{
        {BrickEvent::Kind::Tone, quint8(toneIndex(10, Octave::High)), 30},
        {BrickEvent::Kind::Wait, 0, 255},
        {BrickEvent::Kind::Tone, quint8(toneIndex(0, Octave::Lowest)), 1},
        {BrickEvent::Kind::Wait, 0, 3},
    };
    QStringList lines = QString::fromStdString(nqcProgramText(events)).split(QStringLiteral("\r\n"));
    QCOMPARE(lines.takeLast(), QString()); // after the last CR LF
    QCOMPARE(lines.takeLast(), QStringLiteral("}"));
    QCOMPARE(lines.mid(68),
             (QStringList{QStringLiteral("     PlayTone(ASH,30);"), QStringLiteral("     Wait(255);"),
                          QStringLiteral("     PlayTone(CML,1);"), QStringLiteral("     Wait(3);")}));
}

void NqcProgramTest::frequencyTableNamesEveryTone()
{
    // Every name that a note can carry is defined, in the table's order.
    const QStringList lines = QString::fromLatin1(frequencyTableText().data(), qsizetype(frequencyTableText().size()))
                                  .split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 60);
    const char *pitchCodes[] = {"C", "CS", "D", "DS", "E", "F", "FS", "G", "GS", "A", "AS", "B"};
    const char *octaveCodes[] = {"ML", "L", "", "H", "MH"};
    int line = 0;
    for (const char *pitch : pitchCodes) {
        for (const char *octave : octaveCodes) {
            const QString name = QLatin1String(pitch) + QLatin1String(octave);
            QVERIFY2(lines[line].startsWith(QStringLiteral("#define   ") + name.leftJustified(7)),
                     qPrintable(lines[line]));
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
    std::vector<NoteRecord> score(32767, toneNote(0, Octave::Middle, 50));
    score[32766] = toneNote(11, Octave::Highest, 50);
    const std::string program = nqcProgramText(score);
    const QByteArray bytes = QByteArray::fromStdString(program);

    QCOMPARE(bytes.count("PlayTone("), qsizetype(32767));
    QVERIFY(bytes.endsWith("     PlayTone(BMH,40);\r\n     Wait(50);\r\n}\r\n"));
    QCOMPARE(bytes.count("\n"), bytes.count("\r\n"));
    QCOMPARE(bytes.count("\r"), bytes.count("\r\n"));
    for (char c : bytes)
        QVERIFY(static_cast<unsigned char>(c) < 0x80);
    QVERIFY(bytes.contains("3951\r\n\r\ntask main()\r\n{\r\n     start music;\r\n}\r\n\r\ntask music()\r\n{\r\n"));
}

QTEST_GUILESS_MAIN(NqcProgramTest)
#include "tst_nqc_program.moc"
