// Integrity of the board's element catalogues: counts, stacking ranks, names, places and exact texts.
#include "boarddata/catalogues.h"

#include <QList>
#include <QRect>
#include <QTest>

#include <algorithm>
#include <map>
#include <vector>

namespace {

/// The three lists and two buttons hold ranks 0 to 4; the drawn elements follow them.
constexpr int ControlCount = 5;
constexpr int ElementCount = 237;
constexpr QRect ClientArea(0, 0, 7695, 7500);

/// The hint text is the one caption without a tool tip that is not drawn in button text.
constexpr const char *HintLabel = "Label52";
constexpr Color HintColor = 0x404040;

/// A drawn element as far as ranks, names and places go.
struct Element {
    int rank;
    QByteArray name;
    int index;
    QRect box;
};

std::vector<ShapeRow> allShapes()
{
    std::vector<ShapeRow> shapes(outlineShapeCatalogue().begin(), outlineShapeCatalogue().end());
    shapes.insert(shapes.end(), pinCatalogue().begin(), pinCatalogue().end());
    return shapes;
}

std::vector<Element> allElements()
{
    std::vector<Element> elements;
    for (const LabelRow &l : labelCatalogue())
        elements.push_back({l.rank, l.name, -1, QRect(l.left, l.top, l.width, l.height)});
    for (const ShapeRow &s : allShapes())
        elements.push_back({s.rank, s.name, s.index, QRect(s.left, s.top, s.width, s.height)});
    for (const LineRow &l : lineCatalogue()) {
        const QRect box = QRect(QPoint(l.x1, l.y1), QPoint(l.x2, l.y2)).normalized();
        elements.push_back({l.rank, l.name, l.index, box});
    }
    for (const ImageRow &i : imageCatalogue())
        elements.push_back({i.rank, i.name, -1, QRect(i.left, i.top, i.width, i.height)});
    return elements;
}

template<typename Rows, typename Predicate>
int countOf(const Rows &rows, Predicate predicate)
{
    return int(std::count_if(rows.begin(), rows.end(), predicate));
}

template<typename Rows>
bool inRankOrder(const Rows &rows)
{
    return std::is_sorted(rows.begin(), rows.end(), [](const auto &a, const auto &b) { return a.rank < b.rank; });
}

const LabelRow *findLabel(const QByteArray &name)
{
    const auto labels = labelCatalogue();
    const auto it = std::find_if(labels.begin(), labels.end(), [&](const LabelRow &l) { return name == l.name; });
    return it == labels.end() ? nullptr : &*it;
}

} // namespace

class TestCatalogues : public QObject
{
    Q_OBJECT

private slots:
    void counts_data();
    void counts();
    void labelColorFollowsToolTip_data();
    void labelColorFollowsToolTip();
    void ranksCoverEveryPlaceOnce();
    void namesUniqueBarIndexedPairs();
    void catalogueInRankOrder_data();
    void catalogueInRankOrder();
    void elementInsideClientArea_data();
    void elementInsideClientArea();
    void textKeepsItsBlanks_data();
    void textKeepsItsBlanks();
};

void TestCatalogues::counts_data()
{
    QTest::addColumn<int>("actual");
    QTest::addColumn<int>("expected");

    const auto labels = labelCatalogue();
    const auto shapes = allShapes();
    const auto lines = lineCatalogue();
    const auto kind = [](ShapeKind k) { return [k](const ShapeRow &s) { return s.kind == k; }; };
    const auto fill = [](FillStyle f) { return [f](const ShapeRow &s) { return s.fillStyle == f; }; };
    const auto mode = [](DrawMode m) { return [m](const ShapeRow &s) { return s.drawMode == m; }; };
    const auto flag = [](LabelFlag f) { return [f](const LabelRow &l) { return (l.flags & f) != 0; }; };
    const auto hasToolTip = [](const LabelRow &l) { return *l.toolTip != '\0'; };
    const auto opaque = [](const ShapeRow &s) { return s.opaque; };
    const auto wideBorder = [](const ShapeRow &s) { return s.borderWidth == 2; };
    const auto dotted = [](const LineRow &l) { return l.style == LineStyle::Dotted; };

    QTest::newRow("labels") << int(labels.size()) << 72;
    QTest::newRow("labels with a tool tip") << countOf(labels, hasToolTip) << 46;
    QTest::newRow("opaque labels") << countOf(labels, flag(Opaque)) << 3;
    QTest::newRow("word-wrapped labels") << countOf(labels, flag(WordWrap)) << 5;
    QTest::newRow("bordered labels") << countOf(labels, flag(Border)) << 1;
    QTest::newRow("centred labels") << countOf(labels, flag(Centre)) << 2;
    QTest::newRow("shapes, outline and pins") << int(shapes.size()) << 119;
    QTest::newRow("rectangles") << countOf(shapes, kind(ShapeKind::Rectangle)) << 106;
    QTest::newRow("squares") << countOf(shapes, kind(ShapeKind::Square)) << 8;
    QTest::newRow("rounded rectangles") << countOf(shapes, kind(ShapeKind::RoundedRectangle)) << 3;
    QTest::newRow("circles") << countOf(shapes, kind(ShapeKind::Circle)) << 2;
    QTest::newRow("transparent fills") << countOf(shapes, fill(FillStyle::Transparent)) << 42;
    QTest::newRow("solid fills") << countOf(shapes, fill(FillStyle::Solid)) << 74;
    QTest::newRow("diagonal-cross fills") << countOf(shapes, fill(FillStyle::DiagonalCross)) << 3;
    QTest::newRow("opaque shapes") << countOf(shapes, opaque) << 7;
    QTest::newRow("two-pixel borders") << countOf(shapes, wideBorder) << 4;
    QTest::newRow("black draw mode") << countOf(shapes, mode(DrawMode::Black)) << 2;
    QTest::newRow("nand draw mode") << countOf(shapes, mode(DrawMode::Nand)) << 1;
    QTest::newRow("lines") << int(lines.size()) << 40;
    QTest::newRow("dotted lines") << countOf(lines, dotted) << 16;
    QTest::newRow("images") << int(imageCatalogue().size()) << 1;
}

void TestCatalogues::counts()
{
    QFETCH(int, actual);
    QFETCH(int, expected);
    QCOMPARE(actual, expected);
}

void TestCatalogues::labelColorFollowsToolTip_data()
{
    QTest::addColumn<bool>("hasToolTip");
    QTest::addColumn<uint>("textColor");
    QTest::addColumn<bool>("isHint");

    for (const LabelRow &l : labelCatalogue())
        QTest::addRow("%s", l.name) << (*l.toolTip != '\0') << uint(l.textColor) << (QByteArray(l.name) == HintLabel);
}

void TestCatalogues::labelColorFollowsToolTip()
{
    QFETCH(bool, hasToolTip);
    QFETCH(uint, textColor);
    QFETCH(bool, isHint);

    if (hasToolTip) {
        const QList<uint> reds{0x0000FF, 0x0000C0, 0xC0C0FF};
        const QString shown = QStringLiteral("text color 0x%1").arg(textColor, 6, 16, QLatin1Char('0'));
        QVERIFY2(reds.contains(textColor), qPrintable(shown));
        return;
    }
    QCOMPARE(textColor, uint(isHint ? HintColor : ButtonText));
}

void TestCatalogues::ranksCoverEveryPlaceOnce()
{
    std::vector<QByteArrayList> holders(ElementCount);
    for (int rank = 0; rank < ControlCount; ++rank)
        holders[rank] << "control";
    for (const Element &e : allElements()) {
        QVERIFY2(e.rank >= ControlCount && e.rank < ElementCount, e.name.constData());
        holders[e.rank] << e.name;
    }
    for (int rank = 0; rank < ElementCount; ++rank) {
        const QByteArray shown = "rank " + QByteArray::number(rank) + " held by [" + holders[rank].join(", ") + "]";
        QVERIFY2(holders[rank].size() == 1, shown.constData());
    }
}

void TestCatalogues::namesUniqueBarIndexedPairs()
{
    std::map<QByteArray, QList<int>> indexesByName;
    for (const Element &e : allElements())
        indexesByName[e.name] << e.index;

    const std::map<QByteArray, QList<int>> indexedPairs{{"Shape11", {0, 1}}, {"Line16", {0, 2}}};
    for (auto &[name, indexes] : indexesByName) {
        std::sort(indexes.begin(), indexes.end());
        const auto pair = indexedPairs.find(name);
        const QList<int> expected = pair == indexedPairs.end() ? QList<int>{-1} : pair->second;
        QVERIFY2(indexes == expected, name.constData());
    }
    for (const auto &[name, indexes] : indexedPairs)
        QVERIFY2(indexesByName.count(name) == 1, name.constData());
}

void TestCatalogues::catalogueInRankOrder_data()
{
    QTest::addColumn<bool>("ordered");

    QTest::newRow("labels") << inRankOrder(labelCatalogue());
    QTest::newRow("outline shapes") << inRankOrder(outlineShapeCatalogue());
    QTest::newRow("lines") << inRankOrder(lineCatalogue());
}

void TestCatalogues::catalogueInRankOrder()
{
    QFETCH(bool, ordered);
    QVERIFY(ordered);
}

void TestCatalogues::elementInsideClientArea_data()
{
    QTest::addColumn<QRect>("box");

    for (const Element &e : allElements())
        QTest::addRow("%s rank %d", e.name.constData(), e.rank) << e.box;
}

void TestCatalogues::elementInsideClientArea()
{
    QFETCH(QRect, box);
    QVERIFY(box.width() > 0 && box.height() > 0);
    QVERIFY(ClientArea.contains(box));
}

void TestCatalogues::textKeepsItsBlanks_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("isCaption");
    QTest::addColumn<QByteArray>("expected");
    QTest::addColumn<int>("length");

    QTest::newRow("Label26 tip, doubled and trailing blank")
        << QByteArray("Label26") << false << QByteArray("The interface will support from  8MB up to 768MB SDRAM. ")
        << 56;
    QTest::newRow("Label21 tip, doubled and trailing blank")
        << QByteArray("Label21") << false << QByteArray("The ECP/EPP Parallel port  Connector for Printer ") << 49;
    QTest::newRow("Label52 caption, doubled blank")
        << QByteArray("Label52") << true
        << QByteArray("Please read the tiptext on the red-colored texts by moving the mouse pointer  over the texts.")
        << 93;
    QTest::newRow("Label67 tip, trailing blank")
        << QByteArray("Label67") << false << QByteArray("Pin 9 (Ground) ") << 15;
    QTest::newRow("Label58 tip, trailing blank")
        << QByteArray("Label58") << false << QByteArray("Power LED indicator ") << 20;
    QTest::newRow("Label24 tip, trailing blank")
        << QByteArray("Label24") << false << QByteArray("168 pins 3.3v un-buffered or 3.3V EDO SDRAM ") << 44;
    QTest::newRow("Label20 tip, inch marks")
        << QByteArray("Label20") << false << QByteArray("The connector for Floppy Drives ( 3 1/2\" and 5 1/4\" ) .")
        << 55;
}

void TestCatalogues::textKeepsItsBlanks()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, isCaption);
    QFETCH(QByteArray, expected);
    QFETCH(int, length);

    const LabelRow *label = findLabel(name);
    QVERIFY(label);
    const QByteArray text(isCaption ? label->caption : label->toolTip);
    QCOMPARE(text, expected);
    QCOMPARE(int(text.size()), length);
}

QTEST_GUILESS_MAIN(TestCatalogues)
#include "tst_catalogues.moc"
