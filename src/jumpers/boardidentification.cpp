// Reading "BLOCK=POSITION" words against the board in use, and the report of what they stand for.
#include "boardidentification.h"

#include "jumperprocedures.h"
#include "jumperwords.h"
#include "selectorcatalogue.h"

#include "boarddata/catalogues.h"
#include "boardrows/showntext.h"

#include <QRegularExpression>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace {

QString nameOf(const BoardRows &board, int block)
{
    return QString::fromUtf8(board.blocks[std::size_t(block)].name);
}

/// The positions a block's kind has, as the error names them.
QString positionsOf(const BlockRow &block)
{
    switch (block.kind) {
    case BlockKind::TwoPin:
        return QStringLiteral("open or closed");
    case BlockKind::ThreePin:
        return QStringLiteral("1-2 or 2-3");
    case BlockKind::Header: {
        QStringList pairs;
        for (const char *pair : block.pairs)
            pairs << QString::fromUtf8(pair);
        return QStringLiteral("its closed pairs of %1 joined by + (\"%2\"), or none")
            .arg(pairs.join(QStringLiteral(", ")), pairs.join(u'+'));
    }
    case BlockKind::Dip:
        return QStringLiteral("%1 words on or off joined by commas").arg(block.pins.size());
    }
    return {};
}

std::optional<PinSet> positionOf(const BlockRow &block, const QString &written)
{
    const QString value = written.toLower();
    switch (block.kind) {
    case BlockKind::TwoPin:
        if (value == QLatin1String("open") || value == QLatin1String("closed"))
            return value == QLatin1String("closed") ? 0b11 : 0;
        return std::nullopt;
    case BlockKind::ThreePin:
        if (value == QLatin1String("1-2") || value == QLatin1String("2-3"))
            return threePinSet(value == QLatin1String("1-2") ? Position::OneTwo : Position::TwoThree);
        return std::nullopt;
    case BlockKind::Header: {
        if (value == QLatin1String("none") || value == QLatin1String("open"))
            return 0;
        PinSet pins = 0;
        for (const QString &pair : written.split(u'+')) {
            std::size_t k = 0;
            while (k < block.pairs.size() && pair.compare(QString::fromUtf8(block.pairs[k]), Qt::CaseInsensitive) != 0)
                ++k;
            if (k == block.pairs.size())
                return std::nullopt;
            pins |= PinSet(0b11) << (2 * k);
        }
        return pins;
    }
    case BlockKind::Dip: {
        const QStringList switches = value.split(u',');
        if (std::size_t(switches.size()) != block.pins.size())
            return std::nullopt;
        PinSet pins = 0;
        for (qsizetype i = 0; i < switches.size(); ++i) {
            if (switches[i] != QLatin1String("on") && switches[i] != QLatin1String("off"))
                return std::nullopt;
            if (switches[i] == QLatin1String("on"))
                pins |= PinSet(1) << i;
        }
        return pins;
    }
    }
    return std::nullopt;
}

/// The pins the given positions cover, as the board's pins would show them; a pin of a block not
/// given shows neither colour, so its block shows no position.
PinColors pinsGiven(const BoardRows &board, const std::map<int, PinSet> &given)
{
    return [&board, &given](const char *pin) -> Color {
        for (const auto &[b, pins] : given) {
            const BlockRow &block = board.blocks[std::size_t(b)];
            for (std::size_t i = 0; i < block.pins.size(); ++i) {
                if (std::string_view(block.pins[i]) == pin)
                    return (pins >> i) & 1 ? JumperOnColor : JumperOffColor;
            }
        }
        return ~JumperOnColor & ~JumperOffColor & 0xFFFFFF;
    };
}

/// The positions a group's blocks are given, in the group's order; none when one is left out.
std::optional<std::vector<PinSet>> groupGiven(std::span<const int> blocks, const std::map<int, PinSet> &given)
{
    std::vector<PinSet> positions;
    for (const int b : blocks) {
        const auto it = given.find(b);
        if (it == given.end())
            return std::nullopt;
        positions.push_back(it->second);
    }
    return positions;
}

QString notGiven(const BoardRows &board, std::span<const int> blocks, const std::map<int, PinSet> &given)
{
    QStringList missing;
    for (const int b : blocks) {
        if (!given.count(b))
            missing << nameOf(board, b);
    }
    if (std::size_t(missing.size()) == blocks.size())
        return QStringLiteral("not given");
    return QStringLiteral("not given (%1 left out)").arg(missing.join(QStringLiteral(", ")));
}

BoardIdentification failed(const QString &why)
{
    BoardIdentification identification;
    identification.error = why;
    return identification;
}

} // namespace

BoardIdentification identifyBoardPositions(const QString &text)
{
    const BoardRows &board = boardInUse();
    std::map<int, PinSet> given;
    const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    QStringList names;
    for (const BlockRow &block : board.blocks)
        names << QString::fromUtf8(block.name);
    if (names.isEmpty())
        return failed(QStringLiteral("--identify: this board has no jumper blocks"));
    for (const QString &word : words) {
        const qsizetype equals = word.indexOf(u'=');
        const QString name = word.left(equals);
        qsizetype b = -1;
        for (qsizetype i = 0; i < names.size() && b < 0; ++i) {
            if (names[i].compare(name, Qt::CaseInsensitive) == 0)
                b = i;
        }
        if (equals < 0 || b < 0)
            return failed(QStringLiteral("--identify: %1 is not BLOCK=POSITION for a block of this board (%2)")
                              .arg(shownText(word), names.join(QStringLiteral(", "))));
        if (given.count(int(b)))
            return failed(QStringLiteral("--identify: %1 is given twice").arg(names[b]));
        const BlockRow &block = board.blocks[std::size_t(b)];
        const auto position = positionOf(block, word.mid(equals + 1));
        if (!position)
            return failed(
                QStringLiteral("--identify: %1: %2 is %3").arg(shownText(word), names[b], positionsOf(block)));
        given.emplace(int(b), *position);
    }
    if (given.empty())
        return failed(QStringLiteral("--identify: the text names no block of this board (%1)")
                          .arg(names.join(QStringLiteral(", "))));

    BoardIdentification result;
    std::vector<std::pair<QString, QString>> lines;
    const PinColors pins = pinsGiven(board, given);
    for (const MeaningRow &meaning : board.meanings) {
        const QString label = QString::fromUtf8(meaning.label);
        if (!groupGiven(meaning.blocks, given)) {
            lines.emplace_back(label, notGiven(board, meaning.blocks, given));
        } else if (const ValueRow *value = meaningValueShown(pins, meaning)) {
            lines.emplace_back(label, QString::fromUtf8(value->text));
        } else {
            result.documented = false;
            lines.emplace_back(label, meaningPositionsText(pins, meaning)); // "...: not a documented ... setting"
        }
    }
    for (const ReadingRow &reading : board.readings)
        lines.emplace_back(QString::fromUtf8(reading.label), readingFigureText(pins, reading));
    for (const Selector &selector : selectors()) {
        const QString title = QString::fromUtf8(selector.row->title);
        const auto positions = groupGiven(selector.row->blocks, given);
        if (!positions) {
            lines.emplace_back(title, QStringLiteral("not known (not every block of the list given)"));
            continue;
        }
        QStringList entries;
        for (std::size_t i = 0; i < selector.entries.size(); ++i) {
            const SelectorEntry &e = selector.entries[i];
            if (std::equal(e.positions.begin(), e.positions.end(), positions->begin(), positions->end()))
                entries << QStringLiteral("%1 \"%2\"").arg(i).arg(QString::fromUtf8(e.text));
        }
        lines.emplace_back(title,
                           entries.isEmpty() ? QStringLiteral("none in the list") : entries.join(QStringLiteral(", ")));
    }
    qsizetype width = 0;
    for (const auto &line : lines)
        width = std::max(width, line.first.size() + 1);
    for (const auto &[label, value] : lines)
        result.report += (label + u':').leftJustified(width + 1) + value + u'\n';
    return result;
}
