// A window for tests of the jumper knowledge and the start-up: it keeps lists and pin fills in
// plain containers and records every operation, in order.
#pragma once

#include "boardrows/elementerror.h"
#include "jumpers/jumperwindow.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class RecordingWindow : public JumperWindow
{
public:
    struct Entry {
        std::string text;
        std::int32_t itemCode = 0;
    };
    struct List {
        std::vector<Entry> entries;
        int selected = -1;
    };

    std::map<std::string, List> lists{{"CBOCPU", {}}, {"cbops", {}}, {"cbosdr", {}}};
    std::map<std::string, Color> fills;
    std::vector<std::string> calls;                   ///< every operation, e.g. "setFillColor V1JP7 808080"
    std::function<void(const std::string &)> onClick; ///< the Click handler setListIndex runs

    /// Makes list hold one entry with this item code, selected.
    void select(const std::string &list, std::int32_t itemCode) { lists[list] = {{{"entry", itemCode}}, 0}; }

    void addItem(const char *list, const char *text) override
    {
        record("addItem", list, text);
        at(list).entries.push_back({text, 0});
    }
    int newIndex(const char *list) override
    {
        record("newIndex", list);
        return static_cast<int>(at(list).entries.size()) - 1;
    }
    void setItemData(const char *list, int index, std::int32_t itemCode) override
    {
        record("setItemData", list, std::to_string(index) + " " + std::to_string(itemCode));
        entry(list, index, "setting the item data").itemCode = itemCode;
    }
    std::int32_t itemData(const char *list, int index) override
    {
        record("itemData", list, std::to_string(index));
        return entry(list, index, "reading the item data").itemCode;
    }
    int listIndex(const char *list) override
    {
        record("listIndex", list);
        return at(list).selected;
    }
    void setListIndex(const char *list, int index) override
    {
        record("setListIndex", list, std::to_string(index));
        at(list).selected = index;
        if (onClick)
            onClick(list);
    }
    void setFillColor(const char *element, Color color) override
    {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X", color);
        record("setFillColor", element, hex);
        fills[element] = color;
    }

    /// The recorded calls of one operation only.
    std::vector<std::string> callsOf(const std::string &operation) const
    {
        std::vector<std::string> out;
        for (const std::string &c : calls) {
            if (c.rfind(operation + " ", 0) == 0)
                out.push_back(c);
        }
        return out;
    }

private:
    void record(const char *operation, const char *name, const std::string &args = {})
    {
        calls.push_back(std::string(operation) + " " + name + (args.empty() ? "" : " " + args));
    }
    List &at(const char *list)
    {
        auto it = lists.find(list);
        if (it == lists.end())
            throw ElementError(list, "reaching the list", "no such list");
        return it->second;
    }
    Entry &entry(const char *list, int index, const char *operation)
    {
        List &l = at(list);
        if (index < 0 || index >= static_cast<int>(l.entries.size()))
            throw ElementError(list, operation, "invalid index");
        return l.entries[static_cast<std::size_t>(index)];
    }
};
