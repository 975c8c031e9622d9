// The guide page's data: the record of the window and its panel, and the JSON made of it.
#include "pagedata.h"

#include "pageerror.h"
#include "pagewindow.h"

#include "boarddata/catalogues.h"
#include "boarddata/window.h"

namespace {

/// The slots (pins, then parts of the sentence) that one owner decides, as pin and part numbers.
struct OwnedSlots {
    std::vector<qsizetype> pins;
    std::vector<qsizetype> parts;
};

OwnedSlots slotsOf(const std::vector<int> &owners, int owner)
{
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    OwnedSlots owned;
    for (qsizetype slot = 0; slot < static_cast<qsizetype>(owners.size()); ++slot) {
        if (owners[static_cast<std::size_t>(slot)] == owner)
            (slot < pinCount ? owned.pins : owned.parts).push_back(slot < pinCount ? slot : slot - pinCount);
    }
    return owned;
}

template<typename T>
QJsonArray numbers(const std::vector<T> &values)
{
    QJsonArray array;
    for (T v : values)
        array.append(v);
    return array;
}

/// What a view puts in the slots one owner decides: "fills" of its pins and "parts" of the
/// sentence.
QJsonObject ownedView(const View &view, const OwnedSlots &owned)
{
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    QJsonArray fills, parts;
    for (qsizetype pin : owned.pins)
        fills.append(view.cells[pin]);
    for (qsizetype part : owned.parts)
        parts.append(view.cells[pinCount + part]);
    return QJsonObject{{QStringLiteral("fills"), fills}, {QStringLiteral("parts"), parts}};
}

/// Who decides each slot: a list of the window, a group of the panel (numbered after the lists),
/// or none (-1). The groups take the values list's slots, as its entries stand for their values
/// (the recording checked that); no slot may be set by a group and by another list too.
std::vector<int> pageOwners(const PageRecord &r)
{
    std::vector<int> owners = slotOwners(r.views);
    const std::vector<int> groupOwners = slotOwners(r.settings.views);
    for (std::size_t slot = 0; slot < owners.size(); ++slot) {
        if (groupOwners[slot] < 0)
            continue;
        if (owners[slot] >= 0 && owners[slot] != r.valuesList)
            throw PageError(QStringLiteral("a list and the settings panel set the same pin"));
        owners[slot] = static_cast<int>(r.lists.size()) + groupOwners[slot];
    }
    return owners;
}

/// One list as the page's data: its key and words, its default (-1 for none), the pins and
/// sentence parts it sets, and what each entry puts there; an entry of the values list also gives
/// the value it stands for in each group of the panel.
QJsonObject listData(const PageRecord &r, std::size_t list)
{
    const OwnedSlots owned = slotsOf(r.owners, static_cast<int>(list));
    const bool standsForValues = static_cast<int>(list) == r.valuesList;
    QJsonArray entries;
    for (int entry = 0; entry < r.lists[list].count; ++entry) {
        Selection s = baseSelection(r.lists);
        s[list] = entry;
        QJsonObject data = ownedView(r.views.at(s), owned);
        if (standsForValues)
            data.insert(QStringLiteral("meanings"), numbers(r.settings.listEntries[static_cast<std::size_t>(entry)]));
        entries.append(data);
    }
    const PageList &page = r.lists[list].page;
    return QJsonObject{{QStringLiteral("key"), page.key},
                       {QStringLiteral("words"),
                        page.words.isEmpty() ? QJsonValue() : QJsonValue(QJsonArray::fromStringList(page.words))},
                       {QStringLiteral("default"), r.lists[list].defaultIndex},
                       {QStringLiteral("pins"), numbers(owned.pins)},
                       {QStringLiteral("parts"), numbers(owned.parts)},
                       {QStringLiteral("entries"), entries}};
}

/// One group of the panel as the page's data, like a list's: its key, the unit an address may
/// write after a value ("MHz", as on the command line), its default, the pins and sentence parts
/// it sets, and per value the word of the address, what it puts there and the panel's reading of
/// its pins. A group whose pins gave no value has its default -1, and "unset": what its pins put
/// there as they stood.
QJsonObject groupData(const PageRecord &r, std::size_t group)
{
    const OwnedSlots owned = slotsOf(r.owners, static_cast<int>(r.lists.size() + group));
    const std::vector<SettingGroup> &groups = r.panel.groups;
    const SettingGroup &g = groups[group];
    const auto viewWith = [&](int digit) {
        Selection s = defaultDigits(groups);
        s[group] = digit;
        QJsonObject data = ownedView(r.settings.views.at(s), owned);
        data.insert(QStringLiteral("positions"), r.settings.positions[group][digit]);
        return data;
    };
    const int first = g.defaultIndex < 0 ? 1 : 0;
    QJsonArray values;
    for (int value = 0; value < g.texts.size(); ++value) {
        QJsonObject data = viewWith(first + value);
        data.insert(QStringLiteral("word"), g.words[value]);
        values.append(data);
    }
    QJsonObject data{{QStringLiteral("key"), g.key},
                     {QStringLiteral("unit"), g.unit},
                     {QStringLiteral("default"), g.defaultIndex},
                     {QStringLiteral("pins"), numbers(owned.pins)},
                     {QStringLiteral("parts"), numbers(owned.parts)},
                     {QStringLiteral("values"), values}};
    if (g.defaultIndex < 0)
        data.insert(QStringLiteral("unset"), viewWith(0));
    return data;
}

/// The panel as the page's data: the list whose entries stand for values (-1 for none); whether
/// the default view was set by values; the groups; and the panel's readings by combination.
QJsonObject settingsData(const PageRecord &r, PageStart start)
{
    QJsonArray groups, readings;
    for (std::size_t group = 0; group < r.panel.groups.size(); ++group)
        groups.append(groupData(r, group));
    for (const PanelReading &reading : r.settings.readings)
        readings.append(QJsonObject{{QStringLiteral("name"), reading.name},
                                    {QStringLiteral("texts"), QJsonArray::fromStringList(reading.texts)}});
    const bool byMeanings = !r.panel.groups.empty()
        && (start == PageStart::Settings || (r.valuesList >= 0 && r.lists[std::size_t(r.valuesList)].defaultIndex < 0));
    return QJsonObject{{QStringLiteral("list"), r.valuesList},
                       {QStringLiteral("byMeanings"), byMeanings},
                       {QStringLiteral("groups"), groups},
                       {QStringLiteral("readings"), readings}};
}

} // namespace

QJsonObject pageData(const PageRecord &r, PageStart start, const QJsonArray &pins)
{
    const View &base = r.views.at(r.views.base);
    const auto pinCount = static_cast<qsizetype>(pinCatalogue().size());
    const OwnedSlots fixed = slotsOf(r.owners, -1);
    QJsonArray fixedFills, fixedParts, pageLists;
    for (qsizetype pin : fixed.pins)
        fixedFills.append(QJsonArray{pin, base.cells[pin]});
    for (qsizetype part : fixed.parts)
        fixedParts.append(QJsonArray{part, base.cells[pinCount + part]});
    for (std::size_t list = 0; list < r.lists.size(); ++list)
        pageLists.append(listData(r, list));
    return QJsonObject{{QStringLiteral("size"), QJsonArray{clientSize().width(), clientSize().height()}},
                       {QStringLiteral("separator"), PartSeparator},
                       {QStringLiteral("lists"), pageLists},
                       {QStringLiteral("meanings"), settingsData(r, start)},
                       {QStringLiteral("pins"), pins},
                       {QStringLiteral("fixed"),
                        QJsonObject{{QStringLiteral("fills"), fixedFills}, {QStringLiteral("parts"), fixedParts}}}};
}

PageRecord recordPage(PageWindow &window)
{
    PageRecord r;
    r.lists = findLists(window);
    r.panel = findPanel(window); // the values of the pins shown now: the page's default
    r.valuesList = valuesList(r.lists);
    r.views = recordViews(window, r.lists);
    r.settings = recordSettings(window, r.lists, r.panel, r.valuesList);
    r.owners = pageOwners(r);
    return r;
}
