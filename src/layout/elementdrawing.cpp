// Element drawing: one function per element kind, and the shape's three draw modes.
#include "elementdrawing.h"

#include "canvas.h"
#include "elementcache.h"
#include "fonts.h"
#include "shapefigures.h"

#include <QPainter>

#include <algorithm>
#include <cassert>
#include <cstdlib>

namespace {

/// Two rings: shadow above and left, highlight below and right, outside; dark shadow and face
/// inside, so the box looks pressed in.
void drawSunkenBorder(QPainter &p, const QRect &box)
{
    const auto ring = [&p](const QRect &r, Color topLeft, Color bottomRight) {
        p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), toQColor(bottomRight));
        p.fillRect(QRect(r.right(), r.top(), 1, r.height()), toQColor(bottomRight));
        p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), toQColor(topLeft));
        p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), toQColor(topLeft));
    };
    ring(box, 0x808080, 0xFFFFFF);
    ring(box.adjusted(1, 1, -1, -1), 0x000000, 0xC0C0C0);
}

void drawLabel(QPainter &p, const LabelRow &l, const QRect &box, const CaptionLayout &caption)
{
    if (l.flags & Opaque)
        p.fillRect(box, toQColor(l.backColor));
    if (l.flags & Border)
        drawSunkenBorder(p, box);
    // Whatever font stands in for the one the caption was laid out in, nothing reaches past the
    // box and its margin.
    p.save();
    p.setClipRect(captionArea(box), Qt::IntersectClip);
    p.setFont(captionFont(l.font));
    p.setPen(toQColor(l.textColor));
    for (const CaptionLayout::Line &line : caption.lines) {
        if (line.condense == 1.0) {
            p.drawText(line.origin, line.text);
            continue;
        }
        p.save();
        p.translate(line.origin);
        p.scale(line.condense, 1.0);
        p.drawText(QPoint(), line.text);
        p.restore();
    }
    p.restore();
}

/// The nand mode: each pixel the shape draws becomes NOT(shape color AND pixel beneath). The
/// shape is drawn alone on a transparent layer first, so the hatch gaps stay untouched; a raster
/// operation of the painter would turn the gaps white as well. The layer is combined into the
/// image pixel by pixel, past the image's painter, which draws straight into the same pixels.
void drawShapeNand(const Surface &surface, const ShapeRow &s, const QRect &bounds, Color fill)
{
    // The layer always holds the whole shape: the hatch pattern is laid from the layer's corner,
    // so a layer of the clipped part only would shift it.
    QImage &image = surface.image;
    const QRect device = devicePixels(bounds, surface.ratio).intersected(image.rect());
    if (!device.intersects(surface.clip))
        return;
    QImage layer = canvasImage(device.size(), QImage::Format_ARGB32);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.translate(-device.topLeft());
        lp.scale(surface.ratio, surface.ratio);
        drawShapeFigure(lp, s, fill, false, surface.lineWidth);
    }
    // Written through scanLine(), an image that shared its pixels with a copy would get pixels
    // of its own, and the painter would go on drawing into the copy's.
    assert(image.isDetached() && "the image being painted shares its pixels");
    const QRect target = device.intersected(surface.clip);
    for (int y = target.top(); y <= target.bottom(); ++y) {
        const QRgb *src = reinterpret_cast<const QRgb *>(layer.constScanLine(y - device.top())) - device.left();
        QRgb *dst = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = target.left(); x <= target.right(); ++x) {
            if (qAlpha(src[x]) == 0)
                continue;
            dst[x] = 0xFF000000u | (~(src[x] & dst[x]) & 0x00FFFFFFu);
        }
    }
}

void drawShape(const Surface &surface, const BoardElement &e)
{
    switch (e.shape->drawMode) {
    case DrawMode::Copy:
        drawShapeFigure(surface.painter, *e.shape, e.fillColor, false, surface.lineWidth);
        return;
    case DrawMode::Black:
        drawShapeFigure(surface.painter, *e.shape, e.fillColor, true, surface.lineWidth);
        return;
    case DrawMode::Nand:
        drawShapeNand(surface, *e.shape, e.bounds, e.fillColor);
        return;
    }
}

/// A dotted line along a row or a column: every other pixel from its first end on, each as long
/// as a pixel (or the line's width, if wider) and as thick as the line.
void drawDots(QPainter &p, const QPoint &from, const QPoint &to, const QColor &color, qreal lineWidth)
{
    const bool across = from.y() == to.y();
    const QPoint step = across ? QPoint(to.x() < from.x() ? -2 : 2, 0) : QPoint(0, to.y() < from.y() ? -2 : 2);
    const int count = std::max(std::abs(to.x() - from.x()), std::abs(to.y() - from.y())) / 2 + 1;
    const qreal length = std::max(1.0, lineWidth);
    const qreal inset = (1.0 - lineWidth) / 2;
    for (int i = 0; i < count; ++i) {
        const QPointF at = from + i * step;
        p.fillRect(across ? QRectF(at.x(), at.y() + inset, length, lineWidth)
                          : QRectF(at.x() + inset, at.y(), lineWidth, length),
                   color);
    }
}

void drawLine(QPainter &p, const LineRow &l, qreal lineWidth)
{
    const QPoint from(twipsToPixels(l.x1), twipsToPixels(l.y1));
    const QPoint to(twipsToPixels(l.x2), twipsToPixels(l.y2));
    // Dots drawn one by one keep their pixel of gap at any scale, where a dashed pen's square
    // caps would close the gaps once the pen is wider than a device pixel.
    if (l.style == LineStyle::Dotted && (from.x() == to.x() || from.y() == to.y())) {
        drawDots(p, from, to, toQColor(l.color), lineWidth);
        return;
    }
    QPen pen = pixelPen(l.color, lineWidth);
    if (l.style == LineStyle::Dotted)
        pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
    // Through the pixel centres, so the line covers whole pixels at any scale.
    const QPointF centre(0.5, 0.5);
    p.drawLine(QPointF(from) + centre, QPointF(to) + centre);
}

} // namespace

void drawElement(const Surface &surface, ElementCache &cache, std::size_t element)
{
    const BoardElement &e = cache.board().elements()[element];
    QPainter &p = surface.painter;
    switch (e.kind) {
    case ElementKind::Label:
        drawLabel(p, *e.label, e.bounds, cache.caption(element));
        return;
    case ElementKind::Shape:
        drawShape(surface, e);
        return;
    case ElementKind::Line:
        drawLine(p, *e.line, surface.lineWidth);
        return;
    case ElementKind::Image:
        drawDevicePixels(p, devicePixels(e.bounds, surface.ratio).topLeft(),
                         cache.scaledPicture(element, surface.ratio));
        return;
    }
}

void drawDevicePixels(QPainter &p, const QPoint &at, const QImage &image)
{
    const QTransform scale = p.worldTransform();
    p.resetTransform();
    p.drawImage(at, image);
    p.setWorldTransform(scale);
}
