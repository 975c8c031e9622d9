// What the board painter keeps between paints: captions laid out, pictures scaled, elements drawn.
#pragma once

#include "board.h"
#include "captionlayout.h"

#include <QImage>
#include <QPoint>

#include <optional>
#include <vector>

/// The device pixels of a box of client-area pixels at a device pixel ratio.
QRect devicePixels(const QRect &box, qreal ratio);

/// Keeps, by element position on one board, what is dear to make again: each caption as laid
/// out (once, for it never changes), each picture as scaled into its box (at the last device
/// pixel ratio asked for) and copies of elements as drawn (one per fill and ratio).
class ElementCache
{
public:
    /// An element as drawn, with transparent pixels where it leaves the frame as it is.
    struct Sprite {
        Color fill;  ///< the shape's fill it was drawn with
        qreal ratio; ///< the device pixel ratio it was drawn at
        QPoint origin;
        QImage image;
    };

    /// The board must outlive the cache and keep its elements.
    explicit ElementCache(const Board &board);

    const Board &board() const { return m_board; }

    /// A caption element's layout in its box.
    const CaptionLayout &caption(std::size_t element);

    /// A picture element's picture scaled smoothly into its box, at the ratio given.
    const QImage &scaledPicture(std::size_t element, qreal ratio);

    /// The copy of the element drawn with its current fill at the ratio given, or null if none
    /// is kept.
    const Sprite *sprite(std::size_t element, qreal ratio) const;

    /// Keeps a copy of the element as drawn; returns the copy kept.
    const Sprite &keepSprite(std::size_t element, Sprite sprite);

private:
    const Board &m_board;
    std::vector<std::optional<CaptionLayout>> m_captions;
    std::vector<QImage> m_pictures; ///< null until scaled
    std::vector<std::vector<Sprite>> m_sprites;
};
