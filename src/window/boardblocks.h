// The jumper blocks as the pins of the board show them: the position of a block, the list entry
// that gives it, the fills that set a bus clock, multiplier or core voltage, and the fills that
// move the cap of the block under a point.
#pragma once

#include "jumpers/blockmeanings.h"
#include "jumpers/jumperblocks.h"
#include "jumpers/jumperpositions.h"

#include <QPoint>

#include <optional>
#include <vector>

class Board;
struct BoardJumper;

/// The position a three-pin block shows; none when its pins show neither.
std::optional<Position> blockPosition(const Board &board, const ThreePinBlock &block);

/// The contact a JP3 position shows; none when its two pins differ or show another color.
std::optional<Contact> jp3Contact(const Board &board, const Jp3Position &position);

/// The list position of the entry whose table row gives the position the jumper's block shows,
/// or none (a block that shows no position, or one no entry gives).
std::optional<int> entryShownBy(const Board &board, const BoardJumper &jumper);

/// The fills that set a documented setting: its blocks from pin 1 to pin 3, in block order, or
/// JP3 A to D, first pin before second, as the CPU procedure writes them.
std::vector<PinFill> settingFills(const BusClockSetting &setting);
std::vector<PinFill> settingFills(const MultiplierSetting &setting);
std::vector<PinFill> settingFills(const VoltageSetting &setting);

/// The fills that move the cap of the block with a pin at this pixel to its other position: 1-2
/// and 2-3 swap, a JP3 position goes between closed and open, and a block that shows neither
/// goes to 1-2 (closed). The blocks are JP7 to JP9, JP4 to JP6, JP3 A to D, JP11 and JP10;
/// anywhere else, JP1 included, there is no move and the result is empty.
std::vector<PinFill> capMoveAt(const Board &board, QPoint pixel);
