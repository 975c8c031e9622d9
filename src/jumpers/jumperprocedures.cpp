// The jumper procedures. They keep nothing between runs and write every pin of their blocks,
// whether or not it already shows that color.
#include "jumperprocedures.h"

#include "cpujumpertable.h"
#include "cpusettings.h"
#include "jumperpositions.h"
#include "powersdramtables.h"
#include "selection.h"
#include "selectorcatalogue.h"

namespace {

void setBoardJumper(JumperWindow &window, const BoardJumper &jumper)
{
    const auto row = findBoardJumperRow(jumper, decodeSelection(window, jumper.selector.list));
    if (!row)
        return;
    for (const PinFill &fill : positionFills({&jumper.block, 1}, {&row->position, 1}))
        window.setFillColor(fill.pin, fill.color);
}

} // namespace

void setCpuJumpers(JumperWindow &window)
{
    const auto row = findCpuJumperRow(decodeSelection(window, cpuSelector().list));
    if (!row)
        return;
    for (const PinFill &fill : cpuPinFills(*row))
        window.setFillColor(fill.pin, fill.color);
}

void setPowerJumper(JumperWindow &window)
{
    setBoardJumper(window, powerJumper());
}

void setSdramJumper(JumperWindow &window)
{
    setBoardJumper(window, sdramJumper());
}

int entryShown(const Selector &selector, const PinColors &pins, int current)
{
    if (&selector == &cpuSelector()) {
        const QList<int> matching = matchingCpuEntries(readCpuBlocks(pins));
        if (matching.contains(current))
            return current;
        return matching.isEmpty() ? -1 : matching.front();
    }
    for (const BoardJumper *jumper : {&powerJumper(), &sdramJumper()}) {
        if (&jumper->selector != &selector)
            continue;
        const auto shown = positionShown(pins, jumper->block);
        return shown ? entryGiving(*jumper, *shown).value_or(-1) : -1;
    }
    return -1;
}
