// Shape figures: the figure of each shape kind inside its box, its fill and its outline rings.
#include "shapefigures.h"

#include "board.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

/// How far the outside of a shape's outline lies out from the figure's edge. The rings of one
/// pixel, as many as the border width, are centred on the edge; lines thinner than a pixel keep
/// the middle of the band where it was.
qreal outlineReach(const ShapeRow &s, qreal lineWidth)
{
    const int outer = s.borderWidth / 2;
    return outer - s.borderWidth * (1.0 - lineWidth) / 2;
}

/// The centre line of ring number ring (0 the outermost) of a figure's outline, for stroking
/// with pixelPen().
QRectF ringCentre(const QRect &figure, const ShapeRow &s, int ring, qreal lineWidth)
{
    const qreal out = outlineReach(s, lineWidth) - (ring + 0.5) * lineWidth;
    return QRectF(figure).adjusted(-out, -out, out, out);
}

/// A band of the thickness given along the inside of outside, as four filled strips: exact at
/// any scale.
void fillBand(QPainter &p, const QRectF &outside, qreal thickness, const QColor &color)
{
    p.fillRect(QRectF(outside.left(), outside.top(), outside.width(), thickness), color);
    p.fillRect(QRectF(outside.left(), outside.bottom() - thickness, outside.width(), thickness), color);
    p.fillRect(QRectF(outside.left(), outside.top(), thickness, outside.height()), color);
    p.fillRect(QRectF(outside.right() - thickness, outside.top(), thickness, outside.height()), color);
}

qreal cornerRadius(const QRect &figure)
{
    return std::max(1, std::min(figure.width(), figure.height()) / 6);
}

/// The figure a shape draws inside its box, in pixels: squares and circles are centred.
QRect figureRect(const ShapeRow &s)
{
    switch (s.kind) {
    case ShapeKind::Rectangle:
    case ShapeKind::Oval:
    case ShapeKind::RoundedRectangle:
        return pixelBox(s.left, s.top, s.width, s.height);
    case ShapeKind::Square:
    case ShapeKind::Circle:
    case ShapeKind::RoundedSquare: {
        const int side = std::min(s.width, s.height);
        return pixelBox(s.left + (s.width - side) / 2, s.top + (s.height - side) / 2, side, side);
    }
    }
    return {};
}

bool isRounded(ShapeKind kind)
{
    return kind == ShapeKind::RoundedRectangle || kind == ShapeKind::RoundedSquare;
}

bool isElliptic(ShapeKind kind)
{
    return kind == ShapeKind::Oval || kind == ShapeKind::Circle;
}

/// Fills the inside of a figure (outline included; the outline is drawn over it afterwards).
void fillFigure(QPainter &p, const ShapeRow &s, const QRect &figure, const QBrush &brush)
{
    if (!isCurved(s.kind)) {
        p.fillRect(figure, brush);
        return;
    }
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    if (isElliptic(s.kind))
        p.drawEllipse(QRectF(figure));
    else
        p.drawRoundedRect(QRectF(figure), cornerRadius(figure), cornerRadius(figure));
}

/// The outline of a figure as a path, for clipping to it.
QPainterPath figurePath(const ShapeRow &s, const QRect &figure)
{
    QPainterPath path;
    if (isElliptic(s.kind))
        path.addEllipse(QRectF(figure));
    else if (isRounded(s.kind))
        path.addRoundedRect(QRectF(figure), cornerRadius(figure), cornerRadius(figure));
    else
        path.addRect(QRectF(figure));
    return path;
}

/// Bands of the width given across box, eight pixels apart, centred on the lines where u + slope
/// * v is centre plus a multiple of 8 (slope is 1 or -1).
QPainterPath hatchBands(const QRectF &box, int slope, qreal centre, qreal width)
{
    QPainterPath bands;
    // Where the lines cross the box's top and bottom edges, as values of u + slope * v.
    const qreal low = std::min(box.left(), box.right()) + std::min(slope * box.top(), slope * box.bottom());
    const qreal high = std::max(box.left(), box.right()) + std::max(slope * box.top(), slope * box.bottom());
    const qreal first = centre + 8 * std::floor((low - width - centre) / 8);
    for (qreal c = first; c <= high + width; c += 8) {
        // Each band from just above the box to just below it: u = c - slope * v.
        const qreal top = box.top() - width, bottom = box.bottom() + width;
        const qreal half = width / 2;
        bands.addPolygon(QPolygonF{QPointF(c - half - slope * top, top), QPointF(c + half - slope * top, top),
                                   QPointF(c + half - slope * bottom, bottom),
                                   QPointF(c - half - slope * bottom, bottom)});
        bands.closeSubpath();
    }
    return bands;
}

/// The standard diagonal cross-hatch inside a figure: lines one pixel wide (or lineWidth), both
/// ways, eight pixels apart, laid from the client area's corner as the platform lays its pattern
/// on the screen; unlike the platform's pattern it keeps its size at any scale.
void hatchFigure(QPainter &p, const ShapeRow &s, const QRect &figure, const QColor &color, qreal lineWidth)
{
    p.save();
    p.setClipPath(figurePath(s, figure), Qt::IntersectClip);
    // The pattern's pixels: x - y a multiple of 8, and x + y one less than one; the middle of
    // each lies on a line through the middles of the others.
    p.fillPath(hatchBands(QRectF(figure), -1, 0, lineWidth), color);
    p.fillPath(hatchBands(QRectF(figure), 1, 8, lineWidth), color);
    p.restore();
}

/// Draws the outline: rings of one pixel (or of lineWidth), as many as the border width,
/// centred on the edge.
void outlineFigure(QPainter &p, const ShapeRow &s, const QRect &figure, Color color, qreal lineWidth)
{
    if (s.borderWidth <= 0)
        return;
    if (!isCurved(s.kind)) {
        // The rings of a rectangle are all of one color: one band.
        const qreal reach = outlineReach(s, lineWidth);
        fillBand(p, QRectF(figure).adjusted(-reach, -reach, reach, reach), s.borderWidth * lineWidth, toQColor(color));
        return;
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(pixelPen(color, lineWidth));
    for (int ring = 0; ring < s.borderWidth; ++ring) {
        const QRectF centre = ringCentre(figure, s, ring, lineWidth);
        if (isElliptic(s.kind))
            p.drawEllipse(centre);
        else
            p.drawRoundedRect(centre, cornerRadius(figure), cornerRadius(figure));
    }
}

} // namespace

QPen pixelPen(Color color, qreal width)
{
    QPen pen(toQColor(color), width);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

bool isCurved(ShapeKind kind)
{
    return isRounded(kind) || isElliptic(kind);
}

void drawShapeFigure(QPainter &p, const ShapeRow &s, Color fill, bool allBlack, qreal lineWidth)
{
    const QRect figure = figureRect(s);
    const auto color = [allBlack](Color c) { return allBlack ? Color{0} : c; };
    const bool plainInside = s.fillStyle == FillStyle::Solid || (s.opaque && s.fillStyle == FillStyle::Transparent);
    if (plainInside && !isCurved(s.kind) && s.borderWidth > 0) {
        // A rectangle of one color inside its rings (most of all, a pin): the rings cover all
        // from the outermost to the innermost, so two fills leave the same pixels as the fill
        // and the rings one by one.
        const qreal reach = outlineReach(s, lineWidth);
        const QRectF outside = QRectF(figure).adjusted(-reach, -reach, reach, reach);
        const qreal band = s.borderWidth * lineWidth;
        const QRectF inside = outside.adjusted(band, band, -band, -band);
        if (inside.width() > 0 && inside.height() > 0) {
            p.fillRect(outside, toQColor(color(s.borderColor)));
            const Color insideColor = s.fillStyle == FillStyle::Solid ? fill : s.backColor;
            p.fillRect(inside, toQColor(color(insideColor)));
            return;
        }
    }
    if (s.opaque)
        fillFigure(p, s, figure, toQColor(color(s.backColor)));
    switch (s.fillStyle) {
    case FillStyle::Transparent:
        break;
    case FillStyle::Solid:
        fillFigure(p, s, figure, toQColor(color(fill)));
        break;
    case FillStyle::DiagonalCross:
        hatchFigure(p, s, figure, toQColor(color(fill)), lineWidth);
        break;
    }
    outlineFigure(p, s, figure, color(s.borderColor), lineWidth);
}

QRect untouchedInside(const ShapeRow &s)
{
    if (s.opaque || s.fillStyle != FillStyle::Transparent
        || (s.kind != ShapeKind::Rectangle && s.kind != ShapeKind::Square))
        return {};
    // The innermost of the rings outlineFigure() draws, and inside it.
    const int out = s.borderWidth / 2 - (s.borderWidth - 1);
    return figureRect(s).adjusted(-out + 1, -out + 1, out - 1, out - 1);
}
