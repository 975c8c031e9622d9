// The board the program shows, as rows: its own, made from its description when the program was
// built, or one a description file gave at start.
#pragma once

#include "boardrows/boardrows.h"

#include <span>
#include <string_view>

/// The program's own board.
const BoardRows &builtinBoardRows();

/// The board in use: the program's own unless useBoard() gave another.
const BoardRows &boardInUse();

/// Makes rows the board in use for the rest of the program. Call it at start, before any window,
/// list, picture or export is made; the rows must outlive every use.
void useBoard(const BoardRows &rows);

/// The board in use's captions, in rank order.
inline std::span<const LabelRow> labelCatalogue()
{
    return boardInUse().labels;
}

/// Its jumper pins, block by block, pin 1 first.
inline std::span<const ShapeRow> pinCatalogue()
{
    return boardInUse().pins;
}

/// Its other shapes: the board's outline, sockets, slots, chips, connectors.
inline std::span<const ShapeRow> outlineShapeCatalogue()
{
    return boardInUse().shapes;
}

/// Its lines.
inline std::span<const LineRow> lineCatalogue()
{
    return boardInUse().lines;
}

/// Its pictures.
inline std::span<const ImageRow> imageCatalogue()
{
    return boardInUse().images;
}

/// Its lists and buttons, in rank order.
inline std::span<const ControlRow> controlCatalogue()
{
    return boardInUse().controls;
}

/// The row of the list or button of that exact name; every caller names one the window has.
const ControlRow &controlRow(std::string_view name);
