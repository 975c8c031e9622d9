// Drawing of the four element kinds, with the copy, black and nand draw modes.
#include "boardpainter.h"

#include "fonts.h"
#include "pictures.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

QPen pixelPen(Colour colour)
{
    QPen pen(toQColor(colour));
    pen.setWidth(0); // cosmetic: one device pixel
    return pen;
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
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    if (isElliptic(s.kind)) {
        p.drawEllipse(figure);
    } else if (isRounded(s.kind)) {
        const qreal radius = std::max(1, std::min(figure.width(), figure.height()) / 6);
        p.drawRoundedRect(figure, radius, radius);
    } else {
        p.drawRect(figure);
    }
}

/// Draws the outline: rings of one pixel, as many as the border width, centred on the edge.
void outlineFigure(QPainter &p, const ShapeRow &s, const QRect &figure, Colour colour)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(pixelPen(colour));
    for (int ring = 0; ring < s.borderWidth; ++ring) {
        const int out = s.borderWidth / 2 - ring;
        const QRect r = figure.adjusted(-out, -out, out - 1, out - 1);
        if (isElliptic(s.kind)) {
            p.drawEllipse(r);
        } else if (isRounded(s.kind)) {
            const qreal radius = std::max(1, std::min(figure.width(), figure.height()) / 6);
            p.drawRoundedRect(r, radius, radius);
        } else {
            p.drawRect(r);
        }
    }
}

/// Draws a shape in the copy mode, with the colours given (black mode passes black for all).
void drawShapeCopy(QPainter &p, const ShapeRow &s, Colour fill, bool allBlack)
{
    const QRect figure = figureRect(s);
    const auto colour = [allBlack](Colour c) { return allBlack ? Colour{0} : c; };
    if (s.opaque)
        fillFigure(p, s, figure, toQColor(colour(s.backColour)));
    switch (s.fillStyle) {
    case FillStyle::Transparent:
        break;
    case FillStyle::Solid:
        fillFigure(p, s, figure, toQColor(colour(fill)));
        break;
    case FillStyle::DiagonalCross:
        fillFigure(p, s, figure, QBrush(toQColor(colour(fill)), Qt::DiagCrossPattern));
        break;
    }
    outlineFigure(p, s, figure, colour(s.borderColour));
}

/// The nand mode: each pixel the shape draws becomes NOT(shape colour AND pixel beneath). The
/// shape is drawn alone on a transparent layer first, so the hatch gaps stay untouched.
void drawShapeNand(QImage &frame, const QRect &clip, const ShapeRow &s, const QRect &bounds, Colour fill)
{
    const QRect area = bounds.intersected(clip).intersected(frame.rect());
    if (area.isEmpty())
        return;
    QImage layer(area.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.translate(-area.topLeft());
        drawShapeCopy(lp, s, fill, false);
    }
    for (int y = 0; y < area.height(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(layer.constScanLine(y));
        QRgb *dst = reinterpret_cast<QRgb *>(frame.scanLine(area.top() + y)) + area.left();
        for (int x = 0; x < area.width(); ++x) {
            if (qAlpha(src[x]) == 0)
                continue;
            dst[x] = 0xFF000000u | (~(src[x] & dst[x]) & 0x00FFFFFFu);
        }
    }
}

void drawLine(QPainter &p, const LineRow &l)
{
    QPen pen = pixelPen(l.colour);
    if (l.style == LineStyle::Dotted)
        pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
    p.drawLine(QPoint(twipsToPixels(l.x1), twipsToPixels(l.y1)),
               QPoint(twipsToPixels(l.x2), twipsToPixels(l.y2)));
}

/// Breaks a caption at blanks: each line takes as many whole words as fit the width.
QStringList wrapCaption(const QString &caption, const QFontMetrics &fm, int width)
{
    QStringList lines;
    QString current;
    for (const QString &word : caption.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString candidate = current.isEmpty() ? word : current + QLatin1Char(' ') + word;
        if (!current.isEmpty() && fm.horizontalAdvance(candidate) > width) {
            lines << current;
            current = word;
        } else {
            current = candidate;
        }
    }
    if (!current.isEmpty())
        lines << current;
    return lines;
}

void drawSunkenBorder(QPainter &p, const QRect &box)
{
    const QRect outer = box.adjusted(0, 0, -1, -1);
    const QRect inner = box.adjusted(1, 1, -2, -2);
    p.setPen(pixelPen(0x808080)); // shadow
    p.drawLine(outer.topLeft(), outer.topRight());
    p.drawLine(outer.topLeft(), outer.bottomLeft());
    p.setPen(pixelPen(0xFFFFFF)); // highlight
    p.drawLine(outer.bottomLeft(), outer.bottomRight());
    p.drawLine(outer.topRight(), outer.bottomRight());
    p.setPen(pixelPen(0x000000)); // dark shadow
    p.drawLine(inner.topLeft(), inner.topRight());
    p.drawLine(inner.topLeft(), inner.bottomLeft());
    p.setPen(pixelPen(0xC0C0C0)); // face
    p.drawLine(inner.bottomLeft(), inner.bottomRight());
    p.drawLine(inner.topRight(), inner.bottomRight());
}

void drawLabel(QPainter &p, const LabelRow &l, const QRect &box)
{
    if (l.flags & Opaque)
        p.fillRect(box, toQColor(l.backColour));
    QRect text = box;
    if (l.flags & Border) {
        drawSunkenBorder(p, box);
        text = box.adjusted(2, 2, -2, -2);
    }
    const QFontMetrics &fm = captionMetrics(l.font);
    const QString caption = QString::fromLatin1(l.caption);
    const QStringList lines = (l.flags & WordWrap) ? wrapCaption(caption, fm, text.width()) : QStringList{caption};
    const int lineHeight = captionLineHeight(l.font);
    // The substitute's glyphs are centred on each line of the stored pitch.
    const int baseline = (lineHeight - fm.height()) / 2 + fm.ascent();
    p.setFont(captionFont(l.font));
    p.setPen(toQColor(l.textColour));
    int y = text.top();
    for (const QString &line : lines) {
        int x = text.left();
        if (l.flags & Centre)
            x += (text.width() - fm.horizontalAdvance(line)) / 2;
        p.drawText(QPoint(x, y + baseline), line);
        y += lineHeight;
    }
}

void drawImage(QPainter &p, const ImageRow &i, const QRect &box)
{
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.drawImage(box, picture(i.picture));
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
}

} // namespace

Colour boardBackgroundColour()
{
    return TitleBarText;
}

void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background)
{
    const QRect clip = area.intersected(frame.rect());
    if (clip.isEmpty())
        return;
    QPainter p(&frame);
    p.setClipRect(clip);
    p.fillRect(clip, toQColor(boardBackgroundColour()));
    if (!background.isNull())
        p.drawImage(clip.topLeft(), background, clip);

    const auto &elements = board.elements();
    for (auto it = elements.rbegin(); it != elements.rend(); ++it) {
        const BoardElement &e = *it;
        if (!e.bounds.intersects(clip))
            continue;
        switch (e.kind) {
        case ElementKind::Label:
            drawLabel(p, *e.label, e.bounds);
            break;
        case ElementKind::Shape:
            if (e.shape->drawMode == DrawMode::Nand) {
                p.end();
                drawShapeNand(frame, clip, *e.shape, e.bounds, e.fillColour);
                p.begin(&frame);
                p.setClipRect(clip);
            } else {
                drawShapeCopy(p, *e.shape, e.fillColour, e.shape->drawMode == DrawMode::Black);
            }
            break;
        case ElementKind::Line:
            drawLine(p, *e.line);
            break;
        case ElementKind::Image:
            drawImage(p, *e.image, e.bounds);
            break;
        }
    }
}
