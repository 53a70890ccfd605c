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

// A score of one part, or of the parts given, in MusicXML.
QByteArray musicXml(const QByteArray &parts, const QByteArray &partList = "<score-part id=\"P1\"/>",
                    const QByteArray &declaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n")
{
    return declaration + "<score-partwise version=\"3.1\"><part-list>" + partList + "</part-list>" + parts
        + "</score-partwise>";
}

QByteArray part(const QByteArray &measure, const char *id = "P1")
{
    return QByteArray("<part id=\"") + id + "\"><measure number=\"1\">" + measure + "</measure></part>";
}

QByteArray divisions(const QByteArray &more = {})
{
    return "<attributes><divisions>1</divisions>" + more + "</attributes>";
}

QByteArray pitch(const char *step, const QByteArray &octave, const QByteArray &more = {})
{
    return QByteArray("<note><pitch><step>") + step + "</step><octave>" + octave
        + "</octave></pitch><duration>1</duration>" + more + "</note>";
}

} // namespace

class MelodyReaderTest : public QObject {
    Q_OBJECT

private slots:
    void everyFileZepaWritesReadsBackAsItsMelody_data();
    void everyFileZepaWritesReadsBackAsItsMelody();
    void refusalsSayWhyAndWhere_data();
    void refusalsSayWhyAndWhere();
    void realFilesComeInAsTheirAuthorsMeant_data();
    void realFilesComeInAsTheirAuthorsMeant();
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
    QTest::newRow("words, not a melody file") << QByteArray("c d\nHi! This is no melody, just words.")
                                              << std::optional<MelodyKind>() << "2行目 1文字目: 「H」は使えません。";
    QTest::newRow("a program changed by hand")
        << QByteArray::fromStdString(program) << std::optional<MelodyKind>() << "70行目: Wait(TICKS)";
    QTest::newRow("another NQC program") << QByteArray("// my robot\ntask main()\n{\n    OnFwd(OUT_A);\n}\n")
                                         << std::optional<MelodyKind>()
                                         << "1行目: ZEPAが書いたプログラムではありません。";
    // Only a line that begins with it makes a program: in a comment it is a word.
    QTest::newRow("a melody file that names task main() in a comment")
        << QByteArray("// task main() plays it\nHi! This is no melody, just words.") << std::optional<MelodyKind>()
        << "2行目 1文字目: 「H」は使えません。";
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

// Scores as notation programs write them; each row a way such a file was
// refused or misread before.
void MelodyReaderTest::realFilesComeInAsTheirAuthorsMeant_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("notes"); // as a melody file writes them
    QTest::addColumn<QString>("said");
    QTest::newRow("a clarinet in A sounds a minor third below what is written") << musicXml(
        part(divisions("<transpose><diatonic>-2</diatonic><chromatic>-3</chromatic></transpose>") + pitch("C", "5")))
                                                                                << "t120 o4 l4 q7 a"
                                                                                << QStringLiteral("実際に鳴る高さ");
    QTest::newRow("a folk tune written an octave below") << musicXml(
        part(divisions("<transpose><diatonic>0</diatonic><chromatic>0</chromatic><octave-change>1</octave-change>"
                       "</transpose>")
             + pitch("G", "4"))) << "t120 o5 l4 q7 g" << QString();
    QTest::newRow("two voices: the top one, its silences its own") << musicXml(
        part(divisions()
             + pitch("C", "5", "<voice>1</voice><notations><articulations><staccato/></articulations></notations>")
             + pitch("D", "5", "<voice>1</voice><notations><articulations><staccato/></articulations></notations>")
             + "<backup><duration>2</duration></backup>"
             + "<note><pitch><step>G</step><octave>4</octave></pitch><duration>2</duration><voice>2</voice></note>"))
                                                                   << "t120 o5 l4 q4 c d"
                                                                   << QStringLiteral("ほかの声部や段の音1個");
    QTest::newRow("a chord's highest note")
        << musicXml(part(divisions() + pitch("C", "5") + pitch("E", "5", "<chord/>") + pitch("G", "5", "<chord/>")))
        << "t120 o5 l4 q7 g" << QStringLiteral("和音の下の音2個");
    const QString utf16Score
        = QString::fromUtf8(musicXml(part(divisions() + pitch("C", "5")), "<score-part id=\"P1\"/>",
                                     "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"));
    QTest::newRow("UTF-16, as two of the standard's own samples") << QByteArray("\xFF\xFE", 2)
            + QByteArray(reinterpret_cast<const char *>(utf16Score.utf16()), utf16Score.size() * 2)
                                                                  << "t120 o5 l4 q7 c" << QString();
    QTest::newRow("the root element after a long comment") << "<?xml version=\"1.0\"?>\n<!--" + QByteArray(70000, 'x')
            + "-->\n" + musicXml(part(divisions() + pitch("C", "5")), "<score-part id=\"P1\"/>", "")
                                                           << "t120 o5 l4 q7 c" << QString();
    QTest::newRow("no divisions: read from the notes' types")
        << musicXml(part(QByteArray("<note><pitch><step>C</step><octave>5</octave></pitch><duration>480</duration>"
                                    "<type>quarter</type></note>")
                             .repeated(2)))
        << "t120 o5 l4 q7 c c" << QStringLiteral("divisions");
    QTest::newRow("the tempo given in a later part")
        << musicXml(part(divisions() + pitch("C", "5"))
                        + part("<direction><sound tempo=\"90\"/></direction>" + divisions() + pitch("E", "4"), "P2"),
                    "<score-part id=\"P1\"/><score-part id=\"P2\"/>")
        << "t90 o5 l4 q7 c" << QStringLiteral("ほかの1パート");
    QTest::newRow("a quarter tone: the semitone toward its letter, and said")
        << musicXml(part(divisions() + pitch("C", "5", {}).replace("</step>", "</step><alter>0.5</alter>")))
        << "t120 o5 l4 q7 c" << QStringLiteral("四分音");
    QTest::newRow("an octave past any melody, without overflowing")
        << musicXml(part(divisions() + pitch("C", "178956970"))) << "t120 o7 l4 q7 c"
        << QStringLiteral("オクターブ単位で移しました");
    QTest::newRow("Western bytes in a file that says UTF-8") << musicXml(
        part(divisions() + pitch("C", "5")), "<score-part id=\"P1\"><part-name>Fl\xF6te</part-name></score-part>")
                                                             << "t120 o5 l4 q7 c" << QStringLiteral("Windows-1252");
    QTest::newRow("an uncompressed score larger than a melody file may be")
        << musicXml("<!--" + QByteArray(9 * 1024 * 1024, ' ') + "-->" + part(divisions() + pitch("C", "5")))
        << "t120 o5 l4 q7 c" << QString();
}

void MelodyReaderTest::realFilesComeInAsTheirAuthorsMeant()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, notes);
    QFETCH(QString, said);
    const MelodyRead read = readMelodyBytes(bytes);
    QVERIFY2(read.hasMelody(), qPrintable(read.placedError()));
    QCOMPARE(read.kind, MelodyKind::MusicXml);
    QStringList lines = QString::fromUtf8(mmlText(read.melody)).split(u'\n', Qt::SkipEmptyParts);
    lines.removeIf([](const QString &line) { return line.startsWith(QLatin1String("//")); });
    QCOMPARE(lines.join(u' '), notes);
    QVERIFY2(read.changes.join(u' ').contains(said), qPrintable(read.changes.join(u' ')));
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
    // A device has no size to check first: it is read only as far as the
    // largest file of any kind, then refused.
    const MelodyRead endless = readMelodyFile(QStringLiteral("/dev/zero"));
    QCOMPARE(endless.status, MelodyRead::Status::Refused);
    QVERIFY2(endless.error.contains(QStringLiteral("大きすぎます")), qPrintable(endless.error));
}

QTEST_GUILESS_MAIN(MelodyReaderTest)
#include "tst_melody_reader.moc"
