// Shape figures: the figure of each shape kind inside its box, its fill and its outline rings.
#include "shapefigures.h"

#include "board.h"

#include <QPainter>

#include <algorithm>

namespace {

/// The centre line of a one-pixel ring along the inside of r, for stroking with pixelPen().
QRectF strokeRect(const QRect &r)
{
    return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

/// A one-pixel ring along the inside of r, as four filled strips: exact at any scale.
void fillRing(QPainter &p, const QRect &r, const QColor &color)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), color);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), color);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), color);
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

/// Draws the outline: rings of one pixel, as many as the border width, centred on the edge.
void outlineFigure(QPainter &p, const ShapeRow &s, const QRect &figure, Color color)
{
    if (isCurved(s.kind)) {
        p.setBrush(Qt::NoBrush);
        p.setPen(pixelPen(color));
    }
    for (int ring = 0; ring < s.borderWidth; ++ring) {
        const int out = s.borderWidth / 2 - ring;
        const QRect r = figure.adjusted(-out, -out, out, out);
        if (isElliptic(s.kind))
            p.drawEllipse(strokeRect(r));
        else if (isRounded(s.kind))
            p.drawRoundedRect(strokeRect(r), cornerRadius(figure), cornerRadius(figure));
        else
            fillRing(p, r, toQColor(color));
    }
}

} // namespace

QPen pixelPen(Color color)
{
    QPen pen(toQColor(color), 1.0);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

bool isCurved(ShapeKind kind)
{
    return isRounded(kind) || isElliptic(kind);
}

void drawShapeFigure(QPainter &p, const ShapeRow &s, Color fill, bool allBlack)
{
    const QRect figure = figureRect(s);
    const auto color = [allBlack](Color c) { return allBlack ? Color{0} : c; };
    const bool plainInside = s.fillStyle == FillStyle::Solid || (s.opaque && s.fillStyle == FillStyle::Transparent);
    if (plainInside && !isCurved(s.kind) && s.borderWidth > 0) {
        // A rectangle of one color inside its rings (most of all, a pin): the rings cover all
        // from the outermost to the innermost, so two fills leave the same pixels as the fill
        // and the rings one by one.
        const int outer = s.borderWidth / 2;
        const int inner = outer - (s.borderWidth - 1);
        const QRect inside = figure.adjusted(1 - inner, 1 - inner, inner - 1, inner - 1);
        if (inside.width() > 0 && inside.height() > 0) {
            p.fillRect(figure.adjusted(-outer, -outer, outer, outer), toQColor(color(s.borderColor)));
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
        fillFigure(p, s, figure, QBrush(toQColor(color(fill)), Qt::DiagCrossPattern));
        break;
    }
    outlineFigure(p, s, figure, color(s.borderColor));
}

QRect untouchedInside(const ShapeRow &s)
{
    if (s.opaque || s.fillStyle != FillStyle::Transparent || (s.kind != ShapeKind::Rectangle && s.kind != ShapeKind::Square))
        return {};
    // The innermost of the rings outlineFigure() draws, and inside it.
    const int out = s.borderWidth / 2 - (s.borderWidth - 1);
    return figureRect(s).adjusted(-out + 1, -out + 1, out - 1, out - 1);
}
