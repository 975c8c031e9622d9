// The jumper settings panel beside the window: its lists set their blocks, a click on a block
// moves its cap, the lists of the window follow the board without a Click, undocumented
// positions are named, and without the panel a click on the board changes nothing.
#include "pinsampling.h"

#include "jumpers/jumperguide.h"
#include "jumpers/jumperwords.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "window/mainwindow.h"
#include "window/settingspanel.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QPushButton>
#include <QtTest>

namespace {

/// The window with every pin write logged, in order.
class LoggedWindow : public MainWindow
{
public:
    QStringList writes;

    void setFillColor(const char *element, Color color) override
    {
        writes << QString::fromLatin1(element);
        MainWindow::setFillColor(element, color);
    }
};

const QString DefaultPositions = QStringLiteral("JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, "
                                                "JP3 A open B closed C open D open, JP11 1-2, JP10 2-3");

/// A window after its Load event, shown, with the log emptied.
struct Fixture {
    LoggedWindow window;

    Fixture()
    {
        window.load();
        window.show();
        window.writes.clear();
    }

    SettingsPanel *openPanel()
    {
        window.openSettingsPanel();
        return window.findChild<SettingsPanel *>();
    }

    QComboBox *list(const char *name) { return window.findChild<QComboBox *>(QString::fromLatin1(name)); }
    QString reading(const char *name) { return window.findChild<QLabel *>(QString::fromLatin1(name))->text(); }

    /// A user's choice in a list of the window or the panel, by position.
    void pick(const char *name, int position)
    {
        QComboBox *combo = list(name);
        combo->setCurrentIndex(position);
        emit combo->activated(position);
    }

    /// A user's choice in a list of the panel, by the value it stands for.
    void choose(const char *name, int value)
    {
        const int position = list(name)->findData(value);
        QVERIFY2(position >= 0, name);
        pick(name, position);
    }

    void clickAt(QPoint pixel, Qt::MouseButton button = Qt::LeftButton)
    {
        QTest::mouseClick(window.findChild<BoardWidget *>(), button, {}, pixel);
    }

    void clickPin(const char *pin, Qt::MouseButton button = Qt::LeftButton)
    {
        clickAt(window.board().find(pin)->bounds.center(), button);
    }

    std::map<std::string, Color> fills() const
    {
        std::map<std::string, Color> fills;
        for (const BoardElement &e : window.board().elements()) {
            if (e.kind == ElementKind::Shape)
                fills[e.name() + std::to_string(e.index())] = e.fillColor;
        }
        return fills;
    }
};

// The pins of each panel list's blocks, in the order the CPU procedure writes them.
const std::map<QByteArray, QStringList> BlockPins = {
    {"busClock", {"V1JP7", "V2JP7", "V3JP7", "V1JP8", "V2JP8", "V3JP8", "v1jp9", "v2jp9", "v3jp9"}},
    {"multiplier", {"h1jp4", "h2jp4", "h3jp4", "h1jp5", "h2jp5", "h3jp5", "h1jp6", "h2jp6", "h3jp6"}},
    {"coreVoltage", {"a1JP3", "a2JP3", "b1JP3", "b2jp3", "c1jp3", "c2jp3", "d1jp3", "d2jp3"}},
};

// What each list's blocks read with the default selections.
const std::map<QByteArray, QString> DefaultBlockPositions = {
    {"busClock", "JP7 1-2, JP8 1-2, JP9 1-2"},
    {"multiplier", "JP4 1-2, JP5 2-3, JP6 1-2"},
    {"coreVoltage", "JP3 A open B closed C open D open"},
};

} // namespace

class TestSettingsPanel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choosingAValueSetsExactlyItsBlock_data();
    void choosingAValueSetsExactlyItsBlock();
    void aClickOnABlockMovesItsCap_data();
    void aClickOnABlockMovesItsCap();
    void cpuListFollowsThePins_data();
    void cpuListFollowsThePins();
    void pickingAnEntryRunsItsClickAsAlways();
    void undocumentedPositionsAreNamed_data();
    void undocumentedPositionsAreNamed();
    void closingLeavesTheBoardAsItIs();
    void withoutThePanelAClickChangesNothing();
    void reachedByKeyAndMenu();
    void wearsTheWindowsLookAndExplainsTheColours();
};

void TestSettingsPanel::initTestCase()
{
    installFontSubstitutes();
}

void TestSettingsPanel::choosingAValueSetsExactlyItsBlock_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("positions"); // of the list's blocks, as the board's legend gives them
    const struct {
        const char *list;
        int value;
        const char *positions;
    } rows[] = {
        {"busClock", 60, "JP7 2-3, JP8 2-3, JP9 2-3"},
        {"busClock", 66, "JP7 1-2, JP8 2-3, JP9 2-3"},
        {"busClock", 75, "JP7 1-2, JP8 1-2, JP9 2-3"},
        {"busClock", 83, "JP7 1-2, JP8 2-3, JP9 1-2"},
        {"busClock", 95, "JP7 2-3, JP8 1-2, JP9 1-2"},
        {"busClock", 100, "JP7 1-2, JP8 1-2, JP9 1-2"},
        {"multiplier", 20, "JP4 2-3, JP5 1-2, JP6 1-2"},
        {"multiplier", 25, "JP4 2-3, JP5 2-3, JP6 1-2"},
        {"multiplier", 30, "JP4 1-2, JP5 2-3, JP6 1-2"},
        {"multiplier", 35, "JP4 1-2, JP5 1-2, JP6 1-2"},
        {"multiplier", 40, "JP4 2-3, JP5 1-2, JP6 2-3"},
        {"multiplier", 45, "JP4 2-3, JP5 2-3, JP6 2-3"},
        {"multiplier", 50, "JP4 1-2, JP5 1-2, JP6 2-3"},
        {"coreVoltage", 220, "JP3 A open B closed C open D open"},
        {"coreVoltage", 280, "JP3 A open B open C open D closed"},
        {"coreVoltage", 290, "JP3 A closed B open C open D closed"},
        {"coreVoltage", 320, "JP3 A open B open C closed D closed"},
        {"coreVoltage", 330, "JP3 A closed B open C closed D closed"},
        {"coreVoltage", 352, "JP3 A closed B closed C closed D closed"},
    };
    for (const auto &r : rows)
        QTest::addRow("%s %d", r.list, r.value) << QByteArray(r.list) << r.value << QString::fromLatin1(r.positions);
}

void TestSettingsPanel::choosingAValueSetsExactlyItsBlock()
{
    QFETCH(QByteArray, list);
    QFETCH(int, value);
    QFETCH(QString, positions);
    Fixture f;
    f.openPanel();
    f.choose(list, value);
    QCOMPARE(f.window.writes, BlockPins.at(list)); // that block, every pin once, and no Click
    QCOMPARE(jumperPositionsText(pinColorsOf(f.window.board())),
             QString(DefaultPositions).replace(DefaultBlockPositions.at(list), positions));
    QCOMPARE(f.list(list)->currentData().toInt(), value);
}

void TestSettingsPanel::aClickOnABlockMovesItsCap_data()
{
    QTest::addColumn<QByteArray>("pin");
    QTest::addColumn<QString>("positions"); // after one click; a second click restores the defaults
    QTest::addColumn<int>("power");         // the cbops and cbosdr entries shown after one click
    QTest::addColumn<int>("sdram");
    QTest::newRow("JP7 pin 2 to 2-3")
        << QByteArray("V2JP7")
        << "JP7 2-3, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 2-3"
        << 0 << 0;
    QTest::newRow("JP5 pin 3 to 1-2")
        << QByteArray("h3jp5")
        << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 1-2, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 2-3"
        << 0 << 0;
    QTest::newRow("JP3 B first pin opens")
        << QByteArray("b1JP3")
        << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B open C open D open, JP11 1-2, JP10 2-3"
        << 0 << 0;
    QTest::newRow("JP3 D second pin closes") << QByteArray("d2jp3")
                                             << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B "
                                                "closed C open D closed, JP11 1-2, JP10 2-3"
                                             << 0 << 0;
    QTest::newRow("JP11 to 2-3: ATX")
        << QByteArray("v2jp11")
        << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 2-3, JP10 2-3"
        << 1 << 0;
    QTest::newRow("JP10 to 1-2: non-PC100")
        << QByteArray("v3jp10")
        << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 1-2"
        << 0 << 1;
    QTest::newRow("JP1 never moves") << QByteArray("Shape48") << DefaultPositions << 0 << 0;
}

void TestSettingsPanel::aClickOnABlockMovesItsCap()
{
    QFETCH(QByteArray, pin);
    QFETCH(QString, positions);
    QFETCH(int, power);
    QFETCH(int, sdram);
    Fixture f;
    f.openPanel();
    const auto board = [&] { return jumperPositionsText(pinColorsOf(f.window.board())); };
    f.clickPin(pin);
    QCOMPARE(board(), positions);
    QCOMPARE(f.list("cbops")->currentIndex(), power);
    QCOMPARE(f.list("cbosdr")->currentIndex(), sdram);
    auto *boardWidget = f.window.findChild<BoardWidget *>();
    QCOMPARE(QAccessible::queryAccessibleInterface(boardWidget)->text(QAccessible::Description), positions);
    // The picture is taken by painting the window afresh, so it shows the new pins at once.
    const QImage image = f.window.windowImage();
    for (const BoardElement &e : f.window.board().elements()) {
        const std::string name = e.name();
        if (name.find("jp") != std::string::npos || name.find("JP") != std::string::npos)
            QVERIFY2(pinColorIn(image, e) == e.fillColor, e.name());
    }
    f.clickPin(pin, Qt::MiddleButton); // only the left button moves a cap
    QCOMPARE(board(), positions);
    f.clickPin(pin);
    QCOMPARE(board(), DefaultPositions);
    QCOMPARE(f.list("cbops")->currentIndex(), 0);
    QCOMPARE(f.list("cbosdr")->currentIndex(), 0);
}

void TestSettingsPanel::cpuListFollowsThePins_data()
{
    QTest::addColumn<int>("from");        // the CPU entry picked first
    QTest::addColumn<QByteArray>("list"); // then a value chosen in the panel
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("shown");       // the CPU entry the list shows then
    QTest::addColumn<QString>("entries"); // the panel's reading of the CPU entries
    QTest::newRow("one entry gives the pins")
        << 21 << QByteArray("multiplier") << 40 << 26 << "AMD K6-2 400AFR(100MHz,4.0x,2.2V)";
    QTest::newRow("two give them: the first") << 18 << QByteArray("multiplier") << 40 << 17
                                              << "AMD K6 266AFR(66MHz,4.0x,2.2V)\nAMD K6-2 266AFR(66MHz,4.0x,2.2V)";
    QTest::newRow("the one shown is among them") << 20 << QByteArray("busClock") << 66 << 20
                                                 << "AMD K6 266AFR(66MHz,4.0x,2.2V)\nAMD K6-2 266AFR(66MHz,4.0x,2.2V)";
    QTest::newRow("none gives them") << 21 << QByteArray("coreVoltage") << 330 << -1 << "no listed CPU";
    QTest::newRow("an entry naming no clock")
        << 0 << QByteArray("busClock") << 60 << 0 << "INTEL PENTIUM 90 MHz (3.3V)";
}

void TestSettingsPanel::cpuListFollowsThePins()
{
    QFETCH(int, from);
    QFETCH(QByteArray, list);
    QFETCH(int, value);
    QFETCH(int, shown);
    QFETCH(QString, entries);
    Fixture f;
    f.pick("CBOCPU", from);
    f.openPanel();
    f.window.writes.clear();
    f.choose(list, value);
    QCOMPARE(f.list("CBOCPU")->currentIndex(), shown);
    QCOMPARE(f.window.writes, BlockPins.at(list)); // the CPU list's Click did not run
    QCOMPARE(f.reading("cpuEntries"), entries);
}

void TestSettingsPanel::pickingAnEntryRunsItsClickAsAlways()
{
    Fixture f;
    f.openPanel();
    f.choose("busClock", 66); // 66 MHz, 3.0x, 2.2 V: no entry
    QCOMPARE(f.list("CBOCPU")->currentIndex(), -1);
    QCOMPARE(f.list("CBOCPU")->currentText(), QString());
    QCOMPARE(f.reading("cpuClock"), QStringLiteral("200 MHz"));
    for (int pickAgain = 0; pickAgain < 2; ++pickAgain) {
        f.window.writes.clear();
        f.pick("CBOCPU", 21);
        QCOMPARE(f.window.writes.size(), 26);
        QCOMPARE(jumperPositionsText(pinColorsOf(f.window.board())), DefaultPositions);
        QCOMPARE(f.list("CBOCPU")->currentIndex(), 21);
        QCOMPARE(f.list("busClock")->currentData().toInt(), 100);
        QCOMPARE(f.reading("cpuEntries"), QStringLiteral("AMD K6-2 300AFR(100MHz,3.0x,2.2V)"));
        QCOMPARE(f.reading("cpuClock"), QStringLiteral("300 MHz"));
    }
    f.pick("cbops", 1);
    QCOMPARE(f.reading("powerSupply"), QStringLiteral("ATX Power Supply (JP11 2-3)"));
    QCOMPARE(f.reading("sdramClock"), QStringLiteral("PC100 SDRAM(Same as CPU) (JP10 2-3)"));
}

void TestSettingsPanel::undocumentedPositionsAreNamed_data()
{
    QTest::addColumn<QStringList>("pins"); // clicked from the default positions
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<QString>("reading"); // beside that list
    QTest::newRow("JP3 A closed") << QStringList{"a1JP3"} << QByteArray("coreVoltage")
                                  << "JP3 A closed, B closed, C open, D open: not a documented voltage setting";
    QTest::newRow("JP7 and JP8 at 2-3") << QStringList{"V1JP7", "V3JP8"} << QByteArray("busClock")
                                        << "JP7 2-3, JP8 2-3, JP9 1-2: not a documented bus clock setting";
    QTest::newRow("JP6 at 2-3") << QStringList{"h2jp6"} << QByteArray("multiplier")
                                << "JP4 1-2, JP5 2-3, JP6 2-3: not a documented multiplier setting";
}

void TestSettingsPanel::undocumentedPositionsAreNamed()
{
    QFETCH(QStringList, pins);
    QFETCH(QByteArray, list);
    QFETCH(QString, reading);
    Fixture f;
    f.openPanel();
    for (const QString &pin : pins)
        f.clickPin(pin.toLatin1());
    QCOMPARE(f.reading(list + "Pins"), reading);
    QCOMPARE(f.list(list)->currentIndex(), -1);
    QCOMPARE(f.list(list)->accessibleDescription(), reading);
    QCOMPARE(f.list("CBOCPU")->currentIndex(), -1);
    QCOMPARE(f.reading("cpuEntries"), QStringLiteral("no listed CPU"));
    if (list != "coreVoltage")
        QCOMPARE(f.reading("cpuClock"), QStringLiteral("not documented for these jumpers"));
}

void TestSettingsPanel::closingLeavesTheBoardAsItIs()
{
    Fixture f;
    SettingsPanel *panel = f.openPanel();
    f.choose("busClock", 95);
    f.clickPin("d1jp3");
    const auto fills = f.fills();
    const QString cpuShown = f.list("CBOCPU")->currentText();
    QTest::keyClick(f.list("busClock"), Qt::Key_Escape);
    QVERIFY(!panel->isVisible());
    QVERIFY(f.window.isVisible());
    QVERIFY(f.fills() == fills);
    QCOMPARE(f.list("CBOCPU")->currentText(), cpuShown);
    f.window.writes.clear();
    f.clickPin("d1jp3"); // closed, the panel no longer moves caps
    QVERIFY(f.window.writes.isEmpty());
    f.window.openSettingsPanel(); // and open again, it reads the board as it was left
    QCOMPARE(f.list("busClock")->currentData().toInt(), 95);
    QCOMPARE(f.reading("coreVoltagePins"),
             QStringLiteral("JP3 A open, B closed, C open, D closed: not a documented voltage setting"));
    panel->findChild<QPushButton *>(QStringLiteral("close"))->click();
    QVERIFY(!panel->isVisible());
    QVERIFY(f.fills() == fills);
}

void TestSettingsPanel::withoutThePanelAClickChangesNothing()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.window));
    const QImage before = f.window.windowImage();
    const auto fills = f.fills();
    for (const BoardElement &e : f.window.board().elements()) {
        if (e.kind == ElementKind::Shape)
            f.clickAt(e.bounds.center());
    }
    QVERIFY(f.window.writes.isEmpty());
    QVERIFY(f.fills() == fills);
    QVERIFY(!f.window.findChild<SettingsPanel *>());
    // Painted afresh for the picture: no repaint is waited for.
    QCOMPARE(f.window.windowImage(), before);
}

void TestSettingsPanel::reachedByKeyAndMenu()
{
    Fixture f;
    QVERIFY(QTest::qWaitForWindowActive(&f.window));
    QTest::keyClick(&f.window, Qt::Key_F2);
    auto *panel = f.window.findChild<SettingsPanel *>();
    QVERIFY(panel && panel->isVisible());
    QTRY_VERIFY(panel->isActiveWindow());
    QCOMPARE(panel->font().family(), windowFont().family());
    QStringList order{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        order << QApplication::focusWidget()->objectName();
    }
    QCOMPARE(order, (QStringList{"busClock", "multiplier", "coreVoltage", "close", "busClock"}));
    for (const char *name : {"busClock", "multiplier", "coreVoltage"}) {
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(f.list(name));
        QVERIFY(!list->text(QAccessible::Name).isEmpty());
        QVERIFY(!list->relations(QAccessible::Label).isEmpty());
    }
    QAccessibleInterface *cpuClock = QAccessible::queryAccessibleInterface(panel->findChild<QLabel *>("cpuClock"));
    QCOMPARE(cpuClock->text(QAccessible::Name), QStringLiteral("300 MHz"));
    QCOMPARE(cpuClock->relations(QAccessible::Label).front().first->text(QAccessible::Name),
             QStringLiteral("CPU clock"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    QVERIFY(!panel->isVisible());

    // The board's context menu carries the same entry, with its key.
    QString entry;
    QTimer::singleShot(0, this, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        QAction *action = menu->actions().front();
        entry = action->text() + u'\t' + action->shortcut().toString();
        menu->close();
        action->trigger();
    });
    auto *board = f.window.findChild<BoardWidget *>();
    QContextMenuEvent event(QContextMenuEvent::Mouse, {100, 100}, board->mapToGlobal(QPoint(100, 100)));
    QApplication::sendEvent(board, &event);
    QCOMPARE(entry, QStringLiteral("Jumper settings panel\tF2"));
    QVERIFY(panel->isVisible());
}

void TestSettingsPanel::wearsTheWindowsLookAndExplainsTheColours()
{
    Fixture f;
    f.window.openSettingsPanel();
    auto *panel = f.window.findChild<SettingsPanel *>();
    QVERIFY(panel && panel->isVisible());
    // Its ground is the pale green the window shows around the board, not the toolkit's white.
    const QImage image = panel->grab().toImage();
    QCOMPARE(QColor(image.pixel(2, 2)), QColor(f.window.windowImage().pixel(2, 498)));
    // A newcomer reads there what the board's colours mean, and a screen reader does too.
    auto *legend = panel->findChild<QLabel *>(QStringLiteral("legend"));
    QVERIFY(legend && legend->isVisible());
    QVERIFY(legend->text().contains(QLatin1String("grey pin is covered by a jumper cap")));
    QVERIFY(legend->text().contains(QLatin1String("white one is left open")));
    // No wider than what it holds: its widest line of text, its margins and the caption column.
    int widest = 0;
    for (const QWidget *child : panel->findChildren<QWidget *>())
        widest = std::max(widest, child->geometry().right() + 1);
    QVERIFY2(panel->width() <= widest + panel->layout()->contentsMargins().right(),
             qPrintable(QStringLiteral("%1 > %2").arg(panel->width()).arg(widest)));
}

QTEST_MAIN(TestSettingsPanel)
#include "tst_settingspanel.moc"
