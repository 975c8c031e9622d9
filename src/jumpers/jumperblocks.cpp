// The pins of each jumper block. Pin names keep their mixed case exactly.
#include "jumperblocks.h"

#include <iterator>

namespace {

// block, pin 1, pin 2, pin 3
// clang-format off
constexpr ThreePinBlock CpuBlocks[] = {
    {"JP7", {"V1JP7", "V2JP7", "V3JP7"}},
    {"JP8", {"V1JP8", "V2JP8", "V3JP8"}},
    {"JP9", {"v1jp9", "v2jp9", "v3jp9"}},
    {"JP4", {"h1jp4", "h2jp4", "h3jp4"}},
    {"JP5", {"h1jp5", "h2jp5", "h3jp5"}},
    {"JP6", {"h1jp6", "h2jp6", "h3jp6"}},
};

// position, first pin, second pin
constexpr Jp3Position Jp3[] = {
    {"A", {"a1JP3", "a2JP3"}},
    {"B", {"b1JP3", "b2jp3"}},
    {"C", {"c1jp3", "c2jp3"}},
    {"D", {"d1jp3", "d2jp3"}},
};

constexpr ThreePinBlock Jp11 = {"JP11", {"v1jp11", "v2jp11", "v3jp11"}};
constexpr ThreePinBlock Jp10 = {"JP10", {"v1jp10", "v2jp10", "v3jp10"}};
// clang-format on

static_assert(std::size(CpuBlocks) == 6);
static_assert(std::size(Jp3) == 4);

} // namespace

std::span<const ThreePinBlock> cpuBlocks()
{
    return CpuBlocks;
}

std::span<const Jp3Position> jp3Positions()
{
    return Jp3;
}

const ThreePinBlock &jp11()
{
    return Jp11;
}

const ThreePinBlock &jp10()
{
    return Jp10;
}
