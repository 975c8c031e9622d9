// Element drawing: one function per element kind, and the shape's three draw modes.
#include "elementdrawing.h"

#include "elementcache.h"
#include "fonts.h"
#include "shapefigures.h"

#include <QPainter>

#include <cassert>

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
/// frame pixel by pixel, past the frame's painter, which draws straight into the same pixels.
void drawShapeNand(QImage &frame, const QRect &clip, const ShapeRow &s, const QRect &bounds, Color fill)
{
    // The layer always holds the whole shape: the hatch pattern is laid from the layer's corner,
    // so a layer of the clipped part only would shift it.
    const QRect area = bounds.intersected(QRect(QPoint(), frame.deviceIndependentSize().toSize()));
    if (!area.intersects(clip))
        return;
    const qreal ratio = frame.devicePixelRatio();
    const QRect device = devicePixels(area, ratio);
    QImage layer(device.size(), QImage::Format_ARGB32);
    layer.setDevicePixelRatio(ratio);
    layer.fill(Qt::transparent);
    {
        QPainter lp(&layer);
        lp.translate(-area.topLeft());
        drawShapeFigure(lp, s, fill, false);
    }
    // Written through scanLine(), a frame that shared its pixels with a copy would get pixels of
    // its own, and the painter would go on drawing into the copy's.
    assert(frame.isDetached() && "the frame being painted shares its pixels");
    const QRect target = device.intersected(devicePixels(clip, ratio)).intersected(frame.rect());
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

void drawShape(const Surface &surface, const BoardElement &e)
{
    switch (e.shape->drawMode) {
    case DrawMode::Copy:
        drawShapeFigure(surface.painter, *e.shape, e.fillColor, false);
        return;
    case DrawMode::Black:
        drawShapeFigure(surface.painter, *e.shape, e.fillColor, true);
        return;
    case DrawMode::Nand:
        drawShapeNand(surface.image, surface.clip, *e.shape, e.bounds, e.fillColor);
        return;
    }
}

void drawLine(QPainter &p, const LineRow &l)
{
    QPen pen = pixelPen(l.color);
    if (l.style == LineStyle::Dotted)
        pen.setDashPattern({1.0, 1.0});
    p.setPen(pen);
    // Through the pixel centres, so the line covers whole pixels at any scale.
    const QPointF centre(0.5, 0.5);
    p.drawLine(QPointF(twipsToPixels(l.x1), twipsToPixels(l.y1)) + centre,
               QPointF(twipsToPixels(l.x2), twipsToPixels(l.y2)) + centre);
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
        drawLine(p, *e.line);
        return;
    case ElementKind::Image:
        p.drawImage(e.bounds.topLeft(), cache.scaledPicture(element, surface.image.devicePixelRatio()));
        return;
    }
}
