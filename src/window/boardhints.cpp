// The board's hints beside its captions: the jumper blocks explained, and the way to the panel.
#include "boardhints.h"

#include "blockat.h"

#include "jumpers/jumperpositions.h"
#include "jumpers/jumperwords.h"
#include "layout/board.h"

#include <string_view>

const char *const PanelHint = "Right-click the board, or press F2, for the jumper settings panel: bus clock, "
                              "multiplier and core voltage, and what the jumpers read.";

namespace {

/// "Please read the tiptext on the red-colored texts by moving the mouse pointer  over the texts."
constexpr std::string_view InstructionCaption = "Label52";

/// What the two colours of a pin stand for.
constexpr char Colours[] = "A grey pin is covered by a jumper cap; a white pin is left open.";

/// Which end of a row or column of pins the first one is at: "top", "left", ...
QString endOf(const Board &board, const char *first, const char *last)
{
    const QPoint from = board.find(first)->bounds.center();
    const QPoint to = board.find(last)->bounds.center();
    const QPoint step = to - from;
    if (std::abs(step.y()) >= std::abs(step.x()))
        return step.y() > 0 ? QStringLiteral("top") : QStringLiteral("bottom");
    return step.x() > 0 ? QStringLiteral("left") : QStringLiteral("right");
}

BoardHint blockHint(const Board &board, const ThreePinBlock &block)
{
    const std::optional<Position> shown = positionShown(pinColorsOf(board), block);
    const QString now = shown
        ? QStringLiteral("%1 is set to %2: the cap covers pins %3.")
              .arg(QLatin1String(block.name), positionText(*shown),
                   *shown == Position::OneTwo ? QStringLiteral("1 and 2") : QStringLiteral("2 and 3"))
        : QStringLiteral("%1 is not set.").arg(QLatin1String(block.name));
    return {QStringLiteral("%1 %2 Pin 1 is the %3 one, as the board marks it.")
                .arg(now, QLatin1String(Colours), endOf(board, block.pins[0], block.pins[2])),
            pinsBox(board, block.pins)};
}

BoardHint jp3Hint(const Board &board, const Jp3Position &position)
{
    const std::optional<Contact> shown = contactShown(pinColorsOf(board), position);
    const auto positions = jp3Positions();
    const QString now =
        QStringLiteral("JP3 position %1 is %2.").arg(QLatin1String(position.letter), contactText(shown));
    return {QStringLiteral("%1 %2 Positions A to D run from the %3; a closed one has a cap on both its pins.")
                .arg(now, QLatin1String(Colours), endOf(board, positions.front().pins[0], positions.back().pins[0])),
            pinsBox(board, position.pins)};
}

} // namespace

BoardHint boardHintAt(const Board &board, QPoint pixel)
{
    if (const BlockRow *block = describedBlockAt(board, pixel)) {
        // A described block: its position, the colours, and its notes and warnings.
        QString text = blockPositionText(pinColorsOf(board), *block) + QStringLiteral(". ") + QLatin1String(Colours);
        if (*block->notes)
            text += u'\n' + QString::fromUtf8(block->notes);
        return {text, pinsBox(board, block->pins)};
    }
    const BlockAt at = blockAt(board, pixel);
    if (at.block)
        return blockHint(board, *at.block);
    if (at.position)
        return jp3Hint(board, *at.position);
    // The caption a newcomer reads first, which asks them to rest the pointer on the captions and
    // has no tool tip of its own.
    if (const BoardElement *caption = board.labelAt(pixel);
        caption && std::string_view(caption->name()) == InstructionCaption)
        return {QString::fromLatin1(PanelHint), caption->bounds};
    return {};
}
