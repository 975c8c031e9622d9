// The CPU jumper table, one row per selection code, as the CPU list's entries store their positions
// (the board's description gives them as the maker lists them for each CPU; none is worked out
// from the entry texts).
#include "cpujumpertable.h"

#include "jumperpositions.h"
#include "jumperprocedures.h"
#include "selection.h"
#include "selectorcatalogue.h"

namespace {

/// The table, made once from the CPU list: for each selection code, in ascending order, the
/// positions of the entry that is its case.
const std::vector<CpuJumperRow> &rows()
{
    static const std::vector<CpuJumperRow> table = [] {
        const Selector &cpu = cpuSelector();
        std::vector<CpuJumperRow> all;
        for (const int code : caseCodes(cpu)) {
            const std::span<const PinSet> p = caseOf(cpu, code)->positions;
            const auto three = [&](std::size_t b) { return *threePinPosition(p[b]); };
            all.push_back({code, three(0), three(1), three(2), three(3), three(4), three(5), pairContact(p[6], 0),
                           pairContact(p[6], 1), pairContact(p[6], 2), pairContact(p[6], 3)});
        }
        return all;
    }();
    return table;
}

} // namespace

std::span<const CpuJumperRow> cpuJumperTable()
{
    return rows();
}

std::optional<CpuJumperRow> findCpuJumperRow(int selectionCode)
{
    for (const CpuJumperRow &row : rows()) {
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
