// The board painter: which elements an area needs, in stacking order, drawn or copied.
#include "boardpainter.h"

#include "elementdrawing.h"
#include "shapefigures.h"

#include <QPainter>

#include <algorithm>

namespace {

/// Whether two boxes share a pixel; like QRect::intersects(), but inline, for the pass over
/// every element that each painted rectangle makes.
bool meets(const QRect &a, const QRect &b)
{
    return a.left() <= b.right() && b.left() <= a.right() && a.top() <= b.bottom() && b.top() <= a.bottom();
}

/// Every pixel an element may paint.
QRect drawnBox(const BoardElement &e)
{
    return e.kind == ElementKind::Label ? captionArea(e.bounds) : e.bounds;
}

} // namespace

Color boardBackgroundColor()
{
    return TitleBarText;
}

BoardPainter::BoardPainter(const Board &board)
    : m_cache(board)
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
    const QRect whole(QPoint(), frame.deviceIndependentSize().toSize());
    QPainter p;
    for (const QRect &area : areas) {
        const QRect clip = area.intersected(whole);
        if (clip.isEmpty())
            continue;
        if (!p.isActive())
            p.begin(&frame);
        paintRect(p, frame, clip, background);
    }
}

void BoardPainter::paintRect(QPainter &p, QImage &frame, const QRect &clip, const QImage &background)
{
    p.setClipRect(clip);
    p.fillRect(clip, toQColor(boardBackgroundColor()));
    if (!background.isNull())
        p.drawImage(clip.topLeft(), background, clip);

    // Painting all of the frame draws every element straight onto it. Painting a part, captions
    // and curved or small shapes are drawn from copies kept of them, which is faster than
    // tracing the letters or the curves again.
    const bool part = clip != QRect(QPoint(), frame.deviceIndependentSize().toSize());
    const Surface surface{p, frame, clip};
    const auto &elements = m_cache.board().elements();
    for (std::size_t i = elements.size(); i-- > 0;) {
        if (!reaches(i, clip))
            continue;
        if (part && isCostly(elements[i])) {
            const ElementCache::Sprite &sprite = spriteOf(i, frame.devicePixelRatio());
            p.drawImage(sprite.origin, sprite.image);
            continue;
        }
        drawElement(surface, m_cache, i);
    }
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
    QImage canvas(QSize(reach.right() + 1, reach.bottom() + 1) * ratio, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(ratio);
    {
        QPainter p(&canvas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(reach, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setClipRect(reach);
        drawElement({p, canvas, reach}, m_cache, element);
    }
    QImage image = canvas.copy(devicePixels(reach, ratio));
    image.setDevicePixelRatio(ratio);
    return m_cache.keepSprite(element, {e.fillColor, ratio, reach.topLeft(), std::move(image)});
}

bool BoardPainter::reaches(std::size_t element, const QRect &clip) const
{
    return meets(drawnBox(m_cache.board().elements()[element]), clip) && !m_untouched[element].contains(clip);
}

void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background)
{
    BoardPainter(board).paint(frame, {&area, 1}, background);
}
