// The guide page's record of the settings panel: the bus clocks, multipliers and core voltages it
// offers, the pins each sets, and what the panel reads for every choice of the three.
#pragma once

#include "pagerecording.h"

#include "jumpers/jumperpositions.h"

#include <optional>
#include <vector>

struct SettingsReading;

/// A group of CPU blocks that the panel sets by what it stands for, as the page offers it: its
/// key in the page's address, the caption of the panel's list (with its access key), the unit its texts end in, its
/// documented values with their texts, the fills that set a value, and the value a reading gives.
struct PageSetting {
    const char *key;
    const char *caption;
    const char *unit;
    QList<int> (*values)();
    QString (*text)(int value);
    std::vector<PinFill> (*fills)(int value);
    std::optional<int> SettingsReading::*read;
    QString SettingsReading::*positions;
};

/// A group as the page offers it: per entry its text and the value it carries; its default is
/// the entry of the value the window's pins give.
struct SettingGroup {
    const PageSetting *page;
    QStringList texts;
    QList<int> values;
    int defaultIndex;
};

/// One of the panel's readings of the CPU blocks: its name, its caption, and what it says for
/// each combination of the groups' values.
struct PanelReading {
    QString name;
    QString caption;
    QStringList texts;
};

/// The panel as the page repeats it. The groups' values combine as the window's lists do (a
/// selection of one value per group, numbered in their radix).
struct SettingsRecord {
    std::vector<View> views;            ///< what the window shows for each combination
    std::vector<QStringList> positions; ///< per group, per value: the panel's reading of the pins
    std::vector<PanelReading> readings;
    std::vector<Selection> cpuEntries; ///< per CPU entry: the value its pins give in each group
};

/// The groups, each showing the value of the window's pins. Throws PageError when the pins give
/// a group no documented value.
std::vector<SettingGroup> findSettingGroups(const PageWindow &window);

Radix radixOf(const std::vector<SettingGroup> &groups);

Selection defaultSelection(const std::vector<SettingGroup> &groups);

/// The fills that set the values of a selection, in the CPU procedure's order of the blocks.
std::vector<PinFill> settingFills(const std::vector<SettingGroup> &groups, const Selection &values);

/// The word for a value in the page's address: its list text without the unit ("4.5", "100").
QString settingWord(const SettingGroup &group, int value);

/// Sets every combination of values through the window's pins, as the panel does, and records
/// what the window shows and the panel reads; then picks each CPU entry to record its values.
/// Checks that an entry's view is exactly that of its values, so the page may draw the CPU blocks
/// from the values alone. Leaves the window with its lists' entries and the groups' defaults again.
SettingsRecord recordSettings(PageWindow &window, const std::vector<ListState> &lists,
                              const std::vector<SettingGroup> &groups);
