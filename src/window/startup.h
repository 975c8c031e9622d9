// The window's Load event: fill the three lists and select their defaults.
#pragma once

#include "jumpers/jumperwindow.h"

/// Fills CBOCPU and selects position 21 (its Click sets the CPU pins while the other two lists
/// are still empty), then cbops and position 0, then cbosdr and position 0.
void loadWindow(JumperWindow &window);
