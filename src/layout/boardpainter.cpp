// Drawing of the four element kinds, with the copy, black and nand draw modes.
#include "boardpainter.h"

#include "fonts.h"
#include "pictures.h"

#include <QPainter>
#include <QStringList>

#include <algorithm>

namespace {

/// A pen one pixel of the layout wide: one screen pixel at 96 dpi, more on a denser screen.
QPen pixelPen(Colour colour)
{
    QPen pen(toQColor(colour), 1.0);
    pen.setCapStyle(Qt::SquareCap);
    pen.setJoinStyle(Qt::MiterJoin);
    return pen;
}

/// The centre line of a one-pixel ring along the inside of r, for stroking with pixelPen().
QRectF strokeRect(const QRect &r)
{
    return QRectF(r).adjusted(0.5, 0.5, -0.5, -0.5);
}

/// A one-pixel ring along the inside of r, as four filled strips: exact at any scale.
void fillRing(QPainter &p, const QRect &r, const QColor &colour)
{
    p.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
    p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
    p.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
    p.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
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
    p.setPen(Qt::NoPen);
    p.setBrush(brush);
    if (isElliptic(s.kind)) {
        p.drawEllipse(QRectF(figure));
    } else if (isRounded(s.kind)) {
        p.drawRoundedRect(QRectF(figure), cornerRadius(figure), cornerRadius(figure));
    } else {
        p.fillRect(figure, brush);
    }
}

/// Draws the outline: rings of one pixel, as many as the border width, centred on the edge.
void outlineFigure(QPainter &p, const ShapeRow &s, const QRect &figure, Colour colour)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(pixelPen(colour));
    for (int ring = 0; ring < s.borderWidth; ++ring) {
        const int out = s.borderWidth / 2 - ring;
        const QRect r = figure.adjusted(-out, -out, out, out);
        if (isElliptic(s.kind))
            p.drawEllipse(strokeRect(r));
        else if (isRounded(s.kind))
            p.drawRoundedRect(strokeRect(r), cornerRadius(figure), cornerRadius(figure));
        else
            fillRing(p, r, toQColor(colour));
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
    const QRect area = bounds.intersected(clip);
    if (area.isEmpty())
        return;
    const qreal ratio = frame.devicePixelRatio();
    const QRect device(QPoint(qRound(area.left() * ratio), qRound(area.top() * ratio)),
                       QSize(qRound(area.width() * ratio), qRound(area.height() * ratio)));
    QImage layer(device.size(), QImage::Format_ARGB32);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.translate(-area.topLeft());
        drawShapeCopy(lp, s, fill, false);
    }
    const QRect target = device.intersected(frame.rect());
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(layer.constScanLine(y - device.top())) - device.left();
        QRgb *dst = reinterpret_cast<QRgb *>(frame.scanLine(y));
        for (int x = target.left(); x <= target.right(); ++x) {
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
    // Through the pixel centres, so the line covers whole pixels at any scale.
    const QPointF centre(0.5, 0.5);
    p.drawLine(QPointF(twipsToPixels(l.x1), twipsToPixels(l.y1)) + centre,
               QPointF(twipsToPixels(l.x2), twipsToPixels(l.y2)) + centre);
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

/// Two rings: shadow above and left, highlight below and right, outside; dark shadow and face
/// inside, so the box looks pressed in.
void drawSunkenBorder(QPainter &p, const QRect &box)
{
    const auto ring = [&p](const QRect &r, Colour topLeft, Colour bottomRight) {
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), toQColor(bottomRight));
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), toQColor(bottomRight));
        p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), toQColor(topLeft));
        p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), toQColor(topLeft));
    };
    ring(box, 0x808080, 0xFFFFFF);
    ring(box.adjusted(1, 1, -1, -1), 0x000000, 0xC0C0C0);
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
    const QRect clip = area.intersected(QRect(QPoint(), frame.deviceIndependentSize().toSize()));
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
