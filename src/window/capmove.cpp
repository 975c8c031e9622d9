// Moving the cap of the jumper block under a click.
#include "capmove.h"

#include "blockat.h"

#include "jumpers/jumperpositions.h"
#include "layout/board.h"

namespace {

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
    const BlockAt at = blockAt(board, pixel);
    if (at.block)
        return movedCap(board, *at.block);
    if (at.position)
        return movedCap(board, *at.position);
    return {};
}
