// What the window and the panel tell a screen reader: a list's entry as its text, after each pick
// one sentence on the window's status line with the entry and the positions that changed, and the
// board's captions as children, which the keyboard steps through.
#include "windowtesting.h"

#include "accessibility/announcer.h"
#include "boarddata/catalogues.h"
#include "layout/boardwidget.h"
#include "window/mainwindow.h"
#include "window/settingspanel.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QToolTip>
#include <QtTest>

namespace {

/// The sentences the window's status line told, the latest last.
QStringList told(MainWindow &window)
{
    return window.findChild<Announcer *>()->sentences();
}

} // namespace

class TestWindowAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void listsTellTheirEntryAsText_data();
    void listsTellTheirEntryAsText();
    void loadTellsNothing();
    void picksAreToldOnce_data();
    void picksAreToldOnce();
    void statusLineIsAStatusBarOfNotifications();
    void lateEnterPicksNothing();
    void panelChoicesAreTold_data();
    void panelChoicesAreTold();
    void focusedPanelListTakesItsDescriptionOnFocus();
    void captionsAreTheBoardsChildren();
    void keysStepThroughTheCaptions();
    void keysLeaveTheBoard_data();
    void keysLeaveTheBoard();
    void menuKeysOpenTheBoardsMenu_data();
    void menuKeysOpenTheBoardsMenu();
};

void TestWindowAccessibility::listsTellTheirEntryAsText_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("entry");
    QTest::newRow("CPU") << "CBOCPU"
                         << "CPU Type"
                         << " AMD K6-2 300AFR(100MHz,3.0x,2.2V)";
    QTest::newRow("power supply") << "cbops"
                                  << "Power Supply Type"
                                  << " AT Power Supply";
    QTest::newRow("SDRAM clock") << "cbosdr"
                                 << "SDRAM Clock Settings"
                                 << "PC100 SDRAM(Same as CPU) ";
}

void TestWindowAccessibility::listsTellTheirEntryAsText()
{
    QFETCH(QString, list);
    QFETCH(QString, caption);
    QFETCH(QString, entry);
    MainWindow window;
    window.load();
    QComboBox *combo = listOf(window, qPrintable(list));
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(combo);
    QCOMPARE(a->role(), QAccessible::ComboBox);
    QCOMPARE(a->text(QAccessible::Name), caption);
    QAccessibleTextInterface *text = a->textInterface();
    QVERIFY(text);
    QCOMPARE(text->text(0, text->characterCount()), entry);
    QCOMPARE(a->text(QAccessible::Value), entry);
    // The entries that open below it stay its one child.
    QCOMPARE(a->childCount(), 1);
    QCOMPARE(a->child(0)->object(), combo->view());
    // Another entry, then none (as a list whose pins document no entry shows).
    pick(window, qPrintable(list), 1);
    QCOMPARE(text->text(0, text->characterCount()), combo->itemText(1));
    combo->setCurrentIndex(-1);
    QCOMPARE(text->characterCount(), 0);
}

void TestWindowAccessibility::loadTellsNothing()
{
    // The defaults the Load event picks are the program's, not the user's: nothing is told.
    MainWindow window;
    window.load();
    QVERIFY(told(window).isEmpty());
}

void TestWindowAccessibility::picksAreToldOnce_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("CPU, Down") << "CBOCPU" << int(Qt::Key_Down) << "AMD K6-2 333AFR(95MHz,3.5x,2.2V). JP7 2-3, JP5 1-2";
    QTest::newRow("CPU, a letter") << "CBOCPU" << int(Qt::Key_C)
                                   << "CYRIX 6x86 P150+(60MHz,2x,3.52v). JP7 2-3, JP8 2-3, JP9 2-3, JP4 2-3, JP5 "
                                      "1-2, JP3 A closed B closed C closed D closed";
    QTest::newRow("power supply, Down") << "cbops" << int(Qt::Key_Down) << "ATX Power Supply. JP11 2-3";
    QTest::newRow("SDRAM clock, Down") << "cbosdr" << int(Qt::Key_Down) << "NON PC100 SDRAM(Same as AGP). JP10 1-2";
    QTest::newRow("the entry shown, Up at the top") << "cbops" << int(Qt::Key_Up) << "";
}

void TestWindowAccessibility::picksAreToldOnce()
{
    QFETCH(QString, list);
    QFETCH(int, key);
    QFETCH(QString, sentence);
    MainWindow window;
    window.load();
    const Qt::Key pressed = Qt::Key(key);
    QTest::keyClick(listOf(window, qPrintable(list)), pressed, Qt::NoModifier);
    // A key that picks nothing (the first entry has none above it) tells nothing.
    QCOMPARE(told(window), sentence.isEmpty() ? QStringList() : QStringList{sentence});
}

void TestWindowAccessibility::statusLineIsAStatusBarOfNotifications()
{
    MainWindow window;
    window.load();
    pick(window, "cbops", 1);
    // The same entry picked again: nothing moves, and the sentence says so.
    pick(window, "cbops", 1);
    QCOMPARE(told(window), (QStringList{"ATX Power Supply. JP11 2-3", "ATX Power Supply. Jumpers unchanged"}));
    // A reader hears a notification that appears inside a status bar as its words alone.
    auto *line = window.findChild<Announcer *>();
    QVERIFY(line->isHidden());
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(line);
    QCOMPARE(bar->role(), QAccessible::StatusBar);
    QCOMPARE(bar->childCount(), 2);
    QAccessibleInterface *latest = bar->child(1);
    QCOMPARE(latest->role(), QAccessible::Notification);
    QCOMPARE(latest->text(QAccessible::Name), QStringLiteral("ATX Power Supply. Jumpers unchanged"));
    QCOMPARE(latest->parent(), bar);
    QCOMPARE(bar->indexOfChild(latest), 1);
    // Only the last few are kept, the oldest let go.
    for (int i = 0; i < 20; ++i)
        pick(window, "cbops", i % 2);
    QCOMPARE(bar->childCount(), told(window).size());
    QCOMPARE(told(window).size(), 8);
    QCOMPARE(told(window).last(), QStringLiteral("ATX Power Supply. JP11 2-3"));
}

void TestWindowAccessibility::lateEnterPicksNothing()
{
    // Enter in the open list picks once; the same key handed back late by a screen reader, after
    // the list closed, reaches its entries again and must pick nothing more.
    auto window = shownWindow();
    QVERIFY(window);
    QComboBox *cpu = listOf(*window, "CBOCPU");
    QSignalSpy picked(cpu, &QComboBox::activated);
    cpu->showPopup();
    QTRY_VERIFY(cpu->view()->isVisible());
    QTest::keyClick(cpu->view(), Qt::Key_Down);
    QTest::keyClick(cpu->view(), Qt::Key_Return);
    QTRY_VERIFY(!cpu->view()->isVisible());
    QTest::keyClick(cpu->view(), Qt::Key_Return);
    QCOMPARE(picked.count(), 1);
    QCOMPARE(told(*window), QStringList{"AMD K6-2 333AFR(95MHz,3.5x,2.2V). JP7 2-3, JP5 1-2"});
}

void TestWindowAccessibility::panelChoicesAreTold_data()
{
    // The window starts with 100 MHz, 3x and 2.2 V: the AMD K6-2 300.
    QTest::addColumn<QString>("list");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("sentence");
    QTest::newRow("bus clock down to 95 MHz: no listed CPU")
        << "busClock" << int(Qt::Key_Up) << "95 MHz. JP7 2-3. CPU clock: 285 MHz. CPU: no listed CPU";
    QTest::newRow("multiplier up to 3.5x: the K6-2 350")
        << "multiplier" << int(Qt::Key_Down)
        << "3.5x. JP5 1-2. CPU clock: 350 MHz. CPU: AMD K6-2 350AFR(100MHz,3.5x,2.2V)";
    QTest::newRow("multiplier down to 2.5x: the K6-2 250")
        << "multiplier" << int(Qt::Key_Up)
        << "2.5x. JP4 2-3. CPU clock: 250 MHz. CPU: AMD K6-2 250AFR(100MHz,2.5x,2.2V)";
}

void TestWindowAccessibility::panelChoicesAreTold()
{
    QFETCH(QString, list);
    QFETCH(int, key);
    QFETCH(QString, sentence);
    auto window = shownWindow();
    QVERIFY(window);
    window->openSettingsPanel();
    auto *panel = window->findChild<SettingsPanel *>();
    QSignalSpy said(panel, &SettingsPanel::announcement);
    QTest::keyClick(panel->findChild<QComboBox *>(list), Qt::Key(key), Qt::NoModifier);
    QCOMPARE(said.count(), 1);
    QCOMPARE(said.front().front().toString(), sentence);
    // Told on the window's status line, which a reader hears whatever window is active.
    QCOMPARE(told(*window), QStringList{sentence});
}

void TestWindowAccessibility::focusedPanelListTakesItsDescriptionOnFocus()
{
    auto window = shownWindow();
    QVERIFY(window);
    window->openSettingsPanel();
    auto *panel = window->findChild<SettingsPanel *>();
    QVERIFY(QTest::qWaitForWindowActive(panel));
    auto *busClock = panel->findChild<QComboBox *>("busClock");
    auto *multiplier = panel->findChild<QComboBox *>("multiplier");
    QTRY_VERIFY(busClock->hasFocus());
    const QString before = busClock->accessibleDescription();
    QCOMPARE(before, QStringLiteral("JP7 1-2, JP8 1-2, JP9 1-2"));
    // The focused list keeps the words a reader already has (a change of them reaches Orca as
    // something it cannot say); its positions were told in the sentence of the choice.
    QTest::keyClick(busClock, Qt::Key_Up);
    QCOMPARE(busClock->accessibleDescription(), before);
    QCOMPARE(panel->findChild<QLabel *>("busClockPins")->text(), QStringLiteral("JP7 2-3, JP8 1-2, JP9 1-2"));
    // Back on it, it has them.
    multiplier->setFocus();
    busClock->setFocus();
    QCOMPARE(busClock->accessibleDescription(), QStringLiteral("JP7 2-3, JP8 1-2, JP9 1-2"));
}

void TestWindowAccessibility::captionsAreTheBoardsChildren()
{
    MainWindow window;
    window.load();
    auto *board = window.findChild<BoardWidget *>();
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(board);
    QCOMPARE(a->role(), QAccessible::Graphic);
    QCOMPARE(a->text(QAccessible::Name), QStringLiteral("Jumper settings"));
    // Every caption of the catalogue, once, named by its text and described by its tool tip.
    QStringList children;
    for (int i = 0; i < a->childCount(); ++i) {
        QAccessibleInterface *caption = a->child(i);
        QCOMPARE(caption->parent(), a);
        QCOMPARE(a->indexOfChild(caption), i);
        QCOMPARE(caption->state().focusable, !caption->text(QAccessible::Description).isEmpty());
        children << caption->text(QAccessible::Name) + u'|' + caption->text(QAccessible::Description);
    }
    QStringList catalogue;
    for (const LabelRow &row : labelCatalogue())
        catalogue << QString::fromLatin1(row.caption) + u'|' + QString::fromLatin1(row.toolTip);
    children.sort();
    catalogue.sort();
    QCOMPARE(children, catalogue);
    // Where a caption lies on the screen, a reader finds it.
    QAccessibleInterface *cn1 = nullptr;
    for (int i = 0; i < a->childCount() && !cn1; ++i) {
        if (a->child(i)->text(QAccessible::Name) == QLatin1String("CN1"))
            cn1 = a->child(i);
    }
    QVERIFY(cn1);
    QCOMPARE(a->childAt(cn1->rect().center().x(), cn1->rect().center().y()), cn1);
}

void TestWindowAccessibility::keysStepThroughTheCaptions()
{
    auto window = shownWindow();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *board = window->findChild<BoardWidget *>();
    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(board);
    QTest::keyClick(window.get(), Qt::Key_F6);
    QVERIFY(board->hasFocus());
    QCOMPARE(board->currentCaption(), -1);
    // Round the board once with Right: every caption with a tool tip, each once, each shown with
    // its tool tip and holding the focus a reader follows.
    QStringList visited;
    const auto &captions = board->captions();
    for (;;) {
        QTest::keyClick(board, Qt::Key_Right);
        const int current = board->currentCaption();
        QVERIFY(current >= 0);
        const QString tip = QString::fromLatin1(captions[std::size_t(current)]->label->toolTip);
        QVERIFY(!tip.isEmpty());
        QCOMPARE(a->focusChild(), a->child(current));
        QVERIFY(a->child(current)->state().focused);
        QVERIFY(QToolTip::isVisible());
        QVERIFY(QToolTip::text().contains(tip.toHtmlEscaped()));
        const QString name = QString::fromLatin1(captions[std::size_t(current)]->label->caption) + u'|' + tip;
        if (!visited.isEmpty() && name == visited.front())
            break;
        visited << name;
    }
    qsizetype withTips = 0;
    for (const LabelRow &row : labelCatalogue())
        withTips += *row.toolTip ? 1 : 0;
    QCOMPARE(visited.size(), withTips);
    QCOMPARE(QSet<QString>(visited.begin(), visited.end()).size(), withTips);
    // Left from the first goes round to the last; Home and End go there at once.
    QTest::keyClick(board, Qt::Key_Left);
    const int last = board->currentCaption();
    QTest::keyClick(board, Qt::Key_Home);
    const int first = board->currentCaption();
    QTest::keyClick(board, Qt::Key_End);
    QCOMPARE(board->currentCaption(), last);
    QTest::keyClick(board, Qt::Key_Right);
    QCOMPARE(board->currentCaption(), first);
    // Reading order: each caption lies below the one before, or level with it and to its right.
    const QRect a0 = captions[std::size_t(first)]->bounds;
    const QRect z = captions[std::size_t(last)]->bounds;
    QVERIFY(a0.top() <= z.top());
}

void TestWindowAccessibility::keysLeaveTheBoard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Escape") << int(Qt::Key_Escape) << int(Qt::NoModifier);
    QTest::newRow("Tab") << int(Qt::Key_Tab) << int(Qt::NoModifier);
    QTest::newRow("Shift+Tab") << int(Qt::Key_Backtab) << int(Qt::ShiftModifier);
    QTest::newRow("F6 again") << int(Qt::Key_F6) << int(Qt::NoModifier);
}

void TestWindowAccessibility::keysLeaveTheBoard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto window = shownWindow();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *board = window->findChild<BoardWidget *>();
    QComboBox *power = listOf(*window, "cbops");
    power->setFocus();
    QTest::keyClick(window.get(), Qt::Key_F6);
    QVERIFY(board->hasFocus());
    QTest::keyClick(board, Qt::Key_Right);
    QVERIFY(QToolTip::isVisible());
    // Back to the list the board was reached from, the caption's tool tip gone; the lists'
    // Tab chain never had the board in it.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QCOMPARE(QApplication::focusWidget(), power);
    QTRY_VERIFY(!QToolTip::isVisible());
    QCOMPARE(board->currentCaption(), -1);
    for (QWidget *w = power->nextInFocusChain(); w != power; w = w->nextInFocusChain())
        QVERIFY(w != board || !(board->focusPolicy() & Qt::TabFocus));
}

void TestWindowAccessibility::menuKeysOpenTheBoardsMenu_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier);
    QTest::newRow("the Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier);
}

void TestWindowAccessibility::menuKeysOpenTheBoardsMenu()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    auto window = shownWindow();
    QVERIFY(window);
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    auto *board = window->findChild<BoardWidget *>();
    QTest::keyClick(window.get(), Qt::Key_F6);
    QTest::keyClick(board, Qt::Key_Right);
    const QRect caption = board->captions()[std::size_t(board->currentCaption())]->bounds;
    // The menu opens at the caption with its entry marked, which a reader then says.
    QString marked;
    QPoint at;
    QTimer::singleShot(0, window.get(), [&] {
        QTRY_VERIFY(QApplication::activePopupWidget());
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QTRY_VERIFY(menu->activeAction());
        marked = menu->activeAction()->text();
        at = menu->pos();
        menu->close();
    });
    QTest::keyClick(board, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    QTRY_COMPARE(marked, QStringLiteral("Jumper settings panel"));
    QCOMPARE(at, board->mapToGlobal(caption.center()));
}

QTEST_MAIN(TestWindowAccessibility)
#include "tst_windowaccessibility.moc"
