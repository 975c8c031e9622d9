// The settings panel's readings as text, from the positions the board's pins show.
#include "panelreadings.h"

#include "boardblocks.h"

#include "jumpers/blockmeanings.h"
#include "jumpers/boardjumpertables.h"
#include "jumpers/selectorcatalogue.h"

#include <QStringList>

namespace {

QString positionText(std::optional<Position> p)
{
    if (!p)
        return QStringLiteral("not set");
    return *p == Position::OneTwo ? QStringLiteral("1-2") : QStringLiteral("2-3");
}

QString contactText(std::optional<Contact> c)
{
    if (!c)
        return QStringLiteral("not set");
    return *c == Contact::Closed ? QStringLiteral("closed") : QStringLiteral("open");
}

} // namespace

QString blocksText(std::span<const ThreePinBlock> blocks, std::span<const std::optional<Position>> positions)
{
    QStringList parts;
    for (std::size_t b = 0; b < blocks.size(); ++b)
        parts << QString::fromLatin1(blocks[b].name) + u' ' + positionText(positions[b]);
    return parts.join(QStringLiteral(", "));
}

QString jp3Text(const std::array<std::optional<Contact>, 4> &contacts)
{
    QStringList parts;
    const auto jp3 = jp3Positions();
    for (std::size_t i = 0; i < jp3.size(); ++i)
        parts << QString::fromLatin1(jp3[i].letter) + u' ' + contactText(contacts[i]);
    return QStringLiteral("JP3 ") + parts.join(QStringLiteral(", "));
}

QString cpuEntriesText(const CpuBlockReading &reading)
{
    QStringList texts;
    for (int position : matchingCpuEntries(reading))
        texts << QString::fromLatin1(cpuSelector().entries[static_cast<std::size_t>(position)].text).trimmed();
    return texts.isEmpty() ? QStringLiteral("no listed CPU") : texts.join(u'\n');
}

QString boardJumperText(const Board &board, const BoardJumper &jumper)
{
    const QString pins =
        QString::fromLatin1(jumper.block.name) + u' ' + positionText(blockPosition(board, jumper.block));
    const auto entry = entryShownBy(board, jumper);
    if (!entry)
        return pins;
    const QString text = QString::fromLatin1(jumper.selector.entries[static_cast<std::size_t>(*entry)].text).trimmed();
    return text + QStringLiteral(" (") + pins + u')';
}
