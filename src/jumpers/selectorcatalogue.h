// The three lists: CPU type, power-supply type and SDRAM clock source, each with its entries and
// the jumper procedure its Click event runs.
#pragma once

#include <QStringList>

#include <cstdint>
#include <span>
#include <string_view>

class JumperWindow;

/// A jumper procedure: reads the selected entry of its own list and sets its block's pins.
using JumperProcedure = void (*)(JumperWindow &window);

/// One list entry: the text shown, the item code kept with it, and the word that names it on the
/// command line and in the guide page's address (none in the CPU list, whose entries go by position).
struct SelectorEntry {
    const char *text;
    std::int32_t itemCode;
    const char *word = nullptr;
};

/// One list: its element name, its catalogue, the position selected at start-up, and the
/// procedure its Click event runs.
struct Selector {
    const char *list;
    std::span<const SelectorEntry> entries;
    int defaultPosition;
    JumperProcedure procedure;
};

/// CBOCPU, cbops and cbosdr, in the order the Load event fills them.
std::span<const Selector> selectors();

const Selector &cpuSelector();   ///< CBOCPU, 44 entries, default 21, setCpuJumpers
const Selector &powerSelector(); ///< cbops, 2 entries, default 0, setPowerJumper
const Selector &sdramSelector(); ///< cbosdr, 2 entries, default 0, setSdramJumper

/// The words of a list's entries, in list order; empty for a list whose entries have none.
QStringList entryWords(const Selector &selector);

/// The selector of the list with that exact element name, or null.
const Selector *findSelector(std::string_view list);
