#include <QRandomGenerator>
#include <QTest>

#include "common/NoteBuilders.h"
#include "engraving/WrittenMelody.h"
#include "mml/MmlReader.h"

namespace {

Melody melodyOf(const char *mml, int meter)
{
    const MmlReadResult read = readMml(QByteArray("// NQC用簡易音楽作成ソフト「ZEPA」\n") + mml);
    if (!read.ok())
        qFatal("%s", qPrintable(read.message()));
    Melody melody = read.melody;
    melody.meter = meter;
    return melody;
}

// The pieces as a line: each piece's length as MML writes it, ~ tied on,
// ( slurred into the next, ! where the meter cannot hold it, | a bar line after.
QString piecesText(const WrittenMelody &written)
{
    QStringList words;
    for (const WrittenPiece &piece : written.pieces) {
        QString word = QString::fromLatin1(noteLengthEntry(piece.shown).fraction);
        if (piece.rest)
            word.prepend(u'r');
        if (piece.tiedToNext)
            word += u'~';
        if (piece.slurredToNext)
            word += u'(';
        if (piece.misfit)
            word += u'!';
        if (piece.barAfter)
            word += QStringLiteral(" |");
        words << word;
    }
    return words.join(u' ');
}

} // namespace

class WrittenMelodyTest : public QObject {
    Q_OBJECT

private slots:
    void everyPitchStandsWithinOneLedgerLineAndSoundsAsWritten();
    void barLinesCutNotesIntoTiedPieces_data();
    void barLinesCutNotesIntoTiedPieces();
    void tripletsAreGroupedInThreesOfOneLength_data();
    void tripletsAreGroupedInThreesOfOneLength();
    void beamsGroupTheBeats_data();
    void beamsGroupTheBeats();
    void accidentalsLastToTheBarLine_data();
    void accidentalsLastToTheBarLine();
    void slursSpanRunsJoinedIntoTheNext_data();
    void slursSpanRunsJoinedIntoTheNext();
    void writtenAgainAfterAnEditAsIfWrittenWhole();
};

// The rule: O4 and O5 as they sound, O6 an octave lower under 8va, O7 two
// under 15ma, O3 an octave higher under 8vb. Checked against MIDI numbers
// worked out here, not against the tables of the writer.
void WrittenMelodyTest::everyPitchStandsWithinOneLedgerLineAndSoundsAsWritten()
{
    constexpr int LetterSemitones[7] = {0, 2, 4, 5, 7, 9, 11};
    const int expectedShift[5] = {-1, 0, 0, 1, 2};
    for (Octave octave : AllOctaves) {
        for (int pitch = 0; pitch < PitchCount; ++pitch) {
            const WrittenPitch written = writtenPitch(pitch, octave);
            const int sounding = 12 * (int(octave) + 4) + pitch; // ZEPA's middle ド, O5, is MIDI 72
            const int writtenMidi
                = 12 * (written.writtenOctave() + 1) + LetterSemitones[written.letter] + (written.sharp ? 1 : 0);
            QCOMPARE(writtenMidi + 12 * written.shift, sounding);
            QCOMPARE(written.shift, expectedShift[int(octave)]);
            // E4 is the bottom line: from C4 (one ledger line below) to B5 (one above).
            QVERIFY2(written.staffStep() >= -2 && written.staffStep() <= 11, qPrintable(QString::number(sounding)));
        }
    }
}

void WrittenMelodyTest::barLinesCutNotesIntoTiedPieces_data()
{
    QTest::addColumn<QByteArray>("mml");
    QTest::addColumn<int>("meter");
    QTest::addColumn<QString>("pieces");
    QTest::newRow("no meter: no bars") << QByteArray("l1 c c") << 0 << "1 1";
    QTest::newRow("4/4 whole notes") << QByteArray("l1 c c") << 4 << "1 | 1 |";
    QTest::newRow("3/4 whole: dotted half tied to quarter") << QByteArray("l1 c") << 3 << "2.~ | 4";
    QTest::newRow("2/4 whole: halves tied") << QByteArray("l1 c") << 2 << "2~ | 2 |";
    QTest::newRow("a rest cut is not tied") << QByteArray("l2. r r") << 4 << "r2. r4 | r2";
    QTest::newRow("dotted quarter across the bar") << QByteArray("l2 c l4. d e") << 2 << "2 | 4. 8~ | 4";
    QTest::newRow("triplets fill the bar") << QByteArray("l6 c d e f g a") << 2 << "6 6 6 | 6 6 6 |";
    QTest::newRow("a triplet off the grid: said, not invented, its bar ended there")
        << QByteArray("l16 c l6 d e f") << 2 << "16 6 6 6! |";
    QTest::newRow("after it the bars go on, from where that bar ends")
        << QByteArray("l16 c l6 d e f l4 g a b c") << 2 << "16 6 6 6! | 4 4 | 4 4 |";
    QTest::newRow("slur kept on the last piece") << QByteArray("l2. Q8 c d") << 4 << "2.( 4~ | 2";
    QTest::newRow("tie into the same pitch") << QByteArray("l2 Q8 c c") << 0 << "2~ 2";
}

void WrittenMelodyTest::barLinesCutNotesIntoTiedPieces()
{
    QFETCH(QByteArray, mml);
    QFETCH(int, meter);
    QFETCH(QString, pieces);
    const WrittenMelody written = writeMelody(melodyOf(mml, meter));
    QCOMPARE(piecesText(written), pieces);
    // The pieces of each note add up to its length: nothing is invented.
    int units = 0;
    for (const WrittenPiece &piece : written.pieces)
        units += piece.units;
    int expected = 0;
    for (const NoteRecord &note : melodyOf(mml, meter).notes)
        expected += writtenUnits(note.length);
    QCOMPARE(units, expected);
}

void WrittenMelodyTest::tripletsAreGroupedInThreesOfOneLength_data()
{
    QTest::addColumn<QByteArray>("mml");
    QTest::addColumn<QString>("groups");
    QTest::newRow("three") << QByteArray("l12 c d e") << "0-2";
    QTest::newRow("a lone triplet still gets its bracket") << QByteArray("l4 c l12 d l4 e") << "1-1";
    QTest::newRow("four: three and one") << QByteArray("l12 c d e f") << "0-2 3-3";
    QTest::newRow("another length starts a group") << QByteArray("l12 c d l6 e f g") << "0-1 2-4";
    QTest::newRow("rests are members") << QByteArray("l24 c r e") << "0-2";
    QTest::newRow("none") << QByteArray("l8 c d e") << "";
}

void WrittenMelodyTest::tripletsAreGroupedInThreesOfOneLength()
{
    QFETCH(QByteArray, mml);
    QFETCH(QString, groups);
    QStringList found;
    for (const TupletGroup &group : writeMelody(melodyOf(mml, 0)).tuplets)
        found << QStringLiteral("%1-%2").arg(group.first).arg(group.last);
    QCOMPARE(found.join(u' '), groups);
}

// The pieces with their beam groups in brackets: "[8 8 8 8] [8 8 8 8]".
void WrittenMelodyTest::beamsGroupTheBeats_data()
{
    QTest::addColumn<QByteArray>("mml");
    QTest::addColumn<int>("meter");
    QTest::addColumn<QString>("groups");
    QTest::newRow("4/4 eighths: two halves, never over beat 3")
        << QByteArray("l8 c d e f g a b c") << 4 << "[8 8 8 8] [8 8 8 8]";
    QTest::newRow("4/4 from beat 2: each beat its own")
        << QByteArray("l4 c l8 d e f g l4 a b") << 4 << "4 [8 8] [8 8] 4 | 4";
    QTest::newRow("3/4 eighths: the whole bar") << QByteArray("l8 c d e f g a") << 3 << "[8 8 8 8 8 8]";
    QTest::newRow("2/4 eighths: the whole bar") << QByteArray("l8 c d e f") << 2 << "[8 8 8 8]";
    QTest::newRow("sixteenths by the beat") << QByteArray("l16 c d e f g a b c") << 4 << "[16 16 16 16] [16 16 16 16]";
    QTest::newRow("a rest breaks the beam") << QByteArray("l8 c r d e") << 4 << "8 r8 [8 8]";
    QTest::newRow("a dotted pair") << QByteArray("c8. d16 l4 e") << 4 << "[8. 16] 4";
    QTest::newRow("triplets within their beat") << QByteArray("l12 c d e f g a") << 2 << "[12 12 12] [12 12 12]";
    QTest::newRow("a note over the beat stands alone") << QByteArray("l8 c l4 d l8 e") << 4 << "8 4 8";
    QTest::newRow("never over a bar line") << QByteArray("l4. c l8 d e f") << 2 << "4. 8 | [8 8]";
    QTest::newRow("without a meter: by the quarter from the start")
        << QByteArray("l8 c d e f l4 g l8 a b") << 0 << "[8 8] [8 8] 4 [8 8]";
}

void WrittenMelodyTest::beamsGroupTheBeats()
{
    QFETCH(QByteArray, mml);
    QFETCH(int, meter);
    QFETCH(QString, groups);
    const WrittenMelody written = writeMelody(melodyOf(mml, meter));
    QStringList words;
    for (std::size_t k = 0; k < written.pieces.size(); ++k) {
        const WrittenPiece &piece = written.pieces[k];
        QString word = QString::fromLatin1(noteLengthEntry(piece.shown).fraction);
        if (piece.rest)
            word.prepend(u'r');
        for (const BeamGroup &beam : written.beams) {
            if (beam.first == int(k))
                word.prepend(u'[');
            if (beam.last == int(k))
                word += u']';
        }
        if (piece.barAfter && k + 1 < written.pieces.size())
            word += QStringLiteral(" |");
        words << word;
    }
    QCOMPARE(words.join(u' '), groups);
}

// What stands before each head: # a sharp, n a natural, - nothing.
void WrittenMelodyTest::accidentalsLastToTheBarLine_data()
{
    QTest::addColumn<QByteArray>("mml");
    QTest::addColumn<int>("meter");
    QTest::addColumn<QString>("shown");
    QTest::newRow("C C# C C# in one bar: the natural cancels") << QByteArray("o5 c c+ c c+") << 4 << "- # n #";
    QTest::newRow("a sharp lasts to the bar line") << QByteArray("o5 c+ c+ c+ c+") << 4 << "# - - -";
    QTest::newRow("the next bar starts clean") << QByteArray("o5 c+ c+ c+ c") << 2 << "# - # n";
    QTest::newRow("a tie carries it over the bar line; a courtesy natural after")
        << QByteArray("o5 l2. c+ l2 c+ l4 c c+") << 4 << "# - - n #";
    QTest::newRow("each staff position its own") << QByteArray("o5 c+ o4 c o5 c") << 4 << "# - n";
    QTest::newRow("an octave line moves the position: C#6 sits where C5 does")
        << QByteArray("o6 c+ o5 c") << 4 << "# n";
    QTest::newRow("the same position in another octave shows its sharp again")
        << QByteArray("o5 c+ o6 c+ o5 c+") << 4 << "# # -";
    QTest::newRow("the same pitch after another at its position: its natural again")
        << QByteArray("o6 c+ o5 c o6 c") << 4 << "# n n";
    QTest::newRow("without a meter every sharp shows, no natural") << QByteArray("o5 c c+ c c+") << 0 << "- # - #";
}

void WrittenMelodyTest::accidentalsLastToTheBarLine()
{
    QFETCH(QByteArray, mml);
    QFETCH(int, meter);
    QFETCH(QString, shown);
    const WrittenMelody written = writeMelody(melodyOf(mml, meter));
    QStringList signs;
    for (const WrittenPiece &piece : written.pieces) {
        if (!piece.rest)
            signs << (piece.accidental == ShownAccidental::Sharp         ? QStringLiteral("#")
                          : piece.accidental == ShownAccidental::Natural ? QStringLiteral("n")
                                                                         : QStringLiteral("-"));
    }
    QCOMPARE(signs.join(u' '), shown);
}

void WrittenMelodyTest::slursSpanRunsJoinedIntoTheNext_data()
{
    QTest::addColumn<QByteArray>("mml");
    QTest::addColumn<QString>("slurs");
    QTest::newRow("a run of three") << QByteArray("Q8 c d Q7 e f") << "0-2";
    QTest::newRow("ties alone are no slur") << QByteArray("Q8 c c Q7 c") << "";
    QTest::newRow("a tie inside a slur") << QByteArray("Q8 c c Q7 d") << "0-2";
    QTest::newRow("a rest ends it") << QByteArray("Q8 c d r e Q7 f") << "0-1 3-4";
    QTest::newRow("the last note slurs into nothing") << QByteArray("Q8 c") << "";
}

void WrittenMelodyTest::slursSpanRunsJoinedIntoTheNext()
{
    QFETCH(QByteArray, mml);
    QFETCH(QString, slurs);
    QStringList found;
    for (const SlurSpan &slur : writeMelody(melodyOf(mml, 0)).slurs)
        found << QStringLiteral("%1-%2").arg(slur.first).arg(slur.last);
    QCOMPARE(found.join(u' '), slurs);
}

// Rewriting after an edit keeps what comes before it: the result must be
// the melody written whole, after every kind of edit, anywhere, in every
// meter, lone triplets (bars the meter cannot hold) and ties over bar lines
// included.
void WrittenMelodyTest::writtenAgainAfterAnEditAsIfWrittenWhole()
{
    for (int meter : {0, 2, 3, 4}) {
        QRandomGenerator random(quint32(1000 + meter));
        Melody melody;
        melody.meter = meter;
        for (int i = 0; i < 400; ++i)
            melody.notes.push_back(randomNote(random, 120, 5));
        WrittenMelody written = writeMelody(melody);
        for (int edit = 0; edit < 300; ++edit) {
            const int size = int(melody.notes.size());
            const int kind = int(random.bounded(4));
            int first = 0;
            if (kind == 0 || size < 2) { // insert, most often near the end as when composing
                first = edit % 3 == 0 ? size : int(random.bounded(size + 1));
                melody.notes.insert(melody.notes.begin() + first, randomNote(random, 120, 5));
            } else if (kind == 1) { // remove
                first = edit % 3 == 0 ? size - 1 : int(random.bounded(size));
                melody.notes.erase(melody.notes.begin() + first);
            } else { // replace one, or change its length or articulation only
                first = int(random.bounded(size));
                NoteRecord &note = melody.notes[std::size_t(first)];
                if (kind == 2)
                    note = randomNote(random, 120, 5);
                else
                    note.articulation = AllArticulations[random.bounded(3)];
            }
            const WrittenMelody again = rewriteMelody(written, melody, first);
            const WrittenMelody whole = writeMelody(melody);
            QVERIFY2(
                again == whole,
                qPrintable(
                    QStringLiteral("meter %1, edit %2 (kind %3 at %4)").arg(meter).arg(edit).arg(kind).arg(first)));
            written = again;
        }
    }
}

QTEST_APPLESS_MAIN(WrittenMelodyTest)
#include "tst_written_melody.moc"
