// Jumper positions and the pin fills they stand for.
#pragma once

#include "selection.h"

#include <array>

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
