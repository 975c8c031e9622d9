// Drawing one element of the board by its kind, in the copy, black and nand draw modes.
#pragma once

#include <QRect>

#include <cstddef>

class ElementCache;
class QImage;
class QPainter;

/// Where an element is drawn: a painter active on an image, at the image's device pixel ratio,
/// clipped to an area of client-area pixels.
struct Surface {
    QPainter &painter;
    QImage &image; ///< the nand draw mode reads and rewrites its pixels, past the painter
    QRect clip;
};

/// Draws the element at a position on the cache's board onto the surface, over what is there:
/// a caption from its layout, a shape in its draw mode, a line, a picture from its copy scaled
/// into its box. What it draws outside the clip is lost.
void drawElement(const Surface &surface, ElementCache &cache, std::size_t element);
