// Moving the cap of the jumper block under a click.
#include "capmove.h"

#include "jumpers/jumperpositions.h"
#include "jumpers/powersdramtables.h"
#include "layout/board.h"

#include <array>
#include <cassert>
#include <span>

namespace {

bool holds(const Board &board, std::span<const char *const> pins, QPoint pixel)
{
    for (const char *pin : pins) {
        const BoardElement *e = board.find(pin);
        assert(e && "every pin of a block is on the board");
        if (e->bounds.contains(pixel))
            return true;
    }
    return false;
}

std::vector<PinFill> movedCap(const Board &board, const ThreePinBlock &block)
{
    const Position to =
        positionShown(pinColorsOf(board), block) == Position::OneTwo ? Position::TwoThree : Position::OneTwo;
    return positionFills({&block, 1}, {&to, 1});
}

std::vector<PinFill> movedCap(const Board &board, const Jp3Position &position)
{
    const Contact to = contactShown(pinColorsOf(board), position) == Contact::Closed ? Contact::Open : Contact::Closed;
    return contactFills({&position, 1}, {&to, 1});
}

} // namespace

std::vector<PinFill> capMoveAt(const Board &board, QPoint pixel)
{
    // Pins of different blocks lie at least one pixel apart, so the first block holding the
    // pixel is the only one.
    for (const ThreePinBlock &block : cpuBlocks()) {
        if (holds(board, block.pins, pixel))
            return movedCap(board, block);
    }
    for (const Jp3Position &position : jp3Positions()) {
        if (holds(board, position.pins, pixel))
            return movedCap(board, position);
    }
    for (const BoardJumper *jumper : {&powerJumper(), &sdramJumper()}) {
        if (holds(board, jumper->block.pins, pixel))
            return movedCap(board, jumper->block);
    }
    return {};
}
