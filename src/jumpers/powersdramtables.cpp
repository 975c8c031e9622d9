// The power-supply and SDRAM-clock jumper tables, as their lists' entries store them. The first
// entry of each list maps to opposite positions: AT power to 1-2, PC100 SDRAM to 2-3.
#include "powersdramtables.h"

#include "jumperprocedures.h"
#include "selection.h"

#include <vector>

namespace {

/// A list's cases, one per selection code in ascending order, each the position of its block.
std::vector<BoardJumperRow> casesOf(const Selector &selector)
{
    std::vector<BoardJumperRow> rows;
    for (const int code : caseCodes(selector))
        rows.push_back({code, *threePinPosition(caseOf(selector, code)->positions[0])});
    return rows;
}

} // namespace

const BoardJumper &powerJumper()
{
    static const std::vector<BoardJumperRow> rows = casesOf(powerSelector());
    static const BoardJumper jumper{powerSelector(), jp11(), rows};
    return jumper;
}

const BoardJumper &sdramJumper()
{
    static const std::vector<BoardJumperRow> rows = casesOf(sdramSelector());
    static const BoardJumper jumper{sdramSelector(), jp10(), rows};
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
