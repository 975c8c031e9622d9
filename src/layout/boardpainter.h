// Painting the board: background, picture and every drawn element in stacking order.
#pragma once

#include "board.h"
#include "elementcache.h"

#include <QImage>
#include <QRect>

#include <span>
#include <vector>

class QPainter;

/// Paints one board, as often as asked. What is dear to make again (caption layouts, the
/// scaled picture, copies of captions and curved or small shapes as drawn) it keeps.
class BoardPainter
{
public:
    /// The board must outlive the painter and keep its elements.
    explicit BoardPainter(const Board &board);

    /// Paints the areas (client-area pixels; they may overlap) of the board into frame
    /// (Format_RGB32, at its device pixel ratio): the background color, the background picture
    /// at 0,0 (clipped), then every element that reaches into the area, from the highest rank to
    /// the lowest. A null background picture leaves the background color. Every pixel of an area
    /// comes out as painting the whole board would leave it, so an area may be painted alone.
    void paint(QImage &frame, std::span<const QRect> areas, const QImage &background);

private:
    void paintRect(QPainter &p, QImage &frame, const QRect &clip, const QImage &background);
    /// Whether an element is dearer to draw than to copy: a caption or a curved or small shape
    /// drawn in the copy or black mode (the nand mode depends on the pixels beneath).
    static bool isCostly(const BoardElement &e);
    /// The element as drawn with its current fill at the ratio given.
    const ElementCache::Sprite &spriteOf(std::size_t element, qreal ratio);
    /// Whether the element may paint a pixel of clip.
    bool reaches(std::size_t element, const QRect &clip) const;

    ElementCache m_cache;
    std::vector<QRect> m_untouched; ///< by position: what a shape leaves as it is inside; null for the others
};

/// Paints the area of the board once (see BoardPainter::paint()).
void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background);

/// The window's background color.
Color boardBackgroundColor();
