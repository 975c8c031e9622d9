// Painting the board: background, picture and every drawn element in stacking order.
#pragma once

#include "board.h"

#include <QImage>
#include <QList>
#include <QPoint>
#include <QStringList>

#include <optional>
#include <span>
#include <vector>

class QPainter;

/// Paints one board, as often as asked. What it measures of a caption (its lines and where they
/// stand) it keeps, so each caption is measured once; a picture it
/// keeps scaled into its box.
class BoardPainter
{
public:
    /// A caption as it is drawn: its lines, each with the start of its baseline in pixels and
    /// the horizontal scale that fits it into its box (1 when it fits as it is).
    struct Caption {
        QStringList lines;
        QList<QPoint> origins;
        QList<qreal> condense;
    };

    /// The board must outlive the painter and keep its elements.
    explicit BoardPainter(const Board &board);

    /// Paints the areas (client-area pixels; they may overlap) of the board into frame
    /// (Format_RGB32, at its device pixel ratio): the background color, the background picture
    /// at 0,0 (clipped), then every element that reaches into the area, from the highest rank to
    /// the lowest. A null background picture leaves the background color. Every pixel of an area
    /// comes out as painting the whole board would leave it, so an area may be painted alone.
    void paint(QImage &frame, std::span<const QRect> areas, const QImage &background);

private:
    /// An element as drawn, with transparent pixels where it leaves the frame as it is.
    struct Sprite {
        Color fill;  ///< the shape's fill it was drawn with
        qreal ratio;  ///< the device pixel ratio it was drawn at
        QPoint origin;
        QImage image;
    };

    void paintRect(QPainter &p, QImage &frame, const QRect &clip, const QImage &background);
    void drawElement(QPainter &p, std::size_t element);
    /// Whether an element is dearer to draw than to copy: a caption or a curved shape.
    static bool isCostly(const BoardElement &e);
    /// The element as drawn with its current fill at the ratio given.
    const Sprite &spriteOf(std::size_t element, qreal ratio);
    /// Whether the element may paint a pixel of clip.
    bool reaches(std::size_t element, const QRect &clip);
    const Caption &caption(std::size_t element);
    /// A picture element's picture scaled into its box, at the ratio given.
    const QImage &scaledPicture(std::size_t element, qreal ratio);

    const Board &m_board;
    // By element position.
    std::vector<std::optional<Caption>> m_captions;
    std::vector<QRect> m_untouched; ///< what a shape leaves as it is inside; null for the others
    std::vector<QImage> m_pictures; ///< null until drawn
    std::vector<std::vector<Sprite>> m_sprites;
};

/// Paints the area of the board once (see BoardPainter::paint()).
void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background);

/// The window's background color.
Color boardBackgroundColor();
