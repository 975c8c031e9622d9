// The jumper pins of the board: the 32 pins the jumper procedures set, and JP1's three fixed pins.
#include "catalogues.h"

#include <iterator>

namespace {

// Rows in the order of the board's blocks, JP7 to JP11, JP4 to JP6, JP3, then JP1.
// Every pin is a 6 x 6 pixel box with a solid fill, a one-pixel window-text border and the copy
// draw mode; the procedures' pins start white and take their first color during start-up.
// rank, name, left, top, width, height, kind, fill style, fill color
// clang-format off
constexpr ShapeRow Pins[] = {
    // JP7: pin 1, 2, 3
    {191, "V1JP7",   5580, 1305, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    {190, "V2JP7",   5580, 1230, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    {130, "V3JP7",   5580, 1155, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP8: pin 1, 2, 3
    {189, "V1JP8",   5685, 1305, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    {188, "V2JP8",   5685, 1230, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    {129, "V3JP8",   5685, 1155, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP9: pin 1, 2, 3
    {194, "v1jp9",   5790, 1305, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {193, "v2jp9",   5790, 1230, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {192, "v3jp9",   5790, 1155, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP10: pin 1, 2, 3
    { 99, "v1jp10",  5895, 1305, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    {100, "v2jp10",  5895, 1230, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    {101, "v3jp10",  5895, 1155, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP11: pin 1, 2, 3
    { 96, "v1jp11",  5895, 1050, 90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    { 97, "v2jp11",  5895, 975,  90, 90, ShapeKind::Square,             FillStyle::Solid, 0xFFFFFF},
    { 98, "v3jp11",  5895, 900,  90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP4: pin 1, 2, 3
    { 95, "h1jp4",   5685, 4545, 90, 90, ShapeKind::RoundedRectangle,   FillStyle::Solid, 0xFFFFFF},
    { 94, "h2jp4",   5760, 4545, 90, 90, ShapeKind::RoundedRectangle,   FillStyle::Solid, 0xFFFFFF},
    { 93, "h3jp4",   5835, 4545, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP5: pin 1, 2, 3
    { 92, "h1jp5",   5685, 4650, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    { 91, "h2jp5",   5760, 4650, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    { 90, "h3jp5",   5835, 4650, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP6: pin 1, 2, 3
    { 89, "h1jp6",   5685, 4755, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    { 88, "h2jp6",   5760, 4755, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    { 87, "h3jp6",   5835, 4755, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP3: positions A to D, first pin below second
    {187, "a1JP3",   5565, 5130, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {186, "a2JP3",   5565, 5055, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {185, "b1JP3",   5670, 5130, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {184, "b2jp3",   5670, 5055, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {183, "c1jp3",   5775, 5130, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {182, "c2jp3",   5775, 5055, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {135, "d1jp3",   5880, 5130, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {134, "d2jp3",   5880, 5055, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    // JP1, the CMOS-clear jumper: cap on pins 1 and 2, never changed. Pin 1 lies over pin 2.
    {138, "Shape47", 4425, 3390, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0xFFFFFF},
    {137, "Shape48", 4425, 3465, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0x404040},
    {136, "Shape49", 4425, 3525, 90, 90, ShapeKind::Rectangle,          FillStyle::Solid, 0x404040},
};
// clang-format on

static_assert(std::size(Pins) == 35);

} // namespace

std::span<const ShapeRow> pinCatalogue()
{
    return Pins;
}
