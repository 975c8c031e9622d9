// The guide page's record of the settings panel, made by setting the pins as the panel does and
// reading them as the panel reads them.
#include "pagesettings.h"

#include "pageerror.h"
#include "pagewindow.h"

#include "jumpers/cpusettings.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"
#include "window/settingspanel.h"

#include <algorithm>
#include <cassert>

namespace {

template<typename Setting>
std::vector<PinFill> fillsOf(const std::optional<Setting> &setting)
{
    assert(setting && "the panel offers documented values only");
    return settingFills(*setting);
}

template<typename Setting, typename Field>
QList<int> valuesOf(std::span<const Setting> settings, Field field)
{
    QList<int> values;
    for (const Setting &s : settings)
        values << s.*field;
    return values;
}

// In the order the panel shows them, which is the CPU procedure's order of the blocks.
// key, the panel list's caption, unit of its texts, values, text and fills of a value, reading
// clang-format off
const PageSetting PageSettings[] = {
    {"bus",        PanelCaption::BusClock,    " MHz",
     [] { return valuesOf(busClockSettings(), &BusClockSetting::megahertz); }, busClockText,
     [](int v) { return fillsOf(findBusClock(v)); }, &SettingsReading::megahertz, &SettingsReading::busClockPins},
    {"multiplier", PanelCaption::Multiplier,  "x",
     [] { return valuesOf(multiplierSettings(), &MultiplierSetting::tenths); }, multiplierText,
     [](int v) { return fillsOf(findMultiplier(v)); }, &SettingsReading::tenths, &SettingsReading::multiplierPins},
    {"voltage",    PanelCaption::CoreVoltage, " V",
     [] { return valuesOf(voltageSettings(), &VoltageSetting::centivolts); }, voltageText,
     [](int v) { return fillsOf(findVoltage(v)); }, &SettingsReading::centivolts, &SettingsReading::voltagePins},
};
// clang-format on

/// The panel's readings that follow the CPU blocks alone, in the panel's order: name, caption,
/// and the reading's text.
struct PanelText {
    const char *name;
    const char *caption;
    QString SettingsReading::*text;
};
const PanelText PanelTexts[] = {
    {"cpuClock", PanelCaption::CpuClock, &SettingsReading::cpuClock},
    {"cpuEntries", PanelCaption::CpuEntries, &SettingsReading::cpuEntries},
};

SettingsReading readingOf(const PageWindow &window)
{
    return readSettings(pinColorsOf(window.board()));
}

/// The entry of each group that a reading gives; -1 for a group whose pins document no value.
Selection valuesRead(const std::vector<SettingGroup> &groups, const SettingsReading &reading)
{
    Selection values;
    for (const SettingGroup &group : groups) {
        const std::optional<int> value = reading.*(group.page->read);
        values.push_back(value ? static_cast<int>(group.values.indexOf(*value)) : -1);
    }
    return values;
}

void selectListDefaults(PageWindow &window, const std::vector<ListState> &lists)
{
    for (const ListState &list : lists) {
        if (list.defaultIndex >= 0)
            window.setListIndex(list.page->selector().list, list.defaultIndex);
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
void recordCombination(PageWindow &window, const std::vector<SettingGroup> &groups, const Selection &values,
                       SettingsRecord &record)
{
    window.setPins(settingFills(groups, values));
    const SettingsReading reading = readingOf(window);
    record.views.push_back(readView(window));
    if (valuesRead(groups, reading) != values)
        throw PageError(QStringLiteral("the pins do not read as the values just set"));
    for (std::size_t g = 0; g < groups.size(); ++g)
        keepPositions(record.positions[g][values[g]], reading.*(groups[g].page->positions));
    for (std::size_t r = 0; r < record.readings.size(); ++r)
        record.readings[r].texts << reading.*(PanelTexts[r].text);
}

/// Picks each CPU entry and records the values its pins read as; the window must then show
/// exactly what those values show.
std::vector<Selection> recordCpuEntries(PageWindow &window, const std::vector<ListState> &lists,
                                        const std::vector<SettingGroup> &groups, const std::vector<View> &views)
{
    std::vector<Selection> entries;
    const ListState &cpu = lists[cpuList(lists)];
    for (int entry = 0; entry < cpu.count; ++entry) {
        window.setListIndex(cpu.page->selector().list, entry);
        const Selection values = valuesRead(groups, readingOf(window));
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

std::vector<SettingGroup> findSettingGroups(const PageWindow &window)
{
    std::vector<SettingGroup> groups;
    for (const PageSetting &page : PageSettings) {
        SettingGroup group{&page, {}, page.values(), -1};
        for (int value : group.values)
            group.texts << page.text(value);
        groups.push_back(group);
    }
    const Selection shown = valuesRead(groups, readingOf(window));
    for (std::size_t g = 0; g < groups.size(); ++g) {
        if (shown[g] < 0)
            throw PageError(
                QStringLiteral("the board's pins give no documented %1").arg(QLatin1String(groups[g].page->key)));
        groups[g].defaultIndex = shown[g];
    }
    return groups;
}

Radix radixOf(const std::vector<SettingGroup> &groups)
{
    Radix radix;
    for (const SettingGroup &group : groups)
        radix.push_back(static_cast<int>(group.values.size()));
    return radix;
}

Selection defaultSelection(const std::vector<SettingGroup> &groups)
{
    Selection selection;
    for (const SettingGroup &group : groups)
        selection.push_back(group.defaultIndex);
    return selection;
}

std::vector<PinFill> settingFills(const std::vector<SettingGroup> &groups, const Selection &values)
{
    std::vector<PinFill> fills;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        for (const PinFill &fill : groups[g].page->fills(groups[g].values[values[g]]))
            fills.push_back(fill);
    }
    return fills;
}

QString settingWord(const SettingGroup &group, int value)
{
    const QString &text = group.texts[value];
    const QLatin1StringView unit(group.page->unit);
    if (!text.endsWith(unit))
        throw PageError(QStringLiteral("the panel's value %1 does not end in%2").arg(text, unit));
    return text.chopped(unit.size());
}

SettingsRecord recordSettings(PageWindow &window, const std::vector<ListState> &lists,
                              const std::vector<SettingGroup> &groups)
{
    SettingsRecord record;
    const Radix radix = radixOf(groups);
    for (int count : radix)
        record.positions.emplace_back(count);
    for (const PanelText &text : PanelTexts)
        record.readings.push_back({QLatin1String(text.name), QString::fromLatin1(text.caption).remove(u'&'), {}});
    // The other lists' entries stay as they are by default; the CPU blocks take every value.
    selectListDefaults(window, lists);
    for (int combination = 0; combination < combinationCount(radix); ++combination)
        recordCombination(window, groups, selectionOf(combination, radix), record);
    record.cpuEntries = recordCpuEntries(window, lists, groups, record.views);
    selectListDefaults(window, lists);
    // Leaves a CPU list that showed no entry without one again, and the blocks as they were.
    window.setPins(settingFills(groups, defaultSelection(groups)));
    return record;
}
