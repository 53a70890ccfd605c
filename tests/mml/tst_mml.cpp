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
    void waitsOf255AreCutWhereTheNotesFit_data();
    void waitsOf255AreCutWhereTheNotesFit();
};

void MmlTest::savedAndOpenedGivesTheIdenticalScore()
{
    QRandomGenerator random(20261207);
    for (int round = 0; round < 200; ++round) {
        Melody melody;
        melody.tempo = int(random.bounded(60, 241));
        melody.meter = std::array{0, 2, 3, 4}[random.bounded(4)]; // kept in its comment
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
    const QByteArray expected = "// NQC用簡易音楽作成ソフト「ZEPA」 1.3.2\n"
                                "// q8 slur or tie, q7 normal (0.1 s of silence after the note), q4 staccato (0.2 s), "
                                "as the RCX plays them\n"
                                "t96\no5 l4 q7 c d o6 l8 q4 e r\n";
    QCOMPARE(mmlText(melody), expected);
}

void MmlTest::readsWhatPeopleType_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("tempo");
    QTest::addColumn<Notes>("notes");
    QTest::addColumn<QStringList>("changes");
    using enum Octave;
    using L = NoteLength;
    const auto q = [](int pitch, Octave octave, L length = L::Quarter) { return note(pitch, octave, length); };
    const QString gates
        = QStringLiteral("q で決めた音の長さ（%1 音）を、ZEPAの音間（普通・スタッカート・スラーまたはタイ）の"
                         "いちばん近いものにしました。");
    QTest::newRow("plain: octave 4, as other readers assume")
        << QByteArray("cde") << 120 << Notes{q(0, Low), q(2, Low), q(4, Low)} << QStringList{};
    QTest::newRow("ZEPA's earlier files: octave 5, ; a comment")
        << QByteArray("; NQC用簡易音楽作成ソフト「ZEPA」 1.3.2\nT90 ; 速さ\nC D ;おわり") << 90
        << Notes{q(0, Middle), q(2, Middle)} << QStringList{};
    QTest::newRow("sharps, flats, either case")
        << QByteArray("o5 C+ d# E- f") << 120 << Notes{q(1, Middle), q(3, Middle), q(3, Middle), q(5, Middle)}
        << QStringList{};
    QTest::newRow("flat below C and sharp above B cross the octave")
        << QByteArray("O4 C- B+") << 120 << Notes{q(11, Lowest), q(0, Middle)} << QStringList{};
    QTest::newRow("sharps carried over two octaves")
        << QByteArray("O5 C++++++++++++++++++++++++") << 120 << Notes{q(0, Highest)} << QStringList{};
    QTest::newRow("flats carried down more than an octave")
        << QByteArray("O5 C------------- D--------------") << 120 << Notes{q(11, Lowest), q(0, Low)} << QStringList{};
    QTest::newRow("octave steps") << QByteArray("o3 c > c >> c < c") << 120
                                  << Notes{q(0, Lowest), q(0, Low), q(0, High), q(0, Middle)} << QStringList{};
    QTest::newRow("L default, dots, triplets")
        << QByteArray("o5 L8 c c4. c. c6 r16 L2. c") << 120 << Notes{q(0, Middle, L::Eighth),
                                                                     q(0, Middle, L::DottedQuarter),
                                                                     q(0, Middle, L::DottedEighth),
                                                                     q(0, Middle, L::QuarterTriplet),
                                                                     rest(L::Sixteenth),
                                                                     q(0, Middle, L::DottedHalf)}
        << QStringList{};
    QTest::newRow("ZEPA's own q: its three articulations, & for one")
        << QByteArray("// NQC用簡易音楽作成ソフト「ZEPA」 1.3.2\no5 q4 c c& q8 d q7 e") << 120
        << Notes{note(0, Middle, L::Quarter, Articulation::Staccato),
                 note(0, Middle, L::Quarter, Articulation::SlurOrTie),
                 note(2, Middle, L::Quarter, Articulation::SlurOrTie), q(4, Middle)}
        << QStringList{};
    QTest::newRow("ZEPA's Q in capitals, typed by hand")
        << QByteArray("o5 Q4 c c& Q8 d Q7 e") << 120
        << Notes{note(0, Middle, L::Quarter, Articulation::Staccato),
                 note(0, Middle, L::Quarter, Articulation::SlurOrTie),
                 note(2, Middle, L::Quarter, Articulation::SlurOrTie), q(4, Middle)}
        << QStringList{};
    QTest::newRow("other programs' q: the nearest of ZEPA's three")
        << QByteArray("o5 q4 c c& q8 d q7 e") << 120
        << Notes{note(0, Middle, L::Quarter, Articulation::Staccato),
                 note(0, Middle, L::Quarter, Articulation::SlurOrTie),
                 note(2, Middle, L::Quarter, Articulation::SlurOrTie), q(4, Middle)}
        << QStringList{gates.arg(3)};
    QTest::newRow("q6 is staccato at 60, normal at 240")
        << QByteArray("t60 o5 q6 c") << 60 << Notes{note(0, Middle, L::Quarter, Articulation::Staccato)}
        << QStringList{gates.arg(1)};
    QTest::newRow("q6 at 240") << QByteArray("t240 o5 q6 c") << 240 << Notes{q(0, Middle)} << QStringList{gates.arg(1)};
    QTest::newRow("// and /* */ comments, blanks anywhere")
        << QByteArray("// ふるさと\nt90 /* 速さ; */\n\tc\u3000 d // おわり") << 90 << Notes{q(0, Low), q(2, Low)}
        << QStringList{};
    QTest::newRow("^ ties the same pitch, slurred into")
        << QByteArray("o5 c4^8 d r4^4") << 120
        << Notes{note(0, Middle, L::Quarter, Articulation::SlurOrTie), q(0, Middle, L::Eighth), q(2, Middle),
                 rest(L::Quarter), rest(L::Quarter)}
        << QStringList{};
    QTest::newRow("loops, nested") << QByteArray("o5 [c [d]2]2 e") << 120
                                   << Notes{q(0, Middle), q(2, Middle), q(2, Middle), q(0, Middle),
                                            q(2, Middle), q(2, Middle), q(4, Middle)}
                                   << QStringList{};
    QTest::newRow("a loop changes the octave each time")
        << QByteArray("o3 [c >]3") << 120 << Notes{q(0, Lowest), q(0, Low), q(0, Middle)} << QStringList{};
    const QStringList oneTrackMore{
        QStringLiteral("ZEPAは一度にひとつの音しか鳴らせないので、最初のトラックのほかの 1 トラックを省きました。")};
    QTest::newRow("tracks: the first") << QByteArray("t120 o5 c d e;o3 e f g") << 120
                                       << Notes{q(0, Middle), q(2, Middle), q(4, Middle)} << oneTrackMore;
    QTest::newRow("tracks on lines of their own")
        << QByteArray("o5 c d e;\ne f g") << 120 << Notes{q(0, Middle), q(2, Middle), q(4, Middle)} << oneTrackMore;
    QTest::newRow("a track of tempo alone, then the melody")
        << QByteArray("t100;o5 c d") << 100 << Notes{q(0, Middle), q(2, Middle)} << QStringList{};
    QTest::newRow("volume, velocity, pan and instrument left out")
        << QByteArray("v10 @1 u100 p-10 o5 c v12") << 120 << Notes{q(0, Middle)}
        << QStringList{QStringLiteral("ZEPAでは使わない 音量 v（2 か所）、強さ u（1 か所）、左右の位置 p（1 か所）、"
                                      "音色 @（1 か所） を省きました。")};
    QTest::newRow("key shift") << QByteArray("k2 o5 c k-1 c") << 120 << Notes{q(2, Middle), q(11, Low)}
                               << QStringList{};
    QTest::newRow("octaves beyond ZEPA's moved in")
        << QByteArray("o8 c o1 d") << 120 << Notes{q(0, Highest), q(2, Lowest)}
        << QStringList{QStringLiteral("ZEPAの５オクターブの外にあった 2 音を、オクターブ単位で移しました。")};
    QTest::newRow("a tempo beyond ZEPA's brought in")
        << QByteArray("t300 o5 c") << 240 << Notes{q(0, Middle)}
        << QStringList{QStringLiteral("テンポ 300 はZEPAの範囲（60～240）の外なので、240 にしました。")};
    QTest::newRow("tempo changes: the first holds")
        << QByteArray("t90 o5 c t100 d t90 e") << 90 << Notes{q(0, Middle), q(2, Middle), q(4, Middle)}
        << QStringList{QStringLiteral("途中のテンポの変化（1 か所）は使わず、最初のテンポで通しました。")};
}

void MmlTest::readsWhatPeopleType()
{
    QFETCH(QByteArray, text);
    QFETCH(int, tempo);
    QFETCH(Notes, notes);
    QFETCH(QStringList, changes);
    const MmlReadResult read = readMml(text);
    QVERIFY2(read.ok(), qPrintable(read.message()));
    QCOMPARE(read.melody.tempo, tempo);
    for (NoteRecord &record : notes)
        record.ticks = lengthTicks(record.length, tempo);
    QCOMPARE(read.melody.notes.size(), notes.size());
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const NoteRecord &got = read.melody.notes[i];
        const NoteRecord &want = notes[i];
        QVERIFY2(got.pitch == want.pitch && got.length == want.length && got.ticks == want.ticks
                     && (got.isRest() || (got.octave == want.octave && got.articulation == want.articulation)),
                 qPrintable(QStringLiteral("note %1: %2/%3/%4/%5, expected %6/%7/%8/%9")
                                .arg(i)
                                .arg(got.pitch)
                                .arg(int(got.octave))
                                .arg(int(got.length))
                                .arg(int(got.articulation))
                                .arg(want.pitch)
                                .arg(int(want.octave))
                                .arg(int(want.length))
                                .arg(int(want.articulation))));
    }
    QCOMPARE(read.changes, changes);
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
    QTest::newRow("double dot") << QByteArray("c4..")
                                << "1行目 2文字目: 長さは 1, 2, 4, 8, 16, 32, 2., 4., 8., 16., 6, 12, 24 のどれかです";
    QTest::newRow("octave past 9") << QByteArray("O10 c") << "1行目 1文字目: オクターブは O0 から O9 までです";
    QTest::newRow("a gate past 8") << QByteArray(
        "q9 c") << "1行目 1文字目: Q は Q1 から Q8 までです（Q8 スラーまたはタイ、Q7 普通、Q4 スタッカート）";
    QTest::newRow("a tempo without its number")
        << QByteArray("t c") << "1行目 1文字目: T のあとにテンポの数がありません";
    QTest::newRow("a tie before any note") << QByteArray(" ^4 c") << "1行目 2文字目: ^ の前に音がありません";
    QTest::newRow("a loop not closed") << QByteArray("c\n [d e") << "2行目 2文字目: [ に対応する ] がありません";
    QTest::newRow("a loop not opened") << QByteArray("c d]2") << "1行目 4文字目: ] に対応する [ がありません";
    QTest::newRow("loops without end") << QByteArray("[[[[[[l4]99]99]99]99]99]99")
                                       << "1行目 7文字目: 繰り返しが多すぎます";
    QTest::newRow("loops past the score") << QByteArray("[c]40000") << "1行目 2文字目: 音は 32767 個までです";
    QTest::newRow("a command ZEPA has not")
        << QByteArray("c\n  x10 c")
        << "2行目 3文字目: 「x」は使えません。T O L Q K < > C D E F G A B R & ^ [ ] "
           "V U P @ ; // が使えます";
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
    // Every program ZEPA writes is read back.
    QCOMPARE(found, 100);

    // Staccato and normal cannot be told apart on a note of 11 ticks that
    // sounds 1: they play the same, so the program is read, as normal.
    const std::vector<BrickEvent> unclear{{BrickEvent::Kind::Tone, 0, 1}, {BrickEvent::Kind::Wait, 0, 11}};
    const MelodyFromEventsResult read = melodyFromEvents(unclear);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.melody.notes.front().articulation, Articulation::Normal);
    QVERIFY(brickEvents(read.melody.notes) == unclear);
}

void MmlTest::waitsOf255AreCutWhereTheNotesFit_data()
{
    QTest::addColumn<QByteArray>("text");
    // At tempo 94 a whole note lasts exactly 255 ticks: its last wait, or its
    // tone, looks like the first piece of a longer one.
    QTest::newRow("a whole note, then a whole rest") << QByteArray("T94 C1 R1");
    QTest::newRow("two whole rests") << QByteArray("T94 R1 R1");
    QTest::newRow("two tied whole notes") << QByteArray("T94 Q8 C1 C1");
    QTest::newRow("a whole rest between staccato notes") << QByteArray("T94 Q4 C2 R1 C1 R1 R1 D4");
}

void MmlTest::waitsOf255AreCutWhereTheNotesFit()
{
    QFETCH(QByteArray, text);
    const Melody melody = readMml(text).melody;
    const std::vector<BrickEvent> events = brickEvents(melody.notes);
    const MelodyFromEventsResult read = melodyFromEvents(events);
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.melody.tempo, 94);
    QCOMPARE(read.melody.notes.size(), melody.notes.size());
    QVERIFY(brickEvents(read.melody.notes) == events);
}

QTEST_GUILESS_MAIN(MmlTest)
#include "tst_mml.moc"
