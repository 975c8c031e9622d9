// Access to the fixed element catalogues of the board drawing.
#pragma once

#include "elementrows.h"

#include <span>
#include <string_view>

/// The 72 captions, in rank order.
std::span<const LabelRow> labelCatalogue();

/// The 32 jumper pins the jumper procedures set, and the three fixed pins of JP1.
std::span<const ShapeRow> pinCatalogue();

/// The 84 shapes of the board outline: edge, sockets, slots, chips, connectors.
std::span<const ShapeRow> outlineShapeCatalogue();

/// The 40 lines: slot contact rows and keys, CN1/CN2 pin cells, J3 leader lines.
std::span<const LineRow> lineCatalogue();

/// The one picture, the CPU socket.
std::span<const ImageRow> imageCatalogue();

/// The three lists and two buttons, in rank order (0 to 4).
std::span<const ControlRow> controlCatalogue();

/// The row of the list or button of that exact name; every caller names one the window has.
const ControlRow &controlRow(std::string_view name);
