#include <QRandomGenerator>
#include <QTest>

#include "common/NoteBuilders.h"

#include "midi/MidiImport.h"
#include "midi/MidiWriter.h"
#include "mml/MmlWriter.h"
#include "sound/ToneTimeline.h"

namespace {

// Bytes written as hex, blanks ignored: events read like the format's tables.
QByteArray hex(const char *text)
{
    return QByteArray::fromHex(QByteArray(text).replace(' ', ""));
}

// A track's events, each after its delta time in ticks.
class Track {
public:
    Track &at(quint32 delta, const char *event)
    {
        QByteArray quantity(1, char(delta & 0x7f));
        while ((delta >>= 7) != 0)
            quantity.prepend(char((delta & 0x7f) | 0x80));
        m_bytes += quantity + hex(event);
        return *this;
    }
    QByteArray bytes() const { return m_bytes + hex("00 ff 2f 00"); }

private:
    QByteArray m_bytes;
};

// A file with 480 ticks a quarter note.
QByteArray midiFile(int format, const QList<Track> &tracks, const char *division = "01 e0")
{
    QByteArray file = hex("4d546864 00000006 00") + char(format);
    file += hex("00") + char(tracks.size()) + hex(division);
    for (const Track &events : tracks) {
        const QByteArray track = events.bytes();
        file += "MTrk";
        for (int shift = 24; shift >= 0; shift -= 8)
            file += char((track.size() >> shift) & 0xff);
        file += track;
    }
    return file;
}

// The notes of a melody file, without its comment line.
QString notesOf(const Melody &melody)
{
    // The notes as the melody file writes them, after its two comment lines.
    QStringList lines = QString::fromUtf8(mmlText(melody)).split(QLatin1Char('\n'));
    return lines.mid(2).join(QLatin1Char(' ')).simplified();
}

// What the brick plays: when each tone sounds and when the melody ends.
// Spans of one tone that follow each other without a break are one sound.
ToneTimeline heard(const std::vector<NoteRecord> &notes)
{
    ToneTimeline timeline = toneTimeline(brickEvents(notes));
    std::vector<SoundSpan> joined;
    for (const SoundSpan &span : timeline.spans) {
        if (!joined.empty() && joined.back().endTick == span.startTick && joined.back().hertz == span.hertz)
            joined.back().endTick = span.endTick;
        else
            joined.push_back(span);
    }
    timeline.spans = joined;
    return timeline;
}

} // namespace

class MidiImportTest : public QObject {
    Q_OBJECT

private slots:
    void handMadeFilesGiveTheirMelody_data();
    void handMadeFilesGiveTheirMelody();
    void theMelodyIsWhatAListenerHears_data();
    void theMelodyIsWhatAListenerHears();
    void aMelodyPlayedInKeepsItsBeats();
    void brokenFilesAreRefusedSayingWhy_data();
    void brokenFilesAreRefusedSayingWhy();
    void aFileZepaWroteIsPlayedAsBefore();
    void aFileZepaWroteOnTheGridIsTheSameScore();
    void moreThanTheScoreHoldsIsRefused_data();
    void moreThanTheScoreHoldsIsRefused();
};

void MidiImportTest::handMadeFilesGiveTheirMelody_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("track");
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QStringList>("changes");

    // A quarter note is 480 ticks, 50 of ZEPA's at 120; its gaps, 0, 10 and 20
    // of ZEPA's ticks, are 0, 96 and 192.
    QTest::newRow("running status, velocity 0 ends") << midiFile(
        0,
        {Track().at(0, "90 48 64").at(384, "48 00").at(96, "4a 64").at(384, "4a 00").at(96, "4c 64").at(480, "4c 00")})
                                                     << 0 << 0 << "t120 o5 l4 q7 c d q8 e" << QStringList{};
    QTest::newRow("a chord: the highest sounds")
        << midiFile(0,
                    {Track()
                         .at(0, "90 3c 64")
                         .at(0, "40 64")
                         .at(0, "43 64")
                         .at(384, "80 3c 40")
                         .at(0, "80 40 40")
                         .at(0, "80 43 40")
                         .at(96, "90 48 64")
                         .at(384, "80 48 40")
                         .at(96, "ff 01 00")})
        << 0 << 0 << "t120 o4 l4 q7 g o5 c"
        << QStringList{QStringLiteral("ほかの音と重なっていた 2 音を省き、いちばん高い音を残しました。")};
    QTest::newRow("rests: before, between and after") << midiFile(
        0,
        {Track().at(960, "90 48 64").at(288, "48 00").at(192 + 480, "48 64").at(384, "48 00").at(96 + 960, "ff 01 00")})
                                                      << 0 << 0 << "t120 o5 l2 q7 r l4 q4 c q7 r c l2 r"
                                                      << QStringList{};
    QTest::newRow("out of range: moved by octaves")
        << midiFile(0, {Track().at(0, "90 1e 64").at(384, "1e 00").at(96, "78 64").at(384, "78 00").at(96, "ff 01 00")})
        << 0 << 0 << "t120 o3 l4 q7 f+ o7 c"
        << QStringList{QStringLiteral("ZEPAの５オクターブの外にあった 2 音を、オクターブ単位で移しました。")};
    QTest::newRow("longer than a whole note: tied")
        << midiFile(0, {Track().at(0, "90 48 64").at(6 * 480 - 96, "48 00").at(96, "ff 01 00")}) << 0 << 0
        << "t120 o5 l1 q8 c l2 q7 c"
        << QStringList{QStringLiteral("全音符より長い 1 音を、タイでつないだ音にしました。")};

    // Format 1: a tempo track (100, then 150), a melody and a drum part.
    const Track conductor = Track().at(0, "ff 51 03 09 27 c0").at(960, "ff 51 03 06 1a 80");
    const Track melody = Track()
                             .at(0, "ff 03 06 4d656c6f6479")
                             .at(0, "90 48 64")
                             .at(384, "48 00")
                             .at(96, "4c 64")
                             .at(384, "4c 00")
                             .at(96, "4f 64")
                             .at(864, "4f 00")
                             .at(96, "ff 01 00");
    const Track drums = Track().at(0, "99 24 64").at(480, "89 24 00").at(0, "99 26 64").at(480, "26 00");
    const QByteArray song = midiFile(1, {conductor, melody, drums});
    const QStringList tempoChanged{QStringLiteral("途中のテンポの変化（1 か所）は使わず、最初のテンポで通しました。")};
    QTest::newRow("two tracks: the first with notes") << song << 0 << 0 << "t100 o5 l4 q7 c e l2 g" << tempoChanged;
    QTest::newRow("two tracks: the one chosen")
        << song << 3 << 10 << "t100 o3 l4 q8 c d"
        << QStringList{QStringLiteral("ZEPAの５オクターブの外にあった 2 音を、オクターブ単位で移しました。"),
                       tempoChanged[0]};
}

void MidiImportTest::handMadeFilesGiveTheirMelody()
{
    QFETCH(QByteArray, file);
    QFETCH(int, track);
    QFETCH(int, channel);
    QFETCH(QString, notes);
    QFETCH(QStringList, changes);

    const MidiReadResult read = readMidiFile(file);
    QVERIFY2(read.ok(), qPrintable(read.error));
    const MidiVoice *voice = findMidiVoice(read.song, track, channel);
    QVERIFY(voice != nullptr);
    const MidiImport import = importMidiVoice(read.song, *voice);
    QVERIFY2(import.ok(), qPrintable(import.error));
    QCOMPARE(notesOf(import.melody), notes);
    QCOMPARE(import.changes(), changes);
}

// Files as sequencers and players write them; each row a way such a file
// was misread before: a blip of a lower note, a strum as three notes, a
// repeated note tied, the drum channel as the melody, a RIFF wrapper.
void MidiImportTest::theMelodyIsWhatAListenerHears_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QString>("said");
    QTest::newRow("a strummed chord is one chord, its top note the melody")
        << midiFile(0,
                    {Track()
                         .at(0, "90 3c 64")
                         .at(12, "40 64")
                         .at(12, "43 64")
                         .at(456, "80 3c 40")
                         .at(0, "80 40 40")
                         .at(0, "80 43 40")
                         .at(0, "90 48 64")
                         .at(480, "80 48 40")})
        << "t120 o4 l4 q8 g o5 c" << QStringLiteral("ほかの音と重なっていた 2 音を省き");
    // The top note leaves its articulation's silence while a lower note is
    // held on: the lower note is no melody there.
    QTest::newRow("no blip of a lower note held under the melody")
        << midiFile(0,
                    {Track()
                         .at(0, "90 30 64")
                         .at(0, "90 48 64")
                         .at(384, "80 48 40")
                         .at(96, "90 4a 64")
                         .at(384, "80 4a 40")
                         .at(96, "80 30 40")})
        << "t120 o5 l4 q7 c d" << QStringLiteral("ほかの音と重なっていた 1 音を省き");
    QTest::newRow("a note struck again is struck again, not tied")
        << midiFile(0, {Track().at(0, "90 48 64").at(480, "80 48 40").at(0, "90 48 64").at(480, "80 48 40")})
        << "t120 o5 l4 q7 c q8 c" << QString();
    QTest::newRow("the drum channel is no melody while a pitched voice has notes")
        << midiFile(1, {Track().at(0, "99 24 64").at(480, "89 24 00"), Track().at(0, "90 48 64").at(480, "80 48 40")})
        << "t120 o5 l4 q8 c" << QString();
    const QByteArray smf = midiFile(0, {Track().at(0, "90 48 64").at(384, "80 48 40").at(96, "ff 01 00")});
    QByteArray riff = "RIFF" + QByteArray(4, '\0') + "RMIDdata";
    for (int shift = 0; shift < 32; shift += 8)
        riff += char((smf.size() >> shift) & 0xff);
    QTest::newRow("a RIFF MIDI file (.rmi)") << riff + smf << "t120 o5 l4 q7 c" << QString();
}

void MidiImportTest::theMelodyIsWhatAListenerHears()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, notes);
    QFETCH(QString, said);
    const MidiReadResult read = readMidiFile(file);
    QVERIFY2(read.ok(), qPrintable(read.error));
    const MidiVoice *voice = findMidiVoice(read.song, 0, 0);
    QVERIFY(voice != nullptr);
    const MidiImport import = importMidiVoice(read.song, *voice);
    QVERIFY2(import.ok(), qPrintable(import.error));
    QCOMPARE(notesOf(import.melody), notes);
    QVERIFY2(said.isEmpty() || import.changes().join(u' ').contains(said), qPrintable(import.changes().join(u' ')));
}

// A melody played in on a keyboard: each onset up to 40 ticks (a twelfth of a
// beat) early or late, lengths as the hand holds them. Its notes come in on
// the grid, none shorter than a sixteenth, each onset within half a
// sixteenth of the one played, to the end of the melody: no drift.
void MidiImportTest::aMelodyPlayedInKeepsItsBeats()
{
    QRandomGenerator random(20261209);
    for (int round = 0; round < 20; ++round) {
        Track track;
        std::vector<qint64> played;
        qint64 beat = 0;
        qint64 last = 0;
        for (int i = 0; i < 200; ++i) {
            const qint64 steps = std::array<qint64, 5>{1, 2, 2, 4, 3}[random.bounded(5)]; // sixteenths
            const qint64 onset = std::max<qint64>(last, beat + random.bounded(-40, 41));
            const qint64 held = steps * 120 - random.bounded(10, 60);
            const char key = char(60 + random.bounded(24));
            char on[16];
            std::snprintf(on, sizeof on, "90 %02x 64", unsigned(key) & 0xff);
            char off[16];
            std::snprintf(off, sizeof off, "80 %02x 40", unsigned(key) & 0xff);
            track.at(quint32(onset - last), on).at(quint32(held), off);
            last = onset + held;
            played.push_back(onset);
            beat += steps * 120;
        }
        const MidiReadResult read = readMidiFile(midiFile(0, {track}));
        QVERIFY2(read.ok(), qPrintable(read.error));
        const MidiImport import = importMidiVoice(read.song, read.song.voices.front());
        QVERIFY2(import.ok(), qPrintable(import.error));
        std::size_t onset = 0;
        qint64 at = 0; // in MIDI ticks of 480 a quarter
        const NoteRecord *before = nullptr;
        for (const NoteRecord &note : import.melody.notes) {
            // A tie's continuation is no onset of its own.
            const bool tiedOn = before && !before->isRest() && before->articulation == Articulation::SlurOrTie
                && before->pitch == note.pitch && before->octave == note.octave;
            if (!note.isRest() && !tiedOn) {
                QVERIFY(onset < played.size());
                QVERIFY2(std::abs(at - played[onset]) <= 60,
                         qPrintable(QStringLiteral("round %1: note %2 at %3, played at %4")
                                        .arg(round)
                                        .arg(onset)
                                        .arg(at)
                                        .arg(played[onset])));
                ++onset;
            }
            at += MidiFile::gridTicks(note.length) / 2;
            before = &note;
        }
        QCOMPARE(onset, played.size());
    }
}

void MidiImportTest::brokenFilesAreRefusedSayingWhy_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");

    const Track note = Track().at(0, "90 48 64").at(384, "48 00");
    const QByteArray good = midiFile(0, {note});
    QTest::newRow("not MIDI") << QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16) << "MIDIファイルではありません。";
    QTest::newRow("empty") << QByteArray() << "MIDIファイルではありません。";
    QTest::newRow("SMPTE time") << midiFile(0, {note}, "e7 28")
                                << "時間がSMPTE（秒のフレーム）で書かれたMIDIファイルには対応していません。"
                                   "拍で書かれたファイルを使ってください。";
    QTest::newRow("format 2") << midiFile(2, {note})
                              << "形式 2 のMIDIファイルには対応していません（形式 0 と 1 が読めます）。";
    for (int size = 4; size < good.size(); ++size)
        QTest::addRow("cut after %d bytes", size) << good.left(size) << "ファイルが途中で切れています。";
    QTest::newRow("no notes") << midiFile(0, {Track().at(0, "ff 51 03 07 a1 20")})
                              << "MIDIファイルに音がひとつもありません。";
    QTest::newRow("data before any status")
        << midiFile(0, {Track().at(0, "48 64")}) << "トラック 1 の 2 バイト目: データが命令なしで始まっています。";
    QTest::newRow("a system status inside a track")
        << midiFile(0, {Track().at(0, "f2 00 00")})
        << "トラック 1 の 2 バイト目: トラックの中にあってはならない命令です。";
}

void MidiImportTest::brokenFilesAreRefusedSayingWhy()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    const MidiReadResult read = readMidiFile(file);
    QCOMPARE(read.error, error);
}

// What the import said beyond making a note longer than a whole note tied
// notes: a tie of ZEPA's is one note in a MIDI file, as it is heard.
QStringList changesBeyondTies(const MidiImport &import)
{
    QStringList changes = import.changes();
    changes.removeIf([](const QString &change) { return change.contains(QStringLiteral("タイでつないだ")); });
    return changes;
}

// Whatever ZEPA writes comes back as a melody the brick plays the same: the
// same tones at the same ticks, articulations recovered from the gaps.
void MidiImportTest::aFileZepaWroteIsPlayedAsBefore()
{
    QRandomGenerator random(1307);
    for (int round = 0; round < 60; ++round) {
        const int tempo = round < 2 ? 60 + 180 * round : int(random.bounded(60, 241));
        std::vector<NoteRecord> notes{
            toneNote(int(random.bounded(12)), Octave::Middle, lengthTicks(NoteLength::Quarter, tempo))};
        notes.front().length = NoteLength::Quarter;
        for (int i = 0; i < 150; ++i)
            notes.push_back(randomNote(random, tempo, 4));

        const MidiReadResult read = readMidiFile(MidiFile::write(notes, tempo, MidiFile::Timing::AsPlayed));
        QVERIFY2(read.ok(), qPrintable(read.error));
        const MidiImport import = importMidiVoice(read.song, read.song.voices.front());
        QVERIFY2(import.ok(), qPrintable(import.error));
        QCOMPARE(import.melody.tempo, tempo);
        QVERIFY2(changesBeyondTies(import).isEmpty(), qPrintable(import.changes().join(u' ')));
        const ToneTimeline before = heard(notes);
        const ToneTimeline after = heard(import.melody.notes);
        QCOMPARE(after.totalTicks, before.totalTicks);
        for (std::size_t i = 0; i < std::min(before.spans.size(), after.spans.size()); ++i) {
            const SoundSpan &was = before.spans[i];
            const SoundSpan &is = after.spans[i];
            QVERIFY2(was == is,
                     qPrintable(QStringLiteral("tempo %1, sound %2: %3-%4 %5 Hz became %6-%7 %8 Hz")
                                    .arg(tempo)
                                    .arg(i)
                                    .arg(was.startTick)
                                    .arg(was.endTick)
                                    .arg(was.hertz)
                                    .arg(is.startTick)
                                    .arg(is.endTick)
                                    .arg(is.hertz)));
        }
        QCOMPARE(after.spans.size(), before.spans.size());
    }
}

namespace {

// Each note as the grid has it: its tone, its onset in grid ticks and how
// long it sounds; and where the melody ends. A note shorter than its gap
// sounds the brick's shortest time whatever its length, so its length is not
// in the file: only its onset and its sound are.
QStringList onGrid(const std::vector<NoteRecord> &notes)
{
    QStringList grid;
    int onset = 0;
    int heardFrom = 0; // a note tied into its own pitch sounds on: one note is heard
    int brickNow = 0; // in the brick's ticks, as the sound is counted
    int brickFrom = 0;
    const NoteRecord *before = nullptr;
    for (const NoteRecord &note : notes) {
        if (!note.isRest()) {
            const bool tiedOn = before && !before->isRest() && before->articulation == Articulation::SlurOrTie
                && before->pitch == note.pitch && before->octave == note.octave;
            if (tiedOn) {
                grid.removeLast();
            } else {
                heardFrom = onset;
                brickFrom = brickNow;
            }
            grid << QStringLiteral("%1/%2 at %3 sounds %4")
                        .arg(note.pitch)
                        .arg(int(note.octave))
                        .arg(heardFrom)
                        .arg(brickNow - brickFrom + playedNote(note).soundTicks);
        }
        before = &note;
        onset += MidiFile::gridTicks(note.length);
        brickNow += playedNote(note).lengthTicks;
    }
    grid << QStringLiteral("ends at %1").arg(onset);
    return grid;
}

} // namespace

void MidiImportTest::aFileZepaWroteOnTheGridIsTheSameScore()
{
    QRandomGenerator random(20261208);
    for (int round = 0; round < 60; ++round) {
        const int tempo = round < 3 ? std::array{60, 97, 240}[std::size_t(round)] : int(random.bounded(60, 241));
        std::vector<NoteRecord> notes{
            toneNote(int(random.bounded(12)), Octave::Middle, lengthTicks(NoteLength::Quarter, tempo))};
        notes.front().length = NoteLength::Quarter;
        for (int i = 0; i < 150; ++i)
            notes.push_back(randomNote(random, tempo, 4));
        const QByteArray file = MidiFile::write(notes, tempo);
        const MidiReadResult read = readMidiFile(file);
        QVERIFY2(read.ok(), qPrintable(read.error));
        const MidiImport import = importMidiVoice(read.song, read.song.voices.front());
        QVERIFY2(import.ok(), qPrintable(import.error));
        QCOMPARE(import.melody.tempo, tempo);
        QVERIFY2(changesBeyondTies(import).isEmpty(), qPrintable(import.changes().join(u' ')));
        // The melody read writes the same file again: the same tones at the
        // same onsets, sounding as long. How a silence is cut into rests is
        // not in the file (2/3 of a beat is one rest, or an eighth and a
        // triplet sixteenth), nor the length of a note shorter than its gap,
        // which sounds the shortest time whatever its length.
        if (MidiFile::write(import.melody.notes, tempo) != file)
            QCOMPARE(onGrid(import.melody.notes), onGrid(notes));
    }
}

void MidiImportTest::moreThanTheScoreHoldsIsRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    // One tick a quarter note: the longest delta time is 2^28 - 1 quarters.
    Track days;
    for (int i = 0; i < 8; ++i)
        days.at(0x0fffffff, "90 48 64").at(1, "48 00");
    QTest::newRow("a silence of years") << midiFile(0, {days}, "00 01");
    QTest::newRow("a note of years") << midiFile(0, {Track().at(0, "90 48 64").at(0x0fffffff, "48 00")}, "00 01");
    Track many;
    for (int i = 0; i < 32768; ++i)
        many.at(0, "90 48 64").at(1, "48 00");
    QTest::newRow("32768 notes") << midiFile(0, {many}, "00 01");
}

void MidiImportTest::moreThanTheScoreHoldsIsRefused()
{
    QFETCH(QByteArray, file);
    const MidiReadResult read = readMidiFile(file);
    QVERIFY2(read.ok(), qPrintable(read.error));
    const MidiImport import = importMidiVoice(read.song, read.song.voices.front());
    QCOMPARE(import.error, QStringLiteral("音と休符が、ZEPAの楽譜に入る 32767 個を超えます。"));
    QVERIFY(import.melody.notes.empty());
}

QTEST_GUILESS_MAIN(MidiImportTest)
#include "tst_midi_import.moc"
