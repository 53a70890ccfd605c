#pragma once

#include <vector>

#include <QByteArray>
#include <QColor>
#include <QLineF>
#include <QPointF>
#include <QString>
#include <QXmlStreamReader>

// What an SVG that Qt's generator wrote shows, read back as a reader of the
// file would: the texts with their font and place, and the straight lines
// with their thickness. Nothing of the program's own layout is used.
struct SvgText {
    QString family;
    double size = 0;
    QPointF at; // the baseline's start
    QString text;
    QColor fill;
};

struct SvgLine {
    QLineF line;
    double width = 0;
};

struct SvgStaff {
    std::vector<SvgText> texts;
    std::vector<SvgLine> lines;
    int paths = 0; // curves: ties and slurs
};

inline SvgStaff readSvgStaff(const QByteArray &svg)
{
    SvgStaff staff;
    QXmlStreamReader reader(svg);
    std::vector<double> widths{1.0}; // the stroke width of each open group
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement() && reader.name() == QLatin1String("g")) {
            widths.pop_back();
            continue;
        }
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        if (reader.name() == QLatin1String("g")) {
            const QString width = attributes.value(QLatin1String("stroke-width")).toString();
            widths.push_back(width.isEmpty() ? widths.back() : width.toDouble());
        } else if (reader.name() == QLatin1String("text")) {
            SvgText text;
            text.family = attributes.value(QLatin1String("font-family")).toString();
            text.size = attributes.value(QLatin1String("font-size")).toDouble();
            text.at = QPointF(attributes.value(QLatin1String("x")).toDouble(),
                              attributes.value(QLatin1String("y")).toDouble());
            text.fill = QColor(attributes.value(QLatin1String("fill")).toString());
            text.text = reader.readElementText();
            staff.texts.push_back(text);
        } else if (reader.name() == QLatin1String("polyline")) {
            const QStringList points
                = attributes.value(QLatin1String("points")).toString().split(u' ', Qt::SkipEmptyParts);
            std::vector<QPointF> corners;
            for (const QString &point : points) {
                const QStringList xy = point.split(u',');
                corners.emplace_back(xy.value(0).toDouble(), xy.value(1).toDouble());
            }
            for (std::size_t i = 1; i < corners.size(); ++i)
                staff.lines.push_back({QLineF(corners[i - 1], corners[i]), widths.back()});
        } else if (reader.name() == QLatin1String("path")) {
            ++staff.paths;
        }
    }
    return staff;
}
