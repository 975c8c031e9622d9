// The guide page's record of the settings panel, made by setting the pins as the panel does and
// reading them as the panel reads them.
#include "pagesettings.h"

#include "pageerror.h"
#include "pagewindow.h"

#include "boarddata/catalogues.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"
#include "window/settingspanel.h"

#include <algorithm>
#include <set>

namespace {

/// One of the program's own board's groups: its documented settings with the texts the panel
/// gives them; the word of a value in the address is its text without the unit ("4.5", "100").
template<typename Setting, typename Field>
SettingGroup builtinGroup(const char *key, const char *caption, QLatin1StringView unit,
                          std::span<const Setting> settings, Field field, QString (*text)(int))
{
    SettingGroup group;
    group.key = QLatin1String(key);
    group.caption = QString::fromLatin1(caption).remove(u'&');
    group.unit = QString(unit).trimmed();
    for (const Setting &setting : settings) {
        const QString shown = text(setting.*field);
        if (!shown.endsWith(unit))
            throw PageError(QStringLiteral("the panel's value %1 does not end in%2").arg(shown, unit));
        group.texts << shown;
        group.words << shown.chopped(unit.size());
        group.fills.push_back(settingFills(setting));
    }
    return group;
}

template<typename Setting, typename Field>
QList<int> valuesOf(std::span<const Setting> settings, Field field)
{
    QList<int> values;
    for (const Setting &s : settings)
        values << s.*field;
    return values;
}

/// The program's own board's panel: bus clock, multiplier and core voltage in the CPU procedure's
/// order of the blocks, then the CPU clock and the CPU entries they give.
PagePanel builtinPanel()
{
    PagePanel panel;
    panel.groups = {
        builtinGroup("bus", PanelCaption::BusClock, QLatin1StringView(" MHz"), busClockSettings(),
                     &BusClockSetting::megahertz, busClockText),
        builtinGroup("multiplier", PanelCaption::Multiplier, QLatin1StringView("x"), multiplierSettings(),
                     &MultiplierSetting::tenths, multiplierText),
        builtinGroup("voltage", PanelCaption::CoreVoltage, QLatin1StringView(" V"), voltageSettings(),
                     &VoltageSetting::centivolts, voltageText),
    };
    panel.readings = {{QStringLiteral("cpuClock"), QLatin1String(PanelCaption::CpuClock), {}},
                      {QStringLiteral("cpuEntries"), QLatin1String(PanelCaption::CpuEntries), {}}};
    panel.read = [bus = valuesOf(busClockSettings(), &BusClockSetting::megahertz),
                  multiplier = valuesOf(multiplierSettings(), &MultiplierSetting::tenths),
                  voltage = valuesOf(voltageSettings(), &VoltageSetting::centivolts)](const PinColors &pins) {
        const SettingsReading r = readSettings(pins);
        const auto at = [](const QList<int> &values, std::optional<int> value) {
            return value ? static_cast<int>(values.indexOf(*value)) : -1;
        };
        return PanelReadout{{at(bus, r.megahertz), at(multiplier, r.tenths), at(voltage, r.centivolts)},
                            {r.busClockPins, r.multiplierPins, r.voltagePins},
                            {r.cpuClock, r.cpuEntries}};
    };
    return panel;
}

/// A described board's panel: a group per meaning, its values by their numbers in the address as
/// on the command line, then its readings.
PagePanel describedPanel()
{
    PagePanel panel;
    for (const MeaningRow &meaning : boardInUse().meanings) {
        SettingGroup group;
        group.key = meaning.option ? QString::fromUtf8(meaning.option) : QString::fromUtf8(meaning.name).toLower();
        group.caption = QString::fromUtf8(meaning.label);
        for (const ValueRow &value : meaning.values) {
            group.texts << QString::fromUtf8(value.text);
            group.words << valueWord(value.value);
            group.fills.push_back(meaningFills(meaning, value));
        }
        panel.groups.push_back(group);
    }
    for (std::size_t i = 0; i < boardInUse().readings.size(); ++i)
        panel.readings.push_back(
            {QStringLiteral("reading-%1").arg(i + 1), QString::fromUtf8(boardInUse().readings[i].label), {}});
    panel.read = [](const PinColors &pins) {
        PanelReadout readout;
        for (const MeaningRow &meaning : boardInUse().meanings) {
            const ValueRow *value = meaningValueShown(pins, meaning);
            readout.values.push_back(value ? static_cast<int>(value - meaning.values.data()) : -1);
            readout.positions << meaningPositionsText(pins, meaning);
        }
        for (const ReadingRow &reading : boardInUse().readings)
            readout.readings << readingFigureText(pins, reading);
        return readout;
    };
    return panel;
}

/// The values of a combination of digits.
Selection valuesOfDigits(const std::vector<SettingGroup> &groups, const Selection &digits)
{
    Selection values = digits;
    for (std::size_t g = 0; g < groups.size(); ++g)
        values[g] -= groups[g].defaultIndex < 0 ? 1 : 0;
    return values;
}

/// The fills that set a choice of values; a group at -1 gets its pins as they stood.
std::vector<PinFill> settingFills(const std::vector<SettingGroup> &groups, const Selection &values)
{
    std::vector<PinFill> fills;
    for (std::size_t g = 0; g < groups.size(); ++g) {
        const auto &set = values[g] < 0 ? groups[g].startFills : groups[g].fills[std::size_t(values[g])];
        fills.insert(fills.end(), set.begin(), set.end());
    }
    return fills;
}

void selectListDefaults(PageWindow &window, const std::vector<ListState> &lists)
{
    for (const ListState &list : lists) {
        if (list.defaultIndex >= 0)
            window.setListIndex(list.page.selector->list, list.defaultIndex);
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
void recordCombination(PageWindow &window, const PagePanel &panel, const Selection &digits, SettingsRecord &record)
{
    const Selection values = valuesOfDigits(panel.groups, digits);
    window.setPins(settingFills(panel.groups, values));
    const PanelReadout readout = panel.read(pinColorsOf(window.board()));
    record.views.views.push_back(readView(window));
    if (readout.values != values)
        throw PageError(QStringLiteral("the pins do not read as the values just set"));
    for (std::size_t g = 0; g < panel.groups.size(); ++g)
        keepPositions(record.positions[g][digits[g]], readout.positions[qsizetype(g)]);
    for (std::size_t r = 0; r < record.readings.size(); ++r)
        record.readings[r].texts << readout.readings[qsizetype(r)];
}

/// Picks each entry of the values list and records the values its pins read as; the window must
/// then show exactly what those values show.
std::vector<Selection> recordListEntries(PageWindow &window, const ListState &list, const PagePanel &panel,
                                         const RecordedViews &views)
{
    std::vector<Selection> entries;
    for (int entry = 0; entry < list.count; ++entry) {
        window.setListIndex(list.page.selector->list, entry);
        const Selection values = panel.read(pinColorsOf(window.board())).values;
        if (std::find(values.begin(), values.end(), -1) != values.end())
            throw PageError(QStringLiteral("the entry %1 of the list %2 sets jumpers the settings panel cannot name")
                                .arg(entry)
                                .arg(list.page.key));
        const Selection digits = digitsOf(panel.groups, values);
        if (readView(window) != views.at(digits))
            throw PageError(
                QStringLiteral("the entry %1 of the list %2 shows more than its values in the settings panel")
                    .arg(entry)
                    .arg(list.page.key));
        entries.push_back(values);
    }
    return entries;
}

} // namespace

PagePanel findPanel(const PageWindow &window)
{
    PagePanel panel = boardHasCpuSettings() ? builtinPanel() : describedPanel();
    const PinColors pins = pinColorsOf(window.board());
    const Selection shown = panel.read(pins).values;
    for (std::size_t g = 0; g < panel.groups.size(); ++g) {
        SettingGroup &group = panel.groups[g];
        group.defaultIndex = shown[g];
        // Every value sets the same pins: the group's.
        for (const PinFill &fill : group.fills.empty() ? std::vector<PinFill>{} : group.fills.front())
            group.startFills.push_back({fill.pin, pins(fill.pin)});
    }
    return panel;
}

int valuesList(const std::vector<ListState> &lists)
{
    std::set<int> panelBlocks;
    for (const MeaningRow &meaning : boardInUse().meanings)
        panelBlocks.insert(meaning.blocks.begin(), meaning.blocks.end());
    int found = -1;
    for (std::size_t i = 0; i < lists.size(); ++i) {
        const auto blocks = lists[i].page.selector->row->blocks;
        if (std::none_of(blocks.begin(), blocks.end(), [&](int b) { return panelBlocks.count(b) > 0; }))
            continue;
        if (found >= 0)
            throw PageError(QStringLiteral("the lists %1 and %2 both set blocks of the settings panel; the page lets "
                                           "one list follow the panel")
                                .arg(lists[std::size_t(found)].page.key, lists[i].page.key));
        found = static_cast<int>(i);
    }
    return found;
}

Radix radixOf(const std::vector<SettingGroup> &groups)
{
    Radix radix;
    for (const SettingGroup &group : groups)
        radix.push_back(static_cast<int>(group.texts.size()) + (group.defaultIndex < 0 ? 1 : 0));
    return radix;
}

Selection digitsOf(const std::vector<SettingGroup> &groups, const Selection &values)
{
    Selection digits = values;
    for (std::size_t g = 0; g < groups.size(); ++g)
        digits[g] += groups[g].defaultIndex < 0 ? 1 : 0;
    return digits;
}

Selection defaultDigits(const std::vector<SettingGroup> &groups)
{
    Selection values;
    for (const SettingGroup &group : groups)
        values.push_back(group.defaultIndex);
    return digitsOf(groups, values);
}

SettingsRecord recordSettings(PageWindow &window, const std::vector<ListState> &lists, const PagePanel &panel,
                              int valuesList)
{
    SettingsRecord record;
    const Radix radix = radixOf(panel.groups);
    checkRecordable(choicesOf(radix), readView(window).cells.size(), QStringLiteral("the settings panel's values"),
                    QString());
    record.views = {radix, defaultDigits(panel.groups), true, {}};
    for (int count : radix)
        record.positions.emplace_back(count);
    record.readings = panel.readings;
    // The lists' entries stay as they are by default; the groups' blocks take every value.
    selectListDefaults(window, lists);
    for (int combination = 0; combination < combinationCount(radix); ++combination)
        recordCombination(window, panel, selectionOf(combination, radix), record);
    if (valuesList >= 0)
        record.listEntries = recordListEntries(window, lists[std::size_t(valuesList)], panel, record.views);
    selectListDefaults(window, lists);
    // Leaves a values list that showed no entry without one again, and the blocks as they were.
    window.setPins(settingFills(panel.groups, valuesOfDigits(panel.groups, defaultDigits(panel.groups))));
    return record;
}
