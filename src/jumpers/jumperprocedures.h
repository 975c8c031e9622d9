// The three jumper procedures: each reads its own list and sets the fills of its block's pins.
#pragma once

#include "jumperwindow.h"

/// Sets the 26 pins of JP3 to JP9 for the CPU selected in CBOCPU. A code without a row changes
/// nothing. Errors (no selection, overflow, a failed write) pass to the caller; pins written
/// before the error keep their new fill.
void setCpuJumpers(JumperWindow &window);

/// Sets the three pins of JP11 for the power supply selected in cbops.
void setPowerJumper(JumperWindow &window);

/// Sets the three pins of JP10 for the SDRAM clock selected in cbosdr.
void setSdramJumper(JumperWindow &window);
