// The guide as a table in three formats, read from the jumper tables, and a position as it writes it.
#include "jumperguide.h"

#include "cpujumpertable.h"
#include "cpusettings.h"
#include "jumperblocks.h"
#include "jumperwords.h"
#include "powersdramtables.h"
#include "selection.h"
#include "selectorcatalogue.h"

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

/// JP7, JP8, JP9, JP4, JP5, JP6, then "JP3 A" to "JP3 D".
QStringList cpuBlockNames()
{
    QStringList names;
    for (const ThreePinBlock &b : cpuBlocks())
        names << QString::fromLatin1(b.name);
    for (const Jp3Position &p : jp3Positions())
        names << QStringLiteral("JP3 ") + QString::fromLatin1(p.letter);
    return names;
}

Section cpuSection()
{
    const Selector &selector = cpuSelector();
    Section s{QStringLiteral("CPU type"), cpuBlockNames(), {}};
    int position = 0;
    for (const SelectorEntry &e : selector.entries) {
        GuideRow row{position++, QString::fromLatin1(e.text), {}};
        if (const auto r = findCpuJumperRow(selectionCode(selector.list, e.itemCode))) {
            for (Position p : cpuBlockPositions(*r))
                row.blocks << positionText(p);
            for (Contact c : jp3Contacts(*r))
                row.blocks << contactText(c);
        }
        s.rows.push_back(row);
    }
    return s;
}

Section boardSection(const QString &title, const BoardJumper &jumper)
{
    Section s{title, {QString::fromLatin1(jumper.block.name)}, {}};
    int position = 0;
    for (const SelectorEntry &e : jumper.selector.entries) {
        GuideRow row{position++, QString::fromLatin1(e.text), {}};
        if (const auto r = findBoardJumperRow(jumper, selectionCode(jumper.selector.list, e.itemCode)))
            row.blocks << positionText(r->position);
        s.rows.push_back(row);
    }
    return s;
}

Section busClockSection()
{
    Section s{QStringLiteral("Bus clock"), cpuBlockNames().mid(0, 3), {}, false};
    for (const BusClockSetting &setting : busClockSettings()) {
        GuideRow row{-1, busClockText(setting.megahertz), {}};
        for (Position p : setting.positions)
            row.blocks << positionText(p);
        s.rows.push_back(row);
    }
    return s;
}

Section multiplierSection()
{
    Section s{QStringLiteral("Multiplier"), cpuBlockNames().mid(3, 3), {}, false};
    for (const MultiplierSetting &setting : multiplierSettings()) {
        GuideRow row{-1, multiplierText(setting.tenths), {}};
        for (Position p : setting.positions)
            row.blocks << positionText(p);
        s.rows.push_back(row);
    }
    return s;
}

Section voltageSection()
{
    Section s{QStringLiteral("Core voltage"), cpuBlockNames().mid(6), {}, false};
    for (const VoltageSetting &setting : voltageSettings()) {
        GuideRow row{-1, voltageText(setting.centivolts), {}};
        for (Contact c : setting.contacts)
            row.blocks << contactText(c);
        s.rows.push_back(row);
    }
    return s;
}

/// The three lists, then what the CPU's blocks stand for.
std::vector<Section> guideSections()
{
    return {cpuSection(),
            boardSection(QStringLiteral("Power supply"), powerJumper()),
            boardSection(QStringLiteral("SDRAM clock"), sdramJumper()),
            busClockSection(),
            multiplierSection(),
            voltageSection()};
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
/// what the CPU's blocks stand for fill the CPU list's columns of their blocks and have no position.
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
