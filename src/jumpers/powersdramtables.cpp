// The power-supply and SDRAM-clock jumper tables. The first entry of each list maps to opposite
// positions: AT power to 1-2, PC100 SDRAM to 2-3.
#include "powersdramtables.h"

#include "selection.h"

#include <iterator>

namespace {

// code, position
// clang-format off
constexpr BoardJumperRow PowerRows[] = {
    {50, Position::OneTwo},   // AT power supply
    {51, Position::TwoThree}, // ATX power supply
};

constexpr BoardJumperRow SdramRows[] = {
    {52, Position::TwoThree}, // PC100 SDRAM, clocked as the CPU
    {53, Position::OneTwo},   // non-PC100 SDRAM, clocked as AGP
};
// clang-format on

static_assert(std::size(PowerRows) == 2);
static_assert(std::size(SdramRows) == 2);

} // namespace

const BoardJumper &powerJumper()
{
    static const BoardJumper jumper{powerSelector(), jp11(), PowerRows};
    return jumper;
}

const BoardJumper &sdramJumper()
{
    static const BoardJumper jumper{sdramSelector(), jp10(), SdramRows};
    return jumper;
}

std::optional<BoardJumperRow> findBoardJumperRow(const BoardJumper &jumper, int selectionCode)
{
    for (const BoardJumperRow &row : jumper.rows) {
        if (selectionCode == row.code)
            return row;
    }
    return std::nullopt;
}

std::optional<int> entryGiving(const BoardJumper &jumper, Position position)
{
    const auto entries = jumper.selector.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto row = findBoardJumperRow(jumper, selectionCode(jumper.selector.list, entries[i].itemCode));
        if (row && row->position == position)
            return static_cast<int>(i);
    }
    return std::nullopt;
}
