// Selection decoding: a list's current entry to the selection code that picks a jumper table case.
#pragma once

#include "jumperwindow.h"

#include <cstdint>

/// The selection code of an item code: narrowed to 16 bits, divided by 100 and truncated toward
/// zero, so -150 gives -1 and 199 gives 1. Throws ElementError (overflow, naming list) outside
/// -32768..32767.
int selectionCode(const char *list, std::int32_t itemCode);

/// Reads the list's selected index and the item code there, afresh each time, and decodes it.
/// Throws ElementError when the list has no selection or the code overflows.
int decodeSelection(JumperWindow &window, const char *list);
