// Reading a pin's fill back from a picture of the window: the color at the middle of its box.
#pragma once

#include "layout/board.h"

#include <QImage>

/// The color (0xBBGGRR) inside the pin's box in a client-area picture scaled by scale: the
/// middle of the pixel two in from the top-left corner, clear of the border and of a pin above.
inline Color pinColorIn(const QImage &image, const BoardElement &pin, double scale = 1.0, QPointF origin = {})
{
    const QPointF inside = QPointF(pin.bounds.topLeft() + QPoint(2, 2)) + QPointF(0.5, 0.5);
    const QPointF mapped = origin + inside * scale;
    const QPoint at(static_cast<int>(mapped.x()), static_cast<int>(mapped.y())); // the pixel holding it
    const QRgb c = image.pixel(at);
    return static_cast<Color>(qBlue(c) << 16 | qGreen(c) << 8 | qRed(c));
}
