// The settings panel's readings as text: the positions blocks show, the CPU entries and board choices.
#pragma once

#include "jumpers/jumperblocks.h"
#include "jumpers/jumperpositions.h"

#include <QString>

#include <array>
#include <optional>
#include <span>

class Board;
struct BoardJumper;
struct CpuBlockReading;

/// "JP7 1-2, JP8 1-2, JP9 1-2"; a block that shows no position reads "not set".
QString blocksText(std::span<const ThreePinBlock> blocks, std::span<const std::optional<Position>> positions);

/// "JP3 A open, B closed, C open, D open"; a position that shows neither reads "not set".
QString jp3Text(const std::array<std::optional<Contact>, 4> &contacts);

/// The texts of the CPU entries whose jumpers are exactly these, without their blanks, one a line;
/// "no listed CPU" when there is none.
QString cpuEntriesText(const CpuBlockReading &reading);

/// The entry a power-supply or SDRAM-clock block gives with its position, e.g. "AT Power Supply
/// (JP11 1-2)", or "JP11 not set".
QString boardJumperText(const Board &board, const BoardJumper &jumper);
