// The guide page's data: its record of the window and the settings panel, and the JSON the page reads.
#pragma once

#include "htmlexport.h"
#include "pagerecording.h"
#include "pagesettings.h"

#include <QJsonArray>
#include <QJsonObject>

#include <vector>

/// What the page records of the window and its settings panel.
struct PageRecord {
    std::vector<ListState> lists;
    RecordedViews views;
    PagePanel panel;
    int valuesList; ///< the list whose entries stand for the panel's values, or -1
    SettingsRecord settings;
    std::vector<int> owners; ///< per slot: a list, the number of lists plus a group, or -1
};

/// Records every list's entries, then every value of the panel's groups, and leaves the window
/// as it was.
PageRecord recordPage(PageWindow &window);

/// The page's data: its lists, the panel's groups and readings, the fills and sentence parts
/// nothing changes, and each pin's fill region.
QJsonObject pageData(const PageRecord &r, PageStart start, const QJsonArray &pins);
