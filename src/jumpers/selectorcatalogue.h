// The entries of the three lists: CPU type, power-supply type and SDRAM clock source.
#pragma once

#include <cstdint>
#include <span>

/// One list entry: the text shown, and the item code kept with it.
struct SelectorEntry {
    const char *text;
    std::int32_t itemCode;
};

/// One list with its catalogue and the position selected at start-up.
struct Selector {
    const char *list;
    std::span<const SelectorEntry> entries;
    int defaultPosition;
};

const Selector &cpuSelector();    ///< CBOCPU, 44 entries, default 21
const Selector &powerSelector();  ///< cbops, 2 entries, default 0
const Selector &sdramSelector();  ///< cbosdr, 2 entries, default 0
