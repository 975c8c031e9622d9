// The program's own board's blocks as its CPU settings name them, taken from the board's rows.
#include "jumperblocks.h"

#include "selectorcatalogue.h"

#include "boarddata/catalogues.h"

#include <vector>

namespace {

const BlockRow &blockOf(const Selector &selector, std::size_t b)
{
    return boardInUse().blocks[std::size_t(selector.row->blocks[b])];
}

ThreePinBlock threePin(const BlockRow &block)
{
    return {block.name, {block.pins[0], block.pins[1], block.pins[2]}};
}

} // namespace

std::span<const ThreePinBlock> cpuBlocks()
{
    static const std::vector<ThreePinBlock> blocks = [] {
        std::vector<ThreePinBlock> three;
        for (std::size_t b = 0; b < cpuSelector().row->blocks.size(); ++b) {
            if (blockOf(cpuSelector(), b).kind == BlockKind::ThreePin)
                three.push_back(threePin(blockOf(cpuSelector(), b)));
        }
        return three;
    }();
    return blocks;
}

std::span<const Jp3Position> jp3Positions()
{
    static const std::vector<Jp3Position> positions = [] {
        std::vector<Jp3Position> pairs;
        for (std::size_t b = 0; b < cpuSelector().row->blocks.size(); ++b) {
            const BlockRow &block = blockOf(cpuSelector(), b);
            if (block.kind != BlockKind::Header)
                continue;
            for (std::size_t p = 0; p < block.pairs.size(); ++p)
                pairs.push_back({block.pairs[p], {block.pins[2 * p], block.pins[2 * p + 1]}});
        }
        return pairs;
    }();
    return positions;
}

const ThreePinBlock &jp11()
{
    static const ThreePinBlock block = threePin(blockOf(powerSelector(), 0));
    return block;
}

const ThreePinBlock &jp10()
{
    static const ThreePinBlock block = threePin(blockOf(sdramSelector(), 0));
    return block;
}
