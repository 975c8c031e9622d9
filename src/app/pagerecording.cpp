// The guide page's record of the window: its lists and what each entry shows, recorded by
// picking it in the window.
#include "pagerecording.h"

#include "commandline.h"
#include "mainwindow.h"
#include "pageerror.h"

#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"
#include "layout/boardwidget.h"
#include "layout/catalogues.h"

#include <QColor>
#include <QComboBox>

namespace {

// In the order the page shows them.
// clang-format off
const PageList PageLists[] = {
    {cpuSelector,   "cpu",   nullptr},
    {powerSelector, "power", powerWords},
    {sdramSelector, "sdram", sdramWords},
};
// clang-format on

Selection selectionOf(int combination, const std::vector<ListState> &lists)
{
    Selection selection(lists.size());
    for (std::size_t i = lists.size(); i-- > 0;) {
        selection[i] = combination % lists[i].combo->count();
        combination /= lists[i].combo->count();
    }
    return selection;
}

QString colorText(Color color)
{
    return QColor(toRgb(color)).name().mid(1);
}

View readView(MainWindow &window)
{
    View view;
    for (const ShapeRow &pin : pinCatalogue())
        view << colorText(window.board().fillColor(pin.name));
    view += positionsSentence(window).split(PartSeparator);
    return view;
}

} // namespace

int combinationOf(const Selection &selection, const std::vector<ListState> &lists)
{
    int combination = 0;
    for (std::size_t i = 0; i < lists.size(); ++i)
        combination = combination * lists[i].combo->count() + selection[i];
    return combination;
}

Selection defaultSelection(const std::vector<ListState> &lists)
{
    Selection selection;
    for (const ListState &list : lists)
        selection.push_back(list.defaultIndex);
    return selection;
}

std::vector<ListState> findLists(MainWindow &window)
{
    std::vector<ListState> lists;
    for (const PageList &page : PageLists) {
        auto *combo = window.findChild<QComboBox *>(QString::fromLatin1(page.selector().list));
        if (!combo || combo->count() == 0 || combo->currentIndex() < 0)
            throw PageError(QStringLiteral("the window has no filled list %1").arg(QLatin1String(page.selector().list)));
        if (page.words && page.words().size() != combo->count())
            throw PageError(QStringLiteral("the list %1 has %2 entries, but there are %3 words for them")
                                .arg(QLatin1String(page.selector().list)).arg(combo->count()).arg(page.words().size()));
        lists.push_back({&page, combo, combo->currentIndex()});
    }
    return lists;
}

QString positionsSentence(MainWindow &window)
{
    const auto *board = window.findChild<BoardWidget *>();
    if (!board)
        throw PageError(QStringLiteral("the window has no board"));
    return board->accessibleDescription();
}

std::vector<View> recordViews(MainWindow &window, const std::vector<ListState> &lists)
{
    int total = 1;
    for (const ListState &list : lists)
        total *= list.combo->count();
    std::vector<View> views;
    views.reserve(static_cast<std::size_t>(total));
    for (int combination = 0; combination < total; ++combination) {
        const Selection selection = selectionOf(combination, lists);
        for (std::size_t i = 0; i < lists.size(); ++i)
            window.select(lists[i].page->selector(), selection[i]); // runs the list's Click
        views.push_back(readView(window));
        if (views.back().size() != views.front().size())
            throw PageError(QStringLiteral("the positions sentence changes its number of parts"));
    }
    for (const ListState &list : lists)
        window.select(list.page->selector(), list.defaultIndex);
    return views;
}

std::vector<int> slotOwners(const std::vector<View> &views, const std::vector<ListState> &lists)
{
    const Selection defaults = defaultSelection(lists);
    const View &base = views[static_cast<std::size_t>(combinationOf(defaults, lists))];
    const auto viewWith = [&](std::size_t list, int entry) -> const View & {
        Selection s = defaults;
        s[list] = entry;
        return views[static_cast<std::size_t>(combinationOf(s, lists))];
    };
    std::vector<int> owners(static_cast<std::size_t>(base.size()), -1);
    for (std::size_t list = 0; list < lists.size(); ++list) {
        for (int entry = 0; entry < lists[list].combo->count(); ++entry) {
            for (qsizetype slot = 0; slot < base.size(); ++slot) {
                if (viewWith(list, entry)[slot] != base[slot])
                    owners[static_cast<std::size_t>(slot)] = static_cast<int>(list);
            }
        }
    }
    for (std::size_t c = 0; c < views.size(); ++c) {
        const Selection selection = selectionOf(static_cast<int>(c), lists);
        for (qsizetype slot = 0; slot < base.size(); ++slot) {
            const int owner = owners[static_cast<std::size_t>(slot)];
            const QString &expected = owner < 0 ? base[slot] : viewWith(static_cast<std::size_t>(owner), selection[static_cast<std::size_t>(owner)])[slot];
            if (views[c][slot] != expected)
                throw PageError(QStringLiteral("what the window shows for one list depends on another list"));
        }
    }
    return owners;
}
