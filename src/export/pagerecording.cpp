// The guide page's record of the window: its lists and what each entry shows, recorded by
// picking it in the page's window.
#include "pagerecording.h"

#include "pageerror.h"
#include "pagewindow.h"

#include "boarddata/catalogues.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"

#include <QColor>

#include <algorithm>
#include <set>

namespace {

/// A list's key in the address: its option, as on the command line; the program's own CPU list,
/// whose options are the program's, is "cpu"; a list without an option goes by its name.
QString keyOf(const Selector &selector)
{
    if (selector.row->option)
        return QString::fromUtf8(selector.row->option);
    if (boardHasCpuSettings() && &selector == &cpuSelector())
        return QStringLiteral("cpu");
    return QString::fromUtf8(selector.list).toLower();
}

/// The words of a list's entries where every entry has one; none where they go by position.
QStringList wordsOf(const Selector &selector)
{
    const QStringList words = entryWords(selector);
    return std::size_t(words.size()) == selector.entries.size() ? words : QStringList();
}

/// The most choices the page records of the lists, or of the panel's values, and the most slots of
/// their views in all: far more than a board whose blocks are set list by list needs, and a
/// bound on the time and memory a description may ask of the page.
constexpr qint64 MaxRecordedChoices = 20000;
constexpr qint64 MaxRecordedSlots = 2000000;

QString colorText(Color color)
{
    return QColor(toRgb(color)).name().mid(1);
}

} // namespace

int combinationOf(const Selection &selection, const Radix &radix)
{
    int combination = 0;
    for (std::size_t i = 0; i < radix.size(); ++i)
        combination = combination * radix[i] + selection[i];
    return combination;
}

Selection selectionOf(int combination, const Radix &radix)
{
    Selection selection(radix.size());
    for (std::size_t i = radix.size(); i-- > 0;) {
        selection[i] = combination % radix[i];
        combination /= radix[i];
    }
    return selection;
}

int combinationCount(const Radix &radix)
{
    int total = 1;
    for (int count : radix)
        total *= count;
    return total;
}

qint64 choicesOf(const Radix &radix)
{
    qint64 choices = 1;
    for (int count : radix)
        choices = std::min(choices * count, MaxRecordedChoices + 1);
    return choices;
}

void checkRecordable(qint64 choices, qsizetype cells, const QString &what, const QString &why)
{
    if (choices > MaxRecordedChoices)
        throw PageError(QStringLiteral("%1 give more than %2 choices together; the page records every choice%3, so "
                                       "it is made for boards with fewer")
                            .arg(what)
                            .arg(MaxRecordedChoices)
                            .arg(why));
    if (choices * cells > MaxRecordedSlots)
        throw PageError(QStringLiteral("%1 give %2 choices of %3 pins and positions each; the page records at most "
                                       "%4 of these in all")
                            .arg(what)
                            .arg(choices)
                            .arg(cells)
                            .arg(MaxRecordedSlots));
}

const View &RecordedViews::at(const Selection &selection) const
{
    if (everyCombination)
        return views[static_cast<std::size_t>(combinationOf(selection, radix))];
    std::size_t index = 0; // the base's
    std::size_t first = 1;
    for (std::size_t list = 0; list < radix.size(); ++list) {
        if (selection[list] != base[list]) {
            if (index != 0)
                throw PageError(QStringLiteral("no view of that choice was recorded"));
            index = first + static_cast<std::size_t>(selection[list]);
        }
        first += static_cast<std::size_t>(radix[list]);
    }
    return views[index];
}

Radix radixOf(const std::vector<ListState> &lists)
{
    Radix radix;
    for (const ListState &list : lists)
        radix.push_back(list.count);
    return radix;
}

Selection defaultSelection(const std::vector<ListState> &lists)
{
    Selection selection;
    for (const ListState &list : lists)
        selection.push_back(list.defaultIndex);
    return selection;
}

Selection baseSelection(const std::vector<ListState> &lists)
{
    Selection selection = defaultSelection(lists);
    for (int &position : selection)
        position = std::max(position, 0);
    return selection;
}

std::vector<ListState> findLists(PageWindow &window)
{
    std::vector<ListState> lists;
    for (const Selector &selector : selectors()) {
        const PageList page{&selector, keyOf(selector), wordsOf(selector)};
        const int count = window.count(selector.list);
        if (count == 0)
            throw PageError(QStringLiteral("the window has no filled list %1").arg(QLatin1String(selector.list)));
        if (!page.words.isEmpty() && page.words.size() != count)
            throw PageError(QStringLiteral("the list %1 has %2 entries, but there are %3 words for them")
                                .arg(QLatin1String(selector.list))
                                .arg(count)
                                .arg(page.words.size()));
        lists.push_back({page, count, window.listIndex(selector.list)});
    }
    return lists;
}

QString positionsSentence(const PageWindow &window)
{
    return jumperPositionsText(pinColorsOf(window.board()));
}

View readView(const PageWindow &window)
{
    View view;
    for (const ShapeRow &pin : pinCatalogue())
        view.cells << colorText(window.board().fillColor(pin.name));
    view.cells += positionsSentence(window).split(PartSeparator);
    return view;
}

namespace {

/// Whether no block is set by two lists: then a list's procedure, which writes its own blocks
/// alone, cannot change what another shows.
bool setOwnBlocks(const std::vector<ListState> &lists)
{
    std::set<int> seen;
    for (const ListState &list : lists) {
        for (const int block : list.page.selector->row->blocks) {
            if (!seen.insert(block).second)
                return false;
        }
    }
    return true;
}

} // namespace

RecordedViews recordViews(PageWindow &window, const std::vector<ListState> &lists)
{
    RecordedViews recorded{radixOf(lists), baseSelection(lists), true, {}};
    const Radix &radix = recorded.radix;
    const qsizetype cells = readView(window).cells.size();
    std::vector<Selection> choices;
    if (choicesOf(radix) <= MaxRecordedChoices || !setOwnBlocks(lists)) {
        checkRecordable(choicesOf(radix), cells, QStringLiteral("the lists"),
                        QStringLiteral(" of lists that set the same blocks"));
        for (int combination = 0; combination < combinationCount(radix); ++combination)
            choices.push_back(selectionOf(combination, radix));
    } else {
        recorded.everyCombination = false;
        choices.push_back(recorded.base);
        for (std::size_t list = 0; list < radix.size(); ++list) {
            for (int entry = 0; entry < radix[list]; ++entry) {
                choices.push_back(recorded.base);
                choices.back()[list] = entry;
            }
        }
        checkRecordable(qint64(choices.size()), cells, QStringLiteral("the lists' entries"), QString());
    }
    recorded.views.reserve(choices.size());
    for (const Selection &selection : choices) {
        for (std::size_t i = 0; i < lists.size(); ++i)
            window.setListIndex(lists[i].page.selector->list, selection[i]); // runs its procedure
        recorded.views.push_back(readView(window));
        if (recorded.views.back().cells.size() != cells)
            throw PageError(QStringLiteral("the positions sentence changes its number of parts"));
    }
    for (const ListState &list : lists) {
        if (list.defaultIndex >= 0)
            window.setListIndex(list.page.selector->list, list.defaultIndex);
    }
    return recorded;
}

std::vector<int> slotOwners(const RecordedViews &recorded)
{
    const Radix &radix = recorded.radix;
    const View &baseView = recorded.at(recorded.base);
    const auto viewWith = [&](std::size_t list, int entry) -> const View & {
        Selection s = recorded.base;
        s[list] = entry;
        return recorded.at(s);
    };
    std::vector<int> owners(static_cast<std::size_t>(baseView.cells.size()), -1);
    for (std::size_t list = 0; list < radix.size(); ++list) {
        for (int entry = 0; entry < radix[list]; ++entry) {
            for (qsizetype slot = 0; slot < baseView.cells.size(); ++slot) {
                if (viewWith(list, entry).cells[slot] == baseView.cells[slot])
                    continue;
                int &owner = owners[static_cast<std::size_t>(slot)];
                if (owner >= 0 && owner != static_cast<int>(list))
                    throw PageError(QStringLiteral("what the window shows for one list depends on another list"));
                owner = static_cast<int>(list);
            }
        }
    }
    if (!recorded.everyCombination)
        return owners;
    for (std::size_t c = 0; c < recorded.views.size(); ++c) {
        const Selection selection = selectionOf(static_cast<int>(c), radix);
        for (qsizetype slot = 0; slot < baseView.cells.size(); ++slot) {
            const int owner = owners[static_cast<std::size_t>(slot)];
            const QString &expected = owner < 0
                ? baseView.cells[slot]
                : viewWith(static_cast<std::size_t>(owner), selection[static_cast<std::size_t>(owner)]).cells[slot];
            if (recorded.views[c].cells[slot] != expected)
                throw PageError(QStringLiteral("what the window shows for one list depends on another list"));
        }
    }
    return owners;
}
