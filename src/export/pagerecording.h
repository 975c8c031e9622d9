// The guide page's record of the window: its lists and what each entry shows, recorded by
// picking it in the page's window, where the real jumper procedures set the pins.
#pragma once

#include <QLatin1StringView>
#include <QString>
#include <QStringList>

#include <vector>

class PageWindow;
struct Selector;

/// A list of the window as the page offers it: its key in the page's address, and the words
/// that name its entries there (the command line's); without words an entry goes by position.
struct PageList {
    const Selector *selector;
    QString key;
    QStringList words;
};

/// The separator of the parts of the positions sentence ("JP7 1-2, JP8 1-2, ...").
constexpr QLatin1StringView PartSeparator(", ");

/// What the window shows for one selection, as slots the page fills in: a slot per pin of the
/// board's pins (its fill as "rrggbb"), then a slot per part of the positions sentence.
struct View {
    QStringList cells;
    bool operator==(const View &) const = default;
};

/// A list as found in the window; its default is -1 when it shows no entry (the CPU list of a
/// board set by bus clock, multiplier and voltage that no entry gives).
struct ListState {
    PageList page;
    int count;
    int defaultIndex;
};

/// The choice of one entry in every list, as a list of positions, and its number among all
/// choices: mixed radix, a digit per list counting its entries, the last list fastest.
using Selection = std::vector<int>;
using Radix = std::vector<int>;

int combinationOf(const Selection &selection, const Radix &radix);
Selection selectionOf(int combination, const Radix &radix);
int combinationCount(const Radix &radix);

/// The number of choices of a radix, or one more than the page records where there are more.
qint64 choicesOf(const Radix &radix);

/// Throws PageError unless the page can record this many choices, each a view of this many
/// cells: "what" (the lists, or the settings panel's values) names them in the reason, and why
/// each is recorded.
void checkRecordable(qint64 choices, qsizetype cells, const QString &what, const QString &why);

/// What the window shows for the choices recorded: every combination of the radix, by
/// combination; or, where each list sets blocks of its own and so cannot change what another
/// shows, the base choice and then each list's entries alone, list by list.
struct RecordedViews {
    Radix radix;
    Selection base;
    bool everyCombination = true;
    std::vector<View> views;

    /// The view of a choice recorded: any where every combination is, else one that differs
    /// from the base in one list at most.
    const View &at(const Selection &selection) const;
};

/// The number of entries of each list.
Radix radixOf(const std::vector<ListState> &lists);

/// The entries the lists show; -1 for a list that shows none.
Selection defaultSelection(const std::vector<ListState> &lists);

/// The default selection with the first entry for a list that shows none: a selection the
/// window can be given, whose view serves as the base the others are compared with.
Selection baseSelection(const std::vector<ListState> &lists);

std::vector<ListState> findLists(PageWindow &window);

/// The positions sentence as the window's board tells a screen reader.
QString positionsSentence(const PageWindow &window);

/// What the window shows now.
View readView(const PageWindow &window);

/// What the window shows for every choice of the lists, or for each entry alone where there are
/// more choices than the page records and the lists set blocks of their own. Picks through the
/// window as a user does, and leaves every list that showed an entry with that entry again.
RecordedViews recordViews(PageWindow &window, const std::vector<ListState> &lists);

/// For each slot of a view, the list whose entry decides it, or -1 when none changes it. The page
/// builds a view from these owners alone, so every combination recorded is checked to be exactly
/// that: each slot decided by one list at most, whatever the other lists hold.
std::vector<int> slotOwners(const RecordedViews &recorded);
