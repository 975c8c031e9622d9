// The guide as a table in three formats, and the current positions as a sentence.
#include "jumperguide.h"

#include "boardjumpertables.h"
#include "cpujumpertable.h"
#include "jumperblocks.h"
#include "selection.h"
#include "selectorcatalogue.h"

#include "layout/board.h"

#include <QStringList>

#include <algorithm>
#include <vector>

namespace {

QString positionText(Position p)
{
    return p == Position::OneTwo ? QStringLiteral("1-2") : QStringLiteral("2-3");
}

QString contactText(Contact c)
{
    return c == Contact::Closed ? QStringLiteral("closed") : QStringLiteral("open");
}

using Row = QStringList;

struct Section {
    QString title;
    Row header;
    std::vector<Row> rows;
};

/// One section per list; cells hold an entry's position, its exact text and its block positions.
std::vector<Section> guideSections()
{
    Section cpu{QStringLiteral("CPU type"), {QStringLiteral("Pos"), QStringLiteral("CPU type")}, {}};
    for (const ThreePinBlock &b : cpuBlocks())
        cpu.header << QString::fromLatin1(b.name);
    for (const Jp3Position &p : jp3Positions())
        cpu.header << QStringLiteral("JP3 ") + QString::fromLatin1(p.letter);
    int position = 0;
    for (const SelectorEntry &e : cpuSelector().entries) {
        Row row{QString::number(position++), QString::fromLatin1(e.text)};
        if (const auto r = findCpuJumperRow(selectionCode(cpuSelector().list, e.itemCode))) {
            for (Position p : cpuBlockPositions(*r))
                row << positionText(p);
            for (Contact c : jp3Contacts(*r))
                row << contactText(c);
        }
        cpu.rows.push_back(row);
    }

    std::vector<Section> sections{cpu};
    const auto boardSection = [&](const QString &title, const Selector &selector, const BoardJumper &jumper) {
        Section s{title, {QStringLiteral("Pos"), title, QString::fromLatin1(jumper.block.name)}, {}};
        int pos = 0;
        for (const SelectorEntry &e : selector.entries) {
            Row row{QString::number(pos++), QString::fromLatin1(e.text)};
            if (const auto r = findBoardJumperRow(jumper, selectionCode(selector.list, e.itemCode)))
                row << positionText(r->position);
            s.rows.push_back(row);
        }
        sections.push_back(s);
    };
    boardSection(QStringLiteral("Power supply"), powerSelector(), powerJumper());
    boardSection(QStringLiteral("SDRAM clock"), sdramSelector(), sdramJumper());
    return sections;
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

QString textSection(const Section &s)
{
    std::vector<qsizetype> widths(static_cast<std::size_t>(s.header.size()));
    const auto measure = [&](const Row &row, bool quoteText) {
        for (qsizetype i = 0; i < row.size(); ++i)
            widths[i] = std::max(widths[i], (i == 1 && quoteText ? quoted(row[i]) : row[i]).size());
    };
    measure(s.header, false);
    for (const Row &row : s.rows)
        measure(row, true);
    const auto line = [&](const Row &row, bool quoteText) {
        QString out;
        for (qsizetype i = 0; i < row.size(); ++i) {
            const QString cell = i == 1 && quoteText ? quoted(row[i]) : row[i];
            out += i == 0 ? cell.rightJustified(widths[i]) : cell.leftJustified(i + 1 < row.size() ? widths[i] : 0);
            if (i + 1 < row.size())
                out += QStringLiteral("  ");
        }
        return out + u'\n';
    };
    QString out = s.title + u'\n' + line(s.header, false);
    for (const Row &row : s.rows)
        out += line(row, true);
    return out;
}

QString markdownSection(const Section &s)
{
    const auto line = [](const Row &row) {
        QStringList cells;
        for (const QString &c : row)
            cells << QString(c).replace(u'|', QStringLiteral("\\|"));
        return QStringLiteral("| ") + cells.join(QStringLiteral(" | ")) + QStringLiteral(" |\n");
    };
    QString out = QStringLiteral("## ") + s.title + QStringLiteral("\n\n") + line(s.header);
    out += QStringLiteral("|") + QStringLiteral("---|").repeated(s.header.size()) + u'\n';
    for (Row row : s.rows) {
        row[1] = quoted(row[1]);
        out += line(row);
    }
    return out;
}

QString csvField(const QString &field)
{
    if (!field.contains(u',') && !field.contains(u'"') && !field.contains(u'\n') && field.trimmed() == field)
        return field;
    return u'"' + QString(field).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

/// One rectangular table: the list, the entry, then a column for every block.
QString csvTable(const std::vector<Section> &sections)
{
    const Section &cpu = sections.front();
    Row header{QStringLiteral("list"), QStringLiteral("position"), QStringLiteral("entry")};
    header += cpu.header.mid(2);
    for (std::size_t i = 1; i < sections.size(); ++i)
        header << sections[i].header.back();
    QString out;
    const auto line = [&](const Row &row) {
        QStringList fields;
        for (const QString &f : row)
            fields << csvField(f);
        out += fields.join(u',') + QStringLiteral("\r\n");
    };
    line(header);
    qsizetype column = 3;
    for (const Section &s : sections) {
        const qsizetype blocks = s.header.size() - 2;
        for (const Row &row : s.rows) {
            Row cells(header.size());
            cells[0] = s.title;
            cells[1] = row[0];
            cells[2] = row[1];
            for (qsizetype i = 0; i < blocks && 2 + i < row.size(); ++i)
                cells[column + i] = row[2 + i];
            line(cells);
        }
        column += blocks;
    }
    return out;
}

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
