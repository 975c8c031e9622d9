// The board in use, and the lookup of its lists and buttons by name.
#include "catalogues.h"

#include <algorithm>
#include <cassert>

namespace {

const BoardRows *inUse = nullptr;

} // namespace

const BoardRows &boardInUse()
{
    return inUse ? *inUse : builtinBoardRows();
}

void useBoard(const BoardRows &rows)
{
    inUse = &rows;
}

const ControlRow &controlRow(std::string_view name)
{
    const auto controls = controlCatalogue();
    const auto row =
        std::find_if(controls.begin(), controls.end(), [name](const ControlRow &r) { return name == r.name; });
    assert(row != controls.end() && "a list or button of the window");
    return *row;
}
