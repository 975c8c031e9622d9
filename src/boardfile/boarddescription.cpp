// What a description's blocks mean, for the check and the rows alike: where a block drawn from
// "at" puts its pins, and the pins a written position covers.
#include "boarddescription.h"

namespace {

/// How many pins a block has.
int pinCount(const JumperBlockDescription &block)
{
    switch (block.kind) {
    case BlockKind::TwoPin:
        return 2;
    case BlockKind::ThreePin:
        return 3;
    case BlockKind::Header:
        return 2 * int(block.pairs.size());
    case BlockKind::Dip:
        return block.switches;
    }
    return 0;
}

} // namespace

std::vector<QPoint> drawnPinOffsets(const JumperBlockDescription &block)
{
    std::vector<QPoint> offsets;
    if (!block.at || !block.direction)
        return offsets;
    const int pitch = block.pitch;
    const QPoint along = *block.direction == PinDirection::Up ? QPoint(0, -pitch)
        : *block.direction == PinDirection::Down              ? QPoint(0, pitch)
        : *block.direction == PinDirection::Left              ? QPoint(-pitch, 0)
                                                              : QPoint(pitch, 0);
    const QPoint across = along.x() == 0 ? QPoint(pitch, 0) : QPoint(0, pitch);
    if (block.kind == BlockKind::Header) {
        for (qsizetype pair = 0; pair < block.pairs.size(); ++pair) {
            offsets.push_back(along * int(pair));
            offsets.push_back(along * int(pair) + across);
        }
    } else {
        for (int pin = 0; pin < pinCount(block); ++pin)
            offsets.push_back(along * pin);
    }
    return offsets;
}

std::optional<PinSet> writtenPosition(const JumperBlockDescription &block, const QString &position)
{
    switch (block.kind) {
    case BlockKind::TwoPin:
        if (position != QLatin1String("open") && position != QLatin1String("closed"))
            return std::nullopt;
        return position == QLatin1String("closed") ? 0b11 : 0;
    case BlockKind::ThreePin:
        if (position != QLatin1String("1-2") && position != QLatin1String("2-3"))
            return std::nullopt;
        return position == QLatin1String("1-2") ? 0b011 : 0b110;
    case BlockKind::Header: {
        PinSet pins = 0;
        if (position == QLatin1String("open"))
            return pins;
        qsizetype next = 0;
        for (const QString &pair : position.split(u'+')) {
            const qsizetype at = block.pairs.indexOf(pair, next);
            if (at < 0)
                return std::nullopt;
            pins |= PinSet(0b11) << (2 * at);
            next = at + 1;
        }
        return pins;
    }
    case BlockKind::Dip: {
        const QStringList switches = position.split(u',');
        if (switches.size() != block.switches)
            return std::nullopt;
        PinSet pins = 0;
        for (qsizetype i = 0; i < switches.size(); ++i) {
            if (switches[i] == QLatin1String("on"))
                pins |= PinSet(1) << i;
            else if (switches[i] != QLatin1String("off"))
                return std::nullopt;
        }
        return pins;
    }
    }
    return std::nullopt;
}
