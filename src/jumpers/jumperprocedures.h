// The one jumper procedure every list's Click event runs: it reads its own list and sets the fills
// of the list's blocks; and the procedure read backwards.
#pragma once

#include "jumperpositions.h"
#include "jumperwindow.h"
#include "selectorcatalogue.h"

#include <vector>

/// Sets every pin of the list's blocks, block by block and pin 1 first, for the entry whose case
/// the selected entry's item code chooses (see caseOf()). A code without a case changes nothing.
/// Errors (no selection, overflow, a failed write) pass to the caller; pins written before the
/// error keep their new fill.
void setListJumpers(JumperWindow &window, const Selector &selector);

/// The case a selection code chooses in a list: the first entry, in list order, whose own item
/// code gives that selection code; null for a code no entry gives.
const SelectorEntry *caseOf(const Selector &selector, int selectionCode);

/// The selection codes a list's entries give, each once, in ascending order: one per case.
std::vector<int> caseCodes(const Selector &selector);

/// The fills that set the list's blocks to an entry's positions, in the order the procedure
/// writes them.
std::vector<PinFill> entryFills(const Selector &selector, const SelectorEntry &entry);

/// The procedure read backwards: the list position a list shows for pins that were set some other
/// way (by a meaning's value, or by moving a cap), -1 for none. The entry whose case gives exactly
/// the positions the pins show: current when it is one of several that do, else the first in list
/// order.
int entryShown(const Selector &selector, const PinColors &pins, int current);
