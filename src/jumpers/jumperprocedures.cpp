// The jumper procedures. They keep nothing between runs and write every pin of their blocks,
// whether or not it already shows that color.
#include "jumperprocedures.h"

#include "cpujumpertable.h"
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
