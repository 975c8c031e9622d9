// Painting the board: background, picture and every drawn element in stacking order.
#pragma once

#include "board.h"
#include "elementcache.h"

#include <QImage>
#include <QRect>

#include <span>
#include <vector>

class QPainter;
struct Surface;

/// Paints one board, as often as asked. What is dear to make again (caption layouts, the
/// scaled picture, copies of captions and curved or small shapes as drawn) it keeps.
class BoardPainter
{
public:
    /// The board must outlive the painter and keep its elements. Each pixel of line width (of a
    /// line or a shape's outline) is drawn lineWidth client-area pixels wide: 1 on a screen, less
    /// where lines are to be thinner than the magnified picture would make them (on paper).
    explicit BoardPainter(const Board &board, qreal lineWidth = 1.0);

    /// Paints the areas (client-area pixels; they may overlap) of the board into frame
    /// (Format_RGB32, at its device pixel ratio, which may be fractional and below 1): the
    /// background color, the background picture at 0,0 (clipped), then every element that reaches
    /// into the area, from the highest rank to the lowest. A null background picture leaves the
    /// background color. Every device pixel an area touches comes out as painting the whole board
    /// would leave it, so an area may be painted alone.
    void paint(QImage &frame, std::span<const QRect> areas, const QImage &background);

private:
    /// Paints one area of device pixels into the frame's device pixels.
    void paintRect(QPainter &p, QImage &device, qreal ratio, const QRect &clip, const QImage &background);
    /// Whether an element is dearer to draw than to copy: a caption or a curved or small shape
    /// drawn in the copy or black mode (the nand mode depends on the pixels beneath).
    static bool isCostly(const BoardElement &e);
    /// Draws the element with its lines widened to a device pixel, cut at its box.
    void drawWithinBox(const Surface &surface, std::size_t element);
    /// The element as drawn with its current fill at the ratio given.
    const ElementCache::Sprite &spriteOf(std::size_t element, qreal ratio);
    /// The line width at a device pixel ratio: as asked, but never below one device pixel.
    qreal lineWidthAt(qreal ratio) const;
    /// Whether the element may paint a pixel of clip, its lines drawn at their own width or
    /// widened.
    bool reaches(std::size_t element, const QRect &clip, bool widened) const;

    ElementCache m_cache;
    qreal m_lineWidth;
    std::vector<QRect> m_untouched; ///< by position: what a shape leaves as it is inside; null for the others
};

/// Paints the area of the board once (see BoardPainter::paint()).
void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background);
