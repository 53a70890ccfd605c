#include "notation/MusicXmlWriter.h"

#include <algorithm>
#include <array>
#include <cstdlib>

#include <QXmlStreamWriter>

namespace {

constexpr int Divisions = 24; // a quarter note; WrittenPiece::units are the same
constexpr std::array<const char *, 7> Steps{"C", "D", "E", "F", "G", "A", "B"};

const char *typeOf(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return "whole";
    case NoteLength::Half:
    case NoteLength::DottedHalf:
        return "half";
    case NoteLength::Quarter:
    case NoteLength::DottedQuarter:
    case NoteLength::QuarterTriplet:
        return "quarter";
    case NoteLength::Eighth:
    case NoteLength::DottedEighth:
    case NoteLength::EighthTriplet:
        return "eighth";
    case NoteLength::Sixteenth:
    case NoteLength::DottedSixteenth:
    case NoteLength::SixteenthTriplet:
        return "16th";
    case NoteLength::ThirtySecond:
        return "32nd";
    }
    return "quarter";
}

bool isDotted(NoteLength length)
{
    return length == NoteLength::DottedHalf || length == NoteLength::DottedQuarter || length == NoteLength::DottedEighth
        || length == NoteLength::DottedSixteenth;
}

// A bar's length as a time signature: thirty-seconds, halved while both stay
// whole and the lower stays at least 4 (96 units: 4/4; 30 units: 5/16).
std::pair<int, int> signatureOf(int units)
{
    int beats = units / 3;
    int beatType = 32;
    while (beats % 2 == 0 && beatType > 4) {
        beats /= 2;
        beatType /= 2;
    }
    return {beats, beatType};
}

// Where bars end: after the pieces that close one, as indices one past them.
std::vector<std::size_t> barEnds(const WrittenMelody &melody, bool withMeter)
{
    std::vector<std::size_t> ends;
    const auto &pieces = melody.pieces;
    int inBar = 0;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        inBar += pieces[i].units;
        const bool last = i + 1 == pieces.size();
        // Without a meter: a bar of at least four quarters, ending between
        // notes (never inside a tie or a triplet group) on a thirty-second,
        // so its length is a time signature.
        const bool closes = withMeter ? pieces[i].barAfter
                                      : inBar >= 4 * Divisions && inBar % 3 == 0 && !pieces[i].tiedToNext
                && (pieces[i].tuplet < 0 || melody.tuplets[std::size_t(pieces[i].tuplet)].last == int(i));
        if (closes || last) {
            ends.push_back(i + 1);
            inBar = 0;
        }
    }
    return ends;
}

// The <beam> elements of a piece in a beam group, one a level: the first
// level begins, continues and ends with the group; a further level joins
// the notes that have it, a lone one a hook toward its neighbour.
void writeBeams(QXmlStreamWriter &xml, const WrittenMelody &melody, std::size_t i)
{
    const auto group = std::find_if(melody.beams.begin(), melody.beams.end(),
                                    [i](const BeamGroup &beam) { return int(i) >= beam.first && int(i) <= beam.last; });
    if (group == melody.beams.end())
        return;
    const std::vector<WrittenPiece> &pieces = melody.pieces;
    const int levels = beamCount(pieces[i].shown);
    for (int level = 1; level <= levels; ++level) {
        const bool left = int(i) > group->first && (level == 1 || beamCount(pieces[i - 1].shown) >= level);
        const bool right = int(i) < group->last && (level == 1 || beamCount(pieces[i + 1].shown) >= level);
        const QString kind = left && right ? QStringLiteral("continue")
            : right                        ? QStringLiteral("begin")
            : left                         ? QStringLiteral("end")
            : int(i) > group->first        ? QStringLiteral("backward hook")
                                           : QStringLiteral("forward hook");
        xml.writeStartElement(QStringLiteral("beam"));
        xml.writeAttribute(QStringLiteral("number"), QString::number(level));
        xml.writeCharacters(kind);
        xml.writeEndElement();
    }
}

// An octave line as the notation programs read it: the pitches stay as they
// sound, shown an octave (8va) or two (15ma) lower, or (8vb) higher.
void writeOctaveShift(QXmlStreamWriter &xml, int shift, bool start)
{
    xml.writeStartElement(QStringLiteral("direction"));
    xml.writeAttribute(QStringLiteral("placement"), shift > 0 ? QStringLiteral("above") : QStringLiteral("below"));
    xml.writeStartElement(QStringLiteral("direction-type"));
    xml.writeEmptyElement(QStringLiteral("octave-shift"));
    xml.writeAttribute(QStringLiteral("type"),
                       !start          ? QStringLiteral("stop")
                           : shift > 0 ? QStringLiteral("down")
                                       : QStringLiteral("up"));
    xml.writeAttribute(QStringLiteral("size"), std::abs(shift) == 2 ? QStringLiteral("15") : QStringLiteral("8"));
    xml.writeAttribute(QStringLiteral("number"), QStringLiteral("1"));
    xml.writeEndElement();
    xml.writeEndElement();
}

void writePiece(QXmlStreamWriter &xml, const WrittenMelody &melody, std::size_t i, bool slurStarts, bool slurEnds)
{
    const WrittenPiece &piece = melody.pieces[i];
    const bool tiedFrom = i > 0 && melody.pieces[i - 1].tiedToNext;
    xml.writeStartElement(QStringLiteral("note"));
    if (piece.rest) {
        xml.writeEmptyElement(QStringLiteral("rest"));
    } else {
        xml.writeStartElement(QStringLiteral("pitch"));
        xml.writeTextElement(QStringLiteral("step"), QLatin1String(Steps[std::size_t(piece.pitch.letter)]));
        if (piece.pitch.sharp)
            xml.writeTextElement(QStringLiteral("alter"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("octave"), QString::number(piece.pitch.octave));
        xml.writeEndElement();
    }
    xml.writeTextElement(QStringLiteral("duration"), QString::number(piece.units));
    if (tiedFrom && !piece.rest) {
        xml.writeEmptyElement(QStringLiteral("tie"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("stop"));
    }
    if (piece.tiedToNext) {
        xml.writeEmptyElement(QStringLiteral("tie"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("start"));
    }
    xml.writeTextElement(QStringLiteral("voice"), QStringLiteral("1"));
    xml.writeTextElement(QStringLiteral("type"), QLatin1String(typeOf(piece.shown)));
    if (isDotted(piece.shown))
        xml.writeEmptyElement(QStringLiteral("dot"));
    if (piece.accidental != ShownAccidental::None && !piece.rest)
        xml.writeTextElement(QStringLiteral("accidental"),
                             piece.accidental == ShownAccidental::Sharp ? QStringLiteral("sharp")
                                                                        : QStringLiteral("natural"));
    if (isTriplet(piece.shown)) {
        xml.writeStartElement(QStringLiteral("time-modification"));
        xml.writeTextElement(QStringLiteral("actual-notes"), QStringLiteral("3"));
        xml.writeTextElement(QStringLiteral("normal-notes"), QStringLiteral("2"));
        xml.writeEndElement();
    }
    writeBeams(xml, melody, i);
    const TupletGroup *group = piece.tuplet >= 0 ? &melody.tuplets[std::size_t(piece.tuplet)] : nullptr;
    const bool tupletStarts = group && group->first == int(i);
    const bool tupletEnds = group && group->last == int(i);
    const bool tied = !piece.rest && (tiedFrom || piece.tiedToNext);
    if (tied || slurStarts || slurEnds || tupletStarts || tupletEnds || piece.staccato || piece.tenuto) {
        xml.writeStartElement(QStringLiteral("notations"));
        if (tiedFrom && !piece.rest) {
            xml.writeEmptyElement(QStringLiteral("tied"));
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("stop"));
        }
        if (piece.tiedToNext) {
            xml.writeEmptyElement(QStringLiteral("tied"));
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("start"));
        }
        if (slurStarts || slurEnds) {
            xml.writeEmptyElement(QStringLiteral("slur"));
            xml.writeAttribute(QStringLiteral("type"), slurStarts ? QStringLiteral("start") : QStringLiteral("stop"));
            xml.writeAttribute(QStringLiteral("number"), QStringLiteral("1"));
        }
        if (tupletStarts) {
            xml.writeEmptyElement(QStringLiteral("tuplet"));
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("start"));
            xml.writeAttribute(QStringLiteral("bracket"), QStringLiteral("yes"));
        }
        if (tupletEnds) {
            xml.writeEmptyElement(QStringLiteral("tuplet"));
            xml.writeAttribute(QStringLiteral("type"), QStringLiteral("stop"));
        }
        if (piece.staccato || piece.tenuto) {
            xml.writeStartElement(QStringLiteral("articulations"));
            xml.writeEmptyElement(piece.staccato ? QStringLiteral("staccato") : QStringLiteral("tenuto"));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
}

} // namespace

MusicXmlText musicXmlText(const Melody &score, const QString &title, const QString &software)
{
    MusicXmlText out;
    WrittenMelody melody = writeMelody(score);
    const bool misfit = std::any_of(melody.pieces.begin(), melody.pieces.end(),
                                    [](const WrittenPiece &piece) { return piece.misfit; });
    // Where the meter cannot hold a length, the melody is written without
    // it: no note is split, and bars are cut between notes.
    if (misfit) {
        out.barsDropped = true;
        Melody unbarred = score;
        unbarred.meter = 0;
        melody = writeMelody(unbarred);
    }
    const bool withMeter = melody.meter > 0;
    const WrittenMelody *written = &melody;

    QXmlStreamWriter xml(&out.bytes);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument(QStringLiteral("1.0"), false);
    xml.writeDTD(QStringLiteral("<!DOCTYPE score-partwise PUBLIC \"-//Recordare//DTD MusicXML 3.0 Partwise//EN\" "
                                "\"http://www.musicxml.org/dtds/partwise.dtd\">"));
    xml.writeStartElement(QStringLiteral("score-partwise"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("3.0"));
    if (!title.isEmpty()) {
        xml.writeStartElement(QStringLiteral("work"));
        xml.writeTextElement(QStringLiteral("work-title"), title);
        xml.writeEndElement();
    }
    xml.writeStartElement(QStringLiteral("identification"));
    xml.writeStartElement(QStringLiteral("encoding"));
    xml.writeTextElement(QStringLiteral("software"), software);
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeStartElement(QStringLiteral("part-list"));
    xml.writeStartElement(QStringLiteral("score-part"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1"));
    xml.writeTextElement(QStringLiteral("part-name"), QStringLiteral("Melody"));
    xml.writeStartElement(QStringLiteral("score-instrument"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1-I1"));
    xml.writeTextElement(QStringLiteral("instrument-name"), QStringLiteral("RCX"));
    xml.writeEndElement();
    xml.writeEndElement();
    xml.writeEndElement();

    xml.writeStartElement(QStringLiteral("part"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("P1"));
    const std::vector<std::size_t> ends = barEnds(*written, withMeter);
    int shift = 0; // the octave line sounding: its notes written that many octaves lower
    auto slur = written->slurs.begin();
    std::size_t first = 0;
    std::pair<int, int> signature{0, 0};
    for (std::size_t bar = 0; bar < std::max<std::size_t>(ends.size(), 1); ++bar) {
        const std::size_t end = ends.empty() ? 0 : ends[bar];
        int units = 0;
        for (std::size_t i = first; i < end; ++i)
            units += written->pieces[i].units;
        xml.writeStartElement(QStringLiteral("measure"));
        xml.writeAttribute(QStringLiteral("number"), QString::number(bar + 1));
        const std::pair<int, int> wanted = withMeter ? std::pair{melody.meter, 4} : signatureOf(std::max(units, 3));
        if (bar == 0 || wanted != signature) {
            xml.writeStartElement(QStringLiteral("attributes"));
            if (bar == 0)
                xml.writeTextElement(QStringLiteral("divisions"), QString::number(Divisions));
            if (bar == 0) {
                xml.writeStartElement(QStringLiteral("key"));
                xml.writeTextElement(QStringLiteral("fifths"), QStringLiteral("0"));
                xml.writeEndElement();
            }
            xml.writeStartElement(QStringLiteral("time"));
            if (!withMeter)
                xml.writeAttribute(QStringLiteral("print-object"), QStringLiteral("no"));
            xml.writeTextElement(QStringLiteral("beats"), QString::number(wanted.first));
            xml.writeTextElement(QStringLiteral("beat-type"), QString::number(wanted.second));
            xml.writeEndElement();
            if (bar == 0) {
                xml.writeStartElement(QStringLiteral("clef"));
                xml.writeTextElement(QStringLiteral("sign"), QStringLiteral("G"));
                xml.writeTextElement(QStringLiteral("line"), QStringLiteral("2"));
                xml.writeEndElement();
            }
            xml.writeEndElement();
            signature = wanted;
        }
        if (bar == 0) {
            xml.writeStartElement(QStringLiteral("direction"));
            xml.writeAttribute(QStringLiteral("placement"), QStringLiteral("above"));
            xml.writeStartElement(QStringLiteral("direction-type"));
            xml.writeStartElement(QStringLiteral("metronome"));
            xml.writeTextElement(QStringLiteral("beat-unit"), QStringLiteral("quarter"));
            xml.writeTextElement(QStringLiteral("per-minute"), QString::number(melody.tempo));
            xml.writeEndElement();
            xml.writeEndElement();
            xml.writeEmptyElement(QStringLiteral("sound"));
            xml.writeAttribute(QStringLiteral("tempo"), QString::number(melody.tempo));
            xml.writeEndElement();
        }
        for (std::size_t i = first; i < end; ++i) {
            const WrittenPiece &piece = written->pieces[i];
            if (!piece.rest && piece.pitch.shift != shift) {
                if (shift != 0)
                    writeOctaveShift(xml, shift, false);
                shift = piece.pitch.shift;
                if (shift != 0)
                    writeOctaveShift(xml, shift, true);
            }
            const bool starts = slur != written->slurs.end() && slur->first == int(i);
            const bool ends = slur != written->slurs.end() && slur->last == int(i);
            writePiece(xml, *written, i, starts, ends);
            if (ends)
                ++slur;
        }
        const bool last = bar + 1 >= ends.size();
        if (last && shift != 0)
            writeOctaveShift(xml, shift, false);
        if (!withMeter || last) {
            xml.writeStartElement(QStringLiteral("barline"));
            xml.writeAttribute(QStringLiteral("location"), QStringLiteral("right"));
            xml.writeTextElement(QStringLiteral("bar-style"),
                                 last ? QStringLiteral("light-heavy") : QStringLiteral("none"));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        first = end;
    }
    xml.writeEndElement(); // part
    xml.writeEndElement(); // score-partwise
    xml.writeEndDocument();
    return out;
}
