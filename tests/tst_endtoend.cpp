// The program as a user meets it, on a real X server: Print through a real print queue, Exit,
// closing the window and losing it, the window as the desktop sees it, and starting without a
// display.
#include "printcheck.h"

#include "layout/fonts.h"
#include "window/mainwindow.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

#include <X11/Xlib.h>

namespace {

bool endToEnd()
{
    return qEnvironmentVariableIntValue("VELMOR_E2E") == 1 && !qEnvironmentVariableIsEmpty("DISPLAY");
}

/// Runs a command and returns its standard output, trimmed.
QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

/// Starts velmor, with the environment variables given on top of the test's, and waits until
/// its window is on the screen; returns the X window id.
QString startVelmor(QProcess &velmor, const QStringList &variables = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    for (const QString &variable : variables)
        env.insert(variable.section(u'=', 0, 0), variable.section(u'=', 1));
    velmor.setProcessEnvironment(env);
    velmor.start(QStringLiteral(VELMOR_BINARY), {});
    if (!velmor.waitForStarted(10000))
        return {};
    return run(QStringLiteral("timeout"),
               {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"), QStringLiteral("--sync"),
                QStringLiteral("--onlyvisible"), QStringLiteral("--name"), QStringLiteral("^P5VELMOR$")})
        .section(u'\n', 0, 0);
}

/// Asks the window to close, as a window manager's close button does.
void sendCloseRequest(unsigned long window)
{
    Display *display = XOpenDisplay(nullptr);
    QVERIFY(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
}

QStringList pdfFilesIn(const QString &dir)
{
    return QDir(dir).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name);
}

/// The X window properties of window, as xprop prints them.
QString windowProperties(const QString &window, const QStringList &properties)
{
    return run(QStringLiteral("xprop"), QStringList{QStringLiteral("-id"), window} + properties);
}

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void endsWithStatusZero_data();
    void endsWithStatusZero();
    void listedAsAnOrdinaryWindow();
    void staysOnTheScreen_data();
    void staysOnTheScreen();
    void printReachesTheQueue();
    void noDisplayIsAClearMessage_data();
    void noDisplayIsAClearMessage();
};

void TestEndToEnd::endsWithStatusZero_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("mouse on EXIT") << QStringLiteral("click");
    QTest::newRow("Alt+E") << QStringLiteral("key");
    QTest::newRow("close button of the frame") << QStringLiteral("close");
    QTest::newRow("window destroyed by another program") << QStringLiteral("destroy");
}

void TestEndToEnd::endsWithStatusZero()
{
    if (!endToEnd())
        QSKIP("needs the X server and print queue of scripts/test.sh (VELMOR_E2E=1)");
    QFETCH(QString, how);
    QProcess velmor;
    const QString window = startVelmor(velmor);
    QVERIFY2(!window.isEmpty(), "the window did not appear");
    if (how == QLatin1String("click")) {
        // EXIT lies at 450,108 (46 x 25) in the client area, which starts at 10,32.
        run(QStringLiteral("xdotool"),
            {QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("483"), QStringLiteral("152")});
        QTest::qWait(200); // let the button see the pointer arrive before it is pressed
        run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
    } else if (how == QLatin1String("key")) {
        run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+e")});
    } else if (how == QLatin1String("close")) {
        sendCloseRequest(window.toULong());
    } else {
        run(QStringLiteral("xdotool"), {QStringLiteral("windowclose"), window});
    }
    QVERIFY2(velmor.waitForFinished(15000), "velmor did not end");
    QCOMPARE(velmor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(velmor.exitCode(), 0);
}

void TestEndToEnd::listedAsAnOrdinaryWindow()
{
    // Task bars and window switchers list a normal window that is nobody's transient; the frame
    // offers to move and close it, not to minimize or maximize it, and keeps its size.
    if (!endToEnd())
        QSKIP("needs the X server and print queue of scripts/test.sh (VELMOR_E2E=1)");
    QProcess velmor;
    const QString window = startVelmor(velmor);
    const auto stop = qScopeGuard([&] {
        velmor.kill();
        velmor.waitForFinished();
    });
    QVERIFY2(!window.isEmpty(), "the window did not appear");
    const QString type = windowProperties(window, {QStringLiteral("_NET_WM_WINDOW_TYPE")});
    QVERIFY2(type.endsWith(QLatin1String("= _NET_WM_WINDOW_TYPE_NORMAL")), qPrintable(type));
    const QString transient = windowProperties(window, {QStringLiteral("WM_TRANSIENT_FOR")});
    QVERIFY2(transient.contains(QLatin1String("not found")), qPrintable(transient));
    // _MOTIF_WM_HINTS: flags, functions, decorations; minimize and maximize are 0x8 and 0x10
    // among the functions, 0x20 and 0x40 among the decorations.
    const QStringList motif =
        windowProperties(window, {QStringLiteral("_MOTIF_WM_HINTS")}).section(u'=', 1).split(u',');
    QVERIFY2(motif.size() >= 3, qPrintable(motif.join(u',')));
    QCOMPARE(motif[1].trimmed().toUInt(nullptr, 16) & 0x18u, 0u);
    QCOMPARE(motif[2].trimmed().toUInt(nullptr, 16) & 0x60u, 0u);
    const QString sizes = windowProperties(window, {QStringLiteral("WM_NORMAL_HINTS")});
    QVERIFY2(sizes.contains(QLatin1String("minimum size: 513 by 500"))
                 && sizes.contains(QLatin1String("maximum size: 513 by 500")),
             qPrintable(sizes));
}

void TestEndToEnd::staysOnTheScreen_data()
{
    QTest::addColumn<QString>("scale");
    QTest::addColumn<QPoint>("place"); // in the screen's pixels
    QTest::newRow("scale 1: its own place") << QStringLiteral("1") << QPoint(10, 32);
    QTest::newRow("scale 2: moved up to fit") << QStringLiteral("2") << QPoint(20, 24);
}

void TestEndToEnd::staysOnTheScreen()
{
    if (!endToEnd())
        QSKIP("needs the X server and print queue of scripts/test.sh (VELMOR_E2E=1)");
    QFETCH(QString, scale);
    QFETCH(QPoint, place);
    QProcess velmor;
    const QString window = startVelmor(velmor, {QStringLiteral("QT_SCALE_FACTOR=") + scale});
    const auto stop = qScopeGuard([&] {
        velmor.kill();
        velmor.waitForFinished();
    });
    QVERIFY2(!window.isEmpty(), "the window did not appear");
    // xdotool's --shell lines: WINDOW, X, Y, WIDTH, HEIGHT, SCREEN.
    QMap<QString, int> geometry;
    for (const QString &line :
         run(QStringLiteral("xdotool"), {QStringLiteral("getwindowgeometry"), QStringLiteral("--shell"), window})
             .split(u'\n'))
        geometry[line.section(u'=', 0, 0)] = line.section(u'=', 1).toInt();
    const QStringList screen = run(QStringLiteral("xdotool"), {QStringLiteral("getdisplaygeometry")}).split(u' ');
    QCOMPARE(screen, (QStringList{"1280", "1024"})); // the screen of scripts/test.sh
    QCOMPARE(QPoint(geometry["X"], geometry["Y"]), place);
    QVERIFY(geometry["X"] + geometry["WIDTH"] <= 1280 && geometry["Y"] + geometry["HEIGHT"] <= 1024);
}

void TestEndToEnd::printReachesTheQueue()
{
    if (!endToEnd())
        QSKIP("needs the X server and print queue of scripts/test.sh (VELMOR_E2E=1)");
    const QString outDir = qEnvironmentVariable("VELMOR_CUPS_OUTDIR");
    QVERIFY2(!outDir.isEmpty(), "VELMOR_CUPS_OUTDIR is not set");
    const QStringList before = pdfFilesIn(outDir);

    installFontSubstitutes();
    // Print reaches the window through the global reference, as at start-up.
    MainWindow &window = mainWindow();
    const auto release = qScopeGuard([] { releaseMainWindow(); });
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto *cpu = window.findChild<QComboBox *>(QStringLiteral("CBOCPU"));
    cpu->setCurrentIndex(27);
    emit cpu->activated(27); // row 27: JP7 to JP9 at 2-3, JP3 all closed
    QTest::mouseClick(window.findChild<QPushButton *>(QStringLiteral("CMDPRINT")), Qt::LeftButton);

    QString pdf;
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            for (const QString &f : pdfFilesIn(outDir)) {
                const QFileInfo info(QDir(outDir).filePath(f));
                if (!before.contains(f) && info.size() > 0) {
                    pdf = info.filePath();
                    return true;
                }
            }
            return false;
        }(),
        60000);
    QTest::qWait(500); // the queue may still be finishing the file

    QString error;
    const QImage points = renderPdfPage(pdf, 72, &error);
    QVERIFY2(!points.isNull(), qPrintable(error));
    // On the queue's own paper, as the print system tells it (its driver's default).
    QCOMPARE(points.size(), QPrinterInfo::defaultPrinter().defaultPageSize().sizePoints());
    const QImage page = renderPdfPage(pdf, 300, &error).convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const QRect ink = inkBox(page);
    const double scale = dotsPerPixel(ink);
    const Board &board = window.board();
    for (const BoardElement &e : board.elements()) {
        if (e.kind != ElementKind::Shape || e.shape->fillStyle != FillStyle::Solid || e.bounds.width() != 6)
            continue; // the 6 x 6 pins: the procedures' 32 and JP1's three
        const Color printed = pinColorIn(page, e, scale, ink.topLeft());
        QVERIFY2(printed == e.fillColor,
                 qPrintable(QStringLiteral("%1: %2 printed as %3 (page %4x%5, image at %6,%7 %8x%9)")
                                .arg(e.name())
                                .arg(e.fillColor, 6, 16, QLatin1Char('0'))
                                .arg(printed, 6, 16, QLatin1Char('0'))
                                .arg(page.width())
                                .arg(page.height())
                                .arg(ink.x())
                                .arg(ink.y())
                                .arg(ink.width())
                                .arg(ink.height())));
    }

    // Drawn at the printer's dots: the IDE 2 connector's one-pixel edge a few dots thin, the
    // letters of its caption with their edges between the window's pixels, and sharp.
    const QRect edge = board.find("Shape8")->bounds;
    const QPointF at = QPointF(ink.topLeft()) + QPointF(edge.center().x() + 0.5, edge.top() + 0.5) * scale;
    const int thickness = darkThickness(page, int(at.x()), int(at.y()), 10);
    QVERIFY2(thickness >= 1 && thickness <= 3, qPrintable(QStringLiteral("%1 dots thick").arg(thickness)));
    const QRect caption = board.find("Label17")->bounds.adjusted(1, 1, -1, -1); // "IDE 2"
    const QRect box(ink.topLeft() + (QPointF(caption.topLeft()) * scale).toPoint(),
                    (QSizeF(caption.size()) * scale).toSize());
    const LetterEdges letters = letterEdges(page, box, ink, qRgb(0xE7, 0xF7, 0xEF));
    QVERIFY2(letters.edges >= 100 && letters.insidePixels >= letters.edges / 5 && letters.blurred == 0,
             qPrintable(QStringLiteral("%1 edges, %2 inside pixels, %3 blurred")
                            .arg(letters.edges)
                            .arg(letters.insidePixels)
                            .arg(letters.blurred)));
}

void TestEndToEnd::noDisplayIsAClearMessage_data()
{
    QTest::addColumn<QString>("display");
    QTest::newRow("DISPLAY not set") << QString();
    QTest::newRow("no X server there") << QStringLiteral(":199");
}

void TestEndToEnd::noDisplayIsAClearMessage()
{
    QFETCH(QString, display);
    QProcess velmor;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    if (display.isEmpty())
        env.remove(QStringLiteral("DISPLAY"));
    else
        env.insert(QStringLiteral("DISPLAY"), display);
    velmor.setProcessEnvironment(env);
    velmor.start(QStringLiteral(VELMOR_BINARY), {});
    QVERIFY(velmor.waitForFinished(20000));
    QCOMPARE(velmor.exitStatus(), QProcess::NormalExit); // no abort, no core dump
    QCOMPARE(velmor.exitCode(), 2);
    const QString err = QString::fromLocal8Bit(velmor.readAllStandardError());
    QVERIFY2(err.contains(QStringLiteral("cannot open the display")), qPrintable(err));
    if (!display.isEmpty())
        QVERIFY2(err.contains(display), qPrintable(err));
}

int main(int argc, char *argv[])
{
    // Without an X server only the no-display cases run; they need no screen of their own.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    TestEndToEnd test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_endtoend.moc"
