// The pins of a bus clock, multiplier and core voltage, in the order the CPU procedure writes them.
#include "meaningsetting.h"

#include "cpujumpertable.h"

std::array<PinFill, 26> cpuPinFills(const CpuMeanings &meanings)
{
    // A row of the CPU table's shape, so the pins come in exactly the order a row's do; its
    // code names no case of the table and is never looked up.
    const auto &bus = meanings.busClock.positions;
    const auto &multiplier = meanings.multiplier.positions;
    const auto &jp3 = meanings.voltage.contacts;
    const CpuJumperRow row{0,      bus[0], bus[1], bus[2], multiplier[0], multiplier[1], multiplier[2],
                           jp3[0], jp3[1], jp3[2], jp3[3]};
    return cpuPinFills(row);
}
