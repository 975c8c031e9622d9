// Resolution of stored colors, with the system-color scheme the board was drawn in.
#include "color.h"

#include <iterator>

namespace {

// System color number and its value in the standard scheme (0xBBGGRR).
// clang-format off
constexpr struct { int number; Color value; } SystemScheme[] = {
    { 0, 0xC0C0C0},  // scroll bar
    { 3, 0x808080},  // inactive title bar
    { 4, 0xC0C0C0},  // menu bar
    { 5, 0xFFFFFF},  // window background
    { 8, 0x000000},  // window text
    { 9, 0xFFFFFF},  // title-bar text
    {10, 0xC0C0C0},  // active border
    {12, 0x808080},  // application workspace
    {14, 0xFFFFFF},  // highlight text
    {15, 0xC0C0C0},  // button face
    {18, 0x000000},  // button text
};
// clang-format on

} // namespace

Color resolveColor(Color c)
{
    if (!isSystemColor(c))
        return c & 0xFFFFFFu;
    const int number = static_cast<int>(c & 0xFFu);
    for (const auto &entry : SystemScheme) {
        if (entry.number == number)
            return entry.value;
    }
    return 0x000000;
}

QRgb toRgb(Color c)
{
    const Color v = resolveColor(c);
    return qRgb(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QColor toQColor(Color c)
{
    return QColor::fromRgb(toRgb(c));
}
