// Selection decoding of the three lists.
#include "selection.h"

#include "boardrows/elementerror.h"

#include <limits>
#include <string>

int selectionCode(const char *list, std::int32_t itemCode)
{
    if (itemCode < std::numeric_limits<std::int16_t>::min() || itemCode > std::numeric_limits<std::int16_t>::max())
        throw ElementError(list, "decoding the item code " + std::to_string(itemCode), "overflow");
    const auto narrowed = static_cast<std::int16_t>(itemCode);
    // Integer division truncates toward zero, and every 16-bit quotient by 100 is exact in a
    // double, so this is the truncated double quotient the decoding is defined by.
    return narrowed / 100;
}

int decodeSelection(JumperWindow &window, const char *list)
{
    const int index = window.listIndex(list);
    return selectionCode(list, window.itemData(list, index));
}
