// The guide as text: every choice of the three lists with the jumper positions it needs, and what
// the CPU's blocks stand for, read from the jumper tables the window uses.
#pragma once

#include <QString>

enum class GuideFormat { Text, Markdown, Csv };

/// The whole guide: each CPU entry (list position and exact text) with JP7, JP8, JP9, JP4, JP5,
/// JP6 and JP3 A to D, then the power-supply (JP11) and SDRAM-clock (JP10) choices, then the
/// documented bus clocks (JP7 to JP9), multipliers (JP4 to JP6) and core voltages (JP3 A to D).
/// Text is aligned for a terminal; CSV is one table with a column per block (RFC 4180 quoting),
/// in which the rows of the last three tables have an empty position and share the CPU's block
/// columns.
QString jumperGuide(GuideFormat format);
