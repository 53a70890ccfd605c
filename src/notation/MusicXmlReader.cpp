#include "notation/MusicXmlReader.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <set>

#include <QXmlStreamReader>

#include <zip.h>

#include "engraving/WrittenMelody.h"
#include "midi/MidiWriter.h"
#include "score/ComposerState.h"

namespace {

constexpr qint64 TicksPerQuarter = MidiFile::TicksPerQuarter;
// Far beyond any melody ZEPA holds (32767 whole notes are 1.3e8 ticks), and
// far below where sums of them could overflow.
constexpr qint64 LongestScore = qint64(1) << 40;
// The largest score inside an .mxl that is read, against a zip that unpacks
// to gigabytes.
constexpr zip_uint64_t LargestInnerFile = 64 * 1024 * 1024;

struct Failure {
    QString japanese;
    QString english;
};

// A note as the part writes it, on a time line of 960 ticks a quarter.
struct WrittenNote {
    qint64 start = 0;
    qint64 length = 0;
    int key = 0;
    int voice = 0;
    int measure = 0;
    bool tieStart = false;
    bool tieStop = false;
    bool slurredOn = false; // a slur goes on to the next note
    bool staccato = false;
    bool held = false; // tenuto: no silence after it
    bool rest = false;

    qint64 end() const { return start + length; }
    Articulation articulation() const
    {
        return tieStart || slurredOn || held ? Articulation::SlurOrTie
            : staccato                       ? Articulation::Staccato
                                             : Articulation::Normal;
    }
};

struct PartContents {
    std::vector<WrittenNote> notes;
    qint64 end = 0;
    std::optional<double> tempo;
    int meter = 0;
    bool barsShown = false; // a time signature is printed: its bars are bars, not just places to cut
    int graceNotes = 0;
    int unpitched = 0;
    int dynamics = 0;
    int repeats = 0;
    std::vector<qint64> measureStarts; // and the part's end after the last
};

// The first score of a zip: the one META-INF/container.xml names, or else the
// first .musicxml or .xml outside META-INF.
std::optional<QByteArray> unzippedScore(const QByteArray &bytes, Failure &failure)
{
    const Failure broken{QStringLiteral("圧縮されたMusicXML（.mxl）が壊れているか、途中で切れています。"),
                         QStringLiteral("the compressed MusicXML (.mxl) is damaged or cut short")};
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t *source = zip_source_buffer_create(bytes.constData(), zip_uint64_t(bytes.size()), 0, &error);
    zip_t *archive = source ? zip_open_from_source(source, ZIP_RDONLY | ZIP_CHECKCONS, &error) : nullptr;
    zip_error_fini(&error);
    if (!archive) {
        if (source)
            zip_source_free(source);
        failure = broken;
        return std::nullopt;
    }
    auto readEntry = [&](const char *name) -> std::optional<QByteArray> {
        zip_stat_t stat;
        zip_stat_init(&stat);
        if (zip_stat(archive, name, 0, &stat) != 0 || !(stat.valid & ZIP_STAT_SIZE) || stat.size > LargestInnerFile)
            return std::nullopt;
        zip_file_t *file = zip_fopen(archive, name, 0);
        if (!file)
            return std::nullopt;
        QByteArray contents(qsizetype(stat.size), Qt::Uninitialized);
        const zip_int64_t read = zip_fread(file, contents.data(), stat.size);
        zip_fclose(file);
        if (read != zip_int64_t(stat.size))
            return std::nullopt;
        return contents;
    };
    QByteArray rootName;
    if (const std::optional<QByteArray> container = readEntry("META-INF/container.xml")) {
        QXmlStreamReader xml(*container);
        while (!xml.atEnd() && rootName.isEmpty()) {
            if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == QLatin1String("rootfile"))
                rootName = xml.attributes().value(QLatin1String("full-path")).toUtf8();
        }
    }
    if (rootName.isEmpty()) {
        const zip_int64_t entries = zip_get_num_entries(archive, 0);
        for (zip_int64_t i = 0; i < entries && rootName.isEmpty(); ++i) {
            const QByteArray name = zip_get_name(archive, zip_uint64_t(i), 0);
            if (!name.startsWith("META-INF/") && (name.endsWith(".musicxml") || name.endsWith(".xml")))
                rootName = name;
        }
    }
    std::optional<QByteArray> score = rootName.isEmpty() ? std::nullopt : readEntry(rootName.constData());
    zip_discard(archive);
    if (!score)
        failure = broken;
    return score;
}

int stepOf(QStringView step)
{
    static const QString Steps = QStringLiteral("CDEFGAB");
    static constexpr int Semitones[7] = {0, 2, 4, 5, 7, 9, 11};
    const qsizetype at = step.size() == 1 ? Steps.indexOf(step.at(0)) : -1;
    return at < 0 ? -1 : Semitones[at];
}

// Reads the first part of a score-partwise into notes on one time line.
class PartReader {
public:
    explicit PartReader(const QByteArray &bytes)
        : m_xml(bytes)
    { }

    std::optional<PartContents> read(Failure &failure, int &otherParts)
    {
        if (!m_xml.readNextStartElement()) {
            failure = {QStringLiteral("MusicXMLとして読めません（XMLではありません）。"),
                       QStringLiteral("this is not XML, so not MusicXML")};
            return std::nullopt;
        }
        if (m_xml.name() == QLatin1String("score-timewise")) {
            failure = {QStringLiteral("小節ごとに書かれたMusicXML（score-timewise）は読めません。"
                                      "楽譜ソフトでふつうのMusicXML（score-partwise）に書き出してください。"),
                       QStringLiteral("a MusicXML score-timewise cannot be read: export it as score-partwise")};
            return std::nullopt;
        }
        if (m_xml.name() != QLatin1String("score-partwise")) {
            failure = {QStringLiteral("MusicXMLの楽譜ではありません。"),
                       QStringLiteral("this XML is not a MusicXML score")};
            return std::nullopt;
        }
        QString firstPart;
        bool partRead = false;
        PartContents contents;
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("part-list")) {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("score-part") && firstPart.isEmpty())
                        firstPart = m_xml.attributes().value(QLatin1String("id")).toString();
                    m_xml.skipCurrentElement();
                }
            } else if (m_xml.name() == QLatin1String("part")) {
                const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
                if (partRead || (!firstPart.isEmpty() && id != firstPart)) {
                    ++otherParts;
                    m_xml.skipCurrentElement();
                } else {
                    partRead = true;
                    readPart(contents);
                }
            } else {
                m_xml.skipCurrentElement();
            }
            if (m_failure)
                break;
        }
        if (!m_failure && m_xml.hasError())
            m_failure = Failure{QStringLiteral("MusicXMLの%1行目が読めません（%2）。")
                                    .arg(m_xml.lineNumber())
                                    .arg(m_xml.errorString()),
                                QStringLiteral("line %1 of the MusicXML cannot be read (%2)")
                                    .arg(m_xml.lineNumber())
                                    .arg(m_xml.errorString())};
        if (!m_failure && std::none_of(contents.notes.begin(), contents.notes.end(),
                                       [](const WrittenNote &note) { return !note.rest; }))
            m_failure = Failure{QStringLiteral("MusicXMLの最初のパートに音符がありません。"),
                                QStringLiteral("the first part of the MusicXML has no notes")};
        if (m_failure) {
            failure = *m_failure;
            return std::nullopt;
        }
        return contents;
    }

private:
    void fail(const QString &japanese, const QString &english)
    {
        if (!m_failure)
            m_failure = Failure{QStringLiteral("MusicXMLの%1行目：%2").arg(m_xml.lineNumber()).arg(japanese),
                                QStringLiteral("line %1 of the MusicXML: %2").arg(m_xml.lineNumber()).arg(english)};
        m_xml.raiseError(english);
    }

    // A whole number of the element's text, or nothing after a failure.
    std::optional<qint64> number()
    {
        bool ok = false;
        const qint64 value = m_xml.readElementText().trimmed().toLongLong(&ok);
        if (!ok) {
            fail(QStringLiteral("数が読めません。"), QStringLiteral("not a number"));
            return std::nullopt;
        }
        return value;
    }

    // Divisions of the part to ticks; a duration out of any melody's range fails.
    std::optional<qint64> ticks()
    {
        const std::optional<qint64> divisions = number();
        if (!divisions)
            return std::nullopt;
        if (*divisions < 0 || *divisions > LongestScore) {
            fail(QStringLiteral("長さが範囲外です。"), QStringLiteral("a duration out of range"));
            return std::nullopt;
        }
        return qint64(std::llround(double(*divisions) * TicksPerQuarter / m_divisions));
    }

    void move(qint64 by)
    {
        m_now = std::clamp<qint64>(m_now + by, m_measureStart, LongestScore);
        m_furthest = std::max(m_furthest, m_now);
    }

    void readPart(PartContents &contents)
    {
        int measure = 0;
        while (!m_failure && m_xml.readNextStartElement()) {
            if (m_xml.name() != QLatin1String("measure")) {
                m_xml.skipCurrentElement();
                continue;
            }
            m_measureStart = m_now = m_furthest;
            contents.measureStarts.push_back(m_measureStart);
            while (!m_failure && m_xml.readNextStartElement()) {
                const QStringView name = m_xml.name();
                if (name == QLatin1String("attributes"))
                    readAttributes(contents, measure);
                else if (name == QLatin1String("note"))
                    readNote(contents, measure);
                else if (name == QLatin1String("backup") || name == QLatin1String("forward"))
                    readMove(name == QLatin1String("backup") ? -1 : 1);
                else if (name == QLatin1String("direction"))
                    readDirection(contents);
                else if (name == QLatin1String("sound"))
                    readSound(contents);
                else if (name == QLatin1String("barline"))
                    readBarline(contents);
                else
                    m_xml.skipCurrentElement();
            }
            ++measure;
        }
        contents.end = m_furthest;
        contents.measureStarts.push_back(m_furthest);
    }

    void readAttributes(PartContents &contents, int measure)
    {
        while (!m_failure && m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("divisions")) {
                const std::optional<qint64> divisions = number();
                if (!divisions)
                    return;
                if (*divisions <= 0 || *divisions > 1000000) {
                    fail(QStringLiteral("divisions が範囲外です。"), QStringLiteral("divisions out of range"));
                    return;
                }
                m_divisions = double(*divisions);
            } else if (m_xml.name() == QLatin1String("time")) {
                const bool shown = m_xml.attributes().value(QLatin1String("print-object")) != QLatin1String("no");
                contents.barsShown = contents.barsShown || shown;
                int beats = 0;
                int beatType = 0;
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("beats"))
                        beats = m_xml.readElementText().trimmed().toInt();
                    else if (m_xml.name() == QLatin1String("beat-type"))
                        beatType = m_xml.readElementText().trimmed().toInt();
                    else
                        m_xml.skipCurrentElement();
                }
                if (shown && measure == 0 && m_now == 0 && beatType == 4 && beats >= 2 && beats <= 4)
                    contents.meter = beats;
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    void readMove(int direction)
    {
        while (!m_failure && m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("duration")) {
                if (const std::optional<qint64> length = ticks())
                    move(direction * *length);
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    void readSound(PartContents &contents)
    {
        const QStringView tempo = m_xml.attributes().value(QLatin1String("tempo"));
        bool ok = false;
        const double value = tempo.toDouble(&ok);
        if (ok && value > 0 && !contents.tempo)
            contents.tempo = value;
        m_xml.skipCurrentElement();
    }

    void readDirection(PartContents &contents)
    {
        while (!m_failure && m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("sound")) {
                readSound(contents);
            } else if (m_xml.name() == QLatin1String("direction-type")) {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("metronome"))
                        readMetronome(contents);
                    else {
                        if (m_xml.name() == QLatin1String("dynamics"))
                            ++contents.dynamics;
                        m_xml.skipCurrentElement();
                    }
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // beat-unit (and its dots) and per-minute, as quarter notes a minute.
    void readMetronome(PartContents &contents)
    {
        double quarters = 0;
        int dots = 0;
        double perMinute = 0;
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == QLatin1String("beat-unit")) {
                static const std::pair<const char *, double> Units[] = {
                    {"whole", 4}, {"half", 2}, {"quarter", 1}, {"eighth", 0.5}, {"16th", 0.25}, {"32nd", 0.125}};
                const QString unit = m_xml.readElementText().trimmed();
                for (const auto &[word, value] : Units) {
                    if (unit == QLatin1String(word))
                        quarters = value;
                }
            } else if (name == QLatin1String("beat-unit-dot")) {
                ++dots;
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("per-minute")) {
                perMinute = m_xml.readElementText().trimmed().toDouble();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        const double dotted = quarters * (2 - std::pow(0.5, dots));
        if (dotted > 0 && perMinute > 0 && !contents.tempo)
            contents.tempo = perMinute * dotted;
    }

    void readBarline(PartContents &contents)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("repeat") && m_xml.attributes().value(QLatin1String("direction"))
                                                               == QLatin1String("backward"))
                ++contents.repeats;
            m_xml.skipCurrentElement();
        }
    }

    void readNotations(WrittenNote &note)
    {
        while (m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            const QStringView type = m_xml.attributes().value(QLatin1String("type"));
            if (name == QLatin1String("tied")) {
                note.tieStart = note.tieStart || type == QLatin1String("start");
                note.tieStop = note.tieStop || type == QLatin1String("stop");
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("slur")) {
                const QString number = m_xml.attributes().value(QLatin1String("number")).toString();
                if (type == QLatin1String("stop"))
                    m_openSlurs.erase(number);
                else if (type == QLatin1String("start"))
                    m_openSlurs.insert(number);
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("articulations")) {
                while (m_xml.readNextStartElement()) {
                    const QStringView mark = m_xml.name();
                    note.staccato = note.staccato || mark == QLatin1String("staccato")
                        || mark == QLatin1String("staccatissimo") || mark == QLatin1String("spiccato");
                    note.held = note.held || mark == QLatin1String("tenuto");
                    m_xml.skipCurrentElement();
                }
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    void readNote(PartContents &contents, int measure)
    {
        WrittenNote note;
        note.measure = measure;
        bool grace = false;
        bool chord = false;
        bool rest = false;
        bool pitched = false;
        bool unpitched = false;
        int step = -1;
        double alter = 0;
        int octave = 4;
        qint64 length = 0;
        while (!m_failure && m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == QLatin1String("grace")) {
                grace = true;
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("chord")) {
                chord = true;
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("rest")) {
                rest = true;
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("unpitched")) {
                unpitched = true;
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("pitch")) {
                pitched = true;
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("step"))
                        step = stepOf(m_xml.readElementText().trimmed());
                    else if (m_xml.name() == QLatin1String("alter"))
                        alter = m_xml.readElementText().trimmed().toDouble();
                    else if (m_xml.name() == QLatin1String("octave"))
                        octave = m_xml.readElementText().trimmed().toInt();
                    else
                        m_xml.skipCurrentElement();
                }
            } else if (name == QLatin1String("duration")) {
                if (const std::optional<qint64> value = ticks())
                    length = *value;
            } else if (name == QLatin1String("tie")) {
                const QStringView type = m_xml.attributes().value(QLatin1String("type"));
                note.tieStart = note.tieStart || type == QLatin1String("start");
                note.tieStop = note.tieStop || type == QLatin1String("stop");
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("voice")) {
                note.voice = m_xml.readElementText().trimmed().toInt();
            } else if (name == QLatin1String("notations")) {
                readNotations(note);
            } else {
                m_xml.skipCurrentElement();
            }
        }
        if (m_failure || m_xml.hasError())
            return;
        if (grace) {
            ++contents.graceNotes;
            return;
        }
        if (pitched && step < 0) {
            fail(QStringLiteral("音の名前（step）が読めません。"), QStringLiteral("a pitch's step cannot be read"));
            return;
        }
        note.start = chord ? m_chordStart : m_now;
        if (!chord) {
            m_chordStart = m_now;
            move(length);
        }
        note.length = length;
        note.slurredOn = !m_openSlurs.empty();
        if (unpitched) {
            ++contents.unpitched;
            return;
        }
        if (length == 0 || (!rest && !pitched) || (rest && chord))
            return;
        note.rest = rest;
        if (rest) {
            contents.notes.push_back(note);
            return;
        }
        note.key = std::clamp(int(std::lround((octave + 1) * 12 + step + alter)), -1000, 1000);
        contents.notes.push_back(note);
    }

    QXmlStreamReader m_xml;
    std::optional<Failure> m_failure;
    double m_divisions = 1;
    qint64 m_now = 0;
    qint64 m_furthest = 0;
    qint64 m_measureStart = 0;
    qint64 m_chordStart = 0;
    std::set<QString> m_openSlurs;
};

// Notes tied across a bar line are one note; ties within a bar join notes of
// their own, as ZEPA's slur or tie between notes of one pitch.
std::vector<WrittenNote> joinTiesAcrossBars(std::vector<WrittenNote> notes)
{
    std::stable_sort(notes.begin(), notes.end(), [](const WrittenNote &a, const WrittenNote &b) {
        return a.voice != b.voice ? a.voice < b.voice : a.start < b.start;
    });
    std::vector<WrittenNote> joined;
    for (std::size_t i = 0; i < notes.size();) {
        std::size_t end = i + 1;
        // The chain: each tied into the next of its voice, same key, at its end.
        while (end < notes.size() && notes[end - 1].tieStart && notes[end].tieStop && notes[end].voice == notes[i].voice
               && notes[end].key == notes[i].key && notes[end].start == notes[end - 1].start + notes[end - 1].length)
            ++end;
        if (notes[end - 1].measure != notes[i].measure) {
            WrittenNote whole = notes[end - 1];
            whole.start = notes[i].start;
            whole.length = notes[end - 1].start + notes[end - 1].length - notes[i].start;
            whole.tieStop = notes[i].tieStop;
            joined.push_back(whole);
        } else {
            joined.insert(joined.end(), notes.begin() + qsizetype(i), notes.begin() + qsizetype(end));
        }
        i = end;
    }
    std::stable_sort(joined.begin(), joined.end(),
                     [](const WrittenNote &a, const WrittenNote &b) { return a.start < b.start; });
    return joined;
}

std::optional<NoteLength> zepaLength(qint64 ticks)
{
    for (const NoteLengthEntry &entry : noteLengthTable()) {
        if (MidiFile::gridTicks(entry.length) == ticks)
            return entry.length;
    }
    return std::nullopt;
}

// The melody note for note and rest for rest, where the part is one line of
// ZEPA's own lengths, each starting where the one before ends: as ZEPA
// writes a melody, and as most songs are. Nothing where it is not. A run of
// rests, or of notes tied into one another, across a printed bar line is one
// note where it is just how that note would be written across the bar (a
// half note from the fourth beat of 4/4: two quarters tied); else each is a
// note. Measures of a time signature not printed are only where a writer cut
// the line (ZEPA's own, without a meter): nothing is joined across them.
std::optional<Melody> exactMelody(std::vector<WrittenNote> line, const std::vector<qint64> &measureStarts,
                                  bool barsShown, int tempo, int &movedByOctaves)
{
    std::stable_sort(line.begin(), line.end(),
                     [](const WrittenNote &a, const WrittenNote &b) { return a.start < b.start; });
    std::vector<NoteLength> lengths;
    qint64 at = 0;
    int voice = -1;
    for (const WrittenNote &note : line) {
        const std::optional<NoteLength> length = zepaLength(note.length);
        if (note.start != at || !length || (!note.rest && voice >= 0 && note.voice != voice))
            return std::nullopt;
        if (!note.rest)
            voice = note.voice;
        lengths.push_back(*length);
        at = note.end();
    }
    constexpr qint64 TicksPerUnit = TicksPerQuarter / 24;
    // The notes i … end-1 as the one note of that length that ZEPA would have
    // written so across the bar line after the first.
    auto joined = [&](std::size_t i, std::size_t end) -> std::optional<NoteLength> {
        const WrittenNote &first = line[i];
        const qint64 total = line[end - 1].end() - first.start;
        const std::optional<NoteLength> length = zepaLength(total);
        const auto next = std::upper_bound(measureStarts.begin(), measureStarts.end(), first.start);
        if (!length || next == measureStarts.end() || next + 1 == measureStarts.end() || *next >= line[end - 1].end())
            return std::nullopt;
        const qint64 toBar = *next - first.start;
        // The bar after the line; the last may be cut short, and then is as
        // long as the one before.
        qint64 bar = *(next + 1) - *next;
        if (next + 2 == measureStarts.end() && next != measureStarts.begin())
            bar = std::max(bar, *next - *(next - 1));
        if (toBar % TicksPerUnit != 0 || bar % TicksPerUnit != 0 || toBar > bar)
            return std::nullopt;
        const std::optional<std::vector<NoteLength>> split
            = splitAtBars(*length, int((bar - toBar) / TicksPerUnit), int(bar / TicksPerUnit));
        if (!split || !std::equal(split->begin(), split->end(), lengths.begin() + qsizetype(i),
                                  lengths.begin() + qsizetype(end)))
            return std::nullopt;
        return length;
    };
    Melody melody;
    melody.tempo = tempo;
    for (std::size_t i = 0; i < line.size();) {
        const WrittenNote &note = line[i];
        std::size_t run = i + 1;
        while (run < line.size()
               && (note.rest ? line[run].rest
                             : !line[run].rest && line[run - 1].tieStart && line[run].tieStop && line[run].key == note.key))
            ++run;
        std::size_t end = i + 1;
        NoteLength length = lengths[i];
        for (std::size_t k = barsShown ? run : i + 1; k > i + 1; --k) {
            if (const std::optional<NoteLength> whole = joined(i, k)) {
                end = k;
                length = *whole;
                break;
            }
        }
        NoteRecord record;
        record.length = length;
        record.ticks = lengthTicks(length, tempo);
        if (note.rest) {
            record.pitch = NoteRecord::Rest;
        } else {
            int octave = int(std::floor(note.key / 12.0)) - 4;
            record.pitch = ((note.key % 12) + 12) % 12;
            if (octave < 0 || octave > 4) {
                ++movedByOctaves;
                octave = std::clamp(octave, 0, 4);
            }
            record.octave = Octave(octave);
            record.articulation = line[end - 1].articulation();
        }
        melody.notes.push_back(record);
        if (melody.notes.size() > std::size_t(ComposerState::ScoreCapacity))
            return std::nullopt;
        i = end;
    }
    return melody;
}

} // namespace

bool looksLikeMusicXml(const QByteArray &bytes)
{
    if (bytes.startsWith("PK\x03\x04"))
        return true;
    const QByteArray head = bytes.left(4096);
    return head.contains("<score-partwise") || head.contains("<score-timewise");
}

MusicXmlRead readMusicXml(const QByteArray &bytes)
{
    MusicXmlRead read;
    Failure failure;
    std::optional<QByteArray> text = bytes;
    if (bytes.startsWith("PK\x03\x04"))
        text = unzippedScore(bytes, failure);
    int otherParts = 0;
    std::optional<PartContents> part;
    if (text)
        part = PartReader(*text).read(failure, otherParts);
    if (!part) {
        read.error = failure.japanese;
        read.errorEnglish = failure.english;
        return read;
    }

    // The tempo first: each note's silence after it is its articulation's
    // gap at that tempo, as ZEPA's own MIDI files on the beat grid time it,
    // so that the import reads every articulation back exactly.
    const int fileTempo = part->tempo ? int(std::lround(std::min(*part->tempo, 1e6))) : 0;
    const int tempo = std::clamp(fileTempo > 0 ? fileTempo : Melody::DefaultTempo, 60, 240);
    const std::vector<WrittenNote> line = joinTiesAcrossBars(part->notes);
    int moved = 0;
    if (std::optional<Melody> exact = exactMelody(part->notes, part->measureStarts, part->barsShown, tempo, moved)) {
        read.import.melody = *exact;
        read.import.notesMovedByOctaves = moved;
        read.import.fileTempo = fileTempo > 0 ? fileTempo : tempo;
    } else {
        MidiSong song;
        song.ticksPerQuarter = int(TicksPerQuarter);
        if (fileTempo > 0)
            song.tempos.push_back({0, int(std::lround(60000000.0 / std::max(fileTempo, 1)))});
        MidiVoice voice;
        voice.track = 1;
        voice.channel = 1;
        for (const WrittenNote &note : line) {
            if (!note.rest)
                voice.notes.push_back(
                    {note.start, note.start + MidiFile::gridSoundTicks(note.length, note.articulation(), tempo), note.key});
        }
        voice.trackEnd = part->end;
        song.voices.push_back(voice);
        read.import = importMidiVoice(song, song.voices.front());
        if (!read.import.ok()) {
            read.error = read.import.error;
            read.errorEnglish = read.import.error;
            return read;
        }
    }
    read.import.melody.meter = part->meter;

    auto say = [&read](int count, const QString &japanese, const QString &english) {
        if (count > 0) {
            read.leftOutJapanese << japanese.arg(count);
            read.leftOutEnglish << english.arg(count);
        }
    };
    say(otherParts, QStringLiteral("ほかの%1パートは読まず、最初のパートだけを読みました。"),
        QStringLiteral("only the first part was read, not the %1 other parts."));
    say(part->graceNotes, QStringLiteral("装飾音%1個は読みませんでした。"),
        QStringLiteral("%1 grace notes were left out."));
    say(part->unpitched, QStringLiteral("打楽器の音%1個は読みませんでした。"),
        QStringLiteral("%1 unpitched notes were left out."));
    say(part->dynamics, QStringLiteral("強弱記号%1個は読みませんでした（音の大きさはいつも同じです）。"),
        QStringLiteral("%1 dynamics were left out (every note sounds alike)."));
    say(part->repeats, QStringLiteral("繰り返し記号%1個は展開せず、書かれたとおり一度だけ読みました。"),
        QStringLiteral("%1 repeats were not expanded: the music was read once, as written."));
    return read;
}
