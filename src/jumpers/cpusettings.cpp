// What the CPU's jumper blocks stand for: the documented bus clocks, multipliers and core
// voltages with the positions that select them, each table in ascending order of its value.
#include "cpusettings.h"

#include "cpujumpertable.h"
#include "jumperblocks.h"
#include "selection.h"
#include "selectorcatalogue.h"

#include <algorithm>
#include <iterator>

namespace {

constexpr Position P12 = Position::OneTwo;
constexpr Position P23 = Position::TwoThree;
constexpr Contact Open = Contact::Open;
constexpr Contact Closed = Contact::Closed;

// MHz, JP7, JP8, JP9
// clang-format off
constexpr BusClockSetting BusClocks[] = {
    { 60, {P23, P23, P23}},
    { 66, {P12, P23, P23}},
    { 75, {P12, P12, P23}},
    { 83, {P12, P23, P12}},
    { 95, {P23, P12, P12}},
    {100, {P12, P12, P12}},
};

// tenths, JP4, JP5, JP6
constexpr MultiplierSetting Multipliers[] = {
    {20, {P23, P12, P12}},
    {25, {P23, P23, P12}},
    {30, {P12, P23, P12}},
    {35, {P12, P12, P12}},
    {40, {P23, P12, P23}},
    {45, {P23, P23, P23}},
    {50, {P12, P12, P23}},
};

// centivolts, JP3 A, B, C, D
constexpr VoltageSetting Voltages[] = {
    {220, {Open,   Closed, Open,   Open}},
    {280, {Open,   Open,   Open,   Closed}},
    {290, {Closed, Open,   Open,   Closed}},
    {320, {Open,   Open,   Closed, Closed}},
    {330, {Closed, Open,   Closed, Closed}},
    {352, {Closed, Closed, Closed, Closed}},
};
// clang-format on

/// The first list position whose entry names its bus clock and multiplier; every later one does.
constexpr int FirstEntryNamingMultiplier = 17;

/// The entries named for a clock that their bus clock and multiplier do not give: list
/// position, the clock in the name. The K6-2 366 is set to 66 MHz x 5, as its text says; its
/// 366 MHz would take 5.5x, which the board does not offer.
constexpr std::pair<int, int> NamedClocks[] = {{24, 366}};

static_assert(std::size(BusClocks) == 6);
static_assert(std::size(Multipliers) == 7);
static_assert(std::size(Voltages) == 6);

/// The setting of a table whose positions (or value) equal the ones asked for.
template<typename Setting, typename Key, typename Field>
std::optional<Setting> findIn(std::span<const Setting> table, const Key &key, Field field)
{
    const auto it = std::find_if(table.begin(), table.end(), [&](const Setting &s) { return s.*field == key; });
    if (it == table.end())
        return std::nullopt;
    return *it;
}

/// A value in hundredths as a decimal with at least one decimal: 220 "2.2", 352 "3.52", 300 "3.0".
QString hundredthsText(int hundredths)
{
    QString text = QString::number(hundredths / 100) + u'.' + QString::number(hundredths % 100).rightJustified(2, u'0');
    if (text.endsWith(u'0'))
        text.chop(1);
    return text;
}

/// The bus clock in thirds of a MHz: the names 66 and 83 stand for 66 2/3 and 83 1/3 MHz.
int busThirds(int megahertz)
{
    switch (megahertz) {
    case 66:
        return 200;
    case 83:
        return 250;
    default:
        return 3 * megahertz;
    }
}

} // namespace

std::span<const BusClockSetting> busClockSettings()
{
    return BusClocks;
}

std::span<const MultiplierSetting> multiplierSettings()
{
    return Multipliers;
}

std::span<const VoltageSetting> voltageSettings()
{
    return Voltages;
}

std::optional<BusClockSetting> busClockOf(const std::array<Position, 3> &jp7to9)
{
    return findIn(busClockSettings(), jp7to9, &BusClockSetting::positions);
}

std::optional<MultiplierSetting> multiplierOf(const std::array<Position, 3> &jp4to6)
{
    return findIn(multiplierSettings(), jp4to6, &MultiplierSetting::positions);
}

std::optional<VoltageSetting> voltageOf(const std::array<Contact, 4> &jp3)
{
    return findIn(voltageSettings(), jp3, &VoltageSetting::contacts);
}

std::optional<BusClockSetting> findBusClock(int megahertz)
{
    return findIn(busClockSettings(), megahertz, &BusClockSetting::megahertz);
}

std::optional<MultiplierSetting> findMultiplier(int tenths)
{
    return findIn(multiplierSettings(), tenths, &MultiplierSetting::tenths);
}

std::optional<VoltageSetting> findVoltage(int centivolts)
{
    return findIn(voltageSettings(), centivolts, &VoltageSetting::centivolts);
}

std::vector<PinFill> settingFills(const BusClockSetting &setting)
{
    return positionFills(cpuBlocks().first(3), setting.positions);
}

std::vector<PinFill> settingFills(const MultiplierSetting &setting)
{
    return positionFills(cpuBlocks().subspan(3), setting.positions);
}

std::vector<PinFill> settingFills(const VoltageSetting &setting)
{
    return contactFills(jp3Positions(), setting.contacts);
}

std::vector<PinFill> cpuPinFills(const CpuSettings &settings)
{
    const auto &bus = settings.busClock.positions;
    const auto &multiplier = settings.multiplier.positions;
    return cpuPinFills({bus[0], bus[1], bus[2], multiplier[0], multiplier[1], multiplier[2]},
                       settings.voltage.contacts);
}

QString busClockText(int megahertz)
{
    return QString::number(megahertz) + QStringLiteral(" MHz");
}

QString multiplierText(int tenths)
{
    return QString::number(tenths / 10) + u'.' + QString::number(tenths % 10) + u'x';
}

QString voltageText(int centivolts)
{
    return hundredthsText(centivolts) + QStringLiteral(" V");
}

EntryClock entryClock(int cpuPosition)
{
    EntryClock clock{cpuPosition >= FirstEntryNamingMultiplier};
    for (const auto &[position, megahertz] : NamedClocks) {
        if (position == cpuPosition)
            clock.namedMegahertz = megahertz;
    }
    return clock;
}

int cpuClockMegahertz(int busMegahertz, int multiplierTenths)
{
    // Whole MHz rounded down, as CPU names count them: 66 2/3 MHz at 4x is a 266.
    return busThirds(busMegahertz) * multiplierTenths / 30;
}

CpuBlockReading readCpuBlocks(const PinColors &pins)
{
    CpuBlockReading reading;
    const auto blocks = cpuBlocks();
    for (std::size_t b = 0; b < blocks.size(); ++b)
        (b < 3 ? reading.busClock[b] : reading.multiplier[b - 3]) = positionShown(pins, blocks[b]);
    const auto jp3 = jp3Positions();
    for (std::size_t position = 0; position < jp3.size(); ++position)
        reading.voltage[position] = contactShown(pins, jp3[position]);
    return reading;
}

QList<int> matchingCpuEntries(const CpuBlockReading &reading)
{
    QList<int> positions;
    if (!allRead(reading.busClock) || !allRead(reading.multiplier) || !allRead(reading.voltage))
        return positions;
    const std::array<Position, 6> blocks = {*reading.busClock[0],   *reading.busClock[1],   *reading.busClock[2],
                                            *reading.multiplier[0], *reading.multiplier[1], *reading.multiplier[2]};
    const std::array<Contact, 4> contacts = {*reading.voltage[0], *reading.voltage[1], *reading.voltage[2],
                                             *reading.voltage[3]};
    const Selector &selector = cpuSelector();
    for (std::size_t i = 0; i < selector.entries.size(); ++i) {
        const auto row = findCpuJumperRow(selectionCode(selector.list, selector.entries[i].itemCode));
        if (row && cpuBlockPositions(*row) == blocks && jp3Contacts(*row) == contacts)
            positions << static_cast<int>(i);
    }
    return positions;
}
