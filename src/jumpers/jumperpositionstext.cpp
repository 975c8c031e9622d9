// The positions sentence: the position each jumper block's pins show now, read from the board.
#include "jumperblocks.h"
#include "jumperguide.h"

#include "layout/board.h"

#include <QStringList>

namespace {

QString threePinText(const Board &board, const ThreePinBlock &block)
{
    std::array<Color, 3> fills{};
    for (std::size_t i = 0; i < 3; ++i)
        fills[i] = board.fillColor(block.pins[i]);
    for (Position p : {Position::OneTwo, Position::TwoThree}) {
        if (fills == threePinFills(p))
            return positionText(p);
    }
    return QStringLiteral("not set");
}

QString jp3Text(const Board &board, const Jp3Position &position)
{
    const Color first = board.fillColor(position.pins[0]);
    const Color second = board.fillColor(position.pins[1]);
    for (Contact c : {Contact::Closed, Contact::Open}) {
        if (first == contactFill(c) && second == contactFill(c))
            return contactText(c);
    }
    return QStringLiteral("not set");
}

} // namespace

QString jumperPositionsText(const Board &board)
{
    QStringList parts;
    for (const ThreePinBlock &block : cpuBlocks())
        parts << QString::fromLatin1(block.name) + u' ' + threePinText(board, block);
    QString jp3 = QStringLiteral("JP3");
    for (const Jp3Position &position : jp3Positions())
        jp3 += u' ' + QString::fromLatin1(position.letter) + u' ' + jp3Text(board, position);
    parts << jp3;
    for (const ThreePinBlock *block : {&jp11(), &jp10()})
        parts << QString::fromLatin1(block->name) + u' ' + threePinText(board, *block);
    return parts.join(QStringLiteral(", "));
}
