// The program as a user meets it, on a real X server: Print through a real print queue, Exit
// and closing the window, and starting without a display.
#include "printcheck.h"

#include "app/mainwindow.h"
#include "layout/fonts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
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

/// Starts velmor and waits until its window is on the screen; returns the X window id.
QString startVelmor(QProcess &velmor)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    velmor.setProcessEnvironment(env);
    velmor.start(QStringLiteral(VELMOR_BINARY), {});
    if (!velmor.waitForStarted(10000))
        return {};
    return run(QStringLiteral("timeout"), {QStringLiteral("20"), QStringLiteral("xdotool"), QStringLiteral("search"),
                                           QStringLiteral("--sync"), QStringLiteral("--onlyvisible"),
                                           QStringLiteral("--name"), QStringLiteral("^P5VELMOR$")})
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

} // namespace

class TestEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void endsWithStatusZero_data();
    void endsWithStatusZero();
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
        run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QStringLiteral("--sync"), QStringLiteral("483"),
                                        QStringLiteral("152")});
        QTest::qWait(200); // let the button see the pointer arrive before it is pressed
        run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("1")});
    } else if (how == QLatin1String("key")) {
        run(QStringLiteral("xdotool"), {QStringLiteral("windowfocus"), QStringLiteral("--sync"), window});
        run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("alt+e")});
    } else {
        sendCloseRequest(window.toULong());
    }
    QVERIFY2(velmor.waitForFinished(15000), "velmor did not end");
    QCOMPARE(velmor.exitStatus(), QProcess::NormalExit);
    QCOMPARE(velmor.exitCode(), 0);
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
    const QImage page = renderPdfPage(pdf, 150, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const QRect ink = inkBox(page);
    const double scale = ink.width() / 513.0;
    const Board &board = window.board();
    for (const BoardElement &e : board.elements()) {
        if (e.kind != ElementKind::Shape || e.shape->fillStyle != FillStyle::Solid || e.bounds.width() != 6)
            continue; // the 6 x 6 pins: the procedures' 32 and JP1's three
        const Color printed = pinColorIn(page, e, scale, ink.topLeft());
        QVERIFY2(printed == e.fillColor, qPrintable(QStringLiteral("%1: %2 printed as %3 (page %4x%5, image at %6,%7 %8x%9)")
                                                         .arg(e.name()).arg(e.fillColor, 6, 16, QLatin1Char('0'))
                                                         .arg(printed, 6, 16, QLatin1Char('0')).arg(page.width())
                                                         .arg(page.height()).arg(ink.x()).arg(ink.y())
                                                         .arg(ink.width()).arg(ink.height())));
    }
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
