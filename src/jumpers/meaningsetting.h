// Setting the CPU blocks by what they stand for: a bus clock, a multiplier and a core voltage
// written to the pins as the CPU procedure writes a row.
#pragma once

#include "blockmeanings.h"

class JumperWindow;

/// One documented setting of each CPU block group.
struct CpuMeanings {
    BusClockSetting busClock;
    MultiplierSetting multiplier;
    VoltageSetting voltage;
};

/// The 26 pin fills of these meanings, in the CPU procedure's order: JP7, JP8, JP9, JP4, JP5,
/// JP6 from pin 1 to pin 3, then JP3 positions A to D, first pin before second.
std::array<PinFill, 26> cpuPinFills(const CpuMeanings &meanings);

/// Writes the 26 pins through the window's fill operation, every pin whatever it shows now. It
/// touches no list; errors of a write pass to the caller, pins written before keep their fill.
void setCpuMeanings(JumperWindow &window, const CpuMeanings &meanings);
