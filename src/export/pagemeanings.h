// The guide page's record of the settings panel: the bus clocks, multipliers and core voltages it
// offers, the pins each sets, and what the panel reads for every choice of the three.
#pragma once

#include "pagerecording.h"

#include "jumpers/jumperpositions.h"

#include <vector>

class SettingsPanel;

/// A group of CPU blocks that the panel sets by what it stands for, as the page offers it: its
/// key in the page's address, the panel's list of the documented values (each entry carrying its
/// value) and the panel's reading of the group's pins, the unit the list's texts end in, and the
/// fills that set a value, as the panel writes them.
struct PageMeaning {
    const char *key;
    const char *list;
    const char *pins;
    const char *unit;
    std::vector<PinFill> (*fills)(int value);
};

/// A group as found in the panel: its list's caption, and per entry its text and the value it
/// carries; its default is the entry of the value the window's pins give.
struct MeaningGroup {
    const PageMeaning *page;
    QString caption;
    QStringList texts;
    QList<int> values;
    int defaultIndex;
};

/// One of the panel's readings of the CPU blocks: its name in the panel, its caption, and what
/// it says for each combination of the groups' values.
struct PanelReading {
    QString name;
    QString caption;
    QStringList texts;
};

/// The panel as the page repeats it. The groups' values combine as the window's lists do (a
/// selection of one value per group, numbered in their radix).
struct MeaningRecord {
    std::vector<View> views;            ///< what the window shows for each combination
    std::vector<QStringList> positions; ///< per group, per value: the panel's reading of the pins
    std::vector<PanelReading> readings;
    std::vector<Selection> cpuEntries; ///< per CPU entry: the value its pins give in each group
};

/// The panel's groups, each showing the value of the window's pins. Throws PageError when the
/// pins give a group no documented value.
std::vector<MeaningGroup> findMeanings(const SettingsPanel &panel);

Radix radixOf(const std::vector<MeaningGroup> &groups);

Selection defaultSelection(const std::vector<MeaningGroup> &groups);

/// The fills that set the values of a selection, in the CPU procedure's order of the blocks.
std::vector<PinFill> meaningFills(const std::vector<MeaningGroup> &groups, const Selection &values);

/// The word for a value in the page's address: its list text without the unit ("4.5", "100").
QString meaningWord(const MeaningGroup &group, int value);

/// Sets every combination of values through the window's pins, as the panel does, and records
/// what the window and the panel show; then picks each CPU entry to record its values. Checks
/// that an entry's view is exactly that of its values, so the page may draw the CPU blocks from
/// the values alone. Leaves the window with its lists' entries and the groups' defaults again.
MeaningRecord recordMeanings(MainWindow &window, SettingsPanel &panel, const std::vector<ListState> &lists,
                             const std::vector<MeaningGroup> &groups);
