#include "notation/MusicXmlPart.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>

#include <QCoreApplication>
#include <QXmlStreamReader>

namespace MusicXml {

namespace {

// Far beyond any melody ZEPA holds (32767 whole notes are 1.3e8 ticks), and
// far below where sums of them could overflow.
constexpr qint64 LongestScore = qint64(1) << 40;

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
            failure = {QCoreApplication::translate("MusicXmlPart", "MusicXMLとして読めません（XMLではありません）。")};
            return std::nullopt;
        }
        if (m_xml.name() == QLatin1String("score-timewise")) {
            failure
                = {QCoreApplication::translate("MusicXmlPart",
                                               "小節ごとに書かれたMusicXML（score-timewise）は読めません。"
                                               "楽譜ソフトでふつうのMusicXML（score-partwise）に書き出してください。")};
            return std::nullopt;
        }
        if (m_xml.name() != QLatin1String("score-partwise")) {
            failure = {QCoreApplication::translate("MusicXmlPart", "MusicXMLの楽譜ではありません。")};
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
            } else if (m_xml.name() == QLatin1String("work")) {
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("work-title"))
                        contents.title = m_xml.readElementText().simplified();
                    else
                        m_xml.skipCurrentElement();
                }
            } else if (m_xml.name() == QLatin1String("movement-title")) {
                const QString movement = m_xml.readElementText().simplified();
                if (contents.title.isEmpty())
                    contents.title = movement;
            } else if (m_xml.name() == QLatin1String("part")) {
                const QString id = m_xml.attributes().value(QLatin1String("id")).toString();
                // A part without an id is the first where it comes first.
                if (partRead || (!firstPart.isEmpty() && !id.isEmpty() && id != firstPart)) {
                    // Read for its tempo only: a score may give it in any part.
                    ++otherParts;
                    PartContents other;
                    readPart(other);
                    if (other.tempo && (!contents.tempo || other.tempoAt < contents.tempoAt)) {
                        contents.tempo = other.tempo;
                        contents.tempoAt = other.tempoAt;
                    }
                } else {
                    partRead = true;
                    const std::optional<double> earlierTempo = contents.tempo;
                    const qint64 earlierTempoAt = contents.tempoAt;
                    contents.tempo.reset();
                    readPart(contents);
                    if (earlierTempo && (!contents.tempo || earlierTempoAt < contents.tempoAt)) {
                        contents.tempo = earlierTempo;
                        contents.tempoAt = earlierTempoAt;
                    }
                    keepTopVoice(contents);
                }
            } else {
                m_xml.skipCurrentElement();
            }
            if (m_failure)
                break;
        }
        if (!m_failure && m_xml.hasError())
            m_failure = Failure{QCoreApplication::translate("MusicXmlPart", "MusicXMLの%1行目が読めません（%2）。")
                                    .arg(m_xml.lineNumber())
                                    .arg(m_xml.errorString())};
        if (!m_failure && std::none_of(contents.notes.begin(), contents.notes.end(), [](const WrittenNote &note) {
                return !note.rest;
            }))
            m_failure
                = Failure{QCoreApplication::translate("MusicXmlPart", "MusicXMLの最初のパートに音符がありません。")};
        if (m_failure) {
            failure = *m_failure;
            return std::nullopt;
        }
        return contents;
    }

private:
    void fail(const QString &words)
    {
        if (!m_failure)
            m_failure = Failure{
                QCoreApplication::translate("MusicXmlPart", "MusicXMLの%1行目：%2").arg(m_xml.lineNumber()).arg(words)};
        m_xml.raiseError(words);
    }

    // A whole number of the element's text, or nothing after a failure.
    std::optional<qint64> number()
    {
        bool ok = false;
        const qint64 value = m_xml.readElementText().trimmed().toLongLong(&ok);
        if (!ok) {
            fail(QCoreApplication::translate("MusicXmlPart", "数が読めません。"));
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
            fail(QCoreApplication::translate("MusicXmlPart", "長さが範囲外です。"));
            return std::nullopt;
        }
        m_lastDuration = double(*divisions);
        return qint64(std::llround(double(*divisions) * TicksPerQuarter / m_divisions));
    }

    void move(qint64 by)
    {
        m_now = std::clamp<qint64>(m_now + by, m_measureStart, LongestScore);
        m_furthest = std::max(m_furthest, m_now);
    }

    void readPart(PartContents &contents)
    {
        // Each part has its own time line, divisions and transposition.
        m_divisions = 1;
        m_divisionsSeen = false;
        m_inferredDivisions.reset();
        m_now = m_furthest = m_measureStart = m_chordStart = 0;
        m_transpose = 0;
        m_barTicks = 0;
        m_openSlurs.clear();
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
            if (m_furthest == m_measureStart && m_barTicks > 0) {
                // A measure with nothing in it is a bar of silence, as printed.
                WrittenNote rest;
                rest.rest = true;
                rest.measure = measure;
                rest.start = m_measureStart;
                rest.length = m_barTicks;
                contents.notes.push_back(rest);
                move(m_barTicks);
            }
            ++measure;
        }
        contents.end = m_furthest;
        contents.measureStarts.push_back(m_furthest);
        if (!m_divisionsSeen && m_inferredDivisions && *m_inferredDivisions > 0) {
            // No <divisions>, which a score must give before its first
            // duration: the one its notes' own types imply.
            contents.divisionsMissing = true;
            rescale(contents, 1.0 / *m_inferredDivisions);
        }
    }

    static void rescale(PartContents &contents, double factor)
    {
        const auto scaled = [factor](qint64 ticks) { return qint64(std::llround(double(ticks) * factor)); };
        for (WrittenNote &note : contents.notes) {
            const qint64 end = scaled(note.end());
            note.start = scaled(note.start);
            note.length = end - note.start;
        }
        for (qint64 &start : contents.measureStarts)
            start = scaled(start);
        contents.end = scaled(contents.end);
        contents.tempoAt = scaled(contents.tempoAt);
    }

    // The melody of a part with several voices or staves is its top voice:
    // the first voice of the upper staff, and of a chord its highest note.
    // Where that voice rests (a written rest, or no note at all), the next
    // voice of its staff that sounds there carries the melody, as a listener
    // hears it; the other voices never fill the top voice's articulation (the
    // silence after each of its notes), which would make it another line.
    static void keepTopVoice(PartContents &contents)
    {
        std::vector<WrittenNote> &notes = contents.notes;
        const auto voiceOf = [](const WrittenNote &note) { return note.voice == 0 ? 1 : note.voice; };
        int staff = INT_MAX;
        for (const WrittenNote &note : notes) {
            if (!note.rest)
                staff = std::min(staff, note.staff);
        }
        int voice = INT_MAX;
        for (const WrittenNote &note : notes) {
            if (!note.rest && note.staff == staff)
                voice = std::min(voice, voiceOf(note));
        }
        const auto byStart = [](const WrittenNote &a, const WrittenNote &b) { return a.start < b.start; };
        std::vector<WrittenNote> top;
        std::vector<WrittenNote> below; // the staff's other voices, pitched
        for (const WrittenNote &note : notes) {
            if (note.staff == staff && voiceOf(note) == voice)
                top.push_back(note);
            else if (note.staff == staff && !note.rest)
                below.push_back(note);
            else if (!note.rest)
                ++contents.otherVoiceNotes;
        }
        std::stable_sort(top.begin(), top.end(), byStart);
        std::stable_sort(below.begin(), below.end(), byStart);
        // Where the top voice's notes sound, as written (start to end).
        std::vector<std::pair<qint64, qint64>> sounding;
        for (const WrittenNote &note : top) {
            if (!note.rest && note.length > 0) {
                if (!sounding.empty() && note.start <= sounding.back().second)
                    sounding.back().second = std::max(sounding.back().second, note.end());
                else
                    sounding.emplace_back(note.start, note.end());
            }
        }
        std::vector<WrittenNote> fillers;
        std::size_t span = 0;
        for (const WrittenNote &note : below) {
            while (span < sounding.size() && sounding[span].second <= note.start)
                ++span;
            const bool silent = span == sounding.size() || note.start < sounding[span].first;
            const bool free
                = fillers.empty() || fillers.back().end() <= note.start || fillers.back().start == note.start;
            if (!silent || !free) {
                ++contents.otherVoiceNotes;
                continue;
            }
            WrittenNote filler = note;
            if (span < sounding.size())
                filler.length = std::min(filler.end(), sounding[span].first) - filler.start;
            if (!fillers.empty() && fillers.back().start == filler.start) {
                ++contents.chordNotes;
                if (filler.key > fillers.back().key)
                    fillers.back() = filler;
                continue;
            }
            fillers.push_back(filler);
        }
        // A rest of the top voice where another voice sounds is no rest.
        std::vector<WrittenNote> kept;
        for (const WrittenNote &note : top) {
            if (note.rest && std::any_of(fillers.begin(), fillers.end(), [&note](const WrittenNote &filler) {
                    return filler.start < note.end() && note.start < filler.end();
                }))
                continue;
            kept.push_back(note);
        }
        kept.insert(kept.end(), fillers.begin(), fillers.end());
        std::stable_sort(kept.begin(), kept.end(), byStart);
        notes.clear();
        for (const WrittenNote &note : kept) {
            if (!notes.empty() && notes.back().start == note.start) {
                WrittenNote &other = notes.back();
                if (note.rest)
                    continue;
                if (!other.rest)
                    ++contents.chordNotes;
                if (other.rest || note.key > other.key)
                    other = note;
                continue;
            }
            notes.push_back(note);
        }
        // A tie to the same pitch right after is a tie where it is printed
        // (<tied>) or where the next note takes it up (its tie stopping); a
        // bare <tie> that leads nowhere is no tie: the next note is struck
        // again, as notation programs play it.
        for (std::size_t i = 0; i < notes.size(); ++i) {
            WrittenNote &note = notes[i];
            if (!note.tieStart || note.tieDrawn)
                continue;
            note.tieStart = i + 1 < notes.size() && !notes[i + 1].rest && notes[i + 1].key == note.key
                && notes[i + 1].tieStop && notes[i + 1].start == note.end();
        }
    }

    void readAttributes(PartContents &contents, int measure)
    {
        while (!m_failure && m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("divisions")) {
                const std::optional<qint64> divisions = number();
                if (!divisions)
                    return;
                if (*divisions <= 0 || *divisions > 1000000) {
                    fail(QCoreApplication::translate("MusicXmlPart", "divisions が範囲外です。"));
                    return;
                }
                m_divisions = double(*divisions);
                m_divisionsSeen = true;
            } else if (m_xml.name() == QLatin1String("transpose")) {
                readTranspose();
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
                if (beats > 0 && beats <= 64 && beatType > 0 && beatType <= 64)
                    m_barTicks = qint64(beats) * 4 * TicksPerQuarter / beatType;
                if (shown && measure == 0 && m_now == 0 && beatType == 4 && beats >= 2 && beats <= 4)
                    contents.meter = beats;
            } else {
                m_xml.skipCurrentElement();
            }
        }
    }

    // Written pitch to sounding: chromatic steps, octaves, and a doubling an
    // octave above (then the top line is the upper octave).
    void readTranspose()
    {
        int semitones = 0;
        while (!m_failure && m_xml.readNextStartElement()) {
            const QStringView name = m_xml.name();
            if (name == QLatin1String("chromatic")) {
                semitones += std::clamp(m_xml.readElementText().trimmed().toInt(), -127, 127);
            } else if (name == QLatin1String("octave-change")) {
                semitones += 12 * std::clamp(m_xml.readElementText().trimmed().toInt(), -10, 10);
            } else if (name == QLatin1String("double")) {
                if (m_xml.attributes().value(QLatin1String("above")) == QLatin1String("yes"))
                    semitones += 12;
                m_xml.skipCurrentElement();
            } else {
                m_xml.skipCurrentElement();
            }
        }
        m_transpose = semitones;
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
        if (ok && value > 0)
            tempoFound(contents, value);
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
                static const std::pair<const char *, double> Units[]
                    = {{"whole", 4}, {"half", 2}, {"quarter", 1}, {"eighth", 0.5}, {"16th", 0.25}, {"32nd", 0.125}};
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
        if (dotted > 0 && perMinute > 0)
            tempoFound(contents, perMinute * dotted);
    }

    void tempoFound(PartContents &contents, double tempo)
    {
        if (!contents.tempo || m_now < contents.tempoAt) {
            contents.tempo = tempo;
            contents.tempoAt = m_now;
        }
    }

    void readBarline(PartContents &contents)
    {
        while (m_xml.readNextStartElement()) {
            if (m_xml.name() == QLatin1String("repeat")
                && m_xml.attributes().value(QLatin1String("direction")) == QLatin1String("backward"))
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
                note.tieDrawn = note.tieDrawn || type == QLatin1String("start");
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
        double typeQuarters = 0; // the length <type>, dots and tuplet say
        int dots = 0;
        double tuplet = 1;
        bool durationGiven = false;
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
                        octave = std::clamp(m_xml.readElementText().trimmed().toInt(), -10, 20);
                    else
                        m_xml.skipCurrentElement();
                }
            } else if (name == QLatin1String("duration")) {
                if (const std::optional<qint64> value = ticks()) {
                    length = *value;
                    durationGiven = true;
                }
            } else if (name == QLatin1String("type")) {
                static const std::pair<const char *, double> Types[]
                    = {{"breve", 8},    {"whole", 4},   {"half", 2},     {"quarter", 1},
                       {"eighth", 0.5}, {"16th", 0.25}, {"32nd", 0.125}, {"64th", 0.0625}};
                const QString type = m_xml.readElementText().trimmed();
                for (const auto &[word, quarters] : Types) {
                    if (type == QLatin1String(word))
                        typeQuarters = quarters;
                }
            } else if (name == QLatin1String("dot")) {
                ++dots;
                m_xml.skipCurrentElement();
            } else if (name == QLatin1String("time-modification")) {
                double actual = 1;
                double normal = 1;
                while (m_xml.readNextStartElement()) {
                    if (m_xml.name() == QLatin1String("actual-notes"))
                        actual = std::max(1, m_xml.readElementText().trimmed().toInt());
                    else if (m_xml.name() == QLatin1String("normal-notes"))
                        normal = std::max(1, m_xml.readElementText().trimmed().toInt());
                    else
                        m_xml.skipCurrentElement();
                }
                tuplet = normal / actual;
            } else if (name == QLatin1String("staff")) {
                note.staff = std::clamp(m_xml.readElementText().trimmed().toInt(), 1, 99);
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
        if (!m_divisionsSeen && !m_inferredDivisions && durationGiven && typeQuarters > 0 && m_lastDuration > 0)
            m_inferredDivisions
                = std::clamp(m_lastDuration / (typeQuarters * (2 - std::pow(0.5, dots)) * tuplet), 1e-3, 1e6);
        if (pitched && step < 0) {
            fail(QCoreApplication::translate("MusicXmlPart", "音の名前（step）が読めません。"));
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
        if (alter != std::round(alter))
            ++contents.microtones;
        if (m_transpose != 0)
            ++contents.transposedNotes;
        // A quarter tone is played as the written note bent: halfway
        // between two semitones, the one nearer the written letter.
        const double bounded = std::clamp(alter, -24.0, 24.0);
        const double semitones = std::copysign(std::ceil(std::abs(bounded) - 0.5), bounded);
        note.key = std::clamp((octave + 1) * 12 + step + int(semitones) + m_transpose, -1000, 1000);
        contents.notes.push_back(note);
    }

    QXmlStreamReader m_xml;
    std::optional<Failure> m_failure;
    double m_divisions = 1;
    bool m_divisionsSeen = false;
    std::optional<double> m_inferredDivisions;
    double m_lastDuration = 0; // the last <duration> as written
    int m_transpose = 0; // semitones from written to sounding
    qint64 m_barTicks = 0; // a bar of the time signature, 0 before one
    qint64 m_now = 0;
    qint64 m_furthest = 0;
    qint64 m_measureStart = 0;
    qint64 m_chordStart = 0;
    std::set<QString> m_openSlurs;
};

} // namespace

std::optional<PartContents> readFirstPart(const QByteArray &bytes, Failure &failure, int &otherParts)
{
    return PartReader(bytes).read(failure, otherParts);
}

} // namespace MusicXml
