// The words for jumper positions, and the readings built of them.
#include "jumperwords.h"

#include "cpusettings.h"
#include "powersdramtables.h"
#include "selectorcatalogue.h"

#include "boarddata/catalogues.h"

#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

/// The setting a group of blocks documents, through the table's reading of their positions.
template<typename Setting, typename T, std::size_t N>
std::optional<Setting> documented(const std::array<std::optional<T>, N> &blocks,
                                  std::optional<Setting> (*settingOf)(const std::array<T, N> &))
{
    const auto shown = allRead(blocks);
    return shown ? settingOf(*shown) : std::nullopt;
}

/// The positions, and where they document nothing, the words that say so.
QString pinsText(const QString &positions, bool isDocumented, const char *kind)
{
    if (isDocumented)
        return positions;
    return positions + QStringLiteral(": not a documented %1 setting").arg(QLatin1String(kind));
}

} // namespace

QString positionText(Position p)
{
    return p == Position::OneTwo ? QStringLiteral("1-2") : QStringLiteral("2-3");
}

QString contactText(Contact c)
{
    return c == Contact::Closed ? QStringLiteral("closed") : QStringLiteral("open");
}

QString positionText(std::optional<Position> p)
{
    return p ? positionText(*p) : QStringLiteral("not set");
}

QString contactText(std::optional<Contact> c)
{
    return c ? contactText(*c) : QStringLiteral("not set");
}

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

namespace {

/// What a pin shows: grey, white, or neither (none).
std::optional<bool> pinCovered(const PinColors &pins, const char *pin)
{
    const Color fill = pins(pin);
    if (fill == JumperOnColor)
        return true;
    if (fill == JumperOffColor)
        return false;
    return std::nullopt;
}

} // namespace

QString blockPositionText(const PinColors &pins, const BlockRow &block)
{
    QString text = QString::fromUtf8(block.name);
    switch (block.kind) {
    case BlockKind::ThreePin: {
        const auto shown = blockShown(pins, block);
        return text + u' ' + positionText(shown ? threePinPosition(*shown) : std::nullopt);
    }
    case BlockKind::TwoPin: {
        const auto shown = blockShown(pins, block);
        return text + u' '
            + contactText(shown ? std::optional(*shown ? Contact::Closed : Contact::Open) : std::nullopt);
    }
    case BlockKind::Header:
        for (std::size_t pair = 0; pair < block.pairs.size(); ++pair) {
            const auto first = pinCovered(pins, block.pins[2 * pair]);
            const auto second = pinCovered(pins, block.pins[2 * pair + 1]);
            const std::optional<Contact> contact =
                first && first == second ? std::optional(*first ? Contact::Closed : Contact::Open) : std::nullopt;
            text += u' ' + QString::fromUtf8(block.pairs[pair]) + u' ' + contactText(contact);
        }
        return text;
    case BlockKind::Dip:
        for (std::size_t pin = 0; pin < block.pins.size(); ++pin) {
            const auto on = pinCovered(pins, block.pins[pin]);
            text += u' ' + QString::number(pin + 1) + u' '
                + (on ? (*on ? QStringLiteral("on") : QStringLiteral("off")) : QStringLiteral("not set"));
        }
        return text;
    }
    return text;
}

QString valueWord(double value)
{
    const QString word = QString::number(value, 'f', QLocale::FloatingPointShortest);
    return word == QLatin1String("-0") ? QStringLiteral("0") : word;
}

const ValueRow *meaningValueShown(const PinColors &pins, const MeaningRow &meaning)
{
    std::vector<PinSet> shown;
    for (const int b : meaning.blocks) {
        const auto position = blockShown(pins, boardInUse().blocks[std::size_t(b)]);
        if (!position)
            return nullptr;
        shown.push_back(*position);
    }
    for (const ValueRow &v : meaning.values) {
        if (std::equal(v.positions.begin(), v.positions.end(), shown.begin(), shown.end()))
            return &v;
    }
    return nullptr;
}

QString meaningPositionsText(const PinColors &pins, const MeaningRow &meaning)
{
    QStringList parts;
    bool allShown = true;
    for (const int b : meaning.blocks) {
        const BlockRow &block = boardInUse().blocks[std::size_t(b)];
        parts << blockPositionText(pins, block);
        allShown = allShown && blockShown(pins, block).has_value();
    }
    // A block that shows no position reads "not set" already.
    const QString positions = parts.join(QStringLiteral(", "));
    if (!allShown || meaningValueShown(pins, meaning))
        return positions;
    return positions + QStringLiteral(": not a documented %1 setting").arg(QString::fromUtf8(meaning.label).toLower());
}

QString readingFigureText(const PinColors &pins, const ReadingRow &reading)
{
    double figure = 1;
    for (const int m : reading.product) {
        const ValueRow *value = meaningValueShown(pins, boardInUse().meanings[std::size_t(m)]);
        if (!value)
            return QStringLiteral("not known");
        figure *= value->amount;
    }
    const QString unit = reading.unit && *reading.unit ? u' ' + QString::fromUtf8(reading.unit) : QString();
    return QString::number(std::floor(figure + 1e-3), 'f', 0) + unit;
}

QStringList blockPositionTexts(const PinColors &pins)
{
    // The blocks the lists set, list by list in the order of their pins, then any other block a
    // meaning sets; each once.
    std::vector<int> named;
    const auto name = [&](std::span<const int> blocks) {
        for (const int b : blocks) {
            if (std::find(named.begin(), named.end(), b) == named.end())
                named.push_back(b);
        }
    };
    for (const ListRow &list : boardInUse().lists)
        name(list.blocks);
    for (const MeaningRow &meaning : boardInUse().meanings)
        name(meaning.blocks);
    QStringList parts;
    for (const int b : named)
        parts << blockPositionText(pins, boardInUse().blocks[std::size_t(b)]);
    return parts;
}

QString jumperPositionsText(const PinColors &pins)
{
    return blockPositionTexts(pins).join(QStringLiteral(", "));
}

QString changedPositionsText(const QStringList &before, const QStringList &after)
{
    QStringList changed;
    for (qsizetype i = 0; i < after.size(); ++i) {
        if (i >= before.size() || before[i] != after[i])
            changed << after[i];
    }
    return changed.join(QStringLiteral(", "));
}

QString cpuEntriesText(const CpuBlockReading &reading)
{
    QStringList texts;
    for (int position : matchingCpuEntries(reading))
        texts << QString::fromLatin1(cpuSelector().entries[static_cast<std::size_t>(position)].text).trimmed();
    return texts.isEmpty() ? QStringLiteral("no listed CPU") : texts.join(u'\n');
}

QString cpuClockText(int busMegahertz, int multiplierTenths, const QList<int> &matchingEntries)
{
    const QString clock = busClockText(cpuClockMegahertz(busMegahertz, multiplierTenths));
    const bool noneNamesMultiplier = !matchingEntries.isEmpty()
        && std::none_of(matchingEntries.begin(), matchingEntries.end(),
                        [](int position) { return entryClock(position).namesMultiplier; });
    if (noneNamesMultiplier) {
        return QStringLiteral("%1 if the CPU takes %2 from JP4 to JP6; the listed CPU names no multiplier")
            .arg(clock, multiplierText(multiplierTenths));
    }
    for (int position : matchingEntries) {
        if (const std::optional<int> named = entryClock(position).namedMegahertz) {
            return QStringLiteral("%1 (%2 x %3), not the %4 of the CPU's name")
                .arg(clock, busClockText(busMegahertz), multiplierText(multiplierTenths), busClockText(*named));
        }
    }
    return clock;
}

QString boardJumperText(const PinColors &pins, const BoardJumper &jumper)
{
    const std::optional<Position> shown = positionShown(pins, jumper.block);
    const QString blockText = blocksText({&jumper.block, 1}, {&shown, 1});
    const auto entry = shown ? entryGiving(jumper, *shown) : std::nullopt;
    if (!entry)
        return blockText;
    const QString text = QString::fromLatin1(jumper.selector.entries[static_cast<std::size_t>(*entry)].text).trimmed();
    return text + QStringLiteral(" (") + blockText + u')';
}

SettingsReading readSettings(const PinColors &pins)
{
    const CpuBlockReading cpu = readCpuBlocks(pins);
    const auto bus = documented(cpu.busClock, busClockOf);
    const auto multiplier = documented(cpu.multiplier, multiplierOf);
    const auto voltage = documented(cpu.voltage, voltageOf);
    SettingsReading r;
    if (bus)
        r.megahertz = bus->megahertz;
    if (multiplier)
        r.tenths = multiplier->tenths;
    if (voltage)
        r.centivolts = voltage->centivolts;
    r.busClockPins = pinsText(blocksText(cpuBlocks().first(3), cpu.busClock), bus.has_value(), "bus clock");
    r.multiplierPins =
        pinsText(blocksText(cpuBlocks().subspan(3), cpu.multiplier), multiplier.has_value(), "multiplier");
    r.voltagePins = pinsText(jp3Text(cpu.voltage), voltage.has_value(), "voltage");
    r.cpuClock = bus && multiplier ? cpuClockText(bus->megahertz, multiplier->tenths, matchingCpuEntries(cpu))
                                   : QStringLiteral("not documented for these jumpers");
    r.cpuEntries = cpuEntriesText(cpu);
    r.powerSupply = boardJumperText(pins, powerJumper());
    r.sdramClock = boardJumperText(pins, sdramJumper());
    return r;
}
