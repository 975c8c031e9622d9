// The program's own board's blocks, each with the names of its pins, as the words of its CPU
// settings name them.
#pragma once

#include <array>
#include <span>

/// A block of three pins in a row or column; pins 1 to 3.
struct ThreePinBlock {
    const char *name;
    std::array<const char *, 3> pins;
};

/// One two-pin position of JP3; its first and second pin.
struct Jp3Position {
    const char *letter;
    std::array<const char *, 2> pins;
};

/// JP7, JP8, JP9, JP4, JP5, JP6: the CPU's three-pin blocks, in the order their pins are written.
std::span<const ThreePinBlock> cpuBlocks();

/// JP3 positions A to D.
std::span<const Jp3Position> jp3Positions();

/// JP11 (power-supply type) and JP10 (SDRAM clock).
const ThreePinBlock &jp11();
const ThreePinBlock &jp10();
