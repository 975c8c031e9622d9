// Setting the CPU blocks by what they stand for: the pin fills of a bus clock, a multiplier and a
// core voltage, in the order the CPU procedure writes a row.
#pragma once

#include "blockmeanings.h"

/// One documented setting of each CPU block group.
struct CpuMeanings {
    BusClockSetting busClock;
    MultiplierSetting multiplier;
    VoltageSetting voltage;
};

/// The 26 pin fills of these meanings, in the CPU procedure's order: JP7, JP8, JP9, JP4, JP5,
/// JP6 from pin 1 to pin 3, then JP3 positions A to D, first pin before second.
std::array<PinFill, 26> cpuPinFills(const CpuMeanings &meanings);
