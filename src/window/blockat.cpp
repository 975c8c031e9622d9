// Finding the jumper blocks the guide sets on the board.
#include "blockat.h"

#include "boarddata/catalogues.h"
#include "jumpers/cpusettings.h"
#include "jumpers/powersdramtables.h"
#include "layout/board.h"

#include <cassert>

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

/// Every block the guide sets, in the order the jumper procedures write them.
template<typename Visit>
void forEachBlock(Visit &&visit)
{
    // The hints and cap moves are written in the program's own board's words.
    if (!boardHasCpuSettings())
        return;
    for (const ThreePinBlock &block : cpuBlocks())
        visit(BlockAt{&block, nullptr}, std::span<const char *const>(block.pins));
    for (const Jp3Position &position : jp3Positions())
        visit(BlockAt{nullptr, &position}, std::span<const char *const>(position.pins));
    for (const BoardJumper *jumper : {&powerJumper(), &sdramJumper()})
        visit(BlockAt{&jumper->block, nullptr}, std::span<const char *const>(jumper->block.pins));
}

} // namespace

BlockAt blockAt(const Board &board, QPoint pixel)
{
    BlockAt found;
    forEachBlock([&](const BlockAt &at, std::span<const char *const> pins) {
        if (!found.block && !found.position && holds(board, pins, pixel))
            found = at;
    });
    return found;
}

const BlockRow *describedBlockAt(const Board &board, QPoint pixel)
{
    if (boardHasCpuSettings())
        return nullptr;
    for (const BlockRow &block : boardInUse().blocks) {
        if (holds(board, block.pins, pixel))
            return &block;
    }
    return nullptr;
}

QRect pinsBox(const Board &board, std::span<const char *const> pins)
{
    QRect box;
    for (const char *pin : pins) {
        const BoardElement *e = board.find(pin);
        assert(e && "every pin of a block is on the board");
        box |= e->bounds;
    }
    return box;
}

QRect allBlocksBox(const Board &board)
{
    QRect box;
    forEachBlock([&](const BlockAt &, std::span<const char *const> pins) { box |= pinsBox(board, pins); });
    return box;
}
