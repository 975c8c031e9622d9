// Print: the window painted on a page, read back from the PDF: placed and centred inside the
// margins, its lines thin and its letters drawn at the printer's dots; the page size of an
// export; no print system is not an end.
#include "printcheck.h"

#include "jumpers/selection.h"
#include "layout/fonts.h"
#include "printing/printing.h"
#include "printing/printqueue.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPrinter>
#include <QtTest>

#include <thread>

namespace {

/// The field of the background picture, as RGB.
constexpr QRgb Field = qRgb(0xE7, 0xF7, 0xEF);

/// The window printed on an A4 PDF page and rendered back at dpi, or a null image (with the
/// reason in error).
QImage printedPage(MainWindow &window, int dpi, QString *error)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    setPage(printer, QPageSize(QPageSize::A4));
    if (const QString problem = printWindow(printer, window, window.board()); !problem.isEmpty()) {
        *error = problem;
        return {};
    }
    return renderPdfPage(pdf, dpi, error).convertToFormat(QImage::Format_RGB32);
}

struct Run {
    int status = -1;
    QString err;
};

/// The program run with the arguments and, on top of the test's environment, the variables.
Run velmor(const QStringList &arguments, const QStringList &variables = {})
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &variable : variables)
        env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMOR_BINARY), arguments);
    if (!p.waitForFinished(60000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromLocal8Bit(p.readAllStandardError())};
}

} // namespace

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void pageShowsTheWindowCentred();
    void oneLinePixelPrintsThin();
    void captionLettersAreDrawnAtThePrintersDots();
    void localePaper_data();
    void localePaper();
    void exportPageSize_data();
    void exportPageSize();
    void exportIsThePrintedPage();
    void exportPageSizeRefused_data();
    void exportPageSizeRefused();
    void noPrintSystemTellsTheUserAndGoesOn();
    void queueUnknownToTheScheduler();

private:
    MainWindow *m_window = nullptr; ///< with the default entries
    QImage m_page300;               ///< m_window printed at 300 dots an inch
};

void TestPrint::initTestCase()
{
    installFontSubstitutes();
    m_window = new MainWindow;
    m_window->load();
    // One page at the printer's 300 dots an inch serves every test that reads one.
    QString error;
    m_page300 = printedPage(*m_window, 300, &error);
    QVERIFY2(!m_page300.isNull(), qPrintable(error));
}

void TestPrint::cleanupTestCase()
{
    delete m_window;
}

void TestPrint::pageShowsTheWindowCentred()
{
    MainWindow window;
    window.load();
    window.show();
    auto *cpu = window.findChild<QComboBox *>(QStringLiteral("CBOCPU"));
    cpu->setCurrentIndex(0);
    emit cpu->activated(0); // row 1: JP7 at 2-3, JP3 A closed

    QString error;
    const QImage page = printedPage(window, 150, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const QRect ink = inkBox(page);
    // The window's white background reaches its edges only on the right and bottom; the frame
    // of the picture marks the top and left. Its aspect ratio is kept and it lies centred,
    // 10 mm (59 dots) from the sides of the page, which it fills.
    const double scale = dotsPerPixel(ink);
    QVERIFY2(qAbs(ink.height() - 500 * scale) < 3,
             qPrintable(QStringLiteral("ink %1x%2").arg(ink.width()).arg(ink.height())));
    QVERIFY(qAbs(ink.left() - (page.width() - 1 - ink.right())) <= 2);
    QVERIFY(qAbs(ink.top() - (page.height() - 1 - ink.bottom())) <= 2);
    QVERIFY2(ink.left() >= 58 && ink.left() <= 61, qPrintable(QString::number(ink.left())));

    const Board &board = window.board();
    for (const char *pin : {"V1JP7", "V2JP7", "V3JP7", "a1JP3", "a2JP3", "b1JP3", "d2jp3", "v1jp11", "v3jp10"}) {
        const Color expected = board.fillColor(pin);
        const Color printed = pinColorIn(page, *board.find(pin), scale, ink.topLeft());
        QVERIFY2(printed == expected,
                 qPrintable(QStringLiteral("%1: %2 printed as %3")
                                .arg(pin)
                                .arg(expected, 6, 16, QLatin1Char('0'))
                                .arg(printed, 6, 16, QLatin1Char('0'))));
    }
}

void TestPrint::oneLinePixelPrintsThin()
{
    // The top edge of the IDE 2 connector is a black line one pixel wide. On paper it is as
    // wide as on the screen the board was laid out for (1/96 inch, 3 dots at 300 dpi), not a
    // pixel magnified to fit the page (some 4.4 dots).
    const QImage &page = m_page300;
    const QRect ink = inkBox(page);
    const QRect edge = m_window->board().find("Shape8")->bounds;
    for (int x = edge.left() + 10; x < edge.right() - 10; x += 10) {
        const QPointF at = QPointF(ink.topLeft()) + QPointF(x + 0.5, edge.top() + 0.5) * dotsPerPixel(ink);
        const int thickness = darkThickness(page, int(at.x()), int(at.y()), 10);
        QVERIFY2(thickness >= 1 && thickness <= 3,
                 qPrintable(QStringLiteral("%1 dots thick at x %2").arg(thickness).arg(x)));
    }
}

void TestPrint::captionLettersAreDrawnAtThePrintersDots()
{
    // The red caption "IDE 2" (Label17) on the plain field: its letters' edges fall anywhere between the
    // printer's dots, not only on the borders of the window's magnified pixels, and each edge is
    // sharp: at most two dots of neither color across it (lossless, not smoothed).
    const QImage &page = m_page300;
    const QRect ink = inkBox(page);
    const double scale = dotsPerPixel(ink);
    // The caption's box, less a pixel all round: the connector's outline runs just below it.
    const QRect inner = m_window->board().find("Label17")->bounds.adjusted(1, 1, -1, -1);
    const QRect box(ink.topLeft() + (QPointF(inner.topLeft()) * scale).toPoint(),
                    (QSizeF(inner.size()) * scale).toSize());
    const LetterEdges letters = letterEdges(page, box, ink, Field);
    const QString counts = QStringLiteral("%1 edges, %2 inside pixels; %3 dots on soft edges, %4 of them blurred")
                               .arg(letters.edges)
                               .arg(letters.insidePixels)
                               .arg(letters.soft)
                               .arg(letters.blurred);
    QVERIFY2(letters.edges >= 100, qPrintable(counts));
    QVERIFY2(letters.insidePixels >= letters.edges / 5, qPrintable(counts));
    QVERIFY2(letters.blurred == 0, qPrintable(counts));
}

void TestPrint::localePaper_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<int>("paper");
    QTest::newRow("US: Letter") << "en_US" << int(QPageSize::Letter);
    QTest::newRow("Germany: A4") << "de_DE" << int(QPageSize::A4);
    QTest::newRow("United Kingdom: A4") << "en_GB" << int(QPageSize::A4);
    QTest::newRow("C: A4") << "C" << int(QPageSize::A4);
}

void TestPrint::localePaper()
{
    QFETCH(QString, locale);
    QFETCH(int, paper);
    QCOMPARE(pageSizeOf(QLocale(locale)).id(), QPageSize::PageSizeId(paper));
}

void TestPrint::exportPageSize_data()
{
    // The program's own locale, from its environment, and --page-size over it, each once: the
    // paper of every locale is checked in process above.
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QString>("pageSize"); // the --page-size given, if any
    QTest::addColumn<QSize>("points");
    QTest::newRow("US measurement in a German locale: Letter")
        << QStringList{"LC_ALL=", "LANG=de_DE.UTF-8", "LC_MEASUREMENT=en_US.UTF-8"} << QString() << QSize(612, 792);
    QTest::newRow("--page-size legal in a German locale")
        << QStringList{"LC_ALL=de_DE.UTF-8"} << "legal" << QSize(612, 1008);
}

void TestPrint::exportPageSize()
{
    QFETCH(QStringList, variables);
    QFETCH(QString, pageSize);
    QFETCH(QSize, points);
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("board.pdf"));
    QStringList arguments{QStringLiteral("--export"), pdf};
    if (!pageSize.isEmpty())
        arguments << QStringLiteral("--page-size") << pageSize;
    const Run run = velmor(arguments, variables);
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QString error;
    const QImage page = renderPdfPage(pdf, 72, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    QCOMPARE(page.size(), points);
    // At least 10 mm (28 points) of paper all round.
    const QRect ink = inkBox(page);
    QVERIFY2(
        ink.left() >= 28 && ink.top() >= 28 && page.width() - 1 - ink.right() >= 28
            && page.height() - 1 - ink.bottom() >= 28,
        qPrintable(QStringLiteral("ink at %1,%2 %3x%4").arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())));
}

void TestPrint::exportIsThePrintedPage()
{
    // The export makes its page in memory, not on a printer; it is still the page Print makes of
    // the same window, the lists and buttons drawn at the page's dots included.
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("board.pdf"));
    const Run run = velmor({QStringLiteral("--export"), pdf, QStringLiteral("--page-size"), QStringLiteral("a4")});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QString error;
    const QImage exported = renderPdfPage(pdf, 150, &error).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!exported.isNull(), qPrintable(error));
    const QImage printed = printedPage(*m_window, 150, &error);
    QVERIFY2(!printed.isNull(), qPrintable(error));
    QCOMPARE(exported.size(), printed.size());
    QVERIFY2(exported == printed, "the exported page differs from the printed one");
}

void TestPrint::exportPageSizeRefused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::newRow("no such size") << QStringList{"--export", "board.pdf", "--page-size", "a44"}
                                  << "--page-size a44: not a page size";
    QTest::newRow("a PNG has no page") << QStringList{"--export", "board.png", "--page-size", "a4"}
                                       << "--page-size is only used with a PDF export";
    QTest::newRow("no export") << QStringList{"--list", "--page-size", "a4"}
                               << "--page-size is only used with --export";
}

void TestPrint::exportPageSizeRefused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const Run run = velmor(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.contains(QStringLiteral("velmor: ") + message), qPrintable(run.err));
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestPrint::noPrintSystemTellsTheUserAndGoesOn()
{
    // The test runs with CUPS_SERVER naming a socket that is not there, so there is no default
    // printer, and the user is told why: the print system cannot be reached there.
    QString shown;
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->close();
        }
    });
    poll.start(20);
    MainWindow window;
    printOnDefaultPrinter(window, window.board());
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 10000);
    const QString told = printQueueAnswers()
        ? QStringLiteral("could not be reached at /nonexistent/velmor-no-cups.sock (")
        : QStringLiteral("no default printer"); // a build without CUPS cannot tell why
    QVERIFY2(shown.startsWith(QLatin1String("Nothing was printed: ")) && shown.contains(told), qPrintable(shown));
    QTRY_VERIFY_WITH_TIMEOUT(!printRequestOutstanding(), 10000);
}

void TestPrint::queueUnknownToTheScheduler()
{
    // CUPS_SERVER names no scheduler, so no queue is found; a state not known is not "stopped".
    QVERIFY(!queueIsStopped(QStringLiteral("velmor-queue")));
    QVERIFY(!queueIsStopped(QStringLiteral("velmor-queue/draft")));
    if (!printQueueAnswers())
        QSKIP("built without CUPS (VELMOR_WITH_CUPS=OFF): no request is made, so none is refused");
    // The failed lookup was this thread's last request; its reason is told inside parentheses.
    const QString reason = lastJobRefusal();
    QVERIFY2(!reason.isEmpty() && !reason.endsWith(u'.'), qPrintable(reason));
    // The status is per thread, and Print reads it in the thread that submitted the job.
    QString otherThread = QStringLiteral("not read");
    std::thread([&otherThread] { otherThread = lastJobRefusal(); }).join();
    QCOMPARE(otherThread, QString());
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
