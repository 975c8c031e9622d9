// The board on a screen of twice the pixel density: the same layout in logical pixels, drawn
// sharply at device pixels rather than magnified from a 96 dpi picture.
#include "windowtesting.h"

#include "app/mainwindow.h"
#include "layout/fonts.h"

#include <QtTest>

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

QTEST_MAIN(TestHiDpi)
#include "tst_hidpi.moc"
