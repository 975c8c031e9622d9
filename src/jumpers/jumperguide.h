// The guide as text: every choice of the three lists with the jumper positions it needs, what the
// CPU's blocks stand for, and the positions the board shows now. All are read from the jumper
// tables the window uses.
#pragma once

#include "jumperpositions.h"

#include <QString>

class Board;

enum class GuideFormat { Text, Markdown, Csv };

/// A position as the guide writes it: "1-2" or "2-3"; "closed" or "open".
QString positionText(Position p);
QString contactText(Contact c);

/// The whole guide: each CPU entry (list position and exact text) with JP7, JP8, JP9, JP4, JP5,
/// JP6 and JP3 A to D, then the power-supply (JP11) and SDRAM-clock (JP10) choices, then the
/// documented bus clocks (JP7 to JP9), multipliers (JP4 to JP6) and core voltages (JP3 A to D).
/// Text is aligned for a terminal; CSV is one table with a column per block (RFC 4180 quoting),
/// in which the rows of the last three tables have an empty position and share the CPU's block
/// columns.
QString jumperGuide(GuideFormat format);

/// The positions the pins of the board show now, e.g. "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2,
/// JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 2-3". A block whose pins
/// show neither position reads "not set".
QString jumperPositionsText(const Board &board);
