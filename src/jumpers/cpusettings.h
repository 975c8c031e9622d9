// What the CPU's jumper blocks stand for: the bus clock of JP7 to JP9, the multiplier of JP4 to
// JP6 and the core voltage of JP3, each a table of the documented settings only, kept beside the
// CPU jumper table and checked against it. Read in both directions: a setting to its positions,
// and the positions the board shows to the setting they document, if any.
#pragma once

#include "jumperpositions.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <span>
#include <vector>

/// Whether the board in use has what the words below are written for: the lists CBOCPU (JP7 to
/// JP9, JP4 to JP6, the 2x4 header JP3), cbops and cbosdr (a three-pin block each), and the
/// meanings busclock, multiplier and voltage of those blocks, as the program's own board has them.
/// The words of the settings panel, the guide page and --identify, and the bus-clock, multiplier,
/// voltage, CPU, power-supply and SDRAM options are this board's; a board without them has these
/// made from its own lists, meanings and readings.
bool boardHasCpuSettings();

/// A bus clock and the positions of JP7, JP8, JP9 that select it.
struct BusClockSetting {
    int megahertz; ///< as the entry texts name it: 60, 66, 75, 83, 95, 100
    std::array<Position, 3> positions;
};

/// A clock multiplier, in tenths (20 for 2x, 45 for 4.5x), and the positions of JP4, JP5, JP6.
struct MultiplierSetting {
    int tenths;
    std::array<Position, 3> positions;
};

/// A core voltage, in hundredths of a volt (220 for 2.2 V, 352 for 3.52 V), and JP3 A to D.
struct VoltageSetting {
    int centivolts;
    std::array<Contact, 4> contacts;
};

/// One documented setting of each CPU block group.
struct CpuSettings {
    BusClockSetting busClock;
    MultiplierSetting multiplier;
    VoltageSetting voltage;
};

/// The documented settings, in ascending order of their value.
std::span<const BusClockSetting> busClockSettings();     ///< 6: 60, 66, 75, 83, 95, 100 MHz
std::span<const MultiplierSetting> multiplierSettings(); ///< 7: 2x, 2.5x, 3x, 3.5x, 4x, 4.5x, 5x
std::span<const VoltageSetting> voltageSettings();       ///< 6: 2.2, 2.8, 2.9, 3.2, 3.3, 3.52 V

/// The documented setting these positions select; none for a combination no table names.
std::optional<BusClockSetting> busClockOf(const std::array<Position, 3> &jp7to9);
std::optional<MultiplierSetting> multiplierOf(const std::array<Position, 3> &jp4to6);
std::optional<VoltageSetting> voltageOf(const std::array<Contact, 4> &jp3);

/// The documented setting of that value; none for a value no table names.
std::optional<BusClockSetting> findBusClock(int megahertz);
std::optional<MultiplierSetting> findMultiplier(int tenths);
std::optional<VoltageSetting> findVoltage(int centivolts);

/// The fills that set a documented setting: its blocks from pin 1 to pin 3, in block order, or
/// JP3 A to D, first pin before second, as the CPU procedure writes them.
std::vector<PinFill> settingFills(const BusClockSetting &setting);
std::vector<PinFill> settingFills(const MultiplierSetting &setting);
std::vector<PinFill> settingFills(const VoltageSetting &setting);

/// The 26 pin fills of the three settings, in the CPU procedure's order (see cpuPinFills()).
std::vector<PinFill> cpuPinFills(const CpuSettings &settings);

/// The texts a person reads: "100 MHz", "3.0x" / "4.5x", "2.2 V" / "3.52 V".
QString busClockText(int megahertz);
QString multiplierText(int tenths);
QString voltageText(int centivolts);

/// The CPU clock in whole MHz that a bus clock and multiplier give, from the bus clock the name
/// stands for (66 MHz is 66 2/3, 83 MHz is 83 1/3), so 66 MHz at 4.5x reads 300 MHz.
int cpuClockMegahertz(int busMegahertz, int multiplierTenths);

/// What a CPU entry's own text says of its clock, beside the tables above, which give every
/// clock from the bus clock and the multiplier. The entries at list positions 0 to 16 name
/// neither (their CPUs may take JP4 to JP6 for other multipliers of their own, as a Pentium 90
/// does 1.5x where a K6-2 reads 3.5x); an entry may be named for a clock other than the one its
/// bus clock and multiplier give.
struct EntryClock {
    bool namesMultiplier = true;            ///< its text names its bus clock and multiplier
    std::optional<int> namedMegahertz = {}; ///< the clock its name gives, where that differs
};
EntryClock entryClock(int cpuPosition);

/// The CPU blocks as the pins of a board show them: a block whose pins show neither position of
/// its kind holds none.
struct CpuBlockReading {
    std::array<std::optional<Position>, 3> busClock;   ///< JP7, JP8, JP9
    std::array<std::optional<Position>, 3> multiplier; ///< JP4, JP5, JP6
    std::array<std::optional<Contact>, 4> voltage;     ///< JP3 A, B, C, D
};

/// The positions of a group of blocks when every block of it holds one; none otherwise.
template<typename T, std::size_t N>
std::optional<std::array<T, N>> allRead(const std::array<std::optional<T>, N> &blocks)
{
    std::array<T, N> all{};
    for (std::size_t i = 0; i < N; ++i) {
        if (!blocks[i])
            return std::nullopt;
        all[i] = *blocks[i];
    }
    return all;
}

/// Reads the 26 CPU pins.
CpuBlockReading readCpuBlocks(const PinColors &pins);

/// The list positions of the CPU entries whose jumper table row gives exactly these positions,
/// in list order (an entry whose code has no row never matches). Empty when a block is unread.
QList<int> matchingCpuEntries(const CpuBlockReading &reading);
