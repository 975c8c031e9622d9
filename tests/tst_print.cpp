// Print: the window's image placed on a page, read back from the PDF; no printer is not an end.
#include "printcheck.h"

#include "app/mainwindow.h"
#include "app/printing.h"
#include "app/printqueue.h"
#include "jumpers/selection.h"
#include "layout/fonts.h"

#include <QApplication>
#include <QComboBox>
#include <QMessageBox>
#include <QPrinter>
#include <QtTest>

#include <thread>

class TestPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pageShowsTheWindowCentred();
    void noDefaultPrinterTellsTheUserAndGoesOn();
    void queueUnknownToTheScheduler();
};

void TestPrint::initTestCase()
{
    installFontSubstitutes();
}

void TestPrint::pageShowsTheWindowCentred()
{
    MainWindow window;
    window.load();
    window.show();
    auto *cpu = window.findChild<QComboBox *>(QStringLiteral("CBOCPU"));
    cpu->setCurrentIndex(0);
    emit cpu->activated(0); // row 1: JP7 at 2-3, JP3 A closed

    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    QCOMPARE(printImage(printer, window.windowImage()), QString());

    QString error;
    const QImage page = renderPdfPage(pdf, 150, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const QRect ink = inkBox(page);
    // The window's white background reaches its edges only on the right and bottom; the frame
    // of the picture marks the top and left. Its aspect ratio is kept and it lies centred.
    const double scale = ink.width() / 513.0;
    QVERIFY2(qAbs(ink.height() - 500 * scale) < 3, qPrintable(QStringLiteral("ink %1x%2").arg(ink.width()).arg(ink.height())));
    QVERIFY(qAbs(ink.left() - (page.width() - 1 - ink.right())) <= 2);
    QVERIFY(qAbs(ink.top() - (page.height() - 1 - ink.bottom())) <= 2);
    QVERIFY(ink.width() > page.width() * 0.8);

    const Board &board = window.board();
    for (const char *pin : {"V1JP7", "V2JP7", "V3JP7", "a1JP3", "a2JP3", "b1JP3", "d2jp3", "v1jp11", "v3jp10"}) {
        const Color expected = board.fillColor(pin);
        const Color printed = pinColorIn(page, *board.find(pin), scale, ink.topLeft());
        QVERIFY2(printed == expected, qPrintable(QStringLiteral("%1: %2 printed as %3").arg(pin)
                                                    .arg(expected, 6, 16, QLatin1Char('0')).arg(printed, 6, 16, QLatin1Char('0'))));
    }
}

void TestPrint::noDefaultPrinterTellsTheUserAndGoesOn()
{
    // The test runs with CUPS_SERVER pointing at no server, so there is no default printer.
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
    printOnDefaultPrinter(window.windowImage(), &window);
    QVERIFY2(shown.contains(QStringLiteral("no default printer")), qPrintable(shown));
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
