// What the jumper procedures and the start-up need of the window: its lists and its pin fills.
#pragma once

#include "boardrows/color.h"

#include <cstdint>

/// The window as the jumper knowledge sees it. Lists and pins are reached by their element
/// names ("CBOCPU", "cbops", "cbosdr"; "V1JP7", ...). Every operation throws ElementError when
/// it fails: an unknown name, an index without an entry.
class JumperWindow
{
public:
    virtual ~JumperWindow() = default;

    /// Appends an entry's text at the end of the list; no sorting.
    virtual void addItem(const char *list, const char *text) = 0;
    /// The index of the entry appended last.
    virtual int newIndex(const char *list) = 0;
    /// Attaches an item code to the entry at index, and reads it back.
    virtual void setItemData(const char *list, int index, std::int32_t itemCode) = 0;
    virtual std::int32_t itemData(const char *list, int index) = 0;
    /// The selected index, -1 when none.
    virtual int listIndex(const char *list) = 0;
    /// Selects the entry at index and runs the list's Click handler before returning.
    virtual void setListIndex(const char *list, int index) = 0;

    /// Sets a pin's fill color; it shows after the running event.
    virtual void setFillColor(const char *element, Color color) = 0;
};
