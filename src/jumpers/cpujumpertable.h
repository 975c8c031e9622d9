// The CPU jumper table: for each CPU selection code, the positions of JP7 to JP9, JP4 to JP6 and JP3.
#pragma once

#include "jumperpositions.h"

#include <array>
#include <optional>
#include <span>
#include <vector>

/// One case of the table: bus clock (JP7, JP8, JP9), multiplier (JP4, JP5, JP6), voltage (JP3 A-D).
struct CpuJumperRow {
    int code;
    Position jp7, jp8, jp9, jp4, jp5, jp6;
    Contact a, b, c, d;
};

/// The 43 rows, codes 1 to 43 in ascending order.
std::span<const CpuJumperRow> cpuJumperTable();

/// The row whose code equals the selection code, tested in ascending order; none for a code
/// outside the table.
std::optional<CpuJumperRow> findCpuJumperRow(int selectionCode);

/// A row's positions of JP7, JP8, JP9, JP4, JP5, JP6, in that order (as cpuBlocks()).
std::array<Position, 6> cpuBlockPositions(const CpuJumperRow &row);

/// A row's JP3 positions A to D.
std::array<Contact, 4> jp3Contacts(const CpuJumperRow &row);

/// The 26 pin fills of a row, in the order the CPU procedure writes them (see the other cpuPinFills()).
std::vector<PinFill> cpuPinFills(const CpuJumperRow &row);
