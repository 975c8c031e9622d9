// The lists of the board in use, each with its entries and the blocks its entries set, in the
// order the Load event fills them.
#pragma once

#include "boardrows/jumperrows.h"

#include <QStringList>

#include <span>
#include <string_view>

/// One list entry: the text shown, the item code kept with it, the word that names it on the
/// command line and in the guide page's address (none in a list whose entries go by position),
/// and the position of each of the list's blocks.
using SelectorEntry = EntryRow;

/// One list: its element name, its entries, the position selected at start-up, and its row,
/// which names the blocks its Click event sets.
struct Selector {
    const char *list;
    std::span<const SelectorEntry> entries;
    int defaultPosition;
    const ListRow *row;
};

/// The board's lists, in the order the Load event fills them.
std::span<const Selector> selectors();

/// The program's own board's three lists, which the words of its CPU settings are written for.
const Selector &cpuSelector();   ///< CBOCPU, 44 entries, default 21
const Selector &powerSelector(); ///< cbops, 2 entries, default 0
const Selector &sdramSelector(); ///< cbosdr, 2 entries, default 0

/// The words of a list's entries, in list order; empty for a list whose entries have none.
QStringList entryWords(const Selector &selector);

/// The selector of the list with that exact element name, or null.
const Selector *findSelector(std::string_view list);
