// What the board painter keeps between paints: captions laid out, pictures scaled, elements drawn.
#pragma once

#include "board.h"
#include "captionlayout.h"

#include <QImage>
#include <QPoint>

#include <optional>
#include <vector>

/// The device pixels a box of client-area pixels touches at a device pixel ratio: every device
/// pixel that any part of the box covers, so that at a fractional ratio the boxes of neighbouring
/// areas share the device pixel between them rather than leave it to neither.
QRect devicePixels(const QRect &box, qreal ratio);

/// The client-area pixels a box of device pixels touches at a device pixel ratio.
QRect clientPixels(const QRect &device, qreal ratio);

/// Keeps, by element position on one board, what is dear to make again: each caption as laid
/// out (once, for it never changes), each picture as scaled into its box and the background
/// picture as scaled (at the last device pixel ratio asked for) and copies of elements as drawn
/// (one per fill and ratio). Every image it hands out is in device pixels (ratio 1), to be
/// copied onto the frame's device pixels as it is.
class ElementCache
{
public:
    /// An element as drawn, with transparent pixels where it leaves the frame as it is.
    struct Sprite {
        Color fill;    ///< the shape's fill it was drawn with
        qreal ratio;   ///< the device pixel ratio it was drawn at
        QPoint origin; ///< in device pixels
        QImage image;
    };

    /// The board must outlive the cache and keep its elements.
    explicit ElementCache(const Board &board);

    const Board &board() const { return m_board; }

    /// A caption element's layout in its box.
    const CaptionLayout &caption(std::size_t element);

    /// A picture element's picture scaled smoothly into the device pixels of its box.
    const QImage &scaledPicture(std::size_t element, qreal ratio);

    /// The background picture drawn at the ratio given, pixel for pixel (each picture pixel
    /// becomes a block of device pixels of its color); the picture itself at ratio 1.
    const QImage &scaledBackground(const QImage &background, qreal ratio);

    /// The copy of the element drawn with its current fill at the ratio given, or null if none
    /// is kept.
    const Sprite *sprite(std::size_t element, qreal ratio) const;

    /// Keeps a copy of the element as drawn; returns the copy kept.
    const Sprite &keepSprite(std::size_t element, Sprite sprite);

private:
    const Board &m_board;
    std::vector<std::optional<CaptionLayout>> m_captions;
    std::vector<QImage> m_pictures; ///< null until scaled
    std::vector<qreal> m_pictureRatios;
    struct ScaledBackground {
        qint64 key = 0; ///< the picture's cacheKey()
        qreal ratio = 0;
        QImage image;
    } m_background;
    std::vector<std::vector<Sprite>> m_sprites;
};
