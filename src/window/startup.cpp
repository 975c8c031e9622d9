// The Load event, run once before the window is first shown.
#include "startup.h"

#include "jumpers/selectorcatalogue.h"

namespace {

void fillList(JumperWindow &window, const Selector &selector)
{
    for (const SelectorEntry &entry : selector.entries) {
        window.addItem(selector.list, entry.text);
        const int index = window.newIndex(selector.list);
        window.setItemData(selector.list, index, entry.itemCode);
    }
}

void fillAndSelect(JumperWindow &window, const Selector &selector)
{
    fillList(window, selector);
    window.setListIndex(selector.list, selector.defaultPosition);
}

} // namespace

void loadWindow(JumperWindow &window)
{
    for (const Selector &selector : selectors())
        fillAndSelect(window, selector);
}
