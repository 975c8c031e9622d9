// Painting the board: background, picture and every drawn element in stacking order.
#pragma once

#include "board.h"

#include <QImage>

/// Paints the area (client-area pixels) of the board into frame (Format_RGB32, at its device
/// pixel ratio): the background colour, the background picture at 0,0 (clipped), then every
/// element that meets the area, from the highest rank to the lowest. A null background picture
/// leaves the background colour.
void paintBoard(QImage &frame, const Board &board, const QRect &area, const QImage &background);

/// The window's background colour.
Colour boardBackgroundColour();
