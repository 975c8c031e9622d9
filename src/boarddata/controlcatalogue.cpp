// The lists and buttons of the window, above every drawn element.
#include "catalogues.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace {

// rank, name, kind, left, top, width, height, font pixels, bold, background, text, tab index, caption,
// accessible name (the caption of a list's label, or the button's caption)
// clang-format off
constexpr ControlRow Controls[] = {
    {0, "cbosdr",   ControlKind::List,   1350,  389, 3590, 330, 11, false, WindowBackground, WindowText, 62, "",       "SDRAM Clock Settings"},
    {1, "cbops",    ControlKind::List,   5760,    0, 1695, 330, 11, false, WindowBackground, WindowText, 57, "",       "Power Supply Type"},
    {2, "CMDEXIT",  ControlKind::Button, 6750, 1620,  690, 375, 11, true,  0xFFFFFF,         ButtonText, 10, "&EXIT",  "Exit"},
    {3, "CMDPRINT", ControlKind::Button, 6750, 1170,  690, 375, 11, true,  0xFFFFFF,         ButtonText,  9, "&PRINT", "Print"},
    {4, "CBOCPU",   ControlKind::List,    675,    0, 4261, 345, 12, false, 0xFFFFFF,         WindowText,  1, "",       "CPU Type"},
};
// clang-format on

static_assert(std::size(Controls) == 5);

} // namespace

std::span<const ControlRow> controlCatalogue()
{
    return Controls;
}

const ControlRow &controlRow(std::string_view name)
{
    const auto *row =
        std::find_if(std::begin(Controls), std::end(Controls), [name](const ControlRow &r) { return name == r.name; });
    assert(row != std::end(Controls) && "a list or button of the window");
    return *row;
}
