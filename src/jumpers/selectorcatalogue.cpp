// The lists of the board in use, as its rows give them. In the program's own board an item code
// is the selection code times 100, plus 2 in the CPU list; the last two digits never choose a
// case.
#include "selectorcatalogue.h"

#include "boarddata/catalogues.h"

#include <cassert>
#include <vector>

std::span<const Selector> selectors()
{
    // The board in use is chosen before any list is filled, and stays.
    static const std::vector<Selector> all = [] {
        std::vector<Selector> lists;
        for (const ListRow &row : boardInUse().lists)
            lists.push_back({row.name, row.entries, row.defaultPosition, &row});
        return lists;
    }();
    return all;
}

namespace {

const Selector &builtinList(std::string_view name)
{
    const Selector *selector = findSelector(name);
    assert(selector && "a list of the program's own board");
    return *selector;
}

} // namespace

const Selector &cpuSelector()
{
    return builtinList("CBOCPU");
}

const Selector &powerSelector()
{
    return builtinList("cbops");
}

const Selector &sdramSelector()
{
    return builtinList("cbosdr");
}

QStringList entryWords(const Selector &selector)
{
    QStringList words;
    for (const SelectorEntry &entry : selector.entries) {
        if (entry.word)
            words << QString::fromUtf8(entry.word);
    }
    return words;
}

const Selector *findSelector(std::string_view list)
{
    for (const Selector &selector : selectors()) {
        if (list == selector.list)
            return &selector;
    }
    return nullptr;
}
