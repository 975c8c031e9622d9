// Reading a pin's fill back from a picture of the window: the colour at the middle of its box.
#pragma once

#include "layout/board.h"

#include <QImage>

/// The colour (0xBBGGRR) inside the pin's box in a client-area picture scaled by scale.
inline Colour pinColourIn(const QImage &image, const BoardElement &pin, double scale = 1.0, QPointF origin = {})
{
    const QPointF centre = QRectF(pin.bounds).center();
    const QPoint at = (origin + centre * scale).toPoint();
    const QRgb c = image.pixel(at);
    return static_cast<Colour>(qBlue(c) << 16 | qGreen(c) << 8 | qRed(c));
}
