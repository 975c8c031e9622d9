// The board painter's caches of caption layouts, scaled pictures and drawn elements.
#include "elementcache.h"

#include "canvas.h"
#include "pictures.h"

#include <QPainter>
#include <QtMath>

namespace {

/// A product of a whole number of pixels and a ratio that ought to be whole may come out a hair
/// above or below it; rounding outwards would then take in one device pixel too many.
constexpr qreal Slack = 1e-6;

} // namespace

QRect devicePixels(const QRect &box, qreal ratio)
{
    const int left = qFloor(box.left() * ratio + Slack);
    const int top = qFloor(box.top() * ratio + Slack);
    const int right = qCeil((box.left() + box.width()) * ratio - Slack);
    const int bottom = qCeil((box.top() + box.height()) * ratio - Slack);
    return QRect(left, top, right - left, bottom - top);
}

QRect clientPixels(const QRect &device, qreal ratio)
{
    const int left = qFloor(device.left() / ratio + Slack);
    const int top = qFloor(device.top() / ratio + Slack);
    const int right = qCeil((device.left() + device.width()) / ratio - Slack);
    const int bottom = qCeil((device.top() + device.height()) / ratio - Slack);
    return QRect(left, top, right - left, bottom - top);
}

ElementCache::ElementCache(const Board &board)
    : m_board(board)
    , m_captions(board.elements().size())
    , m_pictures(board.elements().size())
    , m_pictureRatios(board.elements().size())
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
    if (!scaled.isNull() && m_pictureRatios[element] == ratio)
        return scaled;
    // Scaled smoothly onto a canvas whose corner is the frame's, unclipped, and then cut out:
    // the smooth scale of a clipped part of the box comes out slightly different. At a
    // fractional ratio the picture covers only part of the device pixels along its edges; those
    // it leaves transparent, so that what lies beneath shows there.
    const BoardElement &e = m_board.elements()[element];
    const QRect device = devicePixels(e.bounds, ratio);
    QImage canvas = canvasImage(QSize(device.right() + 1, device.bottom() + 1), QImage::Format_ARGB32_Premultiplied);
    {
        QPainter p(&canvas);
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(device, Qt::transparent);
        p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        p.setRenderHint(QPainter::SmoothPixmapTransform, true);
        p.scale(ratio, ratio);
        p.drawImage(e.bounds, picture(e.image->picture));
    }
    scaled = canvas.copy(device);
    m_pictureRatios[element] = ratio;
    return scaled;
}

const QImage &ElementCache::scaledBackground(const QImage &background, qreal ratio)
{
    if (ratio == 1.0)
        return background;
    if (m_background.key != background.cacheKey() || m_background.ratio != ratio) {
        // Not smoothed, as a dense screen shows a picture that has no pixels to spare.
        const QSize size = devicePixels(background.rect(), ratio).size();
        m_background = {background.cacheKey(), ratio,
                        background.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation)};
    }
    return m_background.image;
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
