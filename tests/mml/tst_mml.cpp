#include <QRandomGenerator>
#include <QTest>

#include "common/NoteBuilders.h"
#include "mml/MelodyFromEvents.h"
#include "mml/MmlReader.h"
#include "mml/MmlWriter.h"
#include "nqc/NqcProgram.h"

namespace {

NoteRecord note(int pitch, Octave octave, NoteLength length, Articulation articulation = Articulation::Normal)
{
    NoteRecord record = toneNote(pitch, octave, lengthTicks(length, 120), articulation);
    record.length = length;
    return record;
}

NoteRecord rest(NoteLength length)
{
    NoteRecord record = restNote(lengthTicks(length, 120));
    record.length = length;
    return record;
}

using Notes = std::vector<NoteRecord>;

} // namespace

Q_DECLARE_METATYPE(Notes)

class MmlTest : public QObject {
    Q_OBJECT

private slots:
    void savedAndOpenedGivesTheIdenticalScore();
    void writesTheFormPeopleRead();
    void readsWhatPeopleType_data();
    void readsWhatPeopleType();
    void refusesWithLineAndColumn_data();
    void refusesWithLineAndColumn();
    void programsTurnBackIntoMelodiesThatPlayTheSame();
};

void MmlTest::savedAndOpenedGivesTheIdenticalScore()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 200; ++round) {
        Melody melody;
        melody.tempo = int(random.bounded(60, 241));
        const int count = int(random.bounded(0, 120));
        for (int i = 0; i < count; ++i) {
            melody.notes.push_back(randomNote(random, melody.tempo, 7));
        }
        const QByteArray text = mmlText(melody);
        const MmlReadResult read = readMml(text);
        QVERIFY2(read.ok(), qPrintable(read.message() + QLatin1Char('\n') + QString::fromUtf8(text)));
        QVERIFY2(read.melody == melody, text.constData());
        QCOMPARE(nqcProgramText(read.melody.notes), nqcProgramText(melody.notes));
        for (const QByteArray &line : text.split('\n'))
            QVERIFY(line.count(' ') < 16 * 4);
    }
}

void MmlTest::writesTheFormPeopleRead()
{
    Melody melody;
    melody.tempo = 96;
    melody.notes = {note(0, Octave::Middle, NoteLength::Quarter), note(2, Octave::Middle, NoteLength::Quarter),
                    note(4, Octave::High, NoteLength::Eighth, Articulation::Staccato), rest(NoteLength::Eighth)};
    // A rest keeps the octave and articulation chosen when it was entered.
    melody.notes.back().octave = Octave::High;
    melody.notes.back().articulation = Articulation::Staccato;
    for (NoteRecord &record : melody.notes)
        record.ticks = lengthTicks(record.length, 96);
    const QByteArray expected = "; NQC用簡易音楽作成ソフト「ZEPA」 1.3.2\nT96\nC D O6 L8 Q4 E R\n";
    QCOMPARE(mmlText(melody), expected);
}

void MmlTest::readsWhatPeopleType_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("tempo");
    QTest::addColumn<Notes>("notes");
    using enum Octave;
    using L = NoteLength;
    QTest::newRow("plain, default tempo")
        << QByteArray("cde") << 120
        << Notes{note(0, Middle, L::Quarter), note(2, Middle, L::Quarter), note(4, Middle, L::Quarter)};
    QTest::newRow("sharps, flats, either case") << QByteArray("C+ d# E- f") << 120
                                                << Notes{note(1, Middle, L::Quarter), note(3, Middle, L::Quarter),
                                                         note(3, Middle, L::Quarter), note(5, Middle, L::Quarter)};
    QTest::newRow("flat below C and sharp above B cross the octave")
        << QByteArray("O4 C- B+") << 120 << Notes{note(11, Lowest, L::Quarter), note(0, Middle, L::Quarter)};
    QTest::newRow("octave steps") << QByteArray("o3 c > c >> c < c") << 120
                                  << Notes{note(0, Lowest, L::Quarter), note(0, Low, L::Quarter),
                                           note(0, High, L::Quarter), note(0, Middle, L::Quarter)};
    QTest::newRow("L default, dots, triplets") << QByteArray("L8 c c4. c. c6 r16 L2. c") << 120
                                               << Notes{note(0, Middle, L::Eighth),
                                                        note(0, Middle, L::DottedQuarter),
                                                        note(0, Middle, L::DottedEighth),
                                                        note(0, Middle, L::QuarterTriplet),
                                                        rest(L::Sixteenth),
                                                        note(0, Middle, L::DottedHalf)};
    QTest::newRow("Q for the notes after, & for one")
        << QByteArray("Q4 c c& Q8 d q7 e") << 120
        << Notes{note(0, Middle, L::Quarter, Articulation::Staccato),
                 note(0, Middle, L::Quarter, Articulation::SlurOrTie),
                 note(2, Middle, L::Quarter, Articulation::SlurOrTie), note(4, Middle, L::Quarter)};
    QTest::newRow("comments and blanks anywhere") << QByteArray("; ふるさと\nT90 ; 速さ\n\tc\u3000 d ;おわり") << 90
                                                  << Notes{note(0, Middle, L::Quarter), note(2, Middle, L::Quarter)};
}

void MmlTest::readsWhatPeopleType()
{
    QFETCH(QByteArray, text);
    QFETCH(int, tempo);
    QFETCH(Notes, notes);
    const MmlReadResult read = readMml(text);
    QVERIFY2(read.ok(), qPrintable(read.message()));
    QCOMPARE(read.melody.tempo, tempo);
    for (NoteRecord &record : notes)
        record.ticks = lengthTicks(record.length, tempo);
    QVERIFY(read.melody.notes == notes);
}

void MmlTest::refusesWithLineAndColumn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("a length ZEPA has not") << QByteArray("T120\nc d\ne f g a b c3")
                                           << "3行目 12文字目: 長さは 1, 2, 4, 8, 16, 32, 2., 4., 8., 16., 6, 12, 24 "
                                              "のどれかです";
    QTest::newRow("dotted triplet") << QByteArray("c6.")
                                    << "1行目 2文字目: 長さは 1, 2, 4, 8, 16, 32, 2., 4., 8., "
                                       "16., 6, 12, 24 のどれかです";
    QTest::newRow("tempo out of range") << QByteArray("T300 c") << "1行目 1文字目: テンポは T60 から T240 までです";
    QTest::newRow("tempo after a note") << QByteArray("c T90") << "1行目 3文字目: テンポ (T) は最初の音の前に書きます";
    QTest::newRow("two tempos") << QByteArray("T90 T100") << "1行目 5文字目: テンポ (T) は一つだけです";
    QTest::newRow("octave out of range") << QByteArray("O8 c") << "1行目 1文字目: オクターブは O3 から O7 までです";
    QTest::newRow("a note above O7") << QByteArray("O7 b >c") << "1行目 7文字目: 音が O3 から O7 の外に出ます";
    QTest::newRow("a flat below O3") << QByteArray("O3 c-") << "1行目 4文字目: 音が O3 から O7 の外に出ます";
    QTest::newRow("an unknown gate") << QByteArray(
        "Q6 c") << "1行目 1文字目: Q は Q8（スラーまたはタイ）、Q7（普通）、Q4（スタッカート）のどれかです";
    QTest::newRow("a command ZEPA has not") << QByteArray("c\n  V10 c")
                                            << "2行目 3文字目: 「V」は使えません。T O L Q < > C D E F G A B R & ; "
                                               "が使えます";
}

void MmlTest::refusesWithLineAndColumn()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    const MmlReadResult read = readMml(text);
    QVERIFY(!read.ok());
    QCOMPARE(read.message(), message);
    QVERIFY(read.melody.notes.empty());
}

void MmlTest::programsTurnBackIntoMelodiesThatPlayTheSame()
{
    // Whatever tempo it settles on, a melody found plays exactly as the program.
    QRandomGenerator random(7);
    int found = 0;
    for (int round = 0; round < 100; ++round) {
        Melody melody;
        melody.tempo = int(random.bounded(60, 241));
        for (int i = 0; i < 30; ++i) {
            melody.notes.push_back(randomNote(random, melody.tempo, 7));
        }
        const std::vector<BrickEvent> events = brickEvents(melody.notes);
        const MelodyFromEventsResult back = melodyFromEvents(events);
        if (!back.ok()) {
            QVERIFY(!back.error.isEmpty());
            continue;
        }
        ++found;
        QVERIFY(brickEvents(back.melody.notes) == events);
        QVERIFY(readMml(mmlText(back.melody)).melody == back.melody);
    }
    QVERIFY2(found > 50, qPrintable(QString::number(found)));

    // Staccato and normal cannot be told apart on a note of 11 ticks that sounds 1.
    const std::vector<BrickEvent> unclear{{BrickEvent::Kind::Tone, 0, 1}, {BrickEvent::Kind::Wait, 0, 11}};
    QCOMPARE(melodyFromEvents(unclear).error,
             QStringLiteral("note 1 (1 of 11 ticks sounding): its articulation cannot be told"));
}

QTEST_GUILESS_MAIN(MmlTest)
#include "tst_mml.moc"
