// Colours of the board drawing: 24-bit values written 0xBBGGRR, or system colours 0x800000nn.
#pragma once

#include <QColor>
#include <cstdint>

using Colour = std::uint32_t;

/// A system colour number nn as the drawing stores it: 0x800000nn.
constexpr Colour systemColour(int number)
{
    return 0x80000000u | static_cast<Colour>(number);
}

constexpr bool isSystemColour(Colour c)
{
    return (c & 0x80000000u) != 0;
}

// The system colours the board uses, by their role.
inline constexpr Colour ScrollBar = systemColour(0);
inline constexpr Colour WindowBackground = systemColour(5);
inline constexpr Colour WindowText = systemColour(8);
inline constexpr Colour TitleBarText = systemColour(9);
inline constexpr Colour HighlightText = systemColour(14);
inline constexpr Colour ButtonText = systemColour(18);

/// The 24-bit 0xBBGGRR value of a colour, system colours resolved through the standard scheme.
/// A system colour number the scheme does not hold resolves to black.
Colour resolveColour(Colour c);

/// The colour as Qt draws it.
QColor toQColor(Colour c);

/// The colour as a 0xAARRGGBB pixel value with full alpha.
QRgb toRgb(Colour c);
