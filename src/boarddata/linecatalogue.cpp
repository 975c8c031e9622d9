// The lines of the board drawing: slot contact rows and keys, CN1 and CN2 pin cells, J3 leader lines.
#include "catalogues.h"

#include <iterator>

namespace {

// Rows in stacking-rank order, the line listed first lying on top. Unless a row says otherwise a
// line is solid and drawn in window text. The two lines named Line16 are told apart by their
// index; every other line has index -1.
// rank, name, x1, y1, x2, y2, color, style, index
// clang-format off
constexpr LineRow Lines[] = {
    // Contact rows of ISA slots 3 to 1; key of the AGP slot.
    { 43, "Line43", 510,  5460, 4110, 5460, 0x80000005, LineStyle::Dotted},
    { 44, "Line42", 510,  5010, 4170, 5010, 0x80000005, LineStyle::Dotted},
    { 45, "Line28", 510,  4530, 4170, 4530, 0x80000005, LineStyle::Dotted},
    { 53, "Line21", 2370, 2265, 2370, 2475, 0x80000000, LineStyle::Dotted},
    // CN2: lines between its pin columns.
    { 56, "Line39", 1440, 930,  1440, 1110, 0x80000000},
    { 57, "Line38", 1170, 930,  1170, 1084, 0x80000000},
    { 58, "Line33", 1080, 930,  1080, 1084, 0x80000000},
    { 59, "Line32", 900,  930,  900,  1084, 0x80000000},
    { 60, "Line30", 990,  930,  990,  1084, 0x80000000},
    { 61, "Line24", 1260, 930,  1260, 1084, 0x80000000},
    // Contact rows of the AGP slot and of PCI slots 4 to 1.
    {102, "Line5",  1800, 2370, 3690, 2370, 0xC0C0C0,   LineStyle::Dotted},
    {103, "Line4",  1275, 4063, 3270, 4063, 0xC0C0C0,   LineStyle::Dotted},
    {104, "Line3",  1275, 3630, 3270, 3630, 0xC0C0C0,   LineStyle::Dotted},
    {105, "Line2",  1275, 3210, 3270, 3210, 0xC0C0C0,   LineStyle::Dotted},
    {106, "Line1",  1275, 2790, 3270, 2790, 0xC0C0C0,   LineStyle::Dotted},
    // CN2: more lines between its pin columns, six of them lying on the lines above or on each other,
    // then the line between its two pin rows.
    {111, "Line37", 1620, 929,  1620, 1110, 0x80000000},
    {112, "Line36", 1530, 929,  1530, 1110, 0x80000000},
    {113, "Line35", 1350, 930,  1350, 1110, 0x80000000},
    {114, "Line34", 1170, 930,  1170, 1110, 0x80000000},
    {115, "Line27", 1080, 930,  1080, 1114, 0x80000000},
    {116, "Line26", 900,  930,  900,  1110, 0x80000000},
    {117, "Line25", 1350, 1080, 1350, 900,  0x80000000},
    {118, "Line20", 990,  930,  990,  1110, 0x80000000},
    {119, "Line19", 1260, 930,  1260, 1114, 0x80000000},
    {120, "Line6",  810,  998,  1710, 998,  0x80000000},
    // J3: leader lines from the captions to their pins, in window text.
    {124, "Line23", 5550, 5685, 5550, 5535},
    {139, "Line12", 5850, 5835, 5850, 5910},
    {140, "Line11", 5700, 5685, 5850, 5610},
    {141, "Line10", 5625, 5835, 5550, 5910},
    {142, "Line9",  5325, 5685, 5250, 5610},
    {143, "Line8",  5100, 5835, 5025, 5910},
    {144, "Line7",  4800, 5610, 4950, 5685},
    // Key of PCI slot 4, the second Line16; CN1: line between its two pin columns.
    {167, "Line16", 2685, 3945, 2685, 4203, 0xC0C0C0,   LineStyle::Dotted, 2},
    {172, "Line29", 660,  1350, 660,  2175, 0x80000000},
    // Keys of PCI slots 1 to 3 (PCI 3 is the first Line16) and of ISA slots 3 to 1.
    {196, "Line18", 2700, 2670, 2700, 2914, 0xFFFF80,   LineStyle::Dotted},
    {197, "Line17", 2700, 3105, 2700, 3352, 0xC0C0C0,   LineStyle::Dotted},
    {198, "Line16", 2700, 3510, 2700, 3768, 0xFFFF80,   LineStyle::Dotted, 0},
    {199, "Line15", 2700, 5370, 2700, 5586, 0x80000005, LineStyle::Dotted},
    {200, "Line14", 2700, 4920, 2700, 5133, 0x80000005, LineStyle::Dotted},
    {201, "Line13", 2700, 4440, 2700, 4667, 0x80000005, LineStyle::Dotted},
};
// clang-format on

static_assert(std::size(Lines) == 40);

} // namespace

std::span<const LineRow> lineCatalogue()
{
    return Lines;
}
