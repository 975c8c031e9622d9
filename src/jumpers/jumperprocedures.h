// The three jumper procedures: each reads its own list and sets the fills of its block's pins.
#pragma once

#include "jumperpositions.h"
#include "jumperwindow.h"

struct Selector;

/// Sets the 26 pins of JP3 to JP9 for the CPU selected in CBOCPU. A code without a row changes
/// nothing. Errors (no selection, overflow, a failed write) pass to the caller; pins written
/// before the error keep their new fill.
void setCpuJumpers(JumperWindow &window);

/// Sets the three pins of JP11 for the power supply selected in cbops.
void setPowerJumper(JumperWindow &window);

/// Sets the three pins of JP10 for the SDRAM clock selected in cbosdr.
void setSdramJumper(JumperWindow &window);

/// The procedures read backwards: the list position a list shows for pins that were set some
/// other way (by bus clock, multiplier and voltage, or by moving a cap), -1 for none. The entry
/// whose case gives exactly the positions the pins show; in the CPU list, current when it is one
/// of several that do, else the first in list order.
int entryShown(const Selector &selector, const PinColors &pins, int current);
