// The window as the guide page records it: the board's lists and its pins kept in memory,
// set by the real jumper procedures, with no widget.
#pragma once

#include "jumpers/jumperpositions.h"
#include "jumpers/jumperwindow.h"
#include "layout/board.h"

#include <map>
#include <span>
#include <string>
#include <vector>

/// A JumperWindow of lists and pins alone. Selecting an entry runs its list's jumper procedure
/// at once, as the window's Click does; the pins are those of a Board, so they start as the
/// window's do.
class PageWindow : public JumperWindow
{
public:
    /// Filled by the Load event, so each list shows its default entry and the pins its choice.
    PageWindow();

    /// Writes the fills as the settings panel does, then makes each list show the entry that
    /// gives the pins (none when no entry does), without running a procedure.
    void setPins(std::span<const PinFill> fills);

    const Board &board() const { return m_board; }

    /// The number of entries of a list.
    int count(const char *list);

    void addItem(const char *list, const char *text) override;
    int newIndex(const char *list) override;
    void setItemData(const char *list, int index, std::int32_t itemCode) override;
    std::int32_t itemData(const char *list, int index) override;
    int listIndex(const char *list) override;
    void setListIndex(const char *list, int index) override;
    void setFillColor(const char *element, Color color) override;

private:
    struct List {
        std::vector<std::int32_t> itemCodes;
        int selected = -1;
    };
    List &at(const char *list);

    std::map<std::string, List, std::less<>> m_lists;
    Board m_board;
};
