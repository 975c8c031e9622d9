// What the CPU's jumper blocks stand for: the documented bus clocks, multipliers and core
// voltages with the positions that select them, each table in ascending order of its value, as
// the board's meanings give them.
#include "cpusettings.h"

#include "cpujumpertable.h"
#include "jumperblocks.h"
#include "selection.h"
#include "selectorcatalogue.h"

#include "boarddata/catalogues.h"

#include <algorithm>
#include <cassert>
#include <iterator>
#include <vector>

namespace {

/// A meaning of the board in use by its name.
const MeaningRow &meaning(std::string_view name)
{
    const auto meanings = boardInUse().meanings;
    const auto it =
        std::find_if(meanings.begin(), meanings.end(), [name](const MeaningRow &m) { return name == m.name; });
    assert(it != meanings.end() && "a meaning of the program's own board");
    return *it;
}

template<std::size_t N>
std::array<Position, N> threePinPositions(std::span<const PinSet> pins)
{
    std::array<Position, N> positions{};
    for (std::size_t b = 0; b < N; ++b)
        positions[b] = *threePinPosition(pins[b]);
    return positions;
}

/// A table of settings made once from a meaning, in the order the board gives its values (the
/// ascending order of their value).
template<typename Setting, typename Make>
std::vector<Setting> settingsOf(const char *name, Make make)
{
    std::vector<Setting> settings;
    for (const ValueRow &v : meaning(name).values)
        settings.push_back(make(v));
    return settings;
}

/// The first list position whose entry names its bus clock and multiplier; every later one does.
constexpr int FirstEntryNamingMultiplier = 17;

/// The entries named for a clock that their bus clock and multiplier do not give: list
/// position, the clock in the name. The K6-2 366 is set to 66 MHz x 5, as its text says; its
/// 366 MHz would take 5.5x, which the board does not offer.
constexpr std::pair<int, int> NamedClocks[] = {{24, 366}};

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

bool boardHasCpuSettings()
{
    static const bool has = [] {
        const BoardRows &board = boardInUse();
        const auto kinds = [&](std::span<const int> blocks) {
            std::vector<BlockKind> k;
            for (const int b : blocks)
                k.push_back(board.blocks[std::size_t(b)].kind);
            return k;
        };
        const auto listKinds = [&](const char *name) {
            const Selector *selector = findSelector(name);
            return selector ? kinds(selector->row->blocks) : std::vector<BlockKind>{};
        };
        const auto meaningKinds = [&](std::string_view name) {
            for (const MeaningRow &m : board.meanings) {
                if (name == m.name)
                    return kinds(m.blocks);
            }
            return std::vector<BlockKind>{};
        };
        using enum BlockKind;
        const std::vector<BlockKind> three(3, ThreePin);
        std::vector<BlockKind> cpu(6, ThreePin);
        cpu.push_back(Header);
        const Selector *cpuList = findSelector("CBOCPU");
        return listKinds("CBOCPU") == cpu && board.blocks[std::size_t(cpuList->row->blocks[6])].pairs.size() == 4
            && listKinds("cbops") == std::vector{ThreePin} && listKinds("cbosdr") == std::vector{ThreePin}
        && meaningKinds("busclock") == three && meaningKinds("multiplier") == three
            && meaningKinds("voltage") == std::vector{Header};
    }();
    return has;
}

std::span<const BusClockSetting> busClockSettings()
{
    static const auto settings = settingsOf<BusClockSetting>("busclock", [](const ValueRow &v) {
        return BusClockSetting{qRound(v.value), threePinPositions<3>(v.positions)};
    });
    return settings;
}

std::span<const MultiplierSetting> multiplierSettings()
{
    static const auto settings = settingsOf<MultiplierSetting>("multiplier", [](const ValueRow &v) {
        return MultiplierSetting{qRound(v.value * 10), threePinPositions<3>(v.positions)};
    });
    return settings;
}

std::span<const VoltageSetting> voltageSettings()
{
    static const auto settings = settingsOf<VoltageSetting>("voltage", [](const ValueRow &v) {
        const PinSet jp3 = v.positions[0];
        return VoltageSetting{qRound(v.value * 100),
                              {pairContact(jp3, 0), pairContact(jp3, 1), pairContact(jp3, 2), pairContact(jp3, 3)}};
    });
    return settings;
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
