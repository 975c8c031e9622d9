// The board on a screen of twice the pixel density: the same layout in logical pixels, drawn
// sharply at device pixels rather than magnified from a 96 dpi picture; and the whole board,
// the same every time, at every scale from half to three times.
#include "windowtesting.h"

#include "layout/boardpainter.h"
#include "layout/elementcache.h"
#include "layout/fonts.h"
#include "layout/pictures.h"
#include "window/mainwindow.h"

#include <QProcess>
#include <QtTest>

namespace {

/// The window's image as the program exports it with QT_SCALE_FACTOR set to scale, or a null
/// image (with the reason in error).
QImage exportedAt(qreal scale, const QString &file, QString *error)
{
    QProcess velmor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    velmor.setProcessEnvironment(env);
    velmor.start(QStringLiteral(VELMOR_BINARY), {QStringLiteral("--export"), file});
    if (!velmor.waitForFinished(120000) || velmor.exitStatus() != QProcess::NormalExit || velmor.exitCode() != 0) {
        *error = QStringLiteral("velmor --export at scale %1 failed: %2")
                     .arg(scale)
                     .arg(QString::fromLocal8Bit(velmor.readAllStandardError()));
        return {};
    }
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

/// The mean color of the pixels of image in box.
std::array<double, 3> meanColor(const QImage &image, const QRect &box)
{
    std::array<double, 3> sum{};
    const QRect inside = box.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const QRgb c = image.pixel(x, y);
            sum[0] += qRed(c);
            sum[1] += qGreen(c);
            sum[2] += qBlue(c);
        }
    }
    const double count = std::max(1, inside.width() * inside.height());
    return {sum[0] / count, sum[1] / count, sum[2] / count};
}

} // namespace

class TestHiDpi : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void sameLayoutTwiceThePixels();
    void pinEdgesAreSharp_data();
    void pinEdgesAreSharp();
    void lettersAreDrawnAtDevicePixels();
    void hatchKeepsItsSize();
    void everyScaleDrawsTheWholeBoard_data();
    void everyScaleDrawsTheWholeBoard();

private:
    std::unique_ptr<MainWindow> m_window;
    QImage m_image;
};

void TestHiDpi::initTestCase()
{
    installFontSubstitutes();
    m_window = shownWindow();
    QVERIFY(m_window);
    QCOMPARE(m_window->devicePixelRatioF(), 2.0);
    m_image = m_window->windowImage().convertToFormat(QImage::Format_RGB32);
}

void TestHiDpi::cleanupTestCase()
{
    m_window.reset();
}

void TestHiDpi::sameLayoutTwiceThePixels()
{
    QCOMPARE(m_window->size(), QSize(513, 500));
    QCOMPARE(m_image.size(), QSize(1026, 1000));
    QCOMPARE(m_window->findChild<QWidget *>(QStringLiteral("CMDPRINT"))->geometry(), QRect(450, 78, 46, 25));
}

void TestHiDpi::pinEdgesAreSharp_data()
{
    QTest::addColumn<QString>("pin");
    QTest::addColumn<QRgb>("fill");
    QTest::newRow("V3JP7, open") << QStringLiteral("V3JP7") << qRgb(0xFF, 0xFF, 0xFF);
    QTest::newRow("V2JP7, covered") << QStringLiteral("V2JP7") << qRgb(0x80, 0x80, 0x80);
    QTest::newRow("b2jp3, covered") << QStringLiteral("b2jp3") << qRgb(0x80, 0x80, 0x80);
    QTest::newRow("d2jp3, open") << QStringLiteral("d2jp3") << qRgb(0xFF, 0xFF, 0xFF);
}

void TestHiDpi::pinEdgesAreSharp()
{
    QFETCH(QString, pin);
    QFETCH(QRgb, fill);
    const QRect box = m_window->board().find(pin.toLatin1().constData())->bounds;
    const QRect device(box.topLeft() * 2, box.size() * 2);
    const QRgb black = qRgb(0, 0, 0);
    const int x = device.center().x();
    // The top border is two device pixels of black, then the fill starts at once.
    QCOMPARE(m_image.pixel(x, device.top()), black);
    QCOMPARE(m_image.pixel(x, device.top() + 1), black);
    for (int y = device.top() + 2; y < device.bottom() - 1; ++y)
        QCOMPARE(m_image.pixel(x, y), fill);
    const int y = device.center().y();
    QCOMPARE(m_image.pixel(device.left() + 1, y), black);
    QCOMPARE(m_image.pixel(device.left() + 2, y), fill);
}

void TestHiDpi::lettersAreDrawnAtDevicePixels()
{
    // In a magnified 96 dpi picture every aligned 2 x 2 block is one color; letters drawn at
    // device pixels have edges inside the blocks. The hint text's box (Label52) is full of them.
    const QRect hint(QPoint(6, 380) * 2, QSize(260, 40) * 2);
    int mixed = 0;
    for (int y = hint.top(); y < hint.bottom(); y += 2) {
        for (int x = hint.left(); x < hint.right(); x += 2) {
            const QRgb c = m_image.pixel(x, y);
            mixed += m_image.pixel(x + 1, y) != c || m_image.pixel(x, y + 1) != c || m_image.pixel(x + 1, y + 1) != c;
        }
    }
    QVERIFY2(mixed > 200, qPrintable(QString::number(mixed)));
}

void TestHiDpi::hatchKeepsItsSize()
{
    // The cross-hatch of a DIMM socket has its lines eight layout pixels apart at any density:
    // as many of them cross a row of the socket here as at 96 dpi.
    const Board &board = m_window->board();
    QImage one(513, 500, QImage::Format_RGB32);
    paintBoard(one, board, one.rect(), backgroundPicture());
    const QRect socket = board.find("Shape4")->bounds;
    const auto linesCrossed = [](const QImage &image, int y, int from, int to) {
        int lines = 0;
        for (int x = from; x < to; ++x)
            lines += qGray(image.pixel(x, y)) < 128 && qGray(image.pixel(x - 1, y)) >= 128;
        return lines;
    };
    // A row where the two ways of lines lie apart (in the middle row they meet).
    const int row = socket.top() + 2;
    const int atOne = linesCrossed(one, row, socket.left() + 2, socket.right() - 2);
    QVERIFY2(atOne >= 40, qPrintable(QString::number(atOne)));
    QCOMPARE(linesCrossed(m_image, row * 2 + 1, (socket.left() + 2) * 2, (socket.right() - 2) * 2), atOne);
}

void TestHiDpi::everyScaleDrawsTheWholeBoard_data()
{
    QTest::addColumn<qreal>("scale");
    for (const qreal scale : {0.5, 0.75, 1.25, 1.5, 2.0, 3.0})
        QTest::addRow("scale %g", scale) << scale;
}

void TestHiDpi::everyScaleDrawsTheWholeBoard()
{
    QFETCH(qreal, scale);
    QTemporaryDir dir;
    QString error;
    static const QImage one = exportedAt(1.0, dir.filePath(QStringLiteral("one.png")), &error);
    QVERIFY2(!one.isNull(), qPrintable(error));
    const QImage first = exportedAt(scale, dir.filePath(QStringLiteral("first.png")), &error);
    QVERIFY2(!first.isNull(), qPrintable(error));
    const QImage second = exportedAt(scale, dir.filePath(QStringLiteral("second.png")), &error);
    QVERIFY2(!second.isNull(), qPrintable(error));
    QVERIFY2(first == second, "two exports at the same scale differ");

    // Below the lists and left of the buttons the window shows the board exactly as drawn at its
    // pixel density. (Below a density of 1 the toolkit draws the lists at their full size; they
    // end above this band.)
    const QRect band(0, 100, 440, 400);
    const QRect deviceBand = devicePixels(band, scale).intersected(first.rect());
    QImage drawn(devicePixels(QRect(QPoint(), m_window->size()), scale).size(), QImage::Format_RGB32);
    drawn.setDevicePixelRatio(scale);
    paintBoard(drawn, m_window->board(), QRect(QPoint(), m_window->size()), backgroundPicture());
    drawn.setDevicePixelRatio(1.0);
    QVERIFY2(first.copy(deviceBand) == drawn.copy(deviceBand), "the window does not show the board as drawn");

    // That drawing is the whole board in its place: in blocks of 16 pixels, each as dark or as
    // light and of the same hue as at scale 1 (letters and lines take up a little more or less).
    int differing = 0, blocks = 0;
    for (int y = band.top(); y < band.bottom(); y += 16) {
        for (int x = band.left(); x < band.right(); x += 16, ++blocks) {
            const QRect block(x, y, 16, 16);
            const auto a = meanColor(one, block), b = meanColor(first, devicePixels(block, scale));
            differing += qAbs(a[0] - b[0]) > 48 || qAbs(a[1] - b[1]) > 48 || qAbs(a[2] - b[2]) > 48;
        }
    }
    QVERIFY2(differing <= blocks * 3 / 100,
             qPrintable(QStringLiteral("%1 of %2 blocks differ").arg(differing).arg(blocks)));

    // Every pin the lists set shows its fill at its middle. (Those of JP1, which overlap by two
    // pixels, are left out: at half the size the middle of one falls on the border of the next.)
    int pins = 0;
    for (const BoardElement &e : m_window->board().elements()) {
        if (e.kind != ElementKind::Shape || e.shape->fillStyle != FillStyle::Solid || e.bounds.width() != 6
            || std::string_view(e.name()).starts_with("Shape"))
            continue;
        const QPointF middle = QRectF(e.bounds).center();
        const QPoint scaled(qFloor(middle.x() * scale), qFloor(middle.y() * scale));
        QVERIFY2((first.pixel(scaled) & 0xFFFFFF) == (one.pixel(middle.toPoint()) & 0xFFFFFF), e.name());
        ++pins;
    }
    QCOMPARE(pins, 32);
}

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
