#include <QRandomGenerator>
#include <QStringEncoder>
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

// A melody as ZEPA writes it, without its header: "t90 o4 l1 q8 c l2 q7 c".
QString score(const Melody &melody)
{
    QStringList lines = QString::fromUtf8(mmlText(melody)).split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString &line) { return line.startsWith(QLatin1String("//")); });
    return lines.join(u' ');
}

// Little-endian, after its byte order mark.
QByteArray utf16(const QString &text)
{
    return QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char *>(text.utf16()), text.size() * 2);
}

// A melody file as ZEPA 1.3.2 wrote it before its portable header: "; "
// and the title first, capitals, octave 5 assumed, a line every 16 notes.
QByteArray writtenByZepaBefore(const Melody &melody)
{
    static const char *const Letters[] = {"C", "C+", "D", "D+", "E", "F", "F+", "G", "G+", "A", "A+", "B"};
    QByteArray text = QStringLiteral("; NQC用簡易音楽作成ソフト「ZEPA」 1.3.2\n").toUtf8();
    text += "T" + QByteArray::number(melody.tempo) + '\n';
    Octave octave = Octave::Middle;
    NoteLength length = NoteLength::Quarter;
    Articulation articulation = Articulation::Normal;
    int onLine = 0;
    for (const NoteRecord &note : melody.notes) {
        QByteArray word;
        if (note.octave != octave)
            word += "O" + QByteArray::number(int(note.octave) + 3) + ' ';
        if (note.length != length)
            word += "L" + QByteArray(noteLengthEntry(note.length).fraction) + ' ';
        if (note.articulation != articulation)
            word += "Q"
                + QByteArray::number(note.articulation == Articulation::Normal         ? 7
                                         : note.articulation == Articulation::Staccato ? 4
                                                                                       : 8)
                + ' ';
        octave = note.octave;
        length = note.length;
        articulation = note.articulation;
        word += note.isRest() ? "R" : Letters[note.pitch];
        if (onLine == 16) {
            text += '\n';
            onLine = 0;
        }
        text += (onLine++ > 0 ? " " : "") + word;
    }
    return text + '\n';
}

QByteArray shiftJis(const QString &text)
{
    QStringEncoder encoder("Shift_JIS");
    return encoder(text);
}

} // namespace

Q_DECLARE_METATYPE(Notes)

class MmlTest : public QObject {
    Q_OBJECT

private slots:
    void savedAndOpenedGivesTheIdenticalScore();
    void writesTheFormPeopleRead();
    void readsFilesZepaWroteBeforeItsPortableHeader();
    void readsWhatPeopleType_data();
    void readsWhatPeopleType();
    void readsTheDialectsSongsAreWrittenIn_data();
    void readsTheDialectsSongsAreWrittenIn();
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

// Files saved by ZEPA before its header began with "//" open as they did.
void MmlTest::readsFilesZepaWroteBeforeItsPortableHeader()
{
    QRandomGenerator random(20261210);
    for (int round = 0; round < 50; ++round) {
        Melody melody;
        melody.tempo = int(random.bounded(60, 241));
        for (int i = 0; i < 80; ++i)
            melody.notes.push_back(randomNote(random, melody.tempo, 7));
        const QByteArray text = writtenByZepaBefore(melody);
        for (const QByteArray &saved : {text, QByteArray(text).replace("\n", "\r\n")}) {
            const MmlReadResult read = readMml(saved);
            QVERIFY2(read.ok(), qPrintable(read.message()));
            QVERIFY2(read.melody == melody, saved.constData());
            QVERIFY(read.changes.isEmpty());
        }
    }
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
    const QStringList raisedByGreater{QStringLiteral(
        "オクターブは、多くのMMLと同じく「>」で上がるものとして読みました（ファイルに指定がありません）。")};
    QTest::newRow("octave steps: > raises, as most dialects have it")
        << QByteArray("o3 c > c >> c < c") << 120 << Notes{q(0, Lowest), q(0, Low), q(0, High), q(0, Middle)}
        << QStringList{};
    QTest::newRow("the direction assumed is said where notes fell outside")
        << QByteArray("o4 c < < c") << 120 << Notes{q(0, Low), q(0, Lowest)}
        << QStringList{raisedByGreater[0],
                       QStringLiteral("ZEPAの５オクターブの外にあった 1 音を、オクターブ単位で移しました。")};
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
        << QStringList{QStringLiteral("ZEPAでは使わない次のものを省きました：音量 v（2 か所、最初は 1行目 1文字目）、"
                                      "音色 @（1 か所、最初は 1行目 5文字目）、強さ u（1 か所、最初は 1行目 8文字目）、"
                                      "左右の位置 p（1 か所、最初は 1行目 13文字目）。")};
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

// Songs as the dialects write them; each row a way a real file was refused
// or misread before.
void MmlTest::readsTheDialectsSongsAreWrittenIn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("said"); // parts of the changes the reader must say
    const QString tied = QStringLiteral("ZEPAの長さの音をタイでつないで表しました");
    QTest::newRow("a #title header, a dotted whole note, & after a blank")
        << QByteArray("#title ふるさと\n#composer 岡野貞一\nt90 o4 c1. d & e") << "t90 o4 l1 q8 c l2 q7 c l4 q8 d q7 e"
        << "ふるさと" << QStringList{QStringLiteral("ZEPAにひとつの音符ではない長さ（1 か所、最初は 3行目 8文字目）")};
    QTest::newRow("MCK: ; a comment, track letters, [ | ]n")
        << QByteArray("#TITLE Song\nA t150 o4 l8 [c d | e]3 ; cdefgab\nB o2 c c c\nA f")
        << "t150 o4 l8 q7 c d e c d e c d f"
        << "Song" << QStringList{QStringLiteral("MCK（ppmck）の書き方"), QStringLiteral("ほかの 1 トラック")};
    QTest::newRow("MCK: its declaration swaps < and >")
        << QByteArray("#OCTAVE-REV 1\nA o4 c < c") << "t120 o4 l4 q7 c o5 c" << QString()
        << QStringList{QStringLiteral("ファイルの指定どおり「<」で上がる")};
    QTest::newRow("FlMML: < raises, o5c is middle C, /: / :/ with a break")
        << QByteArray("#OCTAVE NORMAL\nt100 o5 l4 /:3 c / d :/ < e") << "t100 o4 l4 q7 c d c d c o5 e" << QString()
        << QStringList{QStringLiteral("FlMMLの書き方")};
    QTest::newRow("Sakura: TR=, Tempo=, [n … : …], q in per cent")
        << QByteArray("TrackName = {\"テスト\"}\nTempo=100\nTR=1 o5 l4 q100 [2 c d : e] f\nTR=2 o3 g")
        << "t100 o4 l4 q8 c d e c d f"
        << "テスト" << QStringList{QStringLiteral("ほかの 1 トラック")};
    QTest::newRow("Sakura's Japanese words")
        << QByteArray("テンポ１２０ 音階５ 音符８ ドレミー【２ファ】↑ド") << "t120 o4 l8 q7 c d q8 e q7 e f f o5 c"
        << QString() << QStringList{QStringLiteral("サクラの書き方")};
    QTest::newRow("Sakura: a key signature and a one-shot octave")
        << QByteArray("KeyFlag+(f) o5 l4 f `c c") << "t120 o4 l4 q7 f+ o5 c o4 c" << QString() << QStringList{};
    QTest::newRow("a tuplet, a length of no single note, one ZEPA cannot hold")
        << QByteArray("o4 {c d e}4 c3 c64") << "t120 o4 l12 q7 c d e l4 q8 c l12 q7 c l32 c" << QString()
        << QStringList{tied, QStringLiteral("いちばん近い長さにしました")};
    QTest::newRow("ZEPA's earlier file, saved again as Shift_JIS with CRLF")
        << shiftJis(QStringLiteral("; NQC用簡易音楽作成ソフト「ZEPA」 1.3.2\r\nT90\r\nO5 L4 Q7 C D ;おわり\r\n"))
        << "t90 o5 l4 q7 c d" << QString() << QStringList{};
    QTest::newRow("UTF-16 with its byte order mark")
        << utf16(QStringLiteral("t100 o4 c")) << "t100 o4 l4 q7 c" << QString() << QStringList{};
    QTest::newRow("a loop's blanks are read once")
        << QByteArray("t120 [") + QByteArray(200000, ' ') + QByteArray("]999999 c") << "t120 o4 l4 q7 c" << QString()
        << QStringList{};
    QTest::newRow("a command of no dialect left out, the rest read")
        << QByteArray("c x10 d") << "t120 o4 l4 q7 c d" << QString()
        << QStringList{QStringLiteral("「x」（1 か所、最初は 1行目 3文字目）")};
}

void MmlTest::readsTheDialectsSongsAreWrittenIn()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, expected);
    QFETCH(QString, title);
    QFETCH(QStringList, said);
    const MmlReadResult read = readMml(text);
    QVERIFY2(read.ok(), qPrintable(read.message()));
    QCOMPARE(score(read.melody), expected);
    QCOMPARE(read.title, title);
    const QString changes = read.changes.join(u'\n');
    for (const QString &part : said)
        QVERIFY2(changes.contains(part), qPrintable(changes));
}

void MmlTest::refusesWithLineAndColumn_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("loops without end") << QByteArray("c [[[[[[l4]99]99]99]99]99]99")
                                       << "1行目 11文字目: 繰り返しが多すぎます";
    QTest::newRow("loops past the score") << QByteArray("[c]40000") << "1行目 2文字目: 音は 32767 個までです";
    QTest::newRow("prose, not MML")
        << QByteArray("Hi! This is no melody, just words.")
        << "1行目 1文字目: 「H」は使えません。MMLとして読めません（どの書き方にもない命令が、音より多くあります）";
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
