// The catalogues of the three lists, in list order, and the lists themselves in the order the
// Load event fills them. An item code is the selection code times 100, plus 2 in the CPU list;
// the last two digits never reach a jumper table.
#include "selectorcatalogue.h"

#include "jumperprocedures.h"

#include <iterator>

namespace {

// text (shown as is, blanks included), item code, word (command line and page address)
// clang-format off
constexpr SelectorEntry CpuEntries[] = {
    {" INTEL PENTIUM 90 MHz (3.3V)",                102},
    {" INTEL PENTIUM 100 MHz (3.3V)",               202},
    {" INTEL PENTIUM 120 MHz (3.3V)",               302},
    {" INTEL PENTIUM 133 MHz (3.3V)",               402},
    {" INTEL PENTIUM 150 MHz (3.3V)",               502},
    {" INTEL PENTIUM 166 MHz (3.3V)",               602},
    {" INTEL PENTIUM 200 MHz (3.3V)",               702},
    {" INTEL MMX 166 MHz (2.8/3.3V)",               802},
    {" INTEL MMX 200 MHz (2.8/3.3V)",               902},
    {" INTEL MMX 233 MHz (2.8/3.3V)",              1002},
    {" AMD K5 PR120(3.52V)",                       1102},
    {" AMD K5 PR133(3.52V)",                       1202},
    {" AMD K5 PR150(3.52V)",                       1302},
    {" AMD K5 PR166(3.52V)",                       1402},
    {" AMD K6 166(2.9V)",                          1502},
    {" AMD K6 200(2.9V)",                          1602},
    {" AMD K6 233(3.2V)",                          1702},
    {" AMD K6 266AFR(66MHz,4.0x,2.2V)",            1802},
    {" AMD K6 300AFR(66MHz,4.5x,2.2V)",            1902},
    {" AMD K6-2 250AFR(100MHz,2.5x,2.2V)",         2002},
    {" AMD K6-2 266AFR(66MHz,4.0x,2.2V)",          1802},  // shares its code with position 17
    {" AMD K6-2 300AFR(100MHz,3.0x,2.2V)",         2102},
    {" AMD K6-2 333AFR(95MHz,3.5x,2.2V)",          2202},
    {" AMD K6-2 350AFR(100MHz,3.5x,2.2V)",         2302},
    {" AMD K6-2 366AFR(66MHz,5x,2.2V)",            2402},
    {" AMD K6-2 380AFR(95MHz,4.0x,2.2V)",          2502},
    {" AMD K6-2 400AFR(100MHz,4.0x,2.2V)",         2602},
    {" CYRIX 6x86 P150+(60MHz,2x,3.52v) ",         2702},
    {" CYRIX 6x86 P166+(66MHz,2.x,3.52v) ",        2802},
    {" CYRIX 6x86L P166+(66MHz,2.0x,2.8V)",        2902},
    {" CYRIX 6x86L P200+(75MHz,2.0x,2.8V) ",       3002},
    {" CYRIX 6x86 MX PR166(60MHz,2.5x,2.9V)",      3102},
    {" CYRIX 6x86 MX PR166(66MHz,2.0x,2.9V)",      3202},
    {" CYRIX 6x86 MX PR200(66MHz,2.5x,2.9V)",      3302},
    {" CYRIX 6x86 MX PR200(75MHz,2.0x,2.9V)",      3402},
    {" CYRIX 6x86 MX PR233(75MHz,2.5x,2.9V)",      3502},
    {" CYRIX 6x86 MX PR266(83MHz,2.5x,2.9V)",      3602},
    {" CYRIX MII 300GP(66MHz,3.5x,2.9V)",          3702},
    {" CYRIX MII 300GP(75MHz,3.0x,2.9V)",          3802},
    {" CYRIX MII 333/IBM MX333(75MHz,3.5x,2.9V)",  3902},
    {" CYRIX MII 333/IBM MX333(83MHz,3.0x,2.9V)",  4002},
    {" idt WinChip C6-180MHz(60MHz,3x,3.52V)",     4102},
    {" idt WinChip C6-200MHz(66MHz,3x,3.52V)",     4202},
    {" idt WinChip C6-225MHz(75MHz,3x,3.52V)",     4302},
};

constexpr SelectorEntry PowerEntries[] = {
    {" AT Power Supply",  5000, "at"},
    {" ATX Power Supply", 5100, "atx"},
};

constexpr SelectorEntry SdramEntries[] = {
    {"PC100 SDRAM(Same as CPU) ",    5200, "pc100"},
    {"NON PC100 SDRAM(Same as AGP)", 5300, "non-pc100"},
};
// clang-format on

static_assert(std::size(CpuEntries) == 44);
static_assert(std::size(PowerEntries) == 2);
static_assert(std::size(SdramEntries) == 2);

// list, entries, default position, the procedure its Click event runs
// clang-format off
constexpr Selector Selectors[] = {
    {"CBOCPU", CpuEntries,   21, setCpuJumpers},
    {"cbops",  PowerEntries,  0, setPowerJumper},
    {"cbosdr", SdramEntries,  0, setSdramJumper},
};
// clang-format on

static_assert(std::size(Selectors) == 3);

} // namespace

std::span<const Selector> selectors()
{
    return Selectors;
}

const Selector &cpuSelector()
{
    return Selectors[0];
}

const Selector &powerSelector()
{
    return Selectors[1];
}

const Selector &sdramSelector()
{
    return Selectors[2];
}

QStringList entryWords(const Selector &selector)
{
    QStringList words;
    for (const SelectorEntry &entry : selector.entries) {
        if (entry.word)
            words << QString::fromLatin1(entry.word);
    }
    return words;
}

const Selector *findSelector(std::string_view list)
{
    for (const Selector &selector : Selectors) {
        if (list == selector.list)
            return &selector;
    }
    return nullptr;
}
