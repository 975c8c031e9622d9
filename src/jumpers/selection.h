// Selection decoding: a list's current entry to the selection code that picks a jumper table case.
#pragma once

#include "jumperwindow.h"

#include <cstdint>

/// The colors a jumper procedure gives a pin: covered by the cap, or open.
inline constexpr Color JumperOnColor = 0x808080;
inline constexpr Color JumperOffColor = 0xFFFFFF;

/// The selection code of an item code: narrowed to 16 bits, divided by 100.0 and truncated
/// toward zero. Throws ElementError (overflow, naming list) outside -32768..32767.
double selectionCode(const char *list, std::int32_t itemCode);

/// Reads the list's selected index and the item code there, afresh each time, and decodes it.
/// Throws ElementError when the list has no selection or the code overflows.
double decodeSelection(JumperWindow &window, const char *list);
