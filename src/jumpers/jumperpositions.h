// Jumper positions, the two pin colors, and the pin fills each position stands for.
#pragma once

#include "layout/color.h"

#include <array>

/// The colors a jumper procedure gives a pin: covered by the cap, or open. It gives no other.
inline constexpr Color JumperOnColor = 0x808080;
inline constexpr Color JumperOffColor = 0xFFFFFF;

/// Where the cap of a three-pin block sits.
enum class Position { OneTwo, TwoThree };

/// A two-pin position of JP3: cap on (closed) or off (open).
enum class Contact { Open, Closed };

/// One pin write of a jumper procedure.
struct PinFill {
    const char *pin;
    Color color;
};

/// The fills of pins 1, 2 and 3 of a three-pin block.
constexpr std::array<Color, 3> threePinFills(Position p)
{
    if (p == Position::OneTwo)
        return {JumperOnColor, JumperOnColor, JumperOffColor};
    return {JumperOffColor, JumperOnColor, JumperOnColor};
}

/// The fill of both pins of a two-pin position.
constexpr Color contactFill(Contact c)
{
    return c == Contact::Closed ? JumperOnColor : JumperOffColor;
}
