// The jumpers that do not depend on the CPU: JP11 (power-supply type) and JP10 (SDRAM clock).
#pragma once

#include "jumperblocks.h"
#include "jumperpositions.h"
#include "selectorcatalogue.h"

#include <optional>
#include <span>

struct BoardJumperRow {
    int code;
    Position position;
};

/// A three-pin block, the list it is set from, and its table of cases.
struct BoardJumper {
    const Selector &selector;
    const ThreePinBlock &block;
    std::span<const BoardJumperRow> rows;
};

const BoardJumper &powerJumper(); ///< JP11 from cbops: 50 -> 1-2, 51 -> 2-3
const BoardJumper &sdramJumper(); ///< JP10 from cbosdr: 52 -> 2-3, 53 -> 1-2

/// The case whose code equals the selection code, tested in ascending order, or none.
std::optional<BoardJumperRow> findBoardJumperRow(const BoardJumper &jumper, int selectionCode);

/// The list position of the first entry whose case sets the jumper's block to this position, or
/// none when no entry does.
std::optional<int> entryGiving(const BoardJumper &jumper, Position position);
