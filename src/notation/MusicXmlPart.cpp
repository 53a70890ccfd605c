#include "notation/MusicXmlPart.h"

#include <algorithm>
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
                    fail(QCoreApplication::translate("MusicXmlPart", "divisions が範囲外です。"));
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
        if (dotted > 0 && perMinute > 0 && !contents.tempo)
            contents.tempo = perMinute * dotted;
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

} // namespace

std::optional<PartContents> readFirstPart(const QByteArray &bytes, Failure &failure, int &otherParts)
{
    return PartReader(bytes).read(failure, otherParts);
}

} // namespace MusicXml
