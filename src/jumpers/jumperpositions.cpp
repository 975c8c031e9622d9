// The fills of jumper positions and the positions of fills: for any block, and for the three-pin
// blocks and JP3 as the program's own board's words name them.
#include "jumperpositions.h"

#include "boarddata/catalogues.h"

#include <cassert>

std::vector<PinFill> positionFills(std::span<const ThreePinBlock> blocks, std::span<const Position> positions)
{
    assert(blocks.size() == positions.size() && "one position per block");
    std::vector<PinFill> fills;
    fills.reserve(3 * blocks.size());
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const auto colors = threePinFills(positions[b]);
        for (std::size_t pin = 0; pin < 3; ++pin)
            fills.push_back({blocks[b].pins[pin], colors[pin]});
    }
    return fills;
}

std::vector<PinFill> contactFills(std::span<const Jp3Position> positions, std::span<const Contact> contacts)
{
    assert(positions.size() == contacts.size() && "one contact per position");
    std::vector<PinFill> fills;
    fills.reserve(2 * positions.size());
    for (std::size_t p = 0; p < positions.size(); ++p) {
        for (const char *pin : positions[p].pins)
            fills.push_back({pin, contactFill(contacts[p])});
    }
    return fills;
}

std::vector<PinFill> cpuPinFills(const std::array<Position, 6> &blocks, const std::array<Contact, 4> &jp3)
{
    std::vector<PinFill> fills = positionFills(cpuBlocks(), blocks);
    const std::vector<PinFill> voltage = contactFills(jp3Positions(), jp3);
    fills.insert(fills.end(), voltage.begin(), voltage.end());
    return fills;
}

std::optional<Position> positionShown(const PinColors &pins, const ThreePinBlock &block)
{
    std::array<Color, 3> fills{};
    for (std::size_t pin = 0; pin < 3; ++pin)
        fills[pin] = pins(block.pins[pin]);
    for (Position p : {Position::OneTwo, Position::TwoThree}) {
        if (fills == threePinFills(p))
            return p;
    }
    return std::nullopt;
}

std::optional<Contact> contactShown(const PinColors &pins, const Jp3Position &position)
{
    const Color first = pins(position.pins[0]);
    const Color second = pins(position.pins[1]);
    for (Contact c : {Contact::Closed, Contact::Open}) {
        if (first == contactFill(c) && second == contactFill(c))
            return c;
    }
    return std::nullopt;
}

std::vector<PinFill> blockFills(const BlockRow &block, PinSet position)
{
    std::vector<PinFill> fills;
    fills.reserve(block.pins.size());
    for (std::size_t pin = 0; pin < block.pins.size(); ++pin)
        fills.push_back({block.pins[pin], (position >> pin) & 1 ? JumperOnColor : JumperOffColor});
    return fills;
}

std::vector<PinFill> meaningFills(const MeaningRow &meaning, const ValueRow &value)
{
    std::vector<PinFill> fills;
    for (std::size_t b = 0; b < meaning.blocks.size(); ++b) {
        const auto pins = blockFills(boardInUse().blocks[std::size_t(meaning.blocks[b])], value.positions[b]);
        fills.insert(fills.end(), pins.begin(), pins.end());
    }
    return fills;
}

std::optional<PinSet> blockShown(const PinColors &pins, const BlockRow &block)
{
    PinSet shown = 0;
    for (std::size_t pin = 0; pin < block.pins.size(); ++pin) {
        const Color fill = pins(block.pins[pin]);
        if (fill == JumperOnColor)
            shown |= PinSet(1) << pin;
        else if (fill != JumperOffColor)
            return std::nullopt;
    }
    switch (block.kind) {
    case BlockKind::TwoPin:
        if (shown != 0 && shown != 0b11)
            return std::nullopt;
        break;
    case BlockKind::ThreePin:
        if (!threePinPosition(shown))
            return std::nullopt;
        break;
    case BlockKind::Header:
        for (std::size_t pair = 0; pair < block.pins.size() / 2; ++pair) {
            const PinSet both = (shown >> (2 * pair)) & 0b11;
            if (both != 0 && both != 0b11)
                return std::nullopt;
        }
        break;
    case BlockKind::Dip:
        break;
    }
    return shown;
}

PinSet threePinSet(Position p)
{
    return p == Position::OneTwo ? 0b011 : 0b110;
}

std::optional<Position> threePinPosition(PinSet pins)
{
    if (pins == 0b011)
        return Position::OneTwo;
    if (pins == 0b110)
        return Position::TwoThree;
    return std::nullopt;
}

Contact pairContact(PinSet pins, std::size_t pair)
{
    return (pins >> (2 * pair)) & 1 ? Contact::Closed : Contact::Open;
}
