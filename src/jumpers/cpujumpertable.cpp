// The CPU jumper table, one row per selection code. The positions are stored as the board's
// maker lists them for each CPU; none is worked out from the entry texts.
#include "cpujumpertable.h"

#include "jumperpositions.h"

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

} // namespace

std::span<const CpuJumperRow> cpuJumperTable()
{
    return Rows;
}

std::optional<CpuJumperRow> findCpuJumperRow(int selectionCode)
{
    for (const CpuJumperRow &row : Rows) {
        if (selectionCode == row.code)
            return row;
    }
    return std::nullopt;
}

std::array<Position, 6> cpuBlockPositions(const CpuJumperRow &row)
{
    return {row.jp7, row.jp8, row.jp9, row.jp4, row.jp5, row.jp6};
}

std::array<Contact, 4> jp3Contacts(const CpuJumperRow &row)
{
    return {row.a, row.b, row.c, row.d};
}

std::vector<PinFill> cpuPinFills(const CpuJumperRow &row)
{
    return cpuPinFills(cpuBlockPositions(row), jp3Contacts(row));
}
