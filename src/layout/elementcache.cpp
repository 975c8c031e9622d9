// The board painter's caches of caption layouts, scaled pictures and drawn elements.
#include "elementcache.h"

#include "pictures.h"

#include <QPainter>

QRect devicePixels(const QRect &box, qreal ratio)
{
    return QRect(QPoint(qRound(box.left() * ratio), qRound(box.top() * ratio)),
                 QSize(qRound(box.width() * ratio), qRound(box.height() * ratio)));
}

ElementCache::ElementCache(const Board &board)
    : m_board(board)
    , m_captions(board.elements().size())
    , m_pictures(board.elements().size())
    , m_sprites(board.elements().size())
{
}

const CaptionLayout &ElementCache::caption(std::size_t element)
{
    auto &slot = m_captions[element];
    if (!slot) {
        const BoardElement &e = m_board.elements()[element];
        slot = layOutCaption(*e.label, e.bounds);
    }
    return *slot;
}

const QImage &ElementCache::scaledPicture(std::size_t element, qreal ratio)
{
    QImage &scaled = m_pictures[element];
    if (!scaled.isNull() && scaled.devicePixelRatio() == ratio)
        return scaled;
    // Scaled smoothly onto a canvas whose corner is the frame's, unclipped, and then cut out:
    // the smooth scale of a clipped part of the box comes out slightly different.
    const BoardElement &e = m_board.elements()[element];
    QImage canvas(QSize(e.bounds.right() + 1, e.bounds.bottom() + 1) * ratio, QImage::Format_RGB32);
    canvas.setDevicePixelRatio(ratio);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.drawImage(e.bounds, picture(e.image->picture));
    }
    scaled = canvas.copy(devicePixels(e.bounds, ratio));
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

const ElementCache::Sprite *ElementCache::sprite(std::size_t element, qreal ratio) const
{
    const Color fill = m_board.elements()[element].fillColor;
    for (const Sprite &s : m_sprites[element]) {
        if (s.fill == fill && s.ratio == ratio)
            return &s;
    }
    return nullptr;
}

const ElementCache::Sprite &ElementCache::keepSprite(std::size_t element, Sprite sprite)
{
    return m_sprites[element].emplace_back(std::move(sprite));
}
