// The main window: start-up state, rendered pin fills for every CPU entry, the controls, the
// keyboard, the guard around handlers and the Exit command.
#include "pinsampling.h"
#include "windowtesting.h"

#include "boardrows/elementerror.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/jumperguide.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "printing/printing.h"
#include "window/boardhints.h"
#include "window/mainwindow.h"
#include "window/windowplacement.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include <set>

namespace {

/// The fills all 32 pins must show with this CPU row and the default power and SDRAM entries.
std::map<std::string, Color> expectedPins(int cpuCode)
{
    std::map<std::string, Color> pins;
    for (const PinFill &f : cpuPinFills(*findCpuJumperRow(cpuCode)))
        pins[f.pin] = f.color;
    pins["v1jp11"] = pins["v2jp11"] = JumperOnColor;
    pins["v3jp11"] = JumperOffColor;
    pins["v1jp10"] = JumperOffColor;
    pins["v2jp10"] = pins["v3jp10"] = JumperOnColor;
    return pins;
}

} // namespace

class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void startsWithTheDefaults();
    void ordinaryTopLevelWindow();
    void placedInsideTheScreen_data();
    void placedInsideTheScreen();
    void panelLeavesTheBlocksInSight_data();
    void panelLeavesTheBlocksInSight();
    void boardHintsBesideTheCaptions_data();
    void boardHintsBesideTheCaptions();
    void controlsInPlace();
    void tabOrder();
    void renderedPinsForEveryCpu_data();
    void renderedPinsForEveryCpu();
    void jp1NeverChanges();
    void listsOnlyTouchTheirOwnBlock();
    void keyboardPickRunsTheHandler();
    void typingReachesAnEntryPastItsBlanks_data();
    void typingReachesAnEntryPastItsBlanks();
    void programSelectionRunsTheClickAtOnce_data();
    void programSelectionRunsTheClickAtOnce();
    void failedWriteIsReportedAndKeepsEarlierPins();
    void exitEndsTheEventLoopWithStatusZero();
    void accessibleNamesAndJumperPositions();
    // Last: once EXIT has been pressed, every event loop of this process ends as it starts.
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();
};

void TestMainWindow::initTestCase()
{
    installFontSubstitutes();
}

void TestMainWindow::startsWithTheDefaults()
{
    MainWindow window;
    for (const char *pin : {"V1JP7", "d2jp3", "v1jp10", "v3jp11"})
        QCOMPARE(window.board().fillColor(pin), Color{0xFFFFFF}); // before the Load event
    QCOMPARE(listOf(window, "CBOCPU")->count(), 0);
    window.load();
    QCOMPARE(listOf(window, "CBOCPU")->currentText(), QStringLiteral(" AMD K6-2 300AFR(100MHz,3.0x,2.2V)"));
    QCOMPARE(listOf(window, "cbops")->currentText(), QStringLiteral(" AT Power Supply"));
    QCOMPARE(listOf(window, "cbosdr")->currentText(), QStringLiteral("PC100 SDRAM(Same as CPU) "));
    QCOMPARE(listOf(window, "CBOCPU")->count(), 44);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QImage image = window.windowImage();
    QCOMPARE(image.size(), QSize(513, 500));
    for (const auto &[pin, color] : expectedPins(21))
        QCOMPARE(colorHex(pinColorIn(image, *window.board().find(pin))), colorHex(color));
    QCOMPARE(window.windowTitle(), QStringLiteral("P5VELMOR")); // the caption users know the guide by
    QCOMPARE(window.geometry(), QRect(10, 32, 513, 500));
    QCOMPARE(window.minimumSize(), window.maximumSize());
}

void TestMainWindow::ordinaryTopLevelWindow()
{
    // Listed by task bars and window switchers like any program's window, with the guide's
    // frame: a title and a close button, nothing to minimize or maximize it, a fixed size.
    MainWindow window;
    QCOMPARE(window.windowType(), Qt::Window);
    const Qt::WindowFlags flags = window.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint) && flags.testFlag(Qt::WindowTitleHint)
            && flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMinimizeButtonHint) && !flags.testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(window.minimumSize(), window.maximumSize());
}

void TestMainWindow::placedInsideTheScreen_data()
{
    QTest::addColumn<QRect>("frame");
    QTest::addColumn<QRect>("available");
    QTest::addColumn<QPoint>("place");
    const QRect window(10, 32, 513, 500);
    QTest::newRow("fits where it stands") << window << QRect(0, 0, 1280, 1024) << QPoint(10, 32);
    QTest::newRow("twice the density on 1280 x 1024: moved up") << window << QRect(0, 0, 640, 512) << QPoint(10, 12);
    QTest::newRow("narrow screen: moved left") << window << QRect(0, 0, 520, 600) << QPoint(7, 32);
    QTest::newRow("panel at the top: moved down") << window << QRect(0, 40, 800, 560) << QPoint(10, 40);
    QTest::newRow("second screen to the right") << window << QRect(1280, 0, 1024, 768) << QPoint(1280, 32);
    QTest::newRow("larger than the screen: its corner") << window << QRect(0, 0, 400, 300) << QPoint(0, 0);
}

void TestMainWindow::placedInsideTheScreen()
{
    QFETCH(QRect, frame);
    QFETCH(QRect, available);
    QFETCH(QPoint, place);
    QCOMPARE(placedInside(frame, available), place);
}

void TestMainWindow::panelLeavesTheBlocksInSight_data()
{
    QTest::addColumn<qreal>("scale");     // the window's and the panel's sizes, as at QT_SCALE_FACTOR
    QTest::addColumn<QSize>("panel");     // at scale 1
    QTest::addColumn<QPoint>("place");    // of the panel, at the scale
    QTest::addColumn<bool>("blocksSeen"); // whether it leaves the blocks wholly in sight
    // A 1280 x 1024 screen, the window at its own place, the blocks where the board has them
    // (JP3 to JP11 with their names: x 348 to 412, y 76 to 377 of the client area).
    QTest::newRow("scale 1: right of the window") << 1.0 << QSize(330, 330) << QPoint(531, 32) << true;
    QTest::newRow("scale 1.5: over the board, left of the blocks") << 1.5 << QSize(330, 330) << QPoint(34, 162) << true;
    QTest::newRow("scale 2: over the board, left of the blocks") << 2.0 << QSize(330, 330) << QPoint(48, 176) << true;
    QTest::newRow("scale 2, a panel too large for anywhere: on the screen")
        << 2.0 << QSize(600, 500) << QPoint(80, 24) << false;
}

void TestMainWindow::panelLeavesTheBlocksInSight()
{
    QFETCH(qreal, scale);
    QFETCH(QSize, panel);
    QFETCH(QPoint, place);
    QFETCH(bool, blocksSeen);
    const QRect screen(0, 0, 1280, 1024);
    const auto scaled = [scale](const QRect &r) {
        return QRect((QPointF(r.topLeft()) * scale).toPoint(), (QSizeF(r.size()) * scale).toSize());
    };
    const QRect window = QRect(placedInside(scaled({10, 32, 513, 500}), screen), QSize(513, 500) * scale);
    const QRect blocks = scaled(QRect(348, 76, 65, 302)).translated(window.topLeft());
    const QPoint at = panelPlace(panel * scale, window, blocks, screen);
    QCOMPARE(at, place);
    QVERIFY(screen.contains(QRect(at, panel * scale)));
    QCOMPARE(!QRect(at, panel * scale).intersects(blocks), blocksSeen);
}

void TestMainWindow::boardHintsBesideTheCaptions_data()
{
    QTest::addColumn<QByteArray>("pin");    // the hint asked for at its middle; empty: a bare spot
    QTest::addColumn<QStringList>("words"); // each in the hint
    const QString colours = QStringLiteral("A grey pin is covered by a jumper cap; a white pin is left open.");
    // The default selections: JP7 1-2, JP5 2-3, JP3 B closed, JP11 1-2.
    QTest::newRow("JP7, a column") << QByteArray("V3JP7")
                                   << QStringList{"JP7 is set to 1-2: the cap covers pins 1 and 2.", colours,
                                                  "Pin 1 is the bottom one, as the board marks it."};
    QTest::newRow("JP5, a row") << QByteArray(
        "h1jp5") << QStringList{"JP5 is set to 2-3: the cap covers pins 2 and 3.", colours, "Pin 1 is the left one"};
    QTest::newRow("JP3 B") << QByteArray("b2jp3")
                           << QStringList{"JP3 position B is closed.", colours, "Positions A to D run from the left"};
    QTest::newRow("JP11") << QByteArray("v2jp11") << QStringList{"JP11 is set to 1-2", colours};
    QTest::newRow("the caption that asks to rest the pointer on the captions")
        << QByteArray("Label52") << QStringList{"press F2", "settings panel"};
    QTest::newRow("a bare spot of the board: nothing") << QByteArray() << QStringList();
}

void TestMainWindow::boardHintsBesideTheCaptions()
{
    QFETCH(QByteArray, pin);
    QFETCH(QStringList, words);
    MainWindow window;
    window.load();
    const BoardElement *element = pin.isEmpty() ? nullptr : window.board().find(pin.constData());
    QVERIFY(pin.isEmpty() || element);
    const QPoint at = element ? element->bounds.center() : QPoint(100, 200);
    const BoardHint hint = boardHintAt(window.board(), at);
    for (const QString &word : words)
        QVERIFY2(hint.text.contains(word), qPrintable(hint.text));
    // Shown while the pointer stays on the block or caption; nothing where neither is.
    QVERIFY(element ? hint.box.contains(element->bounds) : hint.text.isEmpty());
}

void TestMainWindow::controlsInPlace()
{
    MainWindow window;
    const struct {
        const char *name;
        QRect box;
        QString text;
    } controls[] = {
        {"CBOCPU", {45, 0, 284, 23}, {}},
        {"cbops", {384, 0, 113, 22}, {}},
        {"cbosdr", {90, 26, 239, 22}, {}},
        {"CMDPRINT", {450, 78, 46, 25}, QStringLiteral("&PRINT")},
        {"CMDEXIT", {450, 108, 46, 25}, QStringLiteral("&EXIT")},
    };
    for (const auto &c : controls) {
        auto *w = window.findChild<QWidget *>(QString::fromLatin1(c.name));
        QVERIFY2(w, c.name);
        QCOMPARE(w->geometry(), c.box);
        if (auto *button = qobject_cast<QPushButton *>(w)) {
            QCOMPARE(button->text(), c.text);
            QVERIFY(!button->isDefault() && !button->autoDefault());
        } else {
            QVERIFY(!qobject_cast<QComboBox *>(w)->isEditable());
        }
    }
}

void TestMainWindow::tabOrder()
{
    MainWindow window;
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("CBOCPU"));
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"CMDPRINT", "CMDEXIT", "cbops", "cbosdr", "CBOCPU"}));
}

void TestMainWindow::renderedPinsForEveryCpu_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");
    int position = 0;
    for (const SelectorEntry &e : cpuSelector().entries) {
        QTest::addRow("%d:%s", position, e.text) << position << e.itemCode / 100;
        ++position;
    }
}

void TestMainWindow::renderedPinsForEveryCpu()
{
    QFETCH(int, position);
    QFETCH(int, code);
    static MainWindow *window = [] {
        auto *w = new MainWindow;
        w->load();
        w->show();
        return w;
    }();
    pick(*window, "CBOCPU", position);
    const QImage image = window->windowImage();
    for (const auto &[pin, color] : expectedPins(code))
        QVERIFY2(pinColorIn(image, *window->board().find(pin)) == color, pin.c_str());
}

void TestMainWindow::jp1NeverChanges()
{
    MainWindow window;
    window.load();
    window.show();
    pick(window, "CBOCPU", 3);
    pick(window, "cbops", 1);
    pick(window, "cbosdr", 1);
    const QImage image = window.windowImage();
    QCOMPARE(colorHex(pinColorIn(image, *window.board().find("Shape47"))), QStringLiteral("FFFFFF"));
    QCOMPARE(colorHex(pinColorIn(image, *window.board().find("Shape48"))), QStringLiteral("404040"));
    QCOMPARE(colorHex(pinColorIn(image, *window.board().find("Shape49"))), QStringLiteral("404040"));
}

void TestMainWindow::listsOnlyTouchTheirOwnBlock()
{
    MainWindow window;
    window.load();
    const auto snapshot = [&] {
        std::map<std::string, Color> fills;
        for (const BoardElement &e : window.board().elements())
            if (e.kind == ElementKind::Shape)
                fills[e.name() + std::to_string(e.index())] = e.fillColor;
        return fills;
    };
    const auto differences = [](const auto &a, const auto &b) {
        std::set<std::string> names;
        for (const auto &[name, color] : a)
            if (b.at(name) != color)
                names.insert(name);
        return names;
    };
    auto before = snapshot();
    pick(window, "cbops", 1);
    QCOMPARE(differences(before, snapshot()), (std::set<std::string>{"v1jp11-1", "v3jp11-1"}));
    before = snapshot();
    pick(window, "cbosdr", 1);
    QCOMPARE(differences(before, snapshot()), (std::set<std::string>{"v1jp10-1", "v3jp10-1"}));
    before = snapshot();
    pick(window, "CBOCPU", 0); // row 1 differs from row 21 in JP7 to JP9, JP5 and JP3
    for (const std::string &name : differences(before, snapshot()))
        QVERIFY2(name.find("jp1") == std::string::npos && name.rfind("Shape", 0) != 0, name.c_str());
    QCOMPARE(window.board().fillColor("v1jp11"), JumperOffColor);
    QCOMPARE(window.board().fillColor("v1jp10"), JumperOnColor);
}

void TestMainWindow::keyboardPickRunsTheHandler()
{
    MainWindow window;
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QComboBox *cpu = listOf(window, "CBOCPU");
    QCOMPARE(QApplication::focusWidget(), cpu);
    QTest::keyClick(cpu, Qt::Key_Down); // row 22: JP7 at 2-3
    QCOMPARE(cpu->currentIndex(), 22);
    QCOMPARE(window.board().fillColor("V1JP7"), JumperOffColor);
    QCOMPARE(window.board().fillColor("V3JP7"), JumperOnColor);
    QTRY_COMPARE(colorHex(pinColorIn(window.windowImage(), *window.board().find("V3JP7"))), QStringLiteral("808080"));
}

void TestMainWindow::typingReachesAnEntryPastItsBlanks_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<bool>("open");
    QTest::addColumn<QStringList>("typed"); // bursts of keys, the keyboard input interval apart
    QTest::addColumn<QString>("entry");
    QTest::newRow("CPU: amd k6-2 4") << QByteArray("CBOCPU") << false << QStringList{"amd k6-2 4"}
                                     << " AMD K6-2 400AFR(100MHz,4.0x,2.2V)";
    QTest::newRow("CPU: CYRIX MII 333") << QByteArray("CBOCPU") << false << QStringList{"CYRIX MII 333"}
                                        << " CYRIX MII 333/IBM MX333(75MHz,3.5x,2.9V)";
    QTest::newRow("CPU: i, then i again")
        << QByteArray("CBOCPU") << false << QStringList{"ii"} << " idt WinChip C6-200MHz(66MHz,3x,3.52V)";
    QTest::newRow("CPU: c, a pause, then i starts anew")
        << QByteArray("CBOCPU") << false << QStringList{"c", "i"} << " idt WinChip C6-180MHz(60MHz,3x,3.52V)";
    QTest::newRow("CPU, open: intel mmx 2")
        << QByteArray("CBOCPU") << true << QStringList{"intel mmx 2"} << " INTEL MMX 200 MHz (2.8/3.3V)";
    QTest::newRow("power supply: atx") << QByteArray("cbops") << false << QStringList{"atx"} << " ATX Power Supply";
    QTest::newRow("SDRAM clock: non") << QByteArray("cbosdr") << false << QStringList{"non"}
                                      << "NON PC100 SDRAM(Same as AGP)";
}

void TestMainWindow::typingReachesAnEntryPastItsBlanks()
{
    QFETCH(QByteArray, list);
    QFETCH(bool, open);
    QFETCH(QStringList, typed);
    QFETCH(QString, entry);
    MainWindow window;
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QComboBox *combo = listOf(window, list);
    combo->setFocus();
    if (open)
        combo->showPopup();
    QWidget *keys = open ? static_cast<QWidget *>(combo->view()) : combo;
    for (const QString &burst : typed) {
        // A pause only between bursts: it is what makes the next burst start a new search.
        if (&burst != &typed.front())
            QTest::qWait(QApplication::keyboardInputInterval() + 100);
        QTest::keyClicks(keys, burst);
    }
    if (open) {
        QCOMPARE(combo->view()->currentIndex().data().toString(), entry);
        QTest::keyClick(keys, Qt::Key_Return);
    }
    QCOMPARE(combo->currentText(), entry);
    // The pick ran the list's Click, as a pick with the arrow keys does: the pins show what
    // selecting that entry by the program shows.
    MainWindow expected;
    expected.load();
    const Selector &selector = *findSelector(list.toStdString());
    expected.select(selector, combo->currentIndex());
    QCOMPARE(jumperPositionsText(pinColorsOf(window.board())), jumperPositionsText(pinColorsOf(expected.board())));
}

void TestMainWindow::programSelectionRunsTheClickAtOnce_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("positions"); // the pins just after the call, no event delivered
    QTest::newRow("CBOCPU 0") << QByteArray("CBOCPU") << 0
                              << "JP7 2-3, JP8 2-3, JP9 2-3, JP4 1-2, JP5 1-2, JP6 1-2, "
                                 "JP3 A closed B open C closed D closed, JP11 1-2, JP10 2-3";
    QTest::newRow("cbops 1") << QByteArray("cbops") << 1
                             << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, "
                                "JP3 A open B closed C open D open, JP11 2-3, JP10 2-3";
    QTest::newRow("cbosdr 1") << QByteArray("cbosdr") << 1
                              << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, "
                                 "JP3 A open B closed C open D open, JP11 1-2, JP10 1-2";
}

void TestMainWindow::programSelectionRunsTheClickAtOnce()
{
    QFETCH(QByteArray, list);
    QFETCH(int, position);
    QFETCH(QString, positions);
    const Selector &selector = *findSelector(list.toStdString());
    MainWindow window;
    window.load();
    window.select(selector, position);
    QCOMPARE(listOf(window, list)->currentIndex(), position);
    QCOMPARE(jumperPositionsText(pinColorsOf(window.board())), positions);
    const int pastTheEnd = static_cast<int>(selector.entries.size());
    QVERIFY_THROWS_EXCEPTION(ElementError, window.select(selector, pastTheEnd));
}

void TestMainWindow::failedWriteIsReportedAndKeepsEarlierPins()
{
    QStringList reports;
    FailingWindow window([&](const QString &message) { reports << message; });
    window.load();
    window.failAtWrite = 4; // from row 21 to row 1: the fifth write, V2JP8, fails
    pick(window, "CBOCPU", 0);

    QCOMPARE(reports.size(), 1);
    QVERIFY2(reports.front().contains(QStringLiteral("V2JP8")), qPrintable(reports.front()));
    const Board &board = window.board();
    QCOMPARE(board.fillColor("V1JP7"), JumperOffColor); // written: row 1 has JP7 at 2-3
    QCOMPARE(board.fillColor("V3JP7"), JumperOnColor);
    QCOMPARE(board.fillColor("V1JP8"), JumperOffColor);
    QCOMPARE(board.fillColor("V3JP8"), JumperOffColor); // not reached: still row 21's
    QCOMPARE(board.fillColor("a1JP3"), JumperOffColor); // row 1 would close A
}

void TestMainWindow::exitEndsTheEventLoopWithStatusZero()
{
    MainWindow window;
    window.load();
    window.show();
    QEventLoop loop;
    QTimer::singleShot(0, &window,
                       [&] { QTest::mouseClick(window.findChild<QPushButton *>("CMDEXIT"), Qt::LeftButton); });
    QTimer::singleShot(5000, &loop, [&] { loop.exit(99); });
    QCOMPARE(loop.exec(), 0);
}

void TestMainWindow::accessibleNamesAndJumperPositions()
{
    MainWindow window;
    window.load();
    window.show();
    const struct {
        const char *control;
        const char *name;
    } names[] = {{"CBOCPU", "CPU Type"},
                 {"cbops", "Power Supply Type"},
                 {"cbosdr", "SDRAM Clock Settings"},
                 {"CMDPRINT", "Print"},
                 {"CMDEXIT", "Exit"}};
    for (const auto &n : names) {
        QWidget *w = window.findChild<QWidget *>(n.control);
        QCOMPARE(w->accessibleName(), QString::fromLatin1(n.name));
        // A button is named by its own text; a list by the label it is labelled by, since its
        // accessible text on this platform is the entry shown.
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        if (qobject_cast<QPushButton *>(w)) {
            QCOMPARE(a->text(QAccessible::Name), QString::fromLatin1(n.name));
            continue;
        }
        const auto labels = a->relations(QAccessible::Label);
        QCOMPARE(labels.size(), 1);
        QCOMPARE(labels.front().first->text(QAccessible::Name), QString::fromLatin1(n.name));
    }
    QWidget *board = window.findChild<BoardWidget *>();
    const auto description = [&] {
        return QAccessible::queryAccessibleInterface(board)->text(QAccessible::Description);
    };
    QCOMPARE(description(),
             QStringLiteral("JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, "
                            "JP3 A open B closed C open D open, JP11 1-2, JP10 2-3"));
    pick(window, "CBOCPU", 0);
    pick(window, "cbops", 1);
    QCOMPARE(description(),
             QStringLiteral("JP7 2-3, JP8 2-3, JP9 2-3, JP4 1-2, JP5 1-2, JP6 1-2, "
                            "JP3 A closed B open C closed D closed, JP11 2-3, JP10 2-3"));
}

void TestMainWindow::enterPressesTheFocusedButton_data()
{
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("pressed"); // the button pressed, if any
    QTest::newRow("Return on EXIT") << "CMDEXIT" << int(Qt::Key_Return) << "CMDEXIT";
    QTest::newRow("Enter on EXIT") << "CMDEXIT" << int(Qt::Key_Enter) << "CMDEXIT";
    QTest::newRow("Return on PRINT") << "CMDPRINT" << int(Qt::Key_Return) << "CMDPRINT";
    QTest::newRow("Return on a list: no button") << "CBOCPU" << int(Qt::Key_Return) << QString();
}

void TestMainWindow::enterPressesTheFocusedButton()
{
    QFETCH(QString, focus);
    QFETCH(int, key);
    QFETCH(QString, pressed);
    MainWindow window;
    window.load();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto *print = window.findChild<QPushButton *>(QStringLiteral("CMDPRINT"));
    auto *exit = window.findChild<QPushButton *>(QStringLiteral("CMDEXIT"));
    QSignalSpy printed(print, &QPushButton::clicked);
    QSignalSpy exited(exit, &QPushButton::clicked);
    // PRINT finds no printer here (CUPS_SERVER names none) and says so in a message box, once the
    // print system has been asked on its worker.
    QTimer closeMessages;
    connect(&closeMessages, &QTimer::timeout, this, [] {
        if (QWidget *box = QApplication::activeModalWidget())
            box->close();
    });
    closeMessages.start(20);
    QWidget *target = window.findChild<QWidget *>(focus);
    target->setFocus();
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(printed.count(), pressed == QLatin1String("CMDPRINT") ? 1 : 0);
    QCOMPARE(exited.count(), pressed == QLatin1String("CMDEXIT") ? 1 : 0);
    QVERIFY(!print->isDefault() && !exit->isDefault());
    if (printed.count() == 1) {
        // The print's answer is shown in this row, not the next: once its worker has ended, the
        // worker's word to the window is queued, and is delivered here.
        QTRY_VERIFY_WITH_TIMEOUT(!printRequestOutstanding(), 10000);
        QCoreApplication::sendPostedEvents();
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
