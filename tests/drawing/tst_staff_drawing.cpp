#include <cmath>
#include <functional>
#include <map>

#include <QBuffer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QTest>

#include "common/NoteBuilders.h"
#include "common/OutsideChecks.h"
#include "drawing/ScoreFonts.h"
#include "drawing/StaffPainter.h"
#include "drawing/SvgStaff.h"
#include "engraving/StaffLayout.h"
#include "mml/MmlReader.h"
#include "notation/LilyPondWriter.h"

namespace {

constexpr int FontPixels = 200; // large, so that whole pixels are fine against a space
constexpr double Space = FontPixels / 4.0;
constexpr float Width = 120; // staff spaces a line
// Bravura's engravingDefaults, in spaces.
constexpr float BeamThickness = 0.5f, TupletBracketThickness = 0.16f, BeamHalf = BeamThickness / 2;

NoteRecord note(int pitch, Octave octave, NoteLength length, Articulation articulation = Articulation::Normal)
{
    NoteRecord record = toneNote(pitch, octave, lengthTicks(length, 120), articulation);
    record.length = length;
    return record;
}

// Every length, rest and articulation, every pitch of every octave, and a
// lone triplet between quarter notes.
Melody everyKind()
{
    Melody melody;
    melody.notes = everyKindOfNote(120);
    for (Octave octave : AllOctaves) {
        for (int pitch = 0; pitch < PitchCount; ++pitch)
            melody.notes.push_back(note(pitch, octave, NoteLength::Quarter));
    }
    melody.notes.push_back(note(0, Octave::Middle, NoteLength::Quarter));
    melody.notes.push_back(note(2, Octave::Middle, NoteLength::EighthTriplet));
    melody.notes.push_back(note(4, Octave::Middle, NoteLength::Quarter));
    return melody;
}

Melody randomMelody(quint32 seed, int count, int meter)
{
    QRandomGenerator random(seed);
    Melody melody;
    melody.meter = meter;
    for (int i = 0; i < count; ++i)
        melody.notes.push_back(randomNote(random, 120));
    return melody;
}

QByteArray svgOf(const StaffLayout &layout, std::pair<int, int> systems)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QSvgGenerator generator;
    generator.setOutputDevice(&buffer);
    generator.setSize(QSize(int(layout.width * Space), int(layout.height * Space)));
    QPainter painter(&generator);
    paintStaff(painter, layout, QPointF(0, 0), float(Space), systems);
    painter.end();
    return bytes;
}

// What lies over or beside the notes and must keep clear of every glyph's
// ink: beams, ties and slurs, tuplet brackets, octave lines' dashes and
// hooks. Not the staff, ledger or bar lines and stems, which glyphs meet.
bool standsClear(const StaffPrimitive &primitive)
{
    if (primitive.kind == StaffPrimitive::Kind::Curve)
        return true;
    if (primitive.kind != StaffPrimitive::Kind::Line)
        return false;
    if (primitive.size == BeamThickness)
        return primitive.x != primitive.x2; // the thick final bar line is upright
    if (primitive.size != TupletBracketThickness)
        return false; // staff lines, stems
    if (primitive.x == primitive.x2)
        return std::abs(primitive.y2 - primitive.y) < 1; // a hook, not a bar line
    // A ledger line: a head's width (Bravura's black or whole notehead) and
    // legerLineExtension on either side.
    const float length = primitive.x2 - primitive.x;
    return std::abs(length - (1.18f + 0.8f)) > 0.01f && std::abs(length - (1.688f + 0.8f)) > 0.01f;
}

// The layout painted with only the primitives chosen, the others moved out of sight.
QImage paintedOnly(StaffLayout layout, const std::function<bool(const StaffPrimitive &)> &chosen, double space)
{
    const StaffLayout original = layout;
    for (StaffPrimitive &primitive : layout.primitives) {
        if (!chosen(primitive)) {
            primitive.x = primitive.x2 = -1000;
            primitive.y = primitive.y2 = -1000;
        }
    }
    QImage image(int(layout.width * space) + 1, int(layout.height * space) + 1, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    paintStaff(painter, layout, QPointF(0, 0), float(space), {0, int(layout.systems.size())});
    return image;
}

SvgStaff drawn(const Melody &melody)
{
    const StaffLayout layout = layoutStaff(writeMelody(melody), Width);
    return readSvgStaff(svgOf(layout, {0, int(layout.systems.size())}));
}

bool isMusic(const SvgText &text)
{
    return text.family.contains(QLatin1String("Bravura"));
}

char16_t glyphOf(const SvgText &text)
{
    return text.text.size() == 1 ? text.text.at(0).unicode() : 0;
}

// The staves of the drawing: the y of each bottom line, found as five long
// lines a space apart.
std::vector<double> bottomLines(const SvgStaff &staff)
{
    std::vector<double> ys;
    for (const SvgLine &line : staff.lines) {
        if (line.line.dy() == 0 && line.line.length() > 5 * Space && std::abs(line.width - 0.13 * Space) < 0.01)
            ys.push_back(line.line.y1());
    }
    std::sort(ys.begin(), ys.end());
    std::vector<double> bottoms;
    for (std::size_t i = 0; i + 4 < ys.size(); i += 5) {
        for (std::size_t k = 1; k < 5; ++k) {
            if (std::abs(ys[i + k] - ys[i + k - 1] - Space) > 0.01)
                qFatal("staff lines not a space apart");
        }
        bottoms.push_back(ys[i + 4]);
    }
    return bottoms;
}

// Diatonic steps of a head above the bottom line of the staff it stands on.
int stepOnStaff(double y, const std::vector<double> &bottoms)
{
    double nearest = bottoms.front();
    for (double bottom : bottoms) {
        if (std::abs(bottom - 2 * Space - y) < std::abs(nearest - 2 * Space - y))
            nearest = bottom;
    }
    return int(std::lround((nearest - y) / (Space / 2)));
}

// The rule, from the guide: O3 an octave up under 8vb, O4 and O5 as they
// sound, O6 an octave down under 8va, O7 two down under 15ma; sharps on the
// letter below. Steps from E4, the bottom line.
int expectedStep(const NoteRecord &record)
{
    constexpr int Letter[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
    const int octaveHeard = int(record.octave) + 3; // ZEPA's O5 is C5
    const int shift[5] = {-1, 0, 0, 1, 2};
    const int octaveWritten = octaveHeard - shift[int(record.octave)];
    return octaveWritten * 7 + Letter[record.pitch] - (4 * 7 + 2);
}

bool isSharp(const NoteRecord &record)
{
    return record.pitch == 1 || record.pitch == 3 || record.pitch == 6 || record.pitch == 8 || record.pitch == 10;
}

int flagsOf(NoteLength length)
{
    switch (length) {
    case NoteLength::Eighth:
    case NoteLength::DottedEighth:
    case NoteLength::EighthTriplet:
        return 1;
    case NoteLength::Sixteenth:
    case NoteLength::DottedSixteenth:
    case NoteLength::SixteenthTriplet:
        return 2;
    case NoteLength::ThirtySecond:
        return 3;
    default:
        return 0;
    }
}

// How long a length is, in 24ths of a quarter note.
int unitsOf(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return 96;
    case NoteLength::Half:
        return 48;
    case NoteLength::Quarter:
        return 24;
    case NoteLength::Eighth:
        return 12;
    case NoteLength::Sixteenth:
        return 6;
    case NoteLength::ThirtySecond:
        return 3;
    case NoteLength::DottedHalf:
        return 72;
    case NoteLength::DottedQuarter:
        return 36;
    case NoteLength::DottedEighth:
        return 18;
    case NoteLength::DottedSixteenth:
        return 9;
    case NoteLength::QuarterTriplet:
        return 16;
    case NoteLength::EighthTriplet:
        return 8;
    case NoteLength::SixteenthTriplet:
        return 4;
    }
    return 24;
}

bool dottedLength(NoteLength length)
{
    return length == NoteLength::DottedHalf || length == NoteLength::DottedQuarter || length == NoteLength::DottedEighth
        || length == NoteLength::DottedSixteenth;
}

bool tripletLength(NoteLength length)
{
    return length == NoteLength::QuarterTriplet || length == NoteLength::EighthTriplet
        || length == NoteLength::SixteenthTriplet;
}

// The SMuFL glyphs by name, as the standard numbers them.
namespace Glyph {
constexpr char16_t NoteheadWhole = 0xE0A2, NoteheadHalf = 0xE0A3, NoteheadBlack = 0xE0A4;
constexpr char16_t Dot = 0xE1E7, Natural = 0xE261, Sharp = 0xE262, StaccatoAbove = 0xE4A2, StaccatoBelow = 0xE4A3,
                   Tuplet3 = 0xE883;
constexpr char16_t Flag8thUp = 0xE240, Flag32ndDown = 0xE245;
// Bravura's tuplet 3: its width and height in spaces (glyphBBoxes).
constexpr float Tuplet3Width = 1.224f, Tuplet3Height = 1.5f;
constexpr char16_t RestWhole = 0xE4E3, Rest32nd = 0xE4E8;
} // namespace Glyph

// The rest glyph for a length: whole, half, quarter, 8th, 16th, 32nd, dots and triplets on the plain one.
char16_t restFor(NoteLength length)
{
    switch (length) {
    case NoteLength::Whole:
        return 0xE4E3;
    case NoteLength::Half:
    case NoteLength::DottedHalf:
        return 0xE4E4;
    case NoteLength::Quarter:
    case NoteLength::DottedQuarter:
    case NoteLength::QuarterTriplet:
        return 0xE4E5;
    case NoteLength::Eighth:
    case NoteLength::DottedEighth:
    case NoteLength::EighthTriplet:
        return 0xE4E6;
    case NoteLength::Sixteenth:
    case NoteLength::DottedSixteenth:
    case NoteLength::SixteenthTriplet:
        return 0xE4E7;
    case NoteLength::ThirtySecond:
        return 0xE4E8;
    }
    return 0;
}

} // namespace

class StaffDrawingTest : public QObject {
    Q_OBJECT

private slots:
    void everyNoteIsDrawnWithItsOwnGlyphsWhereItsPitchSays();
    void noTwoGlyphsOverlap_data();
    void noTwoGlyphsOverlap();
    void beamsSlursBracketsAndOctaveLinesClearEveryGlyph_data();
    void beamsSlursBracketsAndOctaveLinesClearEveryGlyph();
    void aMeterDrawsBarsAndSaysWhereItCannotHoldALength();
    void everyLineButTheLastReachesTheMarginAndNoneGoesPast_data();
    void everyLineButTheLastReachesTheMarginAndNoneGoesPast();
    void aFullScoreIsLaidOutOnceAndDrawnOnlyWhereSeen();
    void aScreenDrawsEveryGlyphWhereAPageDoes();
    void linesDrawnAsTheyComeIntoSightAreTheLinesOfTheWholeStaff();
    void lilyPondEngravesWhatTheStaffDraws_data();
    void lilyPondEngravesWhatTheStaffDraws();
    void lilyPondBeamsOnItsOwnAsTheStaffDoes_data();
    void lilyPondBeamsOnItsOwnAsTheStaffDoes();
    void shortMelodiesAreEngravedAsEngraversWriteThem_data();
    void shortMelodiesAreEngravedAsEngraversWriteThem();
};

void StaffDrawingTest::everyNoteIsDrawnWithItsOwnGlyphsWhereItsPitchSays()
{
    const Melody melody = everyKind();
    const SvgStaff staff = drawn(melody);
    const std::vector<double> bottoms = bottomLines(staff);
    QVERIFY(bottoms.size() > 1);

    std::map<char16_t, int> found;
    std::vector<const SvgText *> heads;
    for (const SvgText &text : staff.texts) {
        if (!isMusic(text))
            continue;
        const char16_t glyph = glyphOf(text);
        ++found[glyph];
        if (glyph >= Glyph::NoteheadWhole && glyph <= Glyph::NoteheadBlack)
            heads.push_back(&text);
    }
    // Which notes are beamed: a flagged note beside another in the same
    // quarter-note beat (counted from the start, as there is no meter), with
    // no rest between and on the same line; the others keep their flags.
    std::vector<int> lineOfNote(melody.notes.size(), -1);
    std::vector<int> startOf(melody.notes.size(), 0);
    {
        std::size_t head = 0;
        int at = 0;
        for (std::size_t i = 0; i < melody.notes.size(); ++i) {
            startOf[i] = at;
            at += unitsOf(melody.notes[i].length);
            if (!melody.notes[i].isRest() && head < heads.size())
                lineOfNote[i] = int(std::upper_bound(bottoms.begin(), bottoms.end(), heads[head++]->at.y() - 3 * Space)
                                    - bottoms.begin());
        }
    }
    const auto withinOneBeat
        = [&](std::size_t i) { return startOf[i] / 24 == (startOf[i] + unitsOf(melody.notes[i].length) - 1) / 24; };
    const auto beamable = [&](std::size_t i) {
        return !melody.notes[i].isRest() && flagsOf(melody.notes[i].length) > 0 && withinOneBeat(i);
    };
    const auto beamedWith = [&](std::size_t i, std::size_t j) {
        return j < melody.notes.size() && beamable(i) && beamable(j) && startOf[i] / 24 == startOf[j] / 24
            && lineOfNote[i] == lineOfNote[j];
    };
    std::map<char16_t, int> expected;
    int ledgerLines = 0;
    for (std::size_t index = 0; index < melody.notes.size(); ++index) {
        const NoteRecord &record = melody.notes[index];
        const bool beamed = (index > 0 && beamedWith(index, index - 1)) || beamedWith(index, index + 1);
        if (record.isRest()) {
            ++expected[restFor(record.length)];
            if (dottedLength(record.length))
                ++expected[Glyph::Dot];
            continue;
        }
        const bool whole = record.length == NoteLength::Whole;
        const bool half = record.length == NoteLength::Half || record.length == NoteLength::DottedHalf;
        ++expected[whole ? Glyph::NoteheadWhole : half ? Glyph::NoteheadHalf : Glyph::NoteheadBlack];
        if (dottedLength(record.length))
            ++expected[Glyph::Dot];
        if (isSharp(record))
            ++expected[Glyph::Sharp];
        if (record.articulation == Articulation::Staccato)
            ++expected[Glyph::StaccatoAbove]; // above or below: counted together
        if (const int flags = flagsOf(record.length); flags > 0 && !beamed)
            ++expected[char16_t(0xE240 + 2 * (flags - 1))]; // up or down: counted together
        const int step = expectedStep(record);
        if (step <= -2 || step >= 10)
            ++ledgerLines;
    }
    // Triplets in threes of one length, a short group bracketed all the same.
    for (std::size_t i = 0; i < melody.notes.size();) {
        std::size_t end = i;
        while (end < melody.notes.size() && tripletLength(melody.notes[i].length)
               && melody.notes[end].length == melody.notes[i].length)
            ++end;
        if (end == i) {
            ++i;
            continue;
        }
        // Groups of three; one broken over two lines is numbered on both.
        for (std::size_t first = i; first < end; first += 3) {
            const std::size_t last = std::min(first + 3, end) - 1;
            expected[Glyph::Tuplet3] += lineOfNote[first] != lineOfNote[last] ? 2 : 1;
        }
        i = end;
    }
    // Directions folded together as counted above.
    found[Glyph::StaccatoAbove] += found[Glyph::StaccatoBelow];
    found.erase(Glyph::StaccatoBelow);
    for (char16_t up = Glyph::Flag8thUp; up < Glyph::Flag32ndDown; up += 2) {
        found[up] += found[char16_t(up + 1)];
        found.erase(char16_t(up + 1));
    }
    for (const auto &[glyph, count] : expected)
        QVERIFY2(
            found[glyph] == count,
            qPrintable(
                QStringLiteral("U+%1: %2 drawn, %3 expected").arg(int(glyph), 4, 16).arg(found[glyph]).arg(count)));
    for (char16_t rest = Glyph::RestWhole; rest <= Glyph::Rest32nd; ++rest)
        QCOMPARE(found[rest], expected[rest]);

    // Heads left to right, line by line, are the notes in order.
    std::vector<const NoteRecord *> notes;
    for (const NoteRecord &record : melody.notes) {
        if (!record.isRest())
            notes.push_back(&record);
    }
    QCOMPARE(heads.size(), notes.size());
    for (std::size_t i = 0; i < heads.size(); ++i)
        QVERIFY2(stepOnStaff(heads[i]->at.y(), bottoms) == expectedStep(*notes[i]),
                 qPrintable(QStringLiteral("note %1: %2").arg(i).arg(describe(*notes[i]))));

    // A ledger line is a short line through or beside a head, off the staff.
    int ledgers = 0;
    for (const SvgLine &line : staff.lines) {
        if (line.line.dy() != 0 || std::abs(line.width - 0.16 * Space) > 0.01 || line.line.length() < 1.5 * Space
            || line.line.length() > 3 * Space)
            continue;
        for (const SvgText *head : heads) {
            if (std::abs(head->at.y() - line.line.y1()) <= 0.6 * Space && head->at.x() > line.line.x1()
                && head->at.x() < line.line.x2()) {
                ++ledgers;
                break;
            }
        }
    }
    QCOMPARE(ledgers, ledgerLines);
}

void StaffDrawingTest::noTwoGlyphsOverlap_data()
{
    QTest::addColumn<Melody>("melody");
    for (int meter : {0, 4, 3, 2}) {
        Melody melody = everyKind();
        melody.meter = meter;
        QTest::addRow("every kind, meter %d", meter) << melody;
    }
    for (quint32 seed = 1; seed <= 6; ++seed)
        QTest::addRow("random %u", seed) << randomMelody(seed, 300, std::array{0, 4, 3, 2}[seed % 4]);
}

// The ink of every glyph, as the font itself draws it, apart from every other.
void StaffDrawingTest::noTwoGlyphsOverlap()
{
    QFETCH(Melody, melody);
    const SvgStaff staff = drawn(melody);
    const QFontMetricsF metrics(ScoreFonts::musicFont(FontPixels));
    struct Ink {
        QRectF box;
        char16_t glyph;
    };
    std::vector<Ink> inks;
    for (const SvgText &text : staff.texts) {
        if (!isMusic(text))
            continue;
        QCOMPARE(text.size, double(FontPixels));
        const QRectF box = metrics.tightBoundingRect(text.text).translated(text.at);
        inks.push_back({box, glyphOf(text)});
    }
    std::sort(inks.begin(), inks.end(), [](const Ink &a, const Ink &b) { return a.box.left() < b.box.left(); });
    const double tolerance = 0.05 * Space;
    for (std::size_t i = 0; i < inks.size(); ++i) {
        for (std::size_t k = i + 1; k < inks.size() && inks[k].box.left() < inks[i].box.right(); ++k) {
            const QRectF both = inks[i].box.intersected(inks[k].box);
            QVERIFY2(both.width() <= tolerance || both.height() <= tolerance,
                     qPrintable(QStringLiteral("U+%1 at (%2, %3) and U+%4 at (%5, %6)")
                                    .arg(int(inks[i].glyph), 4, 16)
                                    .arg(inks[i].box.left() / Space)
                                    .arg(inks[i].box.top() / Space)
                                    .arg(int(inks[k].glyph), 4, 16)
                                    .arg(inks[k].box.left() / Space)
                                    .arg(inks[k].box.top() / Space)));
        }
    }
}

void StaffDrawingTest::beamsSlursBracketsAndOctaveLinesClearEveryGlyph_data()
{
    noTwoGlyphsOverlap_data();
}

// Painted apart, the glyphs and the lines and curves that must keep clear of
// them share no pixel that both cover (at 12 pixels a space).
void StaffDrawingTest::beamsSlursBracketsAndOctaveLinesClearEveryGlyph()
{
    QFETCH(Melody, melody);
    const StaffLayout layout = layoutStaff(writeMelody(melody), Width);
    constexpr double Pixels = 12;
    const QImage glyphs = paintedOnly(
        layout, [](const StaffPrimitive &primitive) { return primitive.kind == StaffPrimitive::Kind::Glyph; }, Pixels);
    const QImage lines = paintedOnly(
        layout, [&](const StaffPrimitive &primitive) { return standsClear(primitive); }, Pixels);
    int lined = 0;
    for (int y = 0; y < glyphs.height(); ++y) {
        const auto *glyphRow = reinterpret_cast<const QRgb *>(glyphs.constScanLine(y));
        const auto *lineRow = reinterpret_cast<const QRgb *>(lines.constScanLine(y));
        for (int x = 0; x < glyphs.width(); ++x) {
            lined += qAlpha(lineRow[x]) > 0;
            QVERIFY2(qAlpha(glyphRow[x]) < 160 || qAlpha(lineRow[x]) < 160,
                     qPrintable(QStringLiteral("both at (%1, %2) spaces").arg(x / Pixels).arg(y / Pixels)));
        }
    }
    QVERIFY(lined > 0);
}

void StaffDrawingTest::everyLineButTheLastReachesTheMarginAndNoneGoesPast_data()
{
    QTest::addColumn<Melody>("melody");
    for (int meter : {0, 2, 3, 4})
        QTest::addRow("random, meter %d", meter) << randomMelody(quint32(40 + meter), 300, meter);
    // A lone triplet puts the rest of the melody off the beat grid: one bar
    // that a line cannot hold, laid out piece by piece.
    Melody lone = randomMelody(47, 300, 4);
    lone.notes.insert(lone.notes.begin() + 3, note(0, Octave::Middle, NoteLength::EighthTriplet));
    QTest::newRow("4/4 with a lone triplet") << lone;
}

void StaffDrawingTest::everyLineButTheLastReachesTheMarginAndNoneGoesPast()
{
    QFETCH(Melody, melody);
    const StaffLayout layout = layoutStaff(writeMelody(melody), Width);
    QVERIFY(layout.systems.size() > 2);
    for (std::size_t s = 0; s < layout.systems.size(); ++s) {
        const StaffSystem &system = layout.systems[s];
        float staffEnd = 0;
        float furthest = 0;
        for (int p = system.firstPrimitive; p < system.endPrimitive; ++p) {
            const StaffPrimitive &primitive = layout.primitives[std::size_t(p)];
            if (primitive.kind == StaffPrimitive::Kind::Line && primitive.y == primitive.y2 && primitive.note < 0)
                staffEnd = std::max(staffEnd, primitive.x2); // the staff lines
            if (primitive.kind == StaffPrimitive::Kind::Glyph)
                furthest = std::max(furthest, primitive.x + Smufl::box(primitive.glyph).right);
            else if (primitive.kind != StaffPrimitive::Kind::Text)
                furthest = std::max(furthest, std::max(primitive.x, primitive.x2));
        }
        QVERIFY2(furthest <= Width,
                 qPrintable(QStringLiteral("line %1 reaches %2 of %3").arg(s).arg(furthest).arg(Width)));
        if (s + 1 < layout.systems.size())
            QVERIFY2(
                std::abs(staffEnd - (Width - 0.5f)) < 0.01f,
                qPrintable(
                    QStringLiteral("line %1 ends at %2, the margin at %3").arg(s).arg(staffEnd).arg(Width - 0.5f)));
    }
}

void StaffDrawingTest::aMeterDrawsBarsAndSaysWhereItCannotHoldALength()
{
    // 3/4: a whole note is a dotted half tied over the bar to a quarter.
    Melody melody;
    melody.meter = 3;
    for (int i = 0; i < 4; ++i)
        melody.notes.push_back(note(0, Octave::Middle, NoteLength::Whole));
    SvgStaff staff = drawn(melody);
    int bars = 0;
    for (const SvgLine &line : staff.lines) {
        if (line.line.dx() == 0 && std::abs(line.line.length() - 4 * Space) < 0.01)
            ++bars;
    }
    QCOMPARE(bars, 16 / 3 + 2); // sixteen beats: five full bars of three, and the final bar line's two lines
    int heads = 0;
    for (const SvgText &text : staff.texts)
        heads += isMusic(text) && glyphOf(text) >= Glyph::NoteheadWhole && glyphOf(text) <= Glyph::NoteheadBlack;
    QCOMPARE(heads, 8); // each whole note in two pieces
    QCOMPARE(staff.paths, 4 + 0); // the four ties, no slurs

    // A triplet off the beat in 2/4 fits no bar: the staff says so, and the
    // note keeps its own length.
    melody.meter = 2;
    melody.notes
        = {note(0, Octave::Middle, NoteLength::Sixteenth), note(2, Octave::Middle, NoteLength::QuarterTriplet),
           note(4, Octave::Middle, NoteLength::QuarterTriplet), note(5, Octave::Middle, NoteLength::QuarterTriplet)};
    staff = drawn(melody);
    QString words; // a text may come in runs, one for each script
    for (const SvgText &text : staff.texts)
        words += isMusic(text) ? QStringLiteral("\n") : text.text;
    QCOMPARE(words.count(meterMisfitWords()), 1);
}

void StaffDrawingTest::aFullScoreIsLaidOutOnceAndDrawnOnlyWhereSeen()
{
    const Melody melody = randomMelody(32767, 32767, 0);
    const StaffLayout layout = layoutStaff(writeMelody(melody), Width);
    QCOMPARE(layout.notes.size(), std::size_t(32767));
    float lastBottom = 0;
    for (const StaffSystem &system : layout.systems) {
        QVERIFY(system.top >= lastBottom - 0.001f);
        lastBottom = system.bottom;
    }
    // Every note is found where it stands, by its middle.
    for (int i = 0; i < 32767; i += 97) {
        const NotePlace &place = layout.notes[std::size_t(i)];
        QVERIFY(place.system >= 0);
        const StaffSystem &system = layout.systems[std::size_t(place.system)];
        QCOMPARE(layout.noteAt((place.left + place.right) / 2, system.staffTop + 2), i);
        QVERIFY(place.right <= layout.width);
    }
    // A screen's band draws its own lines only: the notes of a few systems.
    const float top = layout.systems[100].top;
    const auto band = layout.systemsBetween(top, top + 60);
    QVERIFY(band.first == 100 && band.second > 100 && band.second < 110);
    const SvgStaff staff = readSvgStaff(svgOf(layout, band));
    int heads = 0;
    for (const SvgText &text : staff.texts)
        heads += isMusic(text) && glyphOf(text) >= Glyph::NoteheadWhole && glyphOf(text) <= Glyph::NoteheadBlack;
    int notes = 0;
    for (int i = layout.systems[std::size_t(band.first)].firstNote;
         i <= layout.systems[std::size_t(band.second - 1)].lastNote; ++i)
        notes += !melody.notes[std::size_t(i)].isRest();
    QCOMPARE(heads, notes);
}

// A screen makes each line's music as it first comes into sight, in any
// order (scrolled to the end first, then back): every line must be what the
// whole staff laid out at once has there, where the notes stand and what
// they draw.
// Where two layouts first differ (systems, notes, each system's primitives
// in order); empty when they are the same.
static QString layoutDifference(const StaffLayout &a, const StaffLayout &b)
{
    const auto same = [](const StaffPrimitive &p, const StaffPrimitive &q) {
        return p.kind == q.kind && p.glyph == q.glyph && p.x == q.x && p.y == q.y && p.x2 == q.x2 && p.y2 == q.y2
            && p.size == q.size && p.note == q.note && p.warning == q.warning && p.centred == q.centred;
    };
    if (a.systems.size() != b.systems.size() || a.notes.size() != b.notes.size() || a.height != b.height)
        return QStringLiteral("%1 lines, %2 notes; expected %3, %4")
            .arg(a.systems.size())
            .arg(a.notes.size())
            .arg(b.systems.size())
            .arg(b.notes.size());
    for (std::size_t i = 0; i < a.notes.size(); ++i)
        if (a.notes[i].system != b.notes[i].system || a.notes[i].left != b.notes[i].left
            || a.notes[i].right != b.notes[i].right)
            return QStringLiteral("note %1 placed elsewhere").arg(i);
    for (std::size_t i = 0; i < a.systems.size(); ++i) {
        const StaffSystem &s = a.systems[i], &t = b.systems[i];
        if (s.top != t.top || s.staffTop != t.staffTop || s.bottom != t.bottom || s.firstNote != t.firstNote
            || s.lastNote != t.lastNote || s.endPrimitive - s.firstPrimitive != t.endPrimitive - t.firstPrimitive)
            return QStringLiteral("line %1").arg(i);
        for (int k = 0; k < s.endPrimitive - s.firstPrimitive; ++k) {
            const StaffPrimitive &p = a.primitives[std::size_t(s.firstPrimitive + k)];
            const StaffPrimitive &q = b.primitives[std::size_t(t.firstPrimitive + k)];
            if (!same(p, q)
                || (p.kind == StaffPrimitive::Kind::Text
                    && a.texts[std::size_t(p.text)] != b.texts[std::size_t(q.text)]))
                return QStringLiteral("line %1, primitive %2").arg(i).arg(k);
        }
    }
    return {};
}

// A screen makes each line's music as it first comes into sight, in any
// order (scrolled to the end first, then back), and after an edit places
// again only the lines from the change on: every line must be what the
// whole staff laid out at once has there.
// A screen draws the music font's glyphs from texts laid out once a size;
// each must land, pixel for pixel, where drawing it as text puts it, as a
// page does, at every size the view offers.
void StaffDrawingTest::aScreenDrawsEveryGlyphWhereAPageDoes()
{
    StaffLayout layout = layoutStaff(writeMelody(everyKind()), Width);
    std::vector<StaffPrimitive> glyphs;
    for (StaffPrimitive &primitive : layout.primitives) {
        if (primitive.kind == StaffPrimitive::Kind::Glyph)
            glyphs.push_back(primitive);
        else // the glyphs alone
            primitive.x = primitive.x2 = primitive.y = primitive.y2 = -1000;
    }
    QVERIFY(glyphs.size() > 50);
    for (int pixels : {16, 28, 56}) {
        const float space = spaceForMusicFont(pixels);
        const QSize size(int(layout.width * space) + 1, int(layout.height * space) + 1);
        QImage screen(size, QImage::Format_ARGB32_Premultiplied);
        screen.fill(Qt::white);
        {
            QPainter painter(&screen);
            paintStaff(painter, layout, QPointF(0, 0), space, {0, int(layout.systems.size())});
        }
        QImage asText(size, QImage::Format_ARGB32_Premultiplied);
        asText.fill(Qt::white);
        {
            QPainter painter(&asText);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setFont(ScoreFonts::musicFont(musicFontPixels(space)));
            painter.setPen(Qt::black);
            for (const StaffPrimitive &glyph : glyphs)
                painter.drawText(QPointF(double(glyph.x * space), double(glyph.y * space)),
                                 QString(QChar(glyph.glyph)));
        }
        QVERIFY2(screen == asText, qPrintable(QStringLiteral("at %1 pixels to the em").arg(pixels)));
    }
}

void StaffDrawingTest::linesDrawnAsTheyComeIntoSightAreTheLinesOfTheWholeStaff()
{
    for (int meter : {0, 4, 3, 2}) {
        Melody melody = randomMelody(quint32(90 + meter), 900, meter);
        auto written = std::make_shared<const WrittenMelody>(writeMelody(melody));
        // Placed down to a screen's height first, the rest as it is asked for.
        StaffOnDemand staff(written, Width, 60.0f);
        QVERIFY(!staff.placedAll() && staff.estimatedHeight() > staff.layout().height);
        const int placedFirst = int(staff.layout().systems.size());
        staff.draw({placedFirst + 1, placedFirst + 3}); // places the lines it needs, and the next
        QCOMPARE(int(staff.layout().systems.size()), placedFirst + 4);
        staff.placeDownTo(std::numeric_limits<float>::infinity());
        QVERIFY(staff.placedAll());
        QVERIFY(staff.layout().primitives.size() > 0);
        const int systems = int(staff.layout().systems.size());
        QVERIFY(systems > 10);
        QRandomGenerator random(static_cast<quint32>(meter));
        staff.draw({systems - 3, systems});
        for (int i = 0; i < systems; ++i) {
            const int from = int(random.bounded(systems));
            staff.draw({from, std::min(systems, from + 3)});
        }
        QString difference = layoutDifference(staff.drawAll(), layoutStaff(*written, Width));
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("meter %1: %2").arg(meter).arg(difference)));

        // Edits anywhere, most near the end as when composing.
        for (int edit = 0; edit < 60; ++edit) {
            const int size = int(melody.notes.size());
            const int at = edit % 2 == 0 ? size - 1 - int(random.bounded(8)) : int(random.bounded(size));
            if (edit % 3 == 0)
                melody.notes.erase(melody.notes.begin() + at);
            else if (edit % 3 == 1)
                melody.notes.insert(melody.notes.begin() + at, randomNote(random, 120));
            else
                melody.notes[std::size_t(at)] = randomNote(random, 120);
            int kept = 0;
            written = std::make_shared<const WrittenMelody>(rewriteMelody(*written, melody, at, &kept));
            // Some lines drawn, some not, as a screen leaves them.
            const int lines = int(staff.layout().systems.size());
            const int shown = int(random.bounded(lines));
            staff.draw({shown, std::min(lines, shown + 4)});
            staff.setPlacingLimit(float(random.bounded(400)));
            staff.change(written, kept);
            if (edit % 4 == 0)
                staff.placeThroughNote(int(random.bounded(size)));
            difference = layoutDifference(staff.drawAll(), layoutStaff(writeMelody(melody), Width));
            QVERIFY2(
                difference.isEmpty(),
                qPrintable(QStringLiteral("meter %1, edit %2 at %3: %4").arg(meter).arg(edit).arg(at).arg(difference)));
        }
    }
}

void StaffDrawingTest::lilyPondEngravesWhatTheStaffDraws_data()
{
    QTest::addColumn<Melody>("melody");
    QTest::newRow("every kind, no meter") << everyKind();
    for (int meter : {0, 4, 3, 2})
        QTest::newRow(qPrintable(QStringLiteral("random, meter %1").arg(meter)))
            << randomMelody(2026 + meter, 160, meter);
}

// LilyPond, an engraver no one here wrote, reads the LilyPond file of the
// melody and tells where it put each notehead (its staff position: 0 the
// middle line, in steps) and how many sharps and naturals it printed, and
// how many triplet brackets, ties and slurs it made. Its bar checks ("|" where ZEPA's staff draws a bar line)
// fail with a warning where a note was split wrongly.
void StaffDrawingTest::lilyPondEngravesWhatTheStaffDraws()
{
    ZEPA_OUTSIDE_CHECK();
    QFETCH(Melody, melody);
    const WrittenMelody written = writeMelody(melody);
    const StaffLayout layout = layoutStaff(written, Width);
    const SvgStaff staff = readSvgStaff(svgOf(layout, {0, int(layout.systems.size())}));
    const std::vector<double> bottoms = bottomLines(staff);
    QList<int> drawnPositions;
    std::vector<int> headLines; // the line of the drawing each head is on
    int drawnSharps = 0;
    int drawnNaturals = 0;
    int drawnTuplets = 0;
    for (const SvgText &text : staff.texts) {
        const char16_t glyph = isMusic(text) ? glyphOf(text) : 0;
        if (glyph >= Glyph::NoteheadWhole && glyph <= Glyph::NoteheadBlack) {
            drawnPositions << stepOnStaff(text.at.y(), bottoms) - 4;
            headLines.push_back(
                int(std::upper_bound(bottoms.begin(), bottoms.end(), text.at.y() - 3 * Space) - bottoms.begin()));
        }
        drawnSharps += glyph == Glyph::Sharp;
        drawnNaturals += glyph == Glyph::Natural;
        drawnTuplets += glyph == Glyph::Tuplet3;
    }
    std::vector<int> pieceLines; // the line of each piece: its head's, a rest's its note's
    std::size_t head = 0;
    for (const WrittenPiece &piece : written.pieces)
        pieceLines.push_back(piece.rest ? layout.notes[std::size_t(piece.note)].system : headLines.at(head++));

    const QByteArray report = R"(
\layout { \context { \Staff \consists #(lambda (context) (make-engraver
  (acknowledgers
    ((note-head-interface engraver grob source) (format #t "head ~a~%" (ly:grob-property grob 'staff-position)))
    ((accidental-interface engraver grob source)
     (if (ly:grob-property grob 'stencil #f)
         (format #t (if (eqv? (ly:grob-property grob 'alteration) 0) "natural~%" "sharp~%"))))
    ((tuplet-bracket-interface engraver grob source) (format #t "tuplet~%")))
  (end-acknowledgers
    ((tie-interface engraver grob source) (format #t "tie~%"))
    ((slur-interface engraver grob source) (format #t "slur~%")))))
} }
)";
    QByteArray source = lilyPondText(written, QStringLiteral("ふるさと"));
    source.insert(source.indexOf('\n') + 1, report);
    QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("melody.ly")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(source) == source.size());
    file.close();
    QProcess lilypond;
    lilypond.setWorkingDirectory(directory.path());
    lilypond.start(QStringLiteral("lilypond"), {QStringLiteral("-dno-print-pages"), QStringLiteral("melody.ly")});
    QVERIFY2(lilypond.waitForFinished(300000), "lilypond (Debian's lilypond package) did not run");
    const QString errors = QString::fromUtf8(lilypond.readAllStandardError());
    QVERIFY2(lilypond.exitCode() == 0, qPrintable(errors));
    QVERIFY2(!errors.contains(QStringLiteral("warning")) && !errors.contains(QStringLiteral("error")),
             qPrintable(errors));

    QList<int> positions;
    std::map<QString, int> made;
    for (const QByteArray &line : lilypond.readAllStandardOutput().split('\n')) {
        if (line.startsWith("head "))
            positions << line.mid(5).toInt();
        else if (!line.isEmpty())
            ++made[QString::fromLatin1(line)];
    }
    QCOMPARE(positions, drawnPositions);
    QCOMPARE(made[QStringLiteral("sharp")], drawnSharps);
    QCOMPARE(made[QStringLiteral("natural")], drawnNaturals);
    // A group broken over two lines is numbered on both.
    const int brokenGroups
        = int(std::count_if(written.tuplets.begin(), written.tuplets.end(), [&](const TupletGroup &group) {
              return pieceLines[std::size_t(group.first)] != pieceLines[std::size_t(group.last)];
          }));
    QCOMPARE(made[QStringLiteral("tuplet")] + brokenGroups, drawnTuplets);
    QCOMPARE(made[QStringLiteral("tie")],
             int(std::count_if(written.pieces.begin(), written.pieces.end(),
                               [](const WrittenPiece &piece) { return piece.tiedToNext; })));
    QCOMPARE(made[QStringLiteral("slur")], int(written.slurs.size()));
}

// LilyPond's own automatic beams (its file without ZEPA's \\autoBeamOff and
// brackets) group the same notes as ZEPA's rule, meter by meter. Where they
// differ, the row says so and why: four eighths in 2/4 below; without a meter (\\cadenzaOn) LilyPond beams
// nothing, while ZEPA beams by the quarter note from the melody's start, as a
// reader of an unbarred songbook tune expects; so no row has no meter.
void StaffDrawingTest::lilyPondBeamsOnItsOwnAsTheStaffDoes_data()
{
    QTest::addColumn<Melody>("melody");
    // Where LilyPond groups otherwise: its groups, and ZEPA's reason.
    QTest::addColumn<QList<int>>("lilyPondOtherwise");
    const auto melodyOf = [](int meter, std::initializer_list<NoteLength> lengths) {
        Melody melody;
        melody.meter = meter;
        int pitch = 0;
        for (NoteLength length : lengths) {
            melody.notes.push_back(note(pitch, Octave::Middle, length));
            pitch = (pitch + 2) % PitchCount;
        }
        return melody;
    };
    using L = NoteLength;
    const L e = L::Eighth;
    const L s = L::Sixteenth;
    QTest::newRow("4/4 eighths: two halves") << melodyOf(4, {e, e, e, e, e, e, e, e}) << QList<int>{};
    QTest::newRow("4/4 from beat 2: not over the middle")
        << melodyOf(4, {L::Quarter, e, e, e, e, L::Quarter}) << QList<int>{};
    QTest::newRow("3/4 eighths: the bar") << melodyOf(3, {e, e, e, e, e, e}) << QList<int>{};
    // Four eighths in 2/4 are one group in ZEPA, as engravers may beam a
    // run that ends by completing a beat (Oravitz; Gould, Behind Bars p. 153);
    // LilyPond's 2/4 default beams each beat on its own.
    QTest::newRow("2/4 eighths: the bar") << melodyOf(2, {e, e, e, e}) << QList<int>{2, 2};
    QTest::newRow("sixteenths by the beat") << melodyOf(4, {s, s, s, s, s, s, s, s, L::Half}) << QList<int>{};
    QTest::newRow("dotted pairs") << melodyOf(4, {L::DottedEighth, s, L::DottedEighth, s, L::Half}) << QList<int>{};
    QTest::newRow("triplets") << melodyOf(
        2, {L::EighthTriplet, L::EighthTriplet, L::EighthTriplet, L::EighthTriplet, L::EighthTriplet, L::EighthTriplet})
                              << QList<int>{};
}

void StaffDrawingTest::lilyPondBeamsOnItsOwnAsTheStaffDoes()
{
    ZEPA_OUTSIDE_CHECK();
    QFETCH(Melody, melody);
    QFETCH(QList<int>, lilyPondOtherwise);
    const WrittenMelody written = writeMelody(melody);
    QList<int> ours;
    for (const BeamGroup &beam : written.beams)
        ours << beam.last - beam.first + 1;
    QByteArray source = lilyPondText(written, QString());
    source.replace("    \\autoBeamOff\n", "");
    source.replace('[', "").replace(']', "");
    const QByteArray report = R"(
\layout { \context { \Staff \consists #(lambda (context) (make-engraver
  (end-acknowledgers
    ((beam-interface engraver grob source)
     (format #t "beam ~a~%" (ly:grob-array-length (ly:grob-object grob 'stems)))))))
} }
)";
    source.insert(source.indexOf('\n') + 1, report);
    QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("beams.ly")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(source) == source.size());
    file.close();
    QProcess lilypond;
    lilypond.setWorkingDirectory(directory.path());
    lilypond.start(QStringLiteral("lilypond"), {QStringLiteral("-dno-print-pages"), QStringLiteral("beams.ly")});
    QVERIFY2(lilypond.waitForFinished(300000), "lilypond (Debian's lilypond package) did not run");
    QVERIFY2(lilypond.exitCode() == 0, lilypond.readAllStandardError().constData());
    QList<int> theirs;
    for (const QByteArray &line : lilypond.readAllStandardOutput().split('\n')) {
        if (line.startsWith("beam "))
            theirs << line.mid(5).toInt();
    }
    QCOMPARE(theirs, lilyPondOtherwise.isEmpty() ? ours : lilyPondOtherwise);
}

void StaffDrawingTest::shortMelodiesAreEngravedAsEngraversWriteThem_data()
{
    QTest::addColumn<QByteArray>("mml");
    QTest::addColumn<int>("meter");
    QTest::addColumn<QString>("drawn");
    // Each row a fault engravers would mark: what the staff draws instead.
    QTest::newRow("C C# C C# in a bar: the third note's natural")
        << QByteArray("o5 c c+ c c+") << 4 << "sharps 2, naturals 1, flags 0, beams 0, brackets 0, threes 0";
    QTest::newRow("a sharp tied over the bar line is not repeated")
        << QByteArray("o5 l2. c+ l2 c+ l4 c c+") << 4 << "sharps 2, naturals 1, flags 0, beams 0, brackets 0, threes 0";
    QTest::newRow("eight eighths in 4/4: two beams, no flag")
        << QByteArray("l8 c d e f g a b > c") << 4 << "sharps 0, naturals 0, flags 0, beams 2, brackets 0, threes 0";
    QTest::newRow("a rest breaks the beam; the lone sixteenth keeps its flags")
        << QByteArray("l16 c r d e l4 f g a") << 4 << "sharps 0, naturals 0, flags 1, beams 2, brackets 0, threes 0";
    QTest::newRow("a dotted pair: a beam and a partial beam")
        << QByteArray("c8. d16 l4 e f g") << 4 << "sharps 0, naturals 0, flags 0, beams 2, brackets 0, threes 0";
    QTest::newRow("beamed triplet eighths: the 3 on the beam, no bracket")
        << QByteArray("l12 c d e l4 f g a") << 4 << "sharps 0, naturals 0, flags 0, beams 1, brackets 0, threes 1";
    QTest::newRow("stems down: the 3 below the beam")
        << QByteArray("o6 l12 c d e l4 f g a") << 4 << "sharps 0, naturals 0, flags 0, beams 1, brackets 0, threes 1";
    QTest::newRow("triplet quarters: a bracket with its 3")
        << QByteArray("l6 c d e l2 f") << 4 << "sharps 0, naturals 0, flags 0, beams 0, brackets 1, threes 1";
    QTest::newRow("without a meter: beams by the quarter from the start")
        << QByteArray("l8 c d e f l4 g l8 a") << 0 << "sharps 0, naturals 0, flags 1, beams 2, brackets 0, threes 0";
}

// The same short melodies' glyphs and lines counted as a reader sees them:
// beams are the thick slanted lines, brackets their vertical hooks in pairs,
// and a beamed triplet's 3 lies beyond its beam, away from the heads.
void StaffDrawingTest::shortMelodiesAreEngravedAsEngraversWriteThem()
{
    QFETCH(QByteArray, mml);
    QFETCH(int, meter);
    QFETCH(QString, drawn);
    const MmlReadResult read = readMml(QByteArray("// NQC用簡易音楽作成ソフト「ZEPA」\n") + mml);
    QVERIFY2(read.ok(), qPrintable(read.message()));
    Melody melody = read.melody;
    melody.meter = meter;
    const StaffLayout layout = layoutStaff(writeMelody(melody), Width);
    int sharps = 0, naturals = 0, flags = 0, beams = 0, hooks = 0, threes = 0;
    std::vector<const StaffPrimitive *> beamLines;
    for (const StaffPrimitive &primitive : layout.primitives) {
        if (primitive.kind == StaffPrimitive::Kind::Glyph) {
            sharps += primitive.glyph == Glyph::Sharp;
            naturals += primitive.glyph == Glyph::Natural;
            flags += primitive.glyph >= Glyph::Flag8thUp && primitive.glyph <= Glyph::Flag32ndDown;
            threes += primitive.glyph == Glyph::Tuplet3;
        } else if (primitive.kind == StaffPrimitive::Kind::Line) {
            if (primitive.size == BeamThickness && primitive.x != primitive.x2) {
                ++beams;
                beamLines.push_back(&primitive);
            }
            hooks += primitive.size == TupletBracketThickness && primitive.x == primitive.x2
                && std::abs(primitive.y2 - primitive.y) < 1; // not a bar line
        }
    }
    QCOMPARE(QStringLiteral("sharps %1, naturals %2, flags %3, beams %4, brackets %5, threes %6")
                 .arg(sharps)
                 .arg(naturals)
                 .arg(flags)
                 .arg(beams)
                 .arg(hooks / 2)
                 .arg(threes),
             drawn);
    for (const StaffPrimitive &three : layout.primitives) {
        if (three.kind != StaffPrimitive::Kind::Glyph || three.glyph != Glyph::Tuplet3 || beamLines.empty())
            continue;
        const StaffPrimitive &beam = *beamLines.front();
        const float middle = (three.x + Glyph::Tuplet3Width / 2);
        QVERIFY(middle > beam.x && middle < beam.x2);
        const float beamY = beam.y + (beam.y2 - beam.y) * (middle - beam.x) / (beam.x2 - beam.x);
        const std::size_t firstHead = std::size_t(std::find_if(layout.primitives.begin(), layout.primitives.end(),
                                                               [](const StaffPrimitive &p) {
                                                                   return p.kind == StaffPrimitive::Kind::Glyph
                                                                       && p.glyph == Glyph::NoteheadBlack;
                                                               })
                                                  - layout.primitives.begin());
        const float headY = layout.primitives[firstHead].y;
        // Beyond the beam from the heads, and clear of it.
        if (beamY < headY)
            QVERIFY2(three.y < beamY - BeamHalf,
                     qPrintable(QStringLiteral("3 at %1, beam at %2").arg(three.y).arg(beamY)));
        else
            QVERIFY2(three.y - Glyph::Tuplet3Height > beamY + BeamHalf,
                     qPrintable(QStringLiteral("3 at %1, beam at %2").arg(three.y).arg(beamY)));
    }
}

int main(int argc, char *argv[])
{
    QGuiApplication application(argc, argv);
    StaffDrawingTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_staff_drawing.moc"
