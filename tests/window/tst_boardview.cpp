// The whole board as drawn: tool tips at points, pixel facts of the default window, and the
// default window against its reference image.
#include "windowtesting.h"

#include "layout/boardpainter.h"
#include "layout/boardwidget.h"
#include "layout/elementcache.h"
#include "layout/fonts.h"
#include "layout/pictures.h"
#include "window/mainwindow.h"

#include <QDir>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <QtTest>

#include <random>

class TestBoardView : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void toolTipAt_data();
    void toolTipAt();
    void toolTipShowsOnOneLine();
    void pixelFacts_data();
    void pixelFacts();
    void circlesAreCentredInTheirBoxes();
    void dottedLinesLieAboveTheSlots();
    void matchesTheReferenceImage();
    void partsRepaintAsTheWholeDrawing_data();
    void partsRepaintAsTheWholeDrawing();

private:
    std::unique_ptr<MainWindow> m_window;
    QImage m_image;
};

void TestBoardView::initTestCase()
{
    installFontSubstitutes();
    m_window = shownWindow();
    QVERIFY(m_window);
    m_image = m_window->windowImage().convertToFormat(QImage::Format_RGB32);
}

void TestBoardView::cleanupTestCase()
{
    m_window.reset();
}

void TestBoardView::toolTipAt_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("tip");
    QTest::newRow("Label68 over Label66") << QPoint(132, 86) << QStringLiteral("Pin 10 (Vcc)");
    QTest::newRow("Label66 alone") << QPoint(132, 80) << QStringLiteral("Pin 8(USB Data1-)");
    QTest::newRow("BIOS") << QPoint(65, 248) << QStringLiteral("AWARD BIOS REV. 4.51PG");
    QTest::newRow("USB, on a pin outline")
        << QPoint(124, 88) << QStringLiteral("An optional Universal Serial Bus connector");
    QTest::newRow("USB, beneath the pin squares")
        << QPoint(119, 88) << QStringLiteral("An optional Universal Serial Bus connector");
    QTest::newRow("FDC, inch marks") << QPoint(50, 153)
                                     << QStringLiteral("The connector for Floppy Drives ( 3 1/2\" and 5 1/4\" ) .");
    QTest::newRow("DIMM 3, blanks kept") << QPoint(334, 84)
                                         << QStringLiteral("The interface will support from  8MB up to 768MB SDRAM. ");
    QTest::newRow("JP4, black") << QPoint(362, 302) << QString();
    QTest::newRow("PCI 1, black") << QPoint(168, 188) << QString();
    QTest::newRow("CPU Type :, black") << QPoint(10, 5) << QString();
    QTest::newRow("no caption, on a slot") << QPoint(100, 200) << QString();
}

void TestBoardView::toolTipAt()
{
    QFETCH(QPoint, pos);
    QFETCH(QString, tip);
    QCOMPARE(m_window->findChild<BoardWidget *>()->toolTipAt(pos), tip);
}

void TestBoardView::toolTipShowsOnOneLine()
{
    auto *board = m_window->findChild<BoardWidget *>();
    const QPoint pos(65, 248);
    QHelpEvent event(QEvent::ToolTip, pos, board->mapToGlobal(pos));
    QCoreApplication::sendEvent(board, &event);
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains(QStringLiteral("white-space:pre")), qPrintable(QToolTip::text()));
    QVERIFY(QToolTip::text().contains(QStringLiteral("AWARD BIOS REV. 4.51PG")));
    const QPoint none(168, 188);
    QHelpEvent leave(QEvent::ToolTip, none, board->mapToGlobal(none));
    QCoreApplication::sendEvent(board, &leave);
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestBoardView::pixelFacts_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("rgb");
    QTest::newRow("Shape3 (DIMM 1) outline black") << QPoint(200, 60) << QStringLiteral("000000");
    QTest::newRow("Shape4 (DIMM 2) outline black") << QPoint(200, 72) << QStringLiteral("000000");
    QTest::newRow("Shape5 (DIMM 3) nand over the field") << QPoint(200, 82) << QStringLiteral("3F3F3F");
    QTest::newRow("picture field, right of the board") << QPoint(505, 300) << QStringLiteral("E7F7EF");
    QTest::newRow("frame along the top edge") << QPoint(505, 0) << QStringLiteral("A5DEE7");
    QTest::newRow("frame along the left edge") << QPoint(0, 300) << QStringLiteral("A5DEE7");
    QTest::newRow("no frame along the right edge") << QPoint(512, 300) << QStringLiteral("E7F7EF");
    QTest::newRow("no frame along the bottom edge") << QPoint(505, 499) << QStringLiteral("E7F7EF");
    QTest::newRow("JP1 pin 2 dark grey") << QPoint(297, 233) << QStringLiteral("404040");
    QTest::newRow("north bridge top black on green") << QPoint(290, 140) << QStringLiteral("000000");
    QTest::newRow("north bridge package green") << QPoint(274, 160) << QStringLiteral("004000");
}

void TestBoardView::pixelFacts()
{
    QFETCH(QPoint, pos);
    QFETCH(QString, rgb);
    QCOMPARE(rgbHex(m_image.pixel(pos)), rgb);
}

void TestBoardView::circlesAreCentredInTheirBoxes()
{
    // Shape92: box 16 x 24 px, circle 16 across from y 87 to 102. Shape52: box 30 x 24 px,
    // circle 24 across from x 304 to 327.
    const auto blackExtent = [&](bool vertical, int fixed, int from, int to) {
        int first = -1, last = -1;
        for (int i = from; i <= to; ++i) {
            const QPoint p = vertical ? QPoint(fixed, i) : QPoint(i, fixed);
            if ((m_image.pixel(p) & 0xFFFFFF) == 0) {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        return QPair<int, int>(first, last);
    };
    QCOMPARE(blackExtent(true, 17, 80, 106), (QPair<int, int>(87, 102)));
    QCOMPARE(blackExtent(false, 196, 295, 335), (QPair<int, int>(304, 327)));
}

void TestBoardView::dottedLinesLieAboveTheSlots()
{
    // The contact rows of PCI slots 1 to 4 and of the AGP slot: dots and slot fill alternate.
    const struct {
        int y, fromX;
        QRgb dot;
        QRgb fill;
    } rows[] = {
        {186, 90, qRgb(0xC0, 0xC0, 0xC0), qRgb(0xFF, 0xFF, 0xC0)},
        {214, 90, qRgb(0xC0, 0xC0, 0xC0), qRgb(0xFF, 0xFF, 0xC0)},
        {242, 90, qRgb(0xC0, 0xC0, 0xC0), qRgb(0xFF, 0xFF, 0xC0)},
        {271, 90, qRgb(0xC0, 0xC0, 0xC0), qRgb(0xFF, 0xFF, 0xC0)},
        {158, 122, qRgb(0xC0, 0xC0, 0xC0), qRgb(0x80, 0x40, 0x40)},
    };
    for (const auto &row : rows) {
        int dots = 0, fill = 0;
        for (int x = row.fromX; x < row.fromX + 50; ++x) {
            dots += m_image.pixel(x, row.y) == row.dot;
            fill += m_image.pixel(x, row.y) == row.fill;
        }
        QVERIFY2(dots >= 20 && fill >= 20,
                 qPrintable(QStringLiteral("row %1: %2 dots, %3 fill").arg(row.y).arg(dots).arg(fill)));
    }
}

void TestBoardView::matchesTheReferenceImage()
{
    const QString reference = QStringLiteral(REFERENCE_DIR "/default-window.png");
    if (qEnvironmentVariableIntValue("VELMOR_UPDATE_REFERENCE") == 1) {
        QVERIFY(m_image.save(reference));
        QSKIP("reference image written");
    }
    const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!expected.isNull(), "no reference image; run with VELMOR_UPDATE_REFERENCE=1 and look at it");
    QCOMPARE(m_image.size(), expected.size());
    int differing = 0;
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            const QRgb a = m_image.pixel(x, y), b = expected.pixel(x, y);
            if (qAbs(qRed(a) - qRed(b)) > 24 || qAbs(qGreen(a) - qGreen(b)) > 24 || qAbs(qBlue(a) - qBlue(b)) > 24)
                ++differing;
        }
    }
    if (differing > 8) {
        const QString actual = QDir::temp().filePath(QStringLiteral("velmor-default-window.png"));
        m_image.save(actual);
        QFAIL(qPrintable(
            QStringLiteral("%1 pixels differ from the reference; this run's image is %2").arg(differing).arg(actual)));
    }
}

void TestBoardView::partsRepaintAsTheWholeDrawing_data()
{
    QTest::addColumn<qreal>("ratio");
    for (const qreal ratio : {1.0, 0.5, 0.75, 1.25, 1.5, 2.0, 3.0})
        QTest::addRow("device pixel ratio %g", ratio) << ratio;
}

void TestBoardView::partsRepaintAsTheWholeDrawing()
{
    // The window repaints only what changed, from copies of what it drew before: each part must
    // come out exactly as drawing the whole board does, whatever was in the buffer, at any pixel
    // density. At a fractional one a part's edge pixels are shared with its neighbours.
    QFETCH(qreal, ratio);
    const Board &board = m_window->board();
    const QRect client(0, 0, 513, 500);
    const QRgb unpaintedColor = qRgb(1, 254, 3); // no element's color
    const auto newFrame = [&] {
        QImage frame(devicePixels(client, ratio).size(), QImage::Format_RGB32);
        frame.fill(unpaintedColor);
        frame.setDevicePixelRatio(ratio);
        return frame;
    };
    QImage whole = newFrame();
    paintBoard(whole, board, client, backgroundPicture());
    int unpainted = 0;
    for (int y = 0; y < whole.height(); ++y) {
        for (int x = 0; x < whole.width(); ++x)
            unpainted += whole.pixel(x, y) == unpaintedColor;
    }
    QCOMPARE(unpainted, 0);
    BoardPainter painter(board);
    QImage frame = newFrame();
    std::mt19937 random(7);
    QList<QRect> parts;
    for (const BoardElement &e : board.elements())
        parts << e.bounds;
    for (int i = 0; i < 300; ++i)
        parts << QRect(int(random() % 513), int(random() % 500), 1 + int(random() % 80), 1 + int(random() % 60));
    for (const QRect &part : std::as_const(parts)) {
        const QRect inside = devicePixels(part, ratio).intersected(whole.rect());
        // Only the part is compared, so only the part is made stale.
        {
            QImage device(frame.bits(), frame.width(), frame.height(), frame.bytesPerLine(), frame.format());
            QPainter(&device).fillRect(inside, QColor(unpaintedColor));
        }
        painter.paint(frame, {&part, 1}, backgroundPicture());
        QVERIFY2(
            frame.copy(inside) == whole.copy(inside),
            qPrintable(
                QStringLiteral("part %1,%2 %3x%4").arg(part.x()).arg(part.y()).arg(part.width()).arg(part.height())));
    }
}

QTEST_MAIN(TestBoardView)
#include "tst_boardview.moc"
