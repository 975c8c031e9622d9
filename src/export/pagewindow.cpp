// The guide page's window in memory: lists of item codes, a selection each, and the board's pins.
#include "pagewindow.h"

#include "boardrows/elementerror.h"
#include "jumpers/jumperprocedures.h"
#include "jumpers/selectorcatalogue.h"
#include "window/startup.h"

#include <string>

PageWindow::PageWindow()
{
    for (const Selector &selector : selectors())
        m_lists[selector.list];
    loadWindow(*this);
}

PageWindow::List &PageWindow::at(const char *list)
{
    const auto it = m_lists.find(std::string_view(list));
    if (it == m_lists.end())
        throw ElementError(list, "reaching the list", "the window has no list of that name");
    return it->second;
}

int PageWindow::count(const char *list)
{
    return static_cast<int>(at(list).itemCodes.size());
}

void PageWindow::addItem(const char *list, const char *)
{
    at(list).itemCodes.push_back(0);
}

int PageWindow::newIndex(const char *list)
{
    return count(list) - 1;
}

void PageWindow::setItemData(const char *list, int index, std::int32_t itemCode)
{
    if (index < 0 || index >= count(list))
        throw ElementError(list, "setting the item data at index " + std::to_string(index), "invalid index");
    at(list).itemCodes[static_cast<std::size_t>(index)] = itemCode;
}

std::int32_t PageWindow::itemData(const char *list, int index)
{
    if (index < 0 || index >= count(list))
        throw ElementError(list, "reading the item data at index " + std::to_string(index), "invalid index");
    return at(list).itemCodes[static_cast<std::size_t>(index)];
}

int PageWindow::listIndex(const char *list)
{
    return at(list).selected;
}

void PageWindow::setListIndex(const char *list, int index)
{
    if (index < -1 || index >= count(list))
        throw ElementError(list, "selecting index " + std::to_string(index), "invalid index");
    at(list).selected = index;
    if (const Selector *selector = findSelector(list))
        setListJumpers(*this, *selector);
}

void PageWindow::setFillColor(const char *element, Color color)
{
    m_board.setFillColor(element, color);
}

void PageWindow::setPins(std::span<const PinFill> fills)
{
    for (const PinFill &fill : fills)
        setFillColor(fill.pin, fill.color);
    for (const Selector &selector : selectors()) {
        List &list = at(selector.list);
        list.selected = entryShown(selector, pinColorsOf(m_board), list.selected);
    }
}
