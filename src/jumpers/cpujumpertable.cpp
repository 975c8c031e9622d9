// The CPU jumper table, one row per selection code. The positions are stored as the board's
// maker lists them for each CPU; none is worked out from the entry texts.
#include "cpujumpertable.h"

#include <iterator>

namespace {

constexpr Position P12 = Position::OneTwo;
constexpr Position P23 = Position::TwoThree;
constexpr Contact Open = Contact::Open;
constexpr Contact Closed = Contact::Closed;

// code, JP7, JP8, JP9 (bus clock), JP4, JP5, JP6 (multiplier), JP3 A, B, C, D (voltage)
// clang-format off
constexpr CpuJumperRow Rows[] = {
    { 1, P23, P23, P23, P12, P12, P12, Closed, Open,   Closed, Closed},
    { 2, P12, P23, P23, P12, P12, P12, Closed, Open,   Closed, Closed},
    { 3, P23, P23, P23, P23, P12, P12, Closed, Open,   Closed, Closed},
    { 4, P12, P23, P23, P23, P12, P12, Closed, Open,   Closed, Closed},
    { 5, P23, P23, P23, P23, P23, P12, Closed, Open,   Closed, Closed},
    { 6, P12, P23, P23, P23, P23, P12, Closed, Open,   Closed, Closed},
    { 7, P12, P23, P23, P12, P23, P12, Closed, Open,   Closed, Closed},
    { 8, P12, P23, P23, P23, P23, P12, Open,   Open,   Open,   Closed},
    { 9, P12, P23, P23, P12, P23, P12, Open,   Open,   Open,   Closed},
    {10, P12, P23, P23, P12, P12, P12, Open,   Open,   Open,   Closed},
    {11, P23, P23, P23, P23, P12, P12, Closed, Closed, Closed, Closed},
    {12, P12, P23, P23, P23, P12, P12, Closed, Closed, Closed, Closed},
    {13, P23, P23, P23, P23, P23, P12, Closed, Closed, Closed, Closed},
    {14, P12, P23, P23, P23, P23, P12, Closed, Closed, Closed, Closed},
    {15, P12, P23, P23, P23, P23, P12, Closed, Open,   Open,   Closed},
    {16, P12, P23, P23, P12, P23, P12, Closed, Open,   Open,   Closed},
    {17, P12, P23, P23, P12, P12, P12, Open,   Open,   Closed, Closed},
    {18, P12, P23, P23, P23, P12, P23, Open,   Closed, Open,   Open},
    {19, P12, P23, P23, P23, P23, P23, Open,   Closed, Open,   Open},
    {20, P12, P12, P12, P23, P23, P12, Open,   Closed, Open,   Open},
    {21, P12, P12, P12, P12, P23, P12, Open,   Closed, Open,   Open},
    {22, P23, P12, P12, P12, P12, P12, Open,   Closed, Open,   Open},
    {23, P12, P12, P12, P12, P12, P12, Open,   Closed, Open,   Open},
    {24, P12, P23, P23, P12, P12, P23, Open,   Closed, Open,   Open},
    {25, P23, P12, P12, P23, P12, P23, Open,   Closed, Open,   Open},
    {26, P12, P12, P12, P23, P12, P23, Open,   Closed, Open,   Open},
    {27, P23, P23, P23, P23, P12, P12, Closed, Closed, Closed, Closed},
    {28, P12, P23, P23, P23, P12, P12, Closed, Closed, Closed, Closed},
    {29, P12, P23, P23, P23, P12, P12, Open,   Open,   Open,   Closed},
    {30, P12, P12, P23, P23, P12, P12, Open,   Open,   Open,   Closed},
    {31, P23, P23, P23, P23, P23, P12, Closed, Open,   Open,   Closed},
    {32, P12, P23, P23, P23, P12, P12, Closed, Open,   Open,   Closed},
    {33, P12, P23, P23, P23, P23, P12, Closed, Open,   Open,   Closed},
    {34, P12, P12, P23, P23, P12, P12, Closed, Open,   Open,   Closed},
    {35, P12, P12, P23, P23, P23, P12, Closed, Open,   Open,   Closed},
    {36, P12, P23, P12, P23, P23, P12, Closed, Open,   Open,   Closed},
    {37, P12, P23, P23, P12, P12, P12, Closed, Open,   Open,   Closed},
    {38, P12, P12, P23, P12, P23, P12, Closed, Open,   Open,   Closed},
    {39, P12, P12, P23, P12, P12, P12, Closed, Open,   Open,   Closed},
    {40, P12, P23, P12, P12, P23, P12, Closed, Open,   Open,   Closed},
    {41, P23, P23, P23, P12, P23, P12, Closed, Closed, Closed, Closed},
    {42, P12, P23, P23, P12, P23, P12, Closed, Closed, Closed, Closed},
    {43, P12, P12, P23, P12, P23, P12, Closed, Closed, Closed, Closed},
};
// clang-format on

static_assert(std::size(Rows) == 43);

// The pins of each block, pin 1 to pin 3; of JP3, each position's first and second pin.
constexpr const char *Jp7[] = {"V1JP7", "V2JP7", "V3JP7"};
constexpr const char *Jp8[] = {"V1JP8", "V2JP8", "V3JP8"};
constexpr const char *Jp9[] = {"v1jp9", "v2jp9", "v3jp9"};
constexpr const char *Jp4[] = {"h1jp4", "h2jp4", "h3jp4"};
constexpr const char *Jp5[] = {"h1jp5", "h2jp5", "h3jp5"};
constexpr const char *Jp6[] = {"h1jp6", "h2jp6", "h3jp6"};
constexpr const char *Jp3[4][2] = {{"a1JP3", "a2JP3"}, {"b1JP3", "b2jp3"}, {"c1jp3", "c2jp3"}, {"d1jp3", "d2jp3"}};

} // namespace

std::span<const CpuJumperRow> cpuJumperTable()
{
    return Rows;
}

std::optional<CpuJumperRow> findCpuJumperRow(double selectionCode)
{
    for (const CpuJumperRow &row : Rows) {
        if (selectionCode == row.code)
            return row;
    }
    return std::nullopt;
}

std::array<PinFill, 26> cpuPinFills(const CpuJumperRow &row)
{
    std::array<PinFill, 26> fills{};
    std::size_t n = 0;
    const auto block = [&](const char *const (&pins)[3], Position position) {
        const auto colours = threePinFills(position);
        for (std::size_t pin = 0; pin < 3; ++pin)
            fills[n++] = {pins[pin], colours[pin]};
    };
    block(Jp7, row.jp7);
    block(Jp8, row.jp8);
    block(Jp9, row.jp9);
    block(Jp4, row.jp4);
    block(Jp5, row.jp5);
    block(Jp6, row.jp6);
    const Contact contacts[4] = {row.a, row.b, row.c, row.d};
    for (std::size_t position = 0; position < 4; ++position) {
        fills[n++] = {Jp3[position][0], contactFill(contacts[position])};
        fills[n++] = {Jp3[position][1], contactFill(contacts[position])};
    }
    return fills;
}
