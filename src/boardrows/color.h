// Colors of the board drawing: 24-bit values written 0xBBGGRR, or system colors 0x800000nn.
#pragma once

#include <QColor>
#include <cstdint>

using Color = std::uint32_t;

/// A system color number nn as the drawing stores it: 0x800000nn.
constexpr Color systemColor(int number)
{
    return 0x80000000u | static_cast<Color>(number);
}

constexpr bool isSystemColor(Color c)
{
    return (c & 0x80000000u) != 0;
}

// The system colors the code refers to by their role.
inline constexpr Color WindowBackground = systemColor(5);
inline constexpr Color WindowText = systemColor(8);
inline constexpr Color TitleBarText = systemColor(9);
inline constexpr Color ButtonText = systemColor(18);

/// The 24-bit 0xBBGGRR value of a color, system colors resolved through the standard scheme.
/// A system color number the scheme does not hold resolves to black.
Color resolveColor(Color c);

/// The color as Qt draws it.
QColor toQColor(Color c);

/// The color as a 0xAARRGGBB pixel value with full alpha.
QRgb toRgb(Color c);
