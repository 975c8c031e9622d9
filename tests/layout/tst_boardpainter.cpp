// Painting of the element kinds on small boards: figures, fills, draw modes, lines, stacking,
// and captions broken into lines.
#include "pixeltext.h"

#include "boarddata/catalogues.h"
#include "boardrows/elementerror.h"
#include "layout/board.h"
#include "layout/boardpainter.h"
#include "layout/captionlayout.h"
#include "layout/fonts.h"

#include <QPainter>
#include <QtTest>

namespace {

/// The board's "MS Serif" 6 pt, the font of most of its captions.
int smallSerif()
{
    const auto fonts = boardInUse().fonts;
    const auto it = std::find_if(fonts.begin(), fonts.end(), [](const FontRow &f) {
        return std::string_view(f.family) == "MS Serif" && f.pixelSize == 8;
    });
    return int(it - fonts.begin());
}

constexpr QRgb Field = qRgb(0xE7, 0xF7, 0xEF); // the pale green-grey of the board-guide picture

QImage fieldPicture()
{
    QImage picture(60, 60, QImage::Format_RGB32);
    picture.fill(Field);
    return picture;
}

QImage paint(const Board &board)
{
    QImage frame(60, 60, QImage::Format_RGB32);
    paintBoard(frame, board, frame.rect(), fieldPicture());
    return frame;
}

/// The width from the leftmost to the rightmost column that holds a pixel of ink in the area.
int inkWidth(const QImage &image, const QRect &area, QRgb ink)
{
    int left = area.right() + 1, right = area.left() - 1;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixel(x, y) == ink) {
                left = std::min(left, x);
                right = std::max(right, x);
            }
        }
    }
    return right - left + 1;
}

const LabelRow &catalogueLabel(const char *name)
{
    for (const LabelRow &l : labelCatalogue()) {
        if (qstrcmp(l.name, name) == 0)
            return l;
    }
    qFatal("no label %s", name);
}

// Boxes in twips: 15 twips to the pixel.
// clang-format off
constexpr ShapeRow Dimm[] = {
    {10, "Nand", 150, 150, 450, 150, ShapeKind::Rectangle, FillStyle::DiagonalCross, 0xC0C0C0, 0xC0C0C0, 1, false, WindowBackground, DrawMode::Nand},
    {11, "Black", 150, 450, 450, 150, ShapeKind::Rectangle, FillStyle::DiagonalCross, 0x808080, 0x808080, 1, false, WindowBackground, DrawMode::Black},
};
constexpr ShapeRow Figures[] = {
    {10, "Circle",  0,   0, 240, 360, ShapeKind::Circle, FillStyle::Solid, 0x0000FF},
    {11, "Square", 300,  0, 450, 360, ShapeKind::Square, FillStyle::Solid, 0x00FF00},
};
constexpr ShapeRow Pins[] = {   // two pins of a block, 75 twips apart: they share a border row
    {10, "pin1", 150, 225, 90, 90, ShapeKind::Square, FillStyle::Solid, 0x808080},
    {11, "pin2", 150, 150, 90, 90, ShapeKind::Square, FillStyle::Solid, 0xFFFFFF},
};
constexpr ShapeRow Stack[] = {  // same box; the lower rank lies on top
    {20, "under", 150, 150, 300, 300, ShapeKind::Rectangle, FillStyle::Solid, 0xFF0000},
    {10, "over",  150, 150, 300, 300, ShapeKind::Rectangle, FillStyle::Solid, 0x0000FF},
};
constexpr ShapeRow OpaqueBack[] = {
    {10, "back", 150, 150, 300, 300, ShapeKind::Rectangle, FillStyle::Transparent, 0, 0x000000, 1, true, 0x00FFFF},
};
constexpr LineRow Dotted[] = {
    {10, "dots", 0, 300, 900, 300, 0x000000, LineStyle::Dotted},
};
// clang-format on

} // namespace

class TestBoardPainter : public QObject
{
    Q_OBJECT

private slots:
    void drawModes();
    void squaresAndCirclesAreCentred();
    void touchingPinsKeepABorderBetween();
    void lowerRankLiesOnTop();
    void opaqueBackAndTransparentFill();
    void dottedLineLeavesGaps();
    void captionLines_data();
    void captionLines();
    void doubledBlankIsDrawn();
    void fillChangeAsksForRepaintOfTheBoxOnly();
    void unknownElementIsAnError();
};

void TestBoardPainter::drawModes()
{
    const QImage frame = paint(Board({}, Dimm, {}, {}));
    // nand: NOT(0xC0C0C0 AND 0xEFF7E7) on the outline; the hatch gaps keep the field.
    QCOMPARE(rgbHex(frame.pixel(10, 10)), QStringLiteral("3F3F3F"));
    // black: whatever the colors, every pixel drawn is black.
    QCOMPARE(rgbHex(frame.pixel(10, 30)), QStringLiteral("000000"));
    int nand = 0, field = 0, black = 0;
    for (int x = 11; x < 39; ++x) {
        for (int y = 11; y < 19; ++y) {
            nand += frame.pixel(x, y) == qRgb(0x3F, 0x3F, 0x3F);
            field += frame.pixel(x, y) == Field;
        }
        for (int y = 31; y < 39; ++y)
            black += frame.pixel(x, y) == qRgb(0, 0, 0);
    }
    QVERIFY2(nand > 0 && field > 0, "the hatch leaves gaps");
    QCOMPARE(nand + field, 28 * 8);
    QVERIFY(black > 0 && black < 28 * 8);
}

void TestBoardPainter::squaresAndCirclesAreCentred()
{
    const QImage frame = paint(Board({}, Figures, {}, {}));
    // Circle: box 16 x 24 px, figure 16 px across from y 4 to 20.
    QCOMPARE(frame.pixel(8, 12), qRgb(0xFF, 0, 0));
    QCOMPARE(frame.pixel(8, 2), Field);
    QCOMPARE(frame.pixel(8, 22), Field);
    // Square: box 30 x 24 px, figure 24 px wide from x 23 to 47.
    QCOMPARE(frame.pixel(35, 12), qRgb(0, 0xFF, 0));
    QCOMPARE(frame.pixel(21, 12), Field);
    QCOMPARE(frame.pixel(23, 12), qRgb(0, 0, 0));
    QCOMPARE(frame.pixel(46, 12), qRgb(0, 0, 0));
    QCOMPARE(frame.pixel(48, 12), Field);
}

void TestBoardPainter::touchingPinsKeepABorderBetween()
{
    const QImage frame = paint(Board({}, Pins, {}, {}));
    // pin2 rows 10..15, pin1 rows 15..20: row 15 is the border of both.
    QCOMPARE(frame.pixel(12, 12), qRgb(0xFF, 0xFF, 0xFF));
    QCOMPARE(frame.pixel(12, 15), qRgb(0, 0, 0));
    QCOMPARE(frame.pixel(12, 17), qRgb(0x80, 0x80, 0x80));
    QCOMPARE(frame.pixel(10, 17), qRgb(0, 0, 0));
}

void TestBoardPainter::lowerRankLiesOnTop()
{
    const QImage frame = paint(Board({}, Stack, {}, {}));
    QCOMPARE(frame.pixel(20, 20), qRgb(0xFF, 0, 0)); // "over", red
}

void TestBoardPainter::opaqueBackAndTransparentFill()
{
    const QImage frame = paint(Board({}, OpaqueBack, {}, {}));
    QCOMPARE(frame.pixel(20, 20), qRgb(0xFF, 0xFF, 0));
    QCOMPARE(frame.pixel(10, 20), qRgb(0, 0, 0));
}

void TestBoardPainter::dottedLineLeavesGaps()
{
    const QImage frame = paint(Board({}, {}, Dotted, {}));
    int dots = 0, gaps = 0;
    for (int x = 0; x < 60; ++x) {
        dots += frame.pixel(x, 20) == qRgb(0, 0, 0);
        gaps += frame.pixel(x, 20) == Field;
    }
    QVERIFY2(dots >= 20 && gaps >= 20, qPrintable(QStringLiteral("%1 dots, %2 gaps").arg(dots).arg(gaps)));
}

void TestBoardPainter::captionLines_data()
{
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<int>("width"); // of the box, in pixels
    QTest::addColumn<unsigned>("flags");
    QTest::addColumn<QStringList>("lines");
    const QFontMetrics &fm = captionMetrics(smallSerif());
    const auto w = [&fm](const char *text) { return fm.horizontalAdvance(QString::fromLatin1(text)); };
    const unsigned wrap = WordWrap;
    QTest::newRow("doubled blank kept inside a line")
        << QByteArray("ab  cd ef") << w("ab  cd") << wrap << QStringList{"ab  cd", "ef"};
    QTest::newRow("blanks where a line breaks dropped")
        << QByteArray("ab   cd") << w("ab   cd") - 1 << wrap << QStringList{"ab", "cd"};
    QTest::newRow("line exactly as wide as the box")
        << QByteArray("ab cd ef") << w("ab cd") << wrap << QStringList{"ab cd", "ef"};
    QTest::newRow("word wider than the box alone")
        << QByteArray("abcdef g") << w("abc") << wrap << QStringList{"abcdef", "g"};
    QTest::newRow("blanks around the caption kept")
        << QByteArray("  ab  ") << 2 * w("  ab  ") << wrap << QStringList{"  ab  "};
    QTest::newRow("no word wrap: one line") << QByteArray("ab  cd ef") << w("ab") << 0u << QStringList{"ab  cd ef"};
}

void TestBoardPainter::captionLines()
{
    QFETCH(QByteArray, caption);
    QFETCH(int, width);
    QFETCH(unsigned, flags);
    QFETCH(QStringList, lines);
    const LabelRow row{10,  "caption",  caption.constData(), "",   0, 0, width * TwipsPerPixel,
                       150, ButtonText, smallSerif(),        flags};
    QStringList laidOut;
    for (const CaptionLayout::Line &line : layOutCaption(row, pixelBox(row.left, row.top, row.width, row.height)).lines)
        laidOut << line.text;
    QCOMPARE(laidOut, lines);
}

void TestBoardPainter::doubledBlankIsDrawn()
{
    // The hint text's second line, drawn, is as wide as that line drawn on its own with the two
    // blanks between "pointer" and "over", and one blank wider than with one.
    LabelRow hint = catalogueLabel("Label52");
    hint.left = 0;
    hint.top = 0;
    QImage frame(300, 60, QImage::Format_RGB32);
    paintBoard(frame, Board({&hint, 1}, {}, {}, {}), frame.rect(), QImage());
    const QRgb ink = toRgb(hint.textColor);
    const int lineHeight = captionLineHeight(hint.font);
    const QRect secondLine(2, 2 + lineHeight, frame.width() - 2, lineHeight); // inside the border
    const auto alone = [&](const char *text) {
        QImage image(400, 40, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter p(&image);
        p.setFont(captionFont(hint.font));
        p.setPen(ink);
        p.drawText(QPoint(10, 25), QString::fromLatin1(text));
        p.end();
        return inkWidth(image, image.rect(), ink);
    };
    const int drawn = inkWidth(frame, secondLine, ink);
    QCOMPARE(drawn, alone("texts by moving the mouse pointer  over the"));
    QCOMPARE(drawn - alone("texts by moving the mouse pointer over the"),
             captionMetrics(hint.font).horizontalAdvance(u' '));
}

void TestBoardPainter::fillChangeAsksForRepaintOfTheBoxOnly()
{
    Board board({}, Pins, {}, {});
    QList<QRect> requests;
    board.setRepaintRequest([&](const QRect &r) { requests << r; });
    board.setFillColor("pin2", 0x808080);
    QCOMPARE(requests, QList<QRect>{QRect(10, 10, 6, 6)});
    QCOMPARE(board.fillColor("pin2"), Color{0x808080});
    QCOMPARE(rgbHex(paint(board).pixel(12, 12)), QStringLiteral("808080"));
}

void TestBoardPainter::unknownElementIsAnError()
{
    Board board({}, Pins, Dotted, {});
    QVERIFY_THROWS_EXCEPTION(ElementError, board.setFillColor("pin9", 0x808080));
    QVERIFY_THROWS_EXCEPTION(ElementError, board.setFillColor("dots", 0x808080));    // not a shape
    QVERIFY_THROWS_EXCEPTION(ElementError, board.setFillColor("pin1", 0x808080, 1)); // no index
}

QTEST_MAIN(TestBoardPainter)
#include "tst_boardpainter.moc"
