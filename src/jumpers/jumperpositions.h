// Jumper positions, the two pin colors, and the one rule between a block's positions and its
// pins' fills, both ways: the fills that set a position, and the position that fills show.
#pragma once

#include "jumperblocks.h"

#include "boardrows/color.h"
#include "boardrows/jumperrows.h"

#include <array>
#include <functional>
#include <optional>
#include <span>
#include <vector>

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

/// How the jumper knowledge reads a pin's fill by the pin's element name: from the board, or from
/// any record of one.
using PinColors = std::function<Color(const char *pin)>;

/// The pin colors of anything that answers fillColor(pin), such as the board. It must outlive
/// the result.
template<typename Source>
PinColors pinColorsOf(const Source &source)
{
    return [&source](const char *pin) { return source.fillColor(pin); };
}

/// The fills that set each three-pin block to its position: block by block, pins 1 to 3.
std::vector<PinFill> positionFills(std::span<const ThreePinBlock> blocks, std::span<const Position> positions);

/// The fills that set each JP3 position to its contact: position by position, first pin first.
std::vector<PinFill> contactFills(std::span<const Jp3Position> positions, std::span<const Contact> contacts);

/// The 26 fills of the CPU blocks in the order the CPU procedure writes them: JP7, JP8, JP9, JP4,
/// JP5, JP6 from pin 1 to pin 3, then JP3 positions A to D, first pin before second.
std::vector<PinFill> cpuPinFills(const std::array<Position, 6> &blocks, const std::array<Contact, 4> &jp3);

/// The position a three-pin block's pins show; none when they show neither.
std::optional<Position> positionShown(const PinColors &pins, const ThreePinBlock &block);

/// The contact a JP3 position's two pins show; none when they differ or show another color.
std::optional<Contact> contactShown(const PinColors &pins, const Jp3Position &position);

/// The fills that set a block to a position: pin 1 first, grey where the position covers a pin.
std::vector<PinFill> blockFills(const BlockRow &block, PinSet position);

/// The fills that set a meaning's blocks to one of its values, block by block.
std::vector<PinFill> meaningFills(const MeaningRow &meaning, const ValueRow &value);

/// The position a block's pins show; none when a pin shows neither color, or the pins show no
/// position of the block's kind (a three-pin block with all three grey, a header's pair half
/// closed).
std::optional<PinSet> blockShown(const PinColors &pins, const BlockRow &block);

/// A three-pin block's position as a pin set, and back (none for a set that is neither).
PinSet threePinSet(Position p);
std::optional<Position> threePinPosition(PinSet pins);

/// Whether a header's pair (counted from 0) is closed in a position.
Contact pairContact(PinSet pins, std::size_t pair);
