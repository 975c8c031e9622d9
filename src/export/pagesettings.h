// The guide page's record of the settings panel: the groups of blocks it sets by what they stand
// for, the pins each value sets, and what the panel reads for every choice of values.
#pragma once

#include "pagerecording.h"

#include "jumpers/jumperpositions.h"

#include <functional>
#include <vector>

/// A group of blocks that the panel sets by what it stands for, as the page offers it: its key in
/// the page's address, the caption of the panel's list, the unit an address may write after a
/// value, and per value its text, its word in the address and the fills that set it.
struct SettingGroup {
    QString key;
    QString caption;
    QString unit;      ///< "MHz", or none
    QStringList texts; ///< "4.5x"
    QStringList words; ///< "4.5"
    std::vector<std::vector<PinFill>> fills;
    /// The value the window's pins give; -1 for none, and the page then offers the group's pins as
    /// they stood (startFills) until a value is picked.
    int defaultIndex = -1;
    std::vector<PinFill> startFills;
};

/// What the panel reads of the pins: per group the value they give (-1 for none) and its blocks'
/// positions in words; then the text of each of the panel's readings.
struct PanelReadout {
    Selection values;
    QStringList positions;
    QStringList readings;
};

/// One of the panel's readings: its name, its caption, and what it says for each combination of
/// the groups' values.
struct PanelReading {
    QString name;
    QString caption;
    QStringList texts;
};

/// The panel as the page repeats it: its groups, its readings (their texts recorded later), and
/// how it reads the pins.
struct PagePanel {
    std::vector<SettingGroup> groups;
    std::vector<PanelReading> readings;
    std::function<PanelReadout(const PinColors &)> read;
};

/// The panel as the page records it. The groups' values combine as the window's lists do, a
/// digit per group (radixOf()).
struct SettingsRecord {
    RecordedViews views;                ///< what the window shows for each combination
    std::vector<QStringList> positions; ///< per group, per digit: the panel's reading of its pins
    std::vector<PanelReading> readings;
    std::vector<Selection> listEntries; ///< per entry of the values list: the value of each group
};

/// The panel of the board in use, each group showing the value of the window's pins: the bus
/// clock, multiplier and core voltage of the program's own board, or a described board's
/// meanings and readings. Throws PageError when the program's own board shows no documented value.
PagePanel findPanel(const PageWindow &window);

/// The list whose entries stand for the panel's values, as the CPU list does on the program's own
/// board: the one list that sets blocks of the groups; -1 when no list does. Throws PageError when
/// two lists do, as the page lets one list follow the values.
int valuesList(const std::vector<ListState> &lists);

/// A digit per group: its values, after one for the pins as they stood where it has no default.
Radix radixOf(const std::vector<SettingGroup> &groups);

/// The digits of a choice of values (-1 for a group's pins as they stood).
Selection digitsOf(const std::vector<SettingGroup> &groups, const Selection &values);
Selection defaultDigits(const std::vector<SettingGroup> &groups);

/// Sets every combination of values through the window's pins, as the panel does, and records
/// what the window shows and the panel reads; then picks each entry of the values list to record
/// its values. Checks that an entry's view is exactly that of its values, so the page may draw its
/// blocks from the values alone. Leaves the window with its lists' entries and the groups' pins
/// as they were.
SettingsRecord recordSettings(PageWindow &window, const std::vector<ListState> &lists, const PagePanel &panel,
                              int valuesList);
