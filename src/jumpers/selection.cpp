// Selection decoding of the three lists.
#include "selection.h"

#include "layout/elementerror.h"

#include <cmath>
#include <limits>

double selectionCode(const char *list, std::int32_t itemCode)
{
    if (itemCode < std::numeric_limits<std::int16_t>::min() || itemCode > std::numeric_limits<std::int16_t>::max())
        throw ElementError(list, "decoding the item code " + std::to_string(itemCode), "overflow");
    const auto narrowed = static_cast<std::int16_t>(itemCode);
    return std::trunc(narrowed / 100.0);
}

double decodeSelection(JumperWindow &window, const char *list)
{
    const int index = window.listIndex(list);
    return selectionCode(list, window.itemData(list, index));
}
