// Moving a jumper cap by a click on the board: the fills that put the cap of the block under a
// point in its other position.
#pragma once

#include "jumpers/jumperpositions.h"

#include <QPoint>

#include <vector>

class Board;

/// The fills that move the cap of the block with a pin at this pixel to its other position: 1-2
/// and 2-3 swap, a JP3 position goes between closed and open, and a block that shows neither
/// goes to 1-2 (closed). The blocks are JP7 to JP9, JP4 to JP6, JP3 A to D, JP11 and JP10;
/// anywhere else, JP1 included, there is no move and the result is empty.
std::vector<PinFill> capMoveAt(const Board &board, QPoint pixel);
