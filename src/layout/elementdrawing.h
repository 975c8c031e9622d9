// Drawing one element of the board by its kind, in the copy, black and nand draw modes.
#pragma once

#include <QRect>

#include <cstddef>

class ElementCache;
class QImage;
class QPainter;
class QPoint;

/// Where an element is drawn: a painter active on an image of device pixels, scaled from
/// client-area pixels to device pixels by the ratio, clipped to an area of device pixels.
struct Surface {
    QPainter &painter;
    QImage &image;         ///< the nand draw mode reads and rewrites its pixels, past the painter
    QRect clip;            ///< device pixels
    qreal ratio;           ///< device pixels to a client-area pixel; any ratio above 0
    qreal lineWidth = 1.0; ///< client-area pixels a pixel of line width takes; a device pixel at least
};

/// Draws the element at a position on the cache's board onto the surface, over what is there:
/// a caption from its layout, a shape in its draw mode, a line, a picture from its copy scaled
/// into its box. What it draws outside the clip is lost.
void drawElement(const Surface &surface, ElementCache &cache, std::size_t element);

/// Draws an image of device pixels with its top-left pixel at a device pixel, pixel for pixel,
/// whatever the painter's scale; the scale is kept.
void drawDevicePixels(QPainter &p, const QPoint &at, const QImage &image);
