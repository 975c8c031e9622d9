// The board painter: which elements an area needs, in stacking order, drawn or copied.
#include "boardpainter.h"

#include "canvas.h"
#include "elementdrawing.h"
#include "shapefigures.h"

#include "boarddata/window.h"

#include <QPainter>

#include <algorithm>

namespace {

/// Whether two boxes share a pixel; like QRect::intersects(), but inline, for the pass over
/// every element that each painted rectangle makes.
bool meets(const QRect &a, const QRect &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

/// The frame's pixels as an image of device pixels (ratio 1), sharing its memory. The painter
/// itself applies a device pixel ratio of 1 and more only; the board painter applies the
/// frame's ratio, whatever it is, itself.
QImage devicePixelsOf(QImage &frame)
{
    return QImage(frame.bits(), frame.width(), frame.height(), frame.bytesPerLine(), frame.format());
}

/// Narrows the painter's clip to a box of device pixels, whatever its scale.
void clipToDevicePixels(QPainter &p, const QRect &box)
{
    const QTransform scale = p.worldTransform();
    p.resetTransform();
    p.setClipRect(box, Qt::IntersectClip);
    p.setWorldTransform(scale);
}

/// Every pixel an element may paint.
QRect drawnBox(const BoardElement &e)
{
    return e.kind == ElementKind::Label ? captionArea(e.bounds) : e.bounds;
}

} // namespace

BoardPainter::BoardPainter(const Board &board, qreal lineWidth)
    : m_cache(board)
    , m_lineWidth(lineWidth)
    , m_untouched(board.elements().size())
{
    const auto &elements = board.elements();
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (elements[i].kind == ElementKind::Shape)
            m_untouched[i] = untouchedInside(*elements[i].shape);
    }
}

void BoardPainter::paint(QImage &frame, std::span<const QRect> areas, const QImage &background)
{
    const qreal ratio = frame.devicePixelRatio();
    QImage device = devicePixelsOf(frame);
    QPainter p;
    for (const QRect &area : areas) {
        const QRect clip = devicePixels(area, ratio).intersected(device.rect());
        if (clip.isEmpty())
            continue;
        if (!p.isActive())
            p.begin(&device);
        paintRect(p, device, ratio, clip, background);
    }
}

void BoardPainter::paintRect(QPainter &p, QImage &device, qreal ratio, const QRect &clip, const QImage &background)
{
    // The clip and the pictures are set in device pixels, so that at a fractional ratio they
    // fall on the same pixels whichever area is painted; only the elements are drawn scaled.
    p.resetTransform();
    p.setClipRect(clip);
    p.fillRect(clip, toQColor(windowBackColor()));
    if (!background.isNull())
        p.drawImage(clip.topLeft(), m_cache.scaledBackground(background, ratio), clip);
    p.scale(ratio, ratio);

    // Painting all of the frame draws every element straight onto it. Painting a part, captions
    // and curved or small shapes are drawn from copies kept of them, which is faster than
    // tracing the letters or the curves again.
    const bool part = clip != device.rect();
    const QRect area = clientPixels(clip, ratio);
    const Surface surface{p, device, clip, ratio, lineWidthAt(ratio)};
    const bool widened = surface.lineWidth != m_lineWidth;
    const auto &elements = m_cache.board().elements();
    for (std::size_t i = elements.size(); i-- > 0;) {
        if (!reaches(i, area, widened))
            continue;
        if (part && isCostly(elements[i])) {
            const ElementCache::Sprite &sprite = spriteOf(i, ratio);
            drawDevicePixels(p, sprite.origin, sprite.image);
        } else if (widened) {
            drawWithinBox(surface, i);
        } else {
            drawElement(surface, m_cache, i);
        }
    }
}

void BoardPainter::drawWithinBox(const Surface &surface, std::size_t element)
{
    // Lines widened to a device pixel may reach past the element's box; they are cut at the
    // box's device pixels, as a copy of the element is.
    surface.painter.save();
    clipToDevicePixels(surface.painter, devicePixels(drawnBox(m_cache.board().elements()[element]), surface.ratio));
    drawElement(surface, m_cache, element);
    surface.painter.restore();
}

bool BoardPainter::isCostly(const BoardElement &e)
{
    // A small shape (a pin) takes a few calls into the painter; one copy is fewer.
    constexpr int SmallShape = 32 * 32;
    return e.kind == ElementKind::Label
        || (e.kind == ElementKind::Shape && e.shape->drawMode != DrawMode::Nand
            && (isCurved(e.shape->kind) || e.bounds.width() * e.bounds.height() <= SmallShape));
}

const ElementCache::Sprite &BoardPainter::spriteOf(std::size_t element, qreal ratio)
{
    if (const ElementCache::Sprite *kept = m_cache.sprite(element, ratio))
        return *kept;
    // Drawn as onto the frame: onto a canvas with the frame's corner, in the same place, so not
    // one pixel can come out differently; only the element's own pixels are then cut out. The
    // drawing is not antialiased, so each pixel is either the element's color or untouched.
    const BoardElement &e = m_cache.board().elements()[element];
    QRect reach = drawnBox(e);
    // Pixels left of or above the frame are never shown.
    reach.setLeft(std::max(reach.left(), 0));
    reach.setTop(std::max(reach.top(), 0));
    const QRect device = devicePixels(reach, ratio);
    QImage canvas = canvasImage(QSize(device.right() + 1, device.bottom() + 1), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&canvas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(device, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setClipRect(device);
        p.scale(ratio, ratio);
        drawElement({p, canvas, device, ratio, lineWidthAt(ratio)}, m_cache, element);
    }
    return m_cache.keepSprite(element, {e.fillColor, ratio, device.topLeft(), canvas.copy(device)});
}

qreal BoardPainter::lineWidthAt(qreal ratio) const
{
    // Below one device pixel a line would fall between the pixels' middles and vanish.
    return std::max(m_lineWidth, 1.0 / ratio);
}

bool BoardPainter::reaches(std::size_t element, const QRect &clip, bool widened) const
{
    // Widened lines reach into what a shape leaves untouched at its own line width.
    return meets(drawnBox(m_cache.board().elements()[element]), clip)
        && (widened || !m_untouched[element].contains(clip));
}

void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background)
{
    BoardPainter(board).paint(frame, {&area, 1}, background);
}
