// The shapes of the board outline: the board's edge, sockets, slots, chips and connectors.
#include "catalogues.h"

#include <iterator>

namespace {

// Rows in stacking-rank order, the shape listed first lying on top. Unless a row says otherwise a
// shape is a transparent rectangle with a one-pixel window-text border, drawn in the copy mode.
// The two shapes named Shape11 are told apart by their index; every other shape has index -1.
// rank, name, left, top, width, height, kind, fill style, fill color, border color, border width,
// opaque, back color, draw mode, index
// clang-format off
constexpr ShapeRow Shapes[] = {
    // Board edge.
    { 19, "Shape25", 45,   810,  6405, 5685, ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x008080,   2},
    // North-bridge chip top, the frame round "Tag", the cache chip.
    { 22, "Shape6",  4140, 1800, 645,  555,  ShapeKind::RoundedRectangle, FillStyle::Transparent,   0x000000, 0x80000008, 1, true,  0x000000},
    { 24, "Shape23", 5400, 1695, 390,  240},
    { 25, "Shape22", 5160, 2670, 615,  390,  ShapeKind::Rectangle,        FillStyle::Solid,         0x000000, 0x8000000F},
    // Square across the upper edge of CN2; white block of the FAN1 header.
    { 38, "Shape19", 1260, 885,  90,   90,   ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x8000000A},
    { 48, "Shape97", 570,  960,  195,  135,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0xC0C0C0,   1, true},
    // J1: pins from the bottom up.
    { 49, "Shape96", 390,  3870, 75,   75},
    { 50, "Shape95", 390,  3810, 75,   75},
    { 51, "Shape94", 390,  3750, 75,   75},
    { 52, "Shape93", 390,  3690, 75,   75},
    // Keyboard connector: round socket and the strip along its left side.
    { 54, "Shape92", 135,  1245, 240,  360,  ShapeKind::Circle},
    { 55, "Shape73", 135,  1245, 75,   330},
    // FAN1: pins from the bottom up, then the housing.
    { 62, "Shape76", 495,  1050, 60,   45},
    { 63, "Shape75", 495,  990,  60,   45},
    { 64, "Shape74", 495,  930,  60,   45},
    { 65, "Shape72", 465,  900,  150,  255,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x80000003},
    // FAN2: pins from the bottom up, white block, housing.
    { 66, "Shape71", 3840, 4815, 60,   45},
    { 67, "Shape70", 3840, 4755, 60,   45},
    { 68, "Shape46", 3840, 4695, 60,   45},
    { 69, "Shape45", 3930, 4725, 255,  135,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0xC0C0C0,   1, true},
    { 70, "Shape44", 3810, 4665, 150,  255,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x80000003},
    // USB header: even pins 2 to 10, then odd pins 1 to 9.
    { 77, "Shape69", 1860, 945,  90,   90},
    { 78, "Shape68", 1860, 1020, 90,   90},
    { 79, "Shape67", 1860, 1095, 90,   90},
    { 80, "Shape64", 1860, 1170, 90,   90},
    { 81, "Shape63", 1860, 1245, 90,   90},
    { 82, "Shape62", 1785, 945,  90,   90},
    { 83, "Shape61", 1785, 1020, 90,   90},
    { 84, "Shape60", 1785, 1095, 90,   90},
    { 85, "Shape59", 1785, 1170, 90,   90},
    { 86, "Shape58", 1785, 1245, 90,   90},
    // AGP slot; LPT, COM2 and COM1 headers.
    {107, "Shape18", 1770, 2265, 1905, 240,  ShapeKind::Rectangle,        FillStyle::Solid,         0x404080, 0xC0C0C0},
    {108, "Shape17", 1380, 1290, 270,  780},
    {109, "Shape16", 1080, 1785, 225,  420},
    {110, "Shape12", 1080, 1290, 225,  420},
    // CN2 body; FDC header.
    {121, "Shape1",  789,  920,  915,  195,  ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF, 0x80000000},
    {122, "Shape2",  780,  1260, 255,  945},
    // J3: columns 6 to 10, then 1 to 5; lower pin before upper, except in column 5.
    {145, "Shape91", 5475, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x00FFFF},
    {146, "Shape90", 5475, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x00FFFF},
    {147, "Shape89", 5580, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFF0000},
    {148, "Shape88", 5580, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFF0000},
    {149, "Shape87", 5685, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x0080FF},
    {150, "Shape86", 5685, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x0080FF},
    {151, "Shape85", 5790, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFF00FF},
    {152, "Shape84", 5790, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFF00FF},
    {153, "Shape83", 5895, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x00FF00},
    {154, "Shape43", 5895, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x00FF00},
    {155, "Shape42", 4950, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x004000},
    {156, "Shape41", 4950, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFF00},
    {157, "Shape40", 5055, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x004000},
    {158, "Shape37", 5055, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFF00},
    {159, "Shape34", 5160, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x004000},
    {160, "Shape33", 5160, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFF00},
    {161, "Shape32", 5265, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0x004000},
    {162, "Shape31", 5265, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xC0C0FF},
    {163, "Shape30", 5370, 5685, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xC0C0FF},
    {164, "Shape29", 5370, 5760, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    // Square at the foot of the battery; BIOS chip; PCI slot 4, the second Shape11.
    {165, "Shape28", 4695, 3120, 90,   90},
    {166, "Shape26", 870,  3435, 330,  810,  ShapeKind::Rectangle,        FillStyle::Solid,         0x000000, 0x808080},
    {168, "Shape11", 1260, 3960, 1995, 255,  ShapeKind::Rectangle,        FillStyle::Solid,         0xC0FFFF, 0xC0C0C0,   1, false, 0x80000005, DrawMode::Copy, 1},
    // PS/2 mouse connector pins.
    {173, "Shape82", 240,  1635, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    {174, "Shape81", 165,  1635, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    {175, "Shape80", 165,  1710, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    {176, "Shape79", 165,  1785, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    {177, "Shape78", 240,  1860, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    {178, "Shape77", 165,  1860, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    // J2: right pin, left pin.
    {180, "Shape66", 4035, 4230, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    {181, "Shape65", 3960, 4230, 90,   90,   ShapeKind::Rectangle,        FillStyle::Solid,         0xFFFFFF},
    // CN1 body; battery.
    {195, "Shape36", 495,  1350, 270,  840,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x808080,   1, true},
    {210, "Shape52", 4515, 2805, 450,  360,  ShapeKind::Circle},
    // Super I/O, north-bridge and south-bridge chips.
    {223, "Shape24", 540,  2790, 330,  495,  ShapeKind::Rectangle,        FillStyle::Solid,         0x000000, 0x8000000C, 2},
    {224, "Shape21", 4050, 1710, 838,  735,  ShapeKind::Rectangle,        FillStyle::Solid,         0x004000, 0x8000000C, 2},
    {225, "Shape20", 3510, 3270, 690,  540,  ShapeKind::Rectangle,        FillStyle::Solid,         0x000000, 0x8000000C, 2},
    // ISA slots 3 to 1.
    {226, "Shape15", 495,  5355, 3689, 225,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x8000000C, 1, true,  0x80000004},
    {227, "Shape14", 495,  4905, 3689, 225,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x8000000C, 1, true,  0x80000000},
    {228, "Shape13", 510,  4440, 3690, 225,  ShapeKind::Rectangle,        FillStyle::Transparent,   0x000000, 0x404040,   1, true,  0x80000000},
    // PCI slots 3 to 1 (PCI 3 is the first Shape11), IDE 2 and IDE 1 connectors.
    {229, "Shape11", 1260, 3510, 1995, 255,  ShapeKind::Rectangle,        FillStyle::Solid,         0xC0FFFF, 0xC0C0C0,   1, false, 0x80000005, DrawMode::Copy, 0},
    {230, "Shape10", 1260, 3105, 1995, 255,  ShapeKind::Rectangle,        FillStyle::Solid,         0xC0FFFF, 0xC0C0C0},
    {231, "Shape9",  1260, 2670, 1995, 255,  ShapeKind::Rectangle,        FillStyle::Solid,         0xC0FFFF, 0xC0C0C0},
    {232, "Shape8",  1800, 1470, 1515, 240},
    {233, "Shape7",  1800, 1890, 1515, 240},
    // DIMM sockets 3 to 1.
    {234, "Shape5",  2070, 1230, 2835, 120,  ShapeKind::Rectangle,        FillStyle::DiagonalCross, 0xC0C0C0, 0xC0C0C0,   1, false, 0x80000005, DrawMode::Nand},
    {235, "Shape4",  2070, 1080, 2835, 105,  ShapeKind::Rectangle,        FillStyle::DiagonalCross, 0x808080, 0x808080,   1, false, 0x80000005, DrawMode::Black},
    {236, "Shape3",  2070, 900,  2835, 120,  ShapeKind::Rectangle,        FillStyle::DiagonalCross, 0x808080, 0x808080,   1, false, 0x80000005, DrawMode::Black},
};
// clang-format on

static_assert(std::size(Shapes) == 84);

} // namespace

std::span<const ShapeRow> outlineShapeCatalogue()
{
    return Shapes;
}
