#include <QRandomGenerator>
#include <QTest>

#include "base/UiLanguage.h"
#include "common/NoteBuilders.h"
#include "nqc/NqcProgram.h"
#include "nqc/NqcReader.h"
#include "score/NoteLength.h"

namespace {

// The written program of a short melody, its lines as written.
QByteArray exampleProgram()
{
    const std::vector<NoteRecord> notes{toneNote(0, Octave::Middle, 400), restNote(100),
                                        toneNote(10, Octave::High, 50, Articulation::Staccato)};
    return QByteArray::fromStdString(nqcProgramText(notes));
}

// The program with line `number` (1-based) replaced, or removed when empty.
QByteArray withLine(int number, const QByteArray &line)
{
    QList<QByteArray> lines = exampleProgram().split('\n');
    if (line.isNull())
        lines.removeAt(number - 1);
    else
        lines[number - 1] = line + '\r';
    return lines.join('\n');
}

} // namespace

class NqcReaderTest : public QObject {
    Q_OBJECT

private slots:
    // The refusals are read in English, as the command line under an English
    // locale says them.
    void initTestCase() { UiLanguages::install(UiLanguage::English); }
    void readsBackWhatWasWritten();
    void refusesWhatZepaDidNotWrite_data();
    void refusesWhatZepaDidNotWrite();
};

void NqcReaderTest::readsBackWhatWasWritten()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 50; ++round) {
        std::vector<NoteRecord> notes;
        const int tempo = int(random.bounded(60, 241));
        const int count = int(random.bounded(0, 200));
        for (int i = 0; i < count; ++i) {
            const int ticks = lengthTicks(NoteLength(random.bounded(NoteLengthCount)), tempo);
            notes.push_back(random.bounded(6) == 0
                                ? restNote(ticks)
                                : toneNote(int(random.bounded(PitchCount)), AllOctaves[random.bounded(5)], ticks,
                                           AllArticulations[random.bounded(3)]));
        }
        QByteArray text = QByteArray::fromStdString(nqcProgramText(notes));
        NqcReadResult read = readNqcProgram(text);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QVERIFY(read.events == brickEvents(notes));
        // With LF line ends alone, as a file copied through some tools has.
        read = readNqcProgram(text.replace("\r\n", "\n"));
        QVERIFY2(read.ok(), qPrintable(read.error));
        QVERIFY(read.events == brickEvents(notes));
    }
}

void NqcReaderTest::refusesWhatZepaDidNotWrite_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("error");
    // Lines 1-60 are the table, 61-68 the task heads, 69 on the statements.
    QTest::newRow("empty file")
        << QByteArray() << 1
        << "this is not a program ZEPA wrote: open the melody file (.mml) instead, or a music0.nqc "
           "as ZEPA wrote it";
    QTest::newRow("a frequency changed") << withLine(3, "#define   C      524") << 3
                                         << "this program ZEPA wrote has been changed (the frequency table line "
                                            "\"#define   C      523\" is missing): open the melody file (.mml) instead";
    QTest::newRow("task main missing") << withLine(62, QByteArray()) << 62
                                       << "expected \"task main()\": only a program as ZEPA wrote it can be opened";
    QTest::newRow("another statement")
        << withLine(69, "     SetPower(OUT_A,7);") << 69
        << "expected a PlayTone or Wait line, or \"}\", found \"     SetPower(OUT_A,7);\"";
    QTest::newRow("a tone not in the table") << withLine(69, "     PlayTone(440,40);") << 69
                                             << "expected PlayTone(TONE,TICKS) with a tone of the table and 0 to 255 "
                                                "ticks, found \"     PlayTone(440,40);\"";
    QTest::newRow("more than 255 ticks") << withLine(70, "     Wait(400);") << 70
                                         << "expected Wait(TICKS) with 0 to 255 ticks, found \"     Wait(400);\"";
    QTest::newRow("a blank in the statement") << withLine(70, "     Wait( 255);") << 70
                                              << "expected Wait(TICKS) with 0 to 255 ticks, found \"     Wait( 255);\"";
    QTest::newRow("cut short") << exampleProgram().left(exampleProgram().lastIndexOf("}")) << 76
                               << "expected \"}\" closing task music()";
    QTest::newRow("more after the end") << exampleProgram() + "task other()\r\n"
                                        << 77 << "expected the end of the program, found \"task other()\"";
}

void NqcReaderTest::refusesWhatZepaDidNotWrite()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, error);
    const NqcReadResult read = readNqcProgram(text);
    QCOMPARE(read.errorLine, line);
    QCOMPARE(read.error, error);
    QVERIFY(read.events.empty());
}

QTEST_GUILESS_MAIN(NqcReaderTest)
#include "tst_nqc_reader.moc"
