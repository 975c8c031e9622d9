// The guide page's record of the window: its lists and what each entry shows, recorded by
// picking it in the window.
#pragma once

#include <QLatin1StringView>
#include <QStringList>

#include <vector>

class MainWindow;
class QComboBox;
struct Selector;

/// A list of the window as the page offers it: its key in the page's address, and the words
/// that name its entries there (the command line's); without words an entry goes by position.
struct PageList {
    const Selector &(*selector)();
    const char *key;
    QStringList (*words)();
};

/// The separator of the parts of the positions sentence ("JP7 1-2, JP8 1-2, ...").
constexpr QLatin1StringView PartSeparator(", ");

/// What the window shows for one selection: a slot per pin of the pin catalogue (its fill as
/// "rrggbb"), then a slot per part of the positions sentence.
using View = QStringList;

/// A list as found in the window.
struct ListState {
    const PageList *page;
    QComboBox *combo;
    int defaultIndex;
};

/// The choice of one entry in every list, as a list of positions, and its number among all
/// choices (mixed radix, the last list fastest).
using Selection = std::vector<int>;

int combinationOf(const Selection &selection, const std::vector<ListState> &lists);

Selection defaultSelection(const std::vector<ListState> &lists);

std::vector<ListState> findLists(MainWindow &window);

/// The positions sentence as the window's board tells a screen reader.
QString positionsSentence(MainWindow &window);

/// What the window shows for every selection, by combination. Picks through the window as a
/// user does, and leaves it with the default selection again.
std::vector<View> recordViews(MainWindow &window, const std::vector<ListState> &lists);

/// For each slot of a view, the list whose entry decides it, or -1 when none changes it. The
/// page builds a view from these owners alone, so every recorded view is checked to be exactly
/// that: each slot decided by one list at most, whatever the other lists hold.
std::vector<int> slotOwners(const std::vector<View> &views, const std::vector<ListState> &lists);
