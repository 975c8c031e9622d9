// The guide as a table in three formats, read from the board's lists and meanings.
#include "jumperguide.h"

#include "jumperprocedures.h"
#include "jumperwords.h"
#include "selection.h"
#include "selectorcatalogue.h"

#include "boarddata/catalogues.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

/// One entry of a list: its list position, its exact text, and the position of each of the
/// list's blocks as its table row gives it (none for a code without a row). A documented value of
/// a group of blocks fills the same fields: no position (-1), its text, its blocks' positions.
struct GuideRow {
    int position;
    QString entry;
    QStringList blocks;
};

/// One list, or one table of what a group of blocks stands for: its title, which also heads its
/// entry column, the names of its blocks, its rows. A table's rows are values, not list entries:
/// they have no list position, and their text is not quoted.
struct Section {
    QString title;
    QStringList blockNames;
    std::vector<GuideRow> rows;
    bool listEntries = true;
};

/// The columns of a block: its name, or for a header "JP3 A" to "JP3 D" (a pair each), for a dip
/// block "SW1 1" to "SW1 4" (a switch each).
QStringList columnsOf(const BlockRow &block)
{
    const QString name = QString::fromUtf8(block.name);
    QStringList columns;
    switch (block.kind) {
    case BlockKind::TwoPin:
    case BlockKind::ThreePin:
        return {name};
    case BlockKind::Header:
        for (const char *pair : block.pairs)
            columns << name + u' ' + QString::fromUtf8(pair);
        return columns;
    case BlockKind::Dip:
        for (std::size_t i = 0; i < block.pins.size(); ++i)
            columns << name + u' ' + QString::number(i + 1);
        return columns;
    }
    return columns;
}

/// A block's position in the cells of its columns: "1-2"; "closed"; "open" or "closed" for each
/// pair; "on" or "off" for each switch.
QStringList cellsOf(const BlockRow &block, PinSet position)
{
    QStringList cells;
    switch (block.kind) {
    case BlockKind::TwoPin:
        return {contactText(position ? Contact::Closed : Contact::Open)};
    case BlockKind::ThreePin:
        return {positionText(threePinPosition(position))};
    case BlockKind::Header:
        for (std::size_t pair = 0; pair < block.pairs.size(); ++pair)
            cells << contactText(pairContact(position, pair));
        return cells;
    case BlockKind::Dip:
        for (std::size_t i = 0; i < block.pins.size(); ++i)
            cells << ((position >> i) & 1 ? QStringLiteral("on") : QStringLiteral("off"));
        return cells;
    }
    return cells;
}

QStringList columnsOf(std::span<const int> blocks)
{
    QStringList columns;
    for (const int b : blocks)
        columns << columnsOf(boardInUse().blocks[std::size_t(b)]);
    return columns;
}

QStringList cellsOf(std::span<const int> blocks, std::span<const PinSet> positions)
{
    QStringList cells;
    for (std::size_t b = 0; b < blocks.size(); ++b)
        cells << cellsOf(boardInUse().blocks[std::size_t(blocks[b])], positions[b]);
    return cells;
}

/// A list: each entry with the positions of its case (none for a code without one).
Section listSection(const Selector &selector)
{
    Section s{QString::fromUtf8(selector.row->title), columnsOf(selector.row->blocks), {}};
    int position = 0;
    for (const SelectorEntry &e : selector.entries) {
        GuideRow row{position++, QString::fromUtf8(e.text), {}};
        if (const SelectorEntry *chosen = caseOf(selector, selectionCode(selector.list, e.itemCode)))
            row.blocks = cellsOf(selector.row->blocks, chosen->positions);
        s.rows.push_back(row);
    }
    return s;
}

/// What a group of blocks stands for: each value with its positions.
Section meaningSection(const MeaningRow &meaning)
{
    Section s{QString::fromUtf8(meaning.label), columnsOf(meaning.blocks), {}, false};
    for (const ValueRow &v : meaning.values)
        s.rows.push_back({-1, QString::fromUtf8(v.text), cellsOf(meaning.blocks, v.positions)});
    return s;
}

/// The lists, then what groups of blocks stand for.
std::vector<Section> guideSections()
{
    std::vector<Section> sections;
    for (const Selector &selector : selectors())
        sections.push_back(listSection(selector));
    for (const MeaningRow &meaning : boardInUse().meanings)
        sections.push_back(meaningSection(meaning));
    return sections;
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

/// The cells of a section's heading line in the text and markdown tables.
QStringList headingCells(const Section &s)
{
    if (!s.listEntries)
        return QStringList{s.title} + s.blockNames;
    return QStringList{QStringLiteral("Pos"), s.title} + s.blockNames;
}

/// The cells of a row's line in the text and markdown tables; an entry's text is quoted so that
/// its blanks show.
QStringList entryCells(const Section &s, const GuideRow &row)
{
    if (!s.listEntries)
        return QStringList{row.entry} + row.blocks;
    return QStringList{QString::number(row.position), quoted(row.entry)} + row.blocks;
}

/// One line of cells padded to the column widths: the first (the list position) aligned right,
/// the others left, the last cell of the line not padded.
QString alignedLine(const QStringList &cells, const QList<qsizetype> &widths)
{
    QString out;
    for (qsizetype i = 0; i < cells.size(); ++i) {
        const bool last = i + 1 == cells.size();
        out += i == 0 ? cells[i].rightJustified(widths[i]) : cells[i].leftJustified(last ? 0 : widths[i]);
        if (!last)
            out += QStringLiteral("  ");
    }
    return out + u'\n';
}

QString textSection(const Section &s)
{
    std::vector<QStringList> lines{headingCells(s)};
    for (const GuideRow &row : s.rows)
        lines.push_back(entryCells(s, row));
    QList<qsizetype> widths(lines.front().size());
    for (const QStringList &cells : lines) {
        for (qsizetype i = 0; i < cells.size(); ++i)
            widths[i] = std::max(widths[i], cells[i].size());
    }
    QString out = s.title + u'\n';
    for (const QStringList &cells : lines)
        out += alignedLine(cells, widths);
    return out;
}

QString markdownLine(const QStringList &cells)
{
    QStringList escaped;
    for (const QString &c : cells)
        escaped << QString(c).replace(u'|', QStringLiteral("\\|"));
    return QStringLiteral("| ") + escaped.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
}

QString markdownSection(const Section &s)
{
    const QStringList heading = headingCells(s);
    QString out = QStringLiteral("## ") + s.title + QStringLiteral("\n\n") + markdownLine(heading);
    out += QStringLiteral("|") + QStringLiteral("---|").repeated(heading.size()) + u'\n';
    for (const GuideRow &row : s.rows)
        out += markdownLine(entryCells(s, row));
    return out;
}

QString csvField(const QString &field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && field.trimmed() == field)
        return field;
    return u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

QString csvLine(const QStringList &fields)
{
    QStringList quotedFields;
    for (const QString &f : fields)
        quotedFields << csvField(f);
    return quotedFields.join(u',') + QStringLiteral("\r\n");
}

/// One rectangular table: the list, the position and the exact entry text, then a column for
/// every block of every list; a list's entries leave the other lists' columns empty. The rows of
/// what groups of blocks stand for fill the columns of their blocks and have no position.
QString csvTable(const std::vector<Section> &sections)
{
    QStringList header{QStringLiteral("list"), QStringLiteral("position"), QStringLiteral("entry")};
    for (const Section &s : sections) {
        for (const QString &name : s.blockNames) {
            if (!header.contains(name))
                header << name;
        }
    }
    QString out = csvLine(header);
    for (const Section &s : sections) {
        for (const GuideRow &row : s.rows) {
            QStringList fields =
                QStringList{s.title, s.listEntries ? QString::number(row.position) : QString(), row.entry}
                + QStringList(header.size() - 3);
            for (qsizetype b = 0; b < row.blocks.size(); ++b)
                fields[header.indexOf(s.blockNames[b])] = row.blocks[b];
            out += csvLine(fields);
        }
    }
    return out;
}
} // namespace

QString jumperGuide(GuideFormat format)
{
    const std::vector<Section> sections = guideSections();
    switch (format) {
    case GuideFormat::Csv:
        return csvTable(sections);
    case GuideFormat::Text:
    case GuideFormat::Markdown:
        break;
    }
    QStringList parts;
    for (const Section &s : sections)
        parts << (format == GuideFormat::Text ? textSection(s) : markdownSection(s));
    return parts.join(u'\n');
}
