// velmor-boardgen DESCRIPTION OUTPUT.cpp: writes the rows of a sound description as C++ constants
// and the function builtinBoardRows() that returns them. A description with problems writes
// nothing: its problems go to standard error, and the build stops.
#include "boardfile/boardreader.h"
#include "boardfile/describedrows.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

/// A C++ string literal of the text: printable ASCII as it is, anything else as an octal escape,
/// which unlike a hexadecimal one cannot run into the characters after it.
QByteArray literal(const char *text)
{
    QByteArray out = "\"";
    for (const char *c = text; *c; ++c) {
        const auto byte = static_cast<unsigned char>(*c);
        if (byte == '"' || byte == '\\')
            out += '\\' + QByteArray(1, char(byte));
        else if (byte >= 0x20 && byte < 0x7F)
            out += char(byte);
        else
            out += '\\' + QByteArray::number(byte, 8).rightJustified(3, '0');
    }
    return out + '"';
}

QByteArray color(Color c)
{
    return "0x" + QByteArray::number(c, 16).toUpper().rightJustified(isSystemColor(c) ? 8 : 6, '0');
}

QByteArray number(int n)
{
    return QByteArray::number(n);
}

QByteArray shapeKind(ShapeKind k)
{
    static const char *const Names[] = {"Rectangle", "Square", "Oval", "Circle", "RoundedRectangle", "RoundedSquare"};
    return QByteArray("ShapeKind::") + Names[int(k)];
}

QByteArray fillStyle(FillStyle f)
{
    static const char *const Names[] = {"Transparent", "Solid", "DiagonalCross"};
    return QByteArray("FillStyle::") + Names[int(f)];
}

QByteArray drawMode(DrawMode m)
{
    static const char *const Names[] = {"Copy", "Black", "Nand"};
    return QByteArray("DrawMode::") + Names[int(m)];
}

QByteArray lineStyle(LineStyle s)
{
    static const char *const Names[] = {"Solid", "Dotted"};
    return QByteArray("LineStyle::") + Names[int(s)];
}

QByteArray flags(unsigned f)
{
    QByteArrayList names;
    if (f & Opaque)
        names << "Opaque";
    if (f & WordWrap)
        names << "WordWrap";
    if (f & Border)
        names << "Border";
    if (f & Centre)
        names << "Centre";
    return names.isEmpty() ? QByteArray("0") : names.join(" | ");
}

QByteArray row(const QByteArrayList &fields)
{
    return "    {" + fields.join(", ") + "},\n";
}

QByteArray shape(const ShapeRow &s)
{
    return row({number(s.rank), literal(s.name), number(s.left), number(s.top), number(s.width), number(s.height),
                shapeKind(s.kind), fillStyle(s.fillStyle), color(s.fillColor), color(s.borderColor),
                number(s.borderWidth), s.opaque ? "true" : "false", color(s.backColor), drawMode(s.drawMode),
                number(s.index)});
}

/// A constant array of the rows, or none for no rows (a span of nothing then stands in for it).
template<typename Rows, typename Write>
QByteArray table(const char *type, const char *name, const Rows &rows, Write write)
{
    if (rows.empty())
        return {};
    QByteArray out = QByteArray("constexpr ") + type + ' ' + name + "[] = {\n";
    for (const auto &r : rows)
        out += write(r);
    return out + "};\n\n";
}

QByteArray spanOf(const char *name, std::size_t size)
{
    return size == 0 ? QByteArray("{}") : QByteArray(name);
}

/// Spans of rows are written as parts of one flat table each: the table's items, and the place
/// of each part in it.
template<typename Item>
struct FlatTable {
    const char *name;
    QByteArrayList items;

    QByteArray part(std::span<const Item> span, QByteArray (*write)(const Item &))
    {
        if (span.empty())
            return "{}";
        const QByteArray at = QByteArray(name) + " + " + number(int(items.size())) + ", " + number(int(span.size()));
        for (const Item &item : span)
            items << write(item);
        return "{" + at + "}";
    }

    QByteArray declaration(const char *type) const
    {
        if (items.isEmpty())
            return {};
        QByteArray out = QByteArray("constexpr ") + type + ' ' + name + "[] = {";
        for (qsizetype i = 0; i < items.size(); ++i)
            out += (i % 8 == 0 ? "\n    " : " ") + items[i] + ',';
        return out + "\n};\n\n";
    }
};

QByteArray textItem(const char *const &t)
{
    return literal(t);
}

QByteArray indexItem(const int &i)
{
    return number(i);
}

QByteArray pinSetItem(const PinSet &p)
{
    return "0x" + QByteArray::number(qulonglong(p), 16).toUpper();
}

QByteArray optional(const char *t)
{
    return t ? literal(t) : QByteArray("nullptr");
}

QByteArray amount(double d)
{
    return QByteArray::number(d, 'g', QLocale::FloatingPointShortest);
}

QByteArray blockKind(BlockKind k)
{
    static const char *const Names[] = {"TwoPin", "ThreePin", "Header", "Dip"};
    return QByteArray("BlockKind::") + Names[int(k)];
}

/// The jumper rows: blocks, the positions lists and meanings set, readings.
QByteArray jumpers(const BoardRows &b)
{
    FlatTable<const char *> names{"PinNames", {}};
    FlatTable<int> indexes{"BlockIndexes", {}};
    FlatTable<PinSet> sets{"PinSets", {}};
    QByteArrayList blocks;
    for (const BlockRow &r : b.blocks)
        blocks << row(
            {literal(r.name), blockKind(r.kind), names.part(r.pins, textItem), names.part(r.pairs, textItem)});
    QByteArrayList entries;
    QByteArrayList lists;
    for (const ListRow &l : b.lists) {
        const QByteArray at = "{Entries + " + number(int(entries.size())) + ", " + number(int(l.entries.size())) + "}";
        for (const EntryRow &e : l.entries)
            entries << row({literal(e.text), number(e.itemCode), optional(e.word), sets.part(e.positions, pinSetItem)});
        lists << row({literal(l.name), literal(l.title), optional(l.option), indexes.part(l.blocks, indexItem), at,
                      number(l.defaultPosition)});
    }
    QByteArrayList values;
    QByteArrayList meanings;
    for (const MeaningRow &m : b.meanings) {
        const QByteArray at = "{Values + " + number(int(values.size())) + ", " + number(int(m.values.size())) + "}";
        for (const ValueRow &v : m.values)
            values << row({amount(v.value), literal(v.text), amount(v.amount), sets.part(v.positions, pinSetItem)});
        meanings << row({literal(m.name), literal(m.label), optional(m.option), indexes.part(m.blocks, indexItem), at});
    }
    QByteArrayList readings;
    FlatTable<int> products{"Products", {}};
    for (const ReadingRow &r : b.readings)
        readings << row({literal(r.label), products.part(r.product, indexItem), literal(r.unit)});

    QByteArray out = names.declaration("const char *const") + indexes.declaration("int") + products.declaration("int")
        + sets.declaration("PinSet");
    const auto rows = [&out](const char *type, const char *name, const QByteArrayList &items) {
        if (!items.isEmpty())
            out += QByteArray("constexpr ") + type + ' ' + name + "[] = {\n" + items.join() + "};\n\n";
    };
    rows("BlockRow", "Blocks", blocks);
    rows("EntryRow", "Entries", entries);
    rows("ListRow", "Lists", lists);
    rows("ValueRow", "Values", values);
    rows("MeaningRow", "Meanings", meanings);
    rows("ReadingRow", "Readings", readings);
    return out;
}

QByteArray source(const BoardRows &b)
{
    QByteArray out = "// Made by velmor-boardgen from the board's description; edit the description, not this file.\n"
                     "#include \"boarddata/catalogues.h\"\n\nnamespace {\n\n// clang-format off\n";
    out += table("FontRow", "Fonts", b.fonts, [](const FontRow &f) {
        return row({literal(f.family), number(f.pixelSize), number(f.weight), number(f.lineHeight)});
    });
    out += table("LabelRow", "Labels", b.labels, [](const LabelRow &l) {
        return row({number(l.rank), literal(l.name), literal(l.caption), literal(l.toolTip), number(l.left),
                    number(l.top), number(l.width), number(l.height), color(l.textColor), number(l.font),
                    flags(l.flags), color(l.backColor)});
    });
    out += table("ShapeRow", "Pins", b.pins, shape);
    out += table("ShapeRow", "Shapes", b.shapes, shape);
    out += table("LineRow", "Lines", b.lines, [](const LineRow &l) {
        return row({number(l.rank), literal(l.name), number(l.x1), number(l.y1), number(l.x2), number(l.y2),
                    color(l.color), lineStyle(l.style), number(l.index)});
    });
    out += table("ImageRow", "Images", b.images, [](const ImageRow &i) {
        return row({number(i.rank), literal(i.name), number(i.left), number(i.top), number(i.width), number(i.height),
                    literal(i.picture)});
    });
    out += table("ControlRow", "Controls", b.controls, [](const ControlRow &c) {
        return row({number(c.rank), literal(c.name),
                    c.kind == ControlKind::List ? "ControlKind::List" : "ControlKind::Button", number(c.left),
                    number(c.top), number(c.width), number(c.height), number(c.fontPixels), c.bold ? "true" : "false",
                    color(c.background), color(c.text), number(c.tabIndex), literal(c.caption),
                    literal(c.accessibleName)});
    });
    out += jumpers(b);
    out += "constexpr BoardRows Builtin{\n    " + literal(b.caption) + ", " + number(b.clientWidth) + ", "
        + number(b.clientHeight) + ", " + color(b.background) + ", " + optional(b.backgroundPicture) + ",\n    "
        + spanOf("Fonts", b.fonts.size()) + ", " + spanOf("Labels", b.labels.size()) + ", "
        + spanOf("Pins", b.pins.size()) + ", " + spanOf("Shapes", b.shapes.size()) + ", "
        + spanOf("Lines", b.lines.size()) + ", " + spanOf("Images", b.images.size()) + ", "
        + spanOf("Controls", b.controls.size()) + ",\n    " + spanOf("Blocks", b.blocks.size()) + ", "
        + spanOf("Lists", b.lists.size()) + ", " + spanOf("Meanings", b.meanings.size()) + ", "
        + spanOf("Readings", b.readings.size()) + ",\n};\n";
    out += "// clang-format on\n\n} // namespace\n\nconst BoardRows &builtinBoardRows()\n{\n    return Builtin;\n}\n";
    return out;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fputs("usage: velmor-boardgen DESCRIPTION.toml OUTPUT.cpp\n", stderr);
        return 2;
    }
    const BoardReading reading = readBoardDescription(QString::fromLocal8Bit(argv[1]));
    if (!reading.sound()) {
        for (const QString &line : problemLines(reading))
            std::fprintf(stderr, "%s\n", qPrintable(line));
        return 1;
    }
    const DescribedRows rows(reading.description);
    QSaveFile out(QString::fromLocal8Bit(argv[2]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source(rows.rows())) < 0 || !out.commit()) {
        std::fprintf(stderr, "velmor-boardgen: cannot write %s: %s\n", argv[2], qPrintable(out.errorString()));
        return 1;
    }
    return 0;
}
