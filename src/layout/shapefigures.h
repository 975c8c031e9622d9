// A shape's figure in pixels, drawn with its back, fill and outline in the copy and black modes.
#pragma once

#include "boardrows/elementrows.h"

#include <QPen>
#include <QRect>

class QPainter;

/// A pen one pixel of the layout wide: one screen pixel at 96 dpi, more on a denser screen. A
/// width below 1 draws a line thinner than that pixel, centred where the pixel was.
QPen pixelPen(Color color, qreal width = 1.0);

/// Whether a figure has curves (an oval, a circle or rounded corners), which cost more to trace
/// than straight edges.
bool isCurved(ShapeKind kind);

/// Draws the shape with the fill given: the back if opaque, the fill, then the outline over
/// them. With allBlack (the black draw mode) every pixel drawn is black, whatever the colors.
/// Not antialiased: each pixel is one of the shape's colors or left as it is. Each pixel of the
/// border width is drawn lineWidth pixels wide, its middle where the pixel's middle is.
void drawShapeFigure(QPainter &p, const ShapeRow &s, Color fill, bool allBlack, qreal lineWidth = 1.0);

/// The pixels inside a shape that it leaves as they are: inside the border of a transparent
/// rectangle or square (at any line width; thinner lines leave more); none (a null rectangle)
/// for any other shape.
QRect untouchedInside(const ShapeRow &s);
