// Reading and moving the caps of the jumper blocks on the board, pin by pin.
#include "boardblocks.h"

#include "jumpers/boardjumpertables.h"
#include "jumpers/selection.h"
#include "layout/board.h"

#include <cassert>
#include <span>

namespace {

std::vector<PinFill> positionFills(std::span<const ThreePinBlock> blocks, std::span<const Position> positions)
{
    assert(blocks.size() == positions.size() && "one position per block");
    std::vector<PinFill> fills;
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        const auto colors = threePinFills(positions[b]);
        for (std::size_t pin = 0; pin < 3; ++pin)
            fills.push_back({blocks[b].pins[pin], colors[pin]});
    }
    return fills;
}

std::vector<PinFill> contactFills(const Jp3Position &position, Contact contact)
{
    return {{position.pins[0], contactFill(contact)}, {position.pins[1], contactFill(contact)}};
}

bool holds(const Board &board, std::span<const char *const> pins, QPoint pixel)
{
    for (const char *pin : pins) {
        const BoardElement *e = board.find(pin);
        assert(e && "every pin of a block is on the board");
        if (e->bounds.contains(pixel))
            return true;
    }
    return false;
}

std::vector<PinFill> movedCap(const Board &board, const ThreePinBlock &block)
{
    const Position to = blockPosition(board, block) == Position::OneTwo ? Position::TwoThree : Position::OneTwo;
    return positionFills(std::span(&block, 1), std::array{to});
}

std::vector<PinFill> movedCap(const Board &board, const Jp3Position &position)
{
    return contactFills(position, jp3Contact(board, position) == Contact::Closed ? Contact::Open : Contact::Closed);
}

} // namespace

std::optional<Position> blockPosition(const Board &board, const ThreePinBlock &block)
{
    std::array<Color, 3> fills{};
    for (std::size_t pin = 0; pin < 3; ++pin)
        fills[pin] = board.fillColor(block.pins[pin]);
    for (Position p : {Position::OneTwo, Position::TwoThree}) {
        if (fills == threePinFills(p))
            return p;
    }
    return std::nullopt;
}

std::optional<Contact> jp3Contact(const Board &board, const Jp3Position &position)
{
    const Color first = board.fillColor(position.pins[0]);
    const Color second = board.fillColor(position.pins[1]);
    for (Contact c : {Contact::Closed, Contact::Open}) {
        if (first == contactFill(c) && second == contactFill(c))
            return c;
    }
    return std::nullopt;
}

std::optional<int> entryShownBy(const Board &board, const BoardJumper &jumper)
{
    const auto shown = blockPosition(board, jumper.block);
    if (!shown)
        return std::nullopt;
    const auto entries = jumper.selector.entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto row = findBoardJumperRow(jumper, selectionCode(jumper.selector.list, entries[i].itemCode));
        if (row && row->position == *shown)
            return static_cast<int>(i);
    }
    return std::nullopt;
}

std::vector<PinFill> settingFills(const BusClockSetting &setting)
{
    return positionFills(cpuBlocks().first(3), setting.positions);
}

std::vector<PinFill> settingFills(const MultiplierSetting &setting)
{
    return positionFills(cpuBlocks().subspan(3), setting.positions);
}

std::vector<PinFill> settingFills(const VoltageSetting &setting)
{
    std::vector<PinFill> fills;
    const auto jp3 = jp3Positions();
    for (std::size_t i = 0; i < jp3.size(); ++i) {
        for (const PinFill &fill : contactFills(jp3[i], setting.contacts[i]))
            fills.push_back(fill);
    }
    return fills;
}

std::vector<PinFill> capMoveAt(const Board &board, QPoint pixel)
{
    // Pins of different blocks lie at least one pixel apart, so the first block holding the
    // pixel is the only one.
    for (const ThreePinBlock &block : cpuBlocks()) {
        if (holds(board, block.pins, pixel))
            return movedCap(board, block);
    }
    for (const Jp3Position &position : jp3Positions()) {
        if (holds(board, position.pins, pixel))
            return movedCap(board, position);
    }
    for (const ThreePinBlock *block : {&jp11(), &jp10()}) {
        if (holds(board, block->pins, pixel))
            return movedCap(board, *block);
    }
    return {};
}
