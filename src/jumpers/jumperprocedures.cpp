// The jumper procedure. It keeps nothing between runs and writes every pin of its blocks, whether
// or not it already shows that color.
#include "jumperprocedures.h"

#include "selection.h"

#include "boarddata/catalogues.h"

#include <algorithm>

void setListJumpers(JumperWindow &window, const Selector &selector)
{
    const SelectorEntry *entry = caseOf(selector, decodeSelection(window, selector.list));
    if (!entry)
        return;
    for (const PinFill &fill : entryFills(selector, *entry))
        window.setFillColor(fill.pin, fill.color);
}

const SelectorEntry *caseOf(const Selector &selector, int selectionCode)
{
    for (const SelectorEntry &entry : selector.entries) {
        if (::selectionCode(selector.list, entry.itemCode) == selectionCode)
            return &entry;
    }
    return nullptr;
}

std::vector<int> caseCodes(const Selector &selector)
{
    std::vector<int> codes;
    for (const SelectorEntry &e : selector.entries)
        codes.push_back(selectionCode(selector.list, e.itemCode));
    std::sort(codes.begin(), codes.end());
    codes.erase(std::unique(codes.begin(), codes.end()), codes.end());
    return codes;
}

std::vector<PinFill> entryFills(const Selector &selector, const SelectorEntry &entry)
{
    std::vector<PinFill> fills;
    for (std::size_t b = 0; b < selector.row->blocks.size(); ++b) {
        const BlockRow &block = boardInUse().blocks[std::size_t(selector.row->blocks[b])];
        const std::vector<PinFill> pins = blockFills(block, entry.positions[b]);
        fills.insert(fills.end(), pins.begin(), pins.end());
    }
    return fills;
}

int entryShown(const Selector &selector, const PinColors &pins, int current)
{
    std::vector<PinSet> shown;
    for (const int b : selector.row->blocks) {
        const auto position = blockShown(pins, boardInUse().blocks[std::size_t(b)]);
        if (!position)
            return -1;
        shown.push_back(*position);
    }
    int first = -1;
    for (std::size_t i = 0; i < selector.entries.size(); ++i) {
        const SelectorEntry *chosen = caseOf(selector, selectionCode(selector.list, selector.entries[i].itemCode));
        if (!std::equal(shown.begin(), shown.end(), chosen->positions.begin(), chosen->positions.end()))
            continue;
        if (int(i) == current)
            return current;
        if (first < 0)
            first = int(i);
    }
    return first;
}
