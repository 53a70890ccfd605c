#include "drawing/StaffPainter.h"

#include <cmath>
#include <set>

#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QStaticText>

#include "drawing/ScoreFonts.h"
#include "engraving/Smufl.h"

int musicFontPixels(float space)
{
    return std::max(4, int(std::lround(space * 4.0f)));
}

namespace {

// A tie or slur: a crescent thicker in the middle, as engravers draw them,
// whose middle stands bend spaces off the line between its ends.
QPainterPath curvePath(QPointF from, QPointF to, float bend, float space)
{
    // A cubic's middle lies three quarters of the way to its control points.
    const double outer = double(bend * space) / 0.75;
    const double thickness = double(0.18f * space) / 0.75; // in the middle, however far it bends
    const double inner = outer < 0 ? outer + thickness : outer - thickness;
    const QPointF quarter = from + (to - from) * 0.2;
    const QPointF threeQuarters = from + (to - from) * 0.8;
    QPainterPath path(from);
    path.cubicTo(quarter + QPointF(0, outer), threeQuarters + QPointF(0, outer), to);
    path.cubicTo(threeQuarters + QPointF(0, inner), quarter + QPointF(0, inner), from);
    return path;
}

// The band of a note on its system, behind its glyphs.
void paintBand(QPainter &painter, const StaffLayout &layout, int note, QPointF origin, float space, const QColor &color)
{
    if (note < 0 || std::size_t(note) >= layout.notes.size())
        return;
    const NotePlace &place = layout.notes[std::size_t(note)];
    if (place.system < 0)
        return;
    const StaffSystem &system = layout.systems[std::size_t(place.system)];
    const QRectF band(origin.x() + double((place.left - 0.3f) * space),
                      origin.y() + double((system.staffTop - 3.0f) * space),
                      double((place.right - place.left + 0.6f) * space), double(10.0f * space));
    painter.fillRect(band, color);
}

// Each glyph laid out once a size: on a screen a staff is painted again for
// every change in sight, and laying out a glyph costs more than drawing it.
// Only for raster painting: a PDF keeps its glyphs as text, found by readers.
class GlyphTexts {
public:
    void draw(QPainter &painter, QPointF baseline, char16_t glyph)
    {
        if (painter.paintEngine()->type() != QPaintEngine::Raster) {
            painter.drawText(baseline, QString(QChar(glyph)));
            return;
        }
        const QFont &font = painter.font();
        if (font != m_font) {
            m_texts.clear();
            m_font = font;
            m_ascent = QFontMetricsF(font).ascent();
        }
        auto kept = m_texts.find(glyph);
        if (kept == m_texts.end()) {
            QStaticText text{QString(QChar(glyph))};
            text.setTextFormat(Qt::PlainText);
            text.prepare(QTransform(), font);
            kept = m_texts.insert(glyph, text);
        }
        painter.drawStaticText(QPointF(baseline.x(), baseline.y() - m_ascent), *kept);
    }

private:
    QHash<char16_t, QStaticText> m_texts;
    QFont m_font;
    qreal m_ascent = 0;
};

} // namespace

void paintStaff(QPainter &painter, const StaffLayout &layout, QPointF origin, float space, std::pair<int, int> systems,
                const StaffMarks &marks, const StaffColors &colors)
{
    const auto [firstSystem, endSystem] = systems;
    if (firstSystem >= endSystem)
        return;
    static GlyphTexts &glyphs = *new GlyphTexts; // never destroyed: painted with until the program ends
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const int musicPixels = musicFontPixels(space);
    space = spaceForMusicFont(musicPixels);
    const QFont music = ScoreFonts::musicFont(musicPixels);
    auto at = [&](float x, float y) { return QPointF(origin.x() + double(x * space), origin.y() + double(y * space)); };

    // Bands first, under the music: the chosen notes, then the one sounding.
    const StaffSystem &top = layout.systems[std::size_t(firstSystem)];
    const StaffSystem &bottom = layout.systems[std::size_t(endSystem - 1)];
    if (marks.selectedCount > 0 && top.firstNote >= 0) {
        const int from = std::max(marks.selectedFirst, top.firstNote);
        const int to = std::min(marks.selectedFirst + marks.selectedCount - 1,
                                bottom.lastNote >= 0 ? bottom.lastNote : top.lastNote);
        for (int note = from; note <= to; ++note)
            paintBand(painter, layout, note, origin, space, colors.selectedBack);
    }
    paintBand(painter, layout, marks.playing, origin, space, colors.playingBack);

    QPen pen(colors.ink);
    pen.setCapStyle(Qt::FlatCap);
    int fontPixels = 0; // of the text font set last
    bool musicSet = false;
    // System by system: a screen makes each line's primitives as it comes
    // into sight, so lines next to each other need not be next in the list.
    for (int system = firstSystem; system < endSystem; ++system) {
        for (int index = layout.systems[std::size_t(system)].firstPrimitive;
             index < layout.systems[std::size_t(system)].endPrimitive; ++index) {
            const StaffPrimitive &primitive = layout.primitives[std::size_t(index)];
            const QColor color = primitive.warning                        ? colors.warning
                : primitive.note >= 0 && marks.isSelected(primitive.note) ? colors.selected
                                                                          : colors.ink;
            switch (primitive.kind) {
            case StaffPrimitive::Kind::Glyph:
                if (!musicSet) {
                    painter.setFont(music);
                    musicSet = true;
                    fontPixels = 0;
                }
                painter.setPen(color);
                glyphs.draw(painter, at(primitive.x, primitive.y), primitive.glyph);
                break;
            case StaffPrimitive::Kind::Line:
                pen.setColor(color);
                pen.setWidthF(double(primitive.size * space));
                painter.setPen(pen);
                painter.drawLine(at(primitive.x, primitive.y), at(primitive.x2, primitive.y2));
                break;
            case StaffPrimitive::Kind::Curve:
                painter.setPen(Qt::NoPen);
                painter.setBrush(color);
                painter.drawPath(
                    curvePath(at(primitive.x, primitive.y), at(primitive.x2, primitive.y2), primitive.size, space));
                painter.setBrush(Qt::NoBrush);
                break;
            case StaffPrimitive::Kind::Text: {
                const int pixels = std::max(1, int(std::lround(primitive.size * space)));
                if (pixels != fontPixels) {
                    painter.setFont(ScoreFonts::textFont(pixels));
                    fontPixels = pixels;
                    musicSet = false;
                }
                painter.setPen(color);
                const QString &words = layout.texts[std::size_t(primitive.text)];
                QPointF place = at(primitive.x, primitive.y);
                if (primitive.centred)
                    place.rx() -= painter.fontMetrics().horizontalAdvance(words) / 2.0;
                painter.drawText(place, words);
                break;
            }
            }
        }
    }
    painter.restore();
}

void prepareMusicGlyphs(float space)
{
    static std::set<int> prepared;
    const int pixels = musicFontPixels(space);
    if (!prepared.insert(pixels).second)
        return;
    QImage scratch(pixels * 2, pixels * 2, QImage::Format_ARGB32_Premultiplied);
    scratch.fill(Qt::transparent);
    QPainter painter(&scratch);
    painter.setFont(ScoreFonts::musicFont(pixels));
    for (const QChar glyph : Smufl::allGlyphs())
        painter.drawText(QPointF(pixels / 2.0, pixels), QString(glyph));
}
