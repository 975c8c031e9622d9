// The jumper blocks the guide sets, found on the board by their pins.
#pragma once

#include "jumpers/jumperblocks.h"

#include "boardrows/jumperrows.h"

#include <QPoint>
#include <QRect>

#include <span>

class Board;

/// A block the guide sets: a three-pin block (JP7 to JP9, JP4 to JP6, JP11, JP10) or a JP3
/// position. At most one is set; neither for no block.
struct BlockAt {
    const ThreePinBlock *block = nullptr;
    const Jp3Position *position = nullptr;
};

/// The block with a pin at this pixel; none anywhere else, JP1 included. Pins of different blocks
/// lie at least one pixel apart, so the first block found is the only one.
BlockAt blockAt(const Board &board, QPoint pixel);

/// On a board without the built-in board's settings: the block of the board's rows with a pin at
/// this pixel, or null.
const BlockRow *describedBlockAt(const Board &board, QPoint pixel);

/// The pixels the pins take.
QRect pinsBox(const Board &board, std::span<const char *const> pins);

/// The pixels the pins of every block the guide sets take.
QRect allBlocksBox(const Board &board);
