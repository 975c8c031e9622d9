// The guide as text: every choice of the board's lists with the jumper positions it needs, and what
// groups of blocks stand for, read from the rows the window sets the board from.
#pragma once

#include <QString>

enum class GuideFormat { Text, Markdown, Csv };

/// The whole guide: each list under its title, each entry (list position and exact text) with the
/// positions of the list's blocks (a header's pairs and a dip block's switches a column each: "JP3
/// A", "SW1 1"), then each meaning's values with the positions of its blocks. On the program's own
/// board: the CPU entries with JP7, JP8, JP9, JP4, JP5, JP6 and JP3 A to D, the power-supply (JP11)
/// and SDRAM-clock (JP10) choices, then the bus clocks, multipliers and core voltages. Text is
/// aligned for a terminal; CSV is one table with a column per block (RFC 4180 quoting), in which
/// the rows of the meanings have an empty position and share the lists' block columns.
QString jumperGuide(GuideFormat format);
