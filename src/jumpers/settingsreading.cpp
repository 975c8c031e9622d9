// The settings the jumpers read as, and their words.
#include "settingsreading.h"

#include "cpusettings.h"
#include "jumperblocks.h"
#include "jumperwords.h"
#include "powersdramtables.h"

namespace {

/// The setting a group of blocks documents, through the table's reading of their positions.
template<typename Setting, typename T, std::size_t N>
std::optional<Setting> documented(const std::array<std::optional<T>, N> &blocks,
                                  std::optional<Setting> (*settingOf)(const std::array<T, N> &))
{
    const auto shown = allRead(blocks);
    return shown ? settingOf(*shown) : std::nullopt;
}

/// The positions, and where they document nothing, the words that say so.
QString pinsText(const QString &positions, bool isDocumented, const char *kind)
{
    if (isDocumented)
        return positions;
    return positions + QStringLiteral(": not a documented %1 setting").arg(QLatin1String(kind));
}

} // namespace

SettingsReading readSettings(const PinColors &pins)
{
    const CpuBlockReading cpu = readCpuBlocks(pins);
    const auto bus = documented(cpu.busClock, busClockOf);
    const auto multiplier = documented(cpu.multiplier, multiplierOf);
    const auto voltage = documented(cpu.voltage, voltageOf);
    SettingsReading r;
    if (bus)
        r.megahertz = bus->megahertz;
    if (multiplier)
        r.tenths = multiplier->tenths;
    if (voltage)
        r.centivolts = voltage->centivolts;
    r.busClockPins = pinsText(blocksText(cpuBlocks().first(3), cpu.busClock), bus.has_value(), "bus clock");
    r.multiplierPins =
        pinsText(blocksText(cpuBlocks().subspan(3), cpu.multiplier), multiplier.has_value(), "multiplier");
    r.voltagePins = pinsText(jp3Text(cpu.voltage), voltage.has_value(), "voltage");
    r.cpuClock = bus && multiplier ? busClockText(cpuClockMegahertz(bus->megahertz, multiplier->tenths))
                                   : QStringLiteral("not documented for these jumpers");
    r.cpuEntries = cpuEntriesText(cpu);
    r.powerSupply = boardJumperText(pins, powerJumper());
    r.sdramClock = boardJumperText(pins, sdramJumper());
    return r;
}
