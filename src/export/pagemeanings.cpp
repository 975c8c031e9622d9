// The guide page's record of the settings panel, made by setting the board through the window as
// the panel does and reading the panel back.
#include "pagemeanings.h"

#include "pageerror.h"

#include "jumpers/cpusettings.h"
#include "jumpers/selectorcatalogue.h"
#include "window/mainwindow.h"
#include "window/settingspanel.h"

#include <QComboBox>
#include <QLabel>

#include <algorithm>
#include <cassert>

namespace {

template<typename Setting>
std::vector<PinFill> fillsOf(const std::optional<Setting> &setting)
{
    assert(setting && "the panel offers documented values only");
    return settingFills(*setting);
}

std::vector<PinFill> busClockFills(int megahertz)
{
    return fillsOf(findBusClock(megahertz));
}

std::vector<PinFill> multiplierFills(int tenths)
{
    return fillsOf(findMultiplier(tenths));
}

std::vector<PinFill> voltageFills(int centivolts)
{
    return fillsOf(findVoltage(centivolts));
}

// In the order the panel shows them, which is the CPU procedure's order of the blocks.
// key, panel list, panel reading of the pins, unit of the list's texts, fills of a value
// clang-format off
const PageMeaning PageMeanings[] = {
    {"bus",        "busClock",    "busClockPins",    " MHz", busClockFills},
    {"multiplier", "multiplier",  "multiplierPins",  "x",    multiplierFills},
    {"voltage",    "coreVoltage", "coreVoltagePins", " V",   voltageFills},
};
// clang-format on

// The panel's readings that follow the CPU blocks alone, in the panel's order.
const char *const PanelReadings[] = {"cpuClock", "cpuEntries"};

template<typename T>
T *panelChild(const SettingsPanel &panel, const char *name)
{
    auto *child = panel.findChild<T *>(QString::fromLatin1(name));
    if (!child)
        throw PageError(QStringLiteral("the settings panel has no %1").arg(QLatin1String(name)));
    return child;
}

/// The caption the panel stands beside a reading, without its mnemonic.
QString captionOf(const SettingsPanel &panel, const QLabel *reading)
{
    for (const QLabel *label : panel.findChildren<QLabel *>()) {
        if (label->buddy() == reading)
            return QString(label->text()).remove(u'&');
    }
    throw PageError(QStringLiteral("the reading %1 of the settings panel has no caption").arg(reading->objectName()));
}

void selectListDefaults(MainWindow &window, const std::vector<ListState> &lists)
{
    for (const ListState &list : lists) {
        if (list.defaultIndex >= 0)
            window.select(list.page->selector(), list.defaultIndex);
    }
}

/// Keeps what the panel reads beside a group's list for a value; it must read the same whatever
/// the other groups hold, as the page shows it beside the list.
void keepPositions(QString &kept, const QString &read)
{
    if (!kept.isEmpty() && kept != read)
        throw PageError(QStringLiteral("the panel's reading of one group's pins depends on another group"));
    kept = read;
}

/// Sets one combination of values as the panel does and records the window and the panel.
void recordCombination(MainWindow &window, SettingsPanel &panel, const std::vector<MeaningGroup> &groups,
                       const Selection &values, MeaningRecord &record)
{
    window.setPins(meaningFills(groups, values));
    panel.refresh();
    record.views.push_back(readView(window));
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (panelChild<QComboBox>(panel, groups[g].page->list)->currentIndex() != values[g])
            throw PageError(QStringLiteral("the settings panel does not show the value just set"));
        const auto *pins = panelChild<QLabel>(panel, groups[g].page->pins);
        keepPositions(record.positions[g][values[g]], pins->text());
    }
    for (PanelReading &reading : record.readings)
        reading.texts << panelChild<QLabel>(panel, qPrintable(reading.name))->text();
}

/// Picks each CPU entry and records the values the panel reads from its pins; the window must
/// then show exactly what those values show.
std::vector<Selection> recordCpuEntries(MainWindow &window, SettingsPanel &panel, const std::vector<ListState> &lists,
                                        const std::vector<MeaningGroup> &groups, const std::vector<View> &views)
{
    std::vector<Selection> entries;
    const ListState &cpu = lists[cpuList(lists)];
    for (int entry = 0; entry < cpu.combo->count(); ++entry) {
        window.select(cpu.page->selector(), entry);
        panel.refresh();
        Selection values;
        for (const MeaningGroup &group : groups)
            values.push_back(panelChild<QComboBox>(panel, group.page->list)->currentIndex());
        if (std::find(values.begin(), values.end(), -1) != values.end())
            throw PageError(QStringLiteral("the CPU entry %1 sets jumpers the panel cannot name").arg(entry));
        if (readView(window) != views[static_cast<std::size_t>(combinationOf(values, radixOf(groups)))])
            throw PageError(
                QStringLiteral("the CPU entry %1 shows more than its bus clock, multiplier and voltage").arg(entry));
        entries.push_back(values);
    }
    return entries;
}

} // namespace

std::vector<MeaningGroup> findMeanings(const SettingsPanel &panel)
{
    std::vector<MeaningGroup> groups;
    for (const PageMeaning &page : PageMeanings) {
        const auto *combo = panelChild<QComboBox>(panel, page.list);
        if (combo->currentIndex() < 0)
            throw PageError(QStringLiteral("the board's pins give no documented value in the panel's list %1")
                                .arg(QLatin1String(page.list)));
        MeaningGroup group{&page, combo->accessibleName(), {}, {}, combo->currentIndex()};
        for (int i = 0; i < combo->count(); ++i) {
            group.texts << combo->itemText(i);
            group.values << combo->itemData(i).toInt();
        }
        groups.push_back(group);
    }
    return groups;
}

Radix radixOf(const std::vector<MeaningGroup> &groups)
{
    Radix radix;
    for (const MeaningGroup &group : groups)
        radix.push_back(static_cast<int>(group.values.size()));
    return radix;
}

Selection defaultSelection(const std::vector<MeaningGroup> &groups)
{
    Selection selection;
    for (const MeaningGroup &group : groups)
        selection.push_back(group.defaultIndex);
    return selection;
}

std::vector<PinFill> meaningFills(const std::vector<MeaningGroup> &groups, const Selection &values)
{
    std::vector<PinFill> fills;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const PinFill &fill : groups[g].page->fills(groups[g].values[values[g]]))
            fills.push_back(fill);
    }
    return fills;
}

QString meaningWord(const MeaningGroup &group, int value)
{
    const QString &text = group.texts[value];
    const QLatin1StringView unit(group.page->unit);
    if (!text.endsWith(unit))
        throw PageError(QStringLiteral("the panel's value %1 does not end in%2").arg(text, unit));
    return text.chopped(unit.size());
}

MeaningRecord recordMeanings(MainWindow &window, SettingsPanel &panel, const std::vector<ListState> &lists,
                             const std::vector<MeaningGroup> &groups)
{
    MeaningRecord record;
    const Radix radix = radixOf(groups);
    for (int count : radix)
        record.positions.emplace_back(count);
    for (const char *name : PanelReadings)
        record.readings.push_back({QLatin1String(name), captionOf(panel, panelChild<QLabel>(panel, name)), {}});
    // The other lists' entries stay as they are by default; the CPU blocks take every value.
    selectListDefaults(window, lists);
    for (int combination = 0; combination < combinationCount(radix); ++combination)
        recordCombination(window, panel, groups, selectionOf(combination, radix), record);
    record.cpuEntries = recordCpuEntries(window, panel, lists, groups, record.views);
    selectListDefaults(window, lists);
    // Leaves a CPU list that showed no entry without one again, and the blocks as they were.
    window.setPins(meaningFills(groups, defaultSelection(groups)));
    return record;
}
