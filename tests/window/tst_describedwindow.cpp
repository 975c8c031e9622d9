// The window on a described board, the made-up test card: its lists filled from the description,
// a pick setting the blocks of every kind, the sentence a screen reader hears, and the settings
// panel made from the card's meaning.
#include "windowtesting.h"

#include "accessibility/announcer.h"
#include "boarddata/catalogues.h"
#include "boardfile/boardreader.h"
#include "boardfile/describedrows.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "window/boardhints.h"
#include "window/meaningpanel.h"

#include <QLabel>
#include <QtTest>

#include <memory>

namespace {

/// The card's pins by block: JP3 (pairs A to C, pin 1 then its partner), SW1, JP2, JP1, JP5.
QString pinsOf(const MainWindow &window)
{
    static const char *const Pins[] = {"JP3.1", "JP3.2", "JP3.3", "JP3.4", "JP3.5", "JP3.6", "SW1.1", "SW1.2", "SW1.3",
                                       "SW1.4", "JP2.1", "JP2.2", "JP1.1", "JP1.2", "JP1.3", "P1JP5", "P2JP5", "P3JP5"};
    QString shown;
    for (const char *pin : Pins)
        shown += window.board().fillColor(pin) == JumperOnColor ? u'#' : u'.';
    return shown;
}

} // namespace

class TestDescribedWindow : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void loadsTheCard();
    void picksSetEveryKindOfBlock();
    void panelSetsAMeaning();
    void notesAndWarnings();

private:
    std::unique_ptr<DescribedRows> m_rows;
};

void TestDescribedWindow::initTestCase()
{
    const BoardReading reading = readBoardDescription(QStringLiteral(TEST_BOARDS "/testboard.toml"));
    QVERIFY2(reading.sound(), qPrintable(problemLines(reading).join(u'\n')));
    // Before anything of the board is asked for, as --board does.
    m_rows = std::make_unique<DescribedRows>(reading.description);
    useBoard(m_rows->rows());
    installFontSubstitutes();
}

void TestDescribedWindow::loadsTheCard()
{
    MainWindow window;
    window.load();
    QCOMPARE(window.windowTitle(), QStringLiteral("Tinker TB-1 test card"));
    QCOMPARE(window.size(), QSize(320, 200));
    QComboBox *cpu = listOf(window, "CBOCPU");
    QCOMPARE(cpu->count(), 3);
    QCOMPARE(cpu->currentText(), QStringLiteral("Tinker T-133 (3.3 V)")); // default = 1
    QCOMPARE(listOf(window, "CBOCMOS")->currentText(), QStringLiteral("Keep"));
    // T-133: JP3 A and C closed, the first switch on; JP2 open; JP1 and JP5 set by no list.
    QCOMPARE(pinsOf(window), QStringLiteral("##..###..........."));
    QCOMPARE(window.findChild<BoardWidget *>()->accessibleDescription(),
             QStringLiteral("JP3 A closed B open C closed, SW1 1 on 2 off 3 off 4 off, JP2 open, JP1 not set, "
                            "JP5 not set"));
}

void TestDescribedWindow::picksSetEveryKindOfBlock()
{
    MainWindow window;
    window.load();
    window.show();
    pick(window, "CBOCPU", 2);
    pick(window, "CBOCMOS", 1);
    QCOMPARE(pinsOf(window), QStringLiteral("..##...#.###......"));
    // What changed is told by the window's status line.
    const QStringList said = window.findChild<Announcer *>()->sentences();
    QVERIFY2(!said.isEmpty() && said.last().contains(QStringLiteral("JP2 closed")), qPrintable(said.join(u'|')));
}

void TestDescribedWindow::panelSetsAMeaning()
{
    MainWindow window;
    window.load();
    window.show();
    window.openSettingsPanel();
    auto *panel = window.findChild<MeaningPanel *>();
    QVERIFY(panel && panel->isVisible());
    auto *bus = panel->findChild<QComboBox *>(QStringLiteral("busclock"));
    QCOMPARE(bus->currentIndex(), -1); // JP1 and JP5 show no value yet
    QStringList values;
    for (int i = 0; i < bus->count(); ++i)
        values << bus->itemText(i);
    QCOMPARE(values, (QStringList{"50 MHz", "60 MHz", "66 MHz"}));
    bus->setCurrentIndex(1);
    emit bus->activated(1); // 60 MHz: JP1 2-3, JP5 1-2
    QCOMPARE(pinsOf(window).right(6), QStringLiteral(".####."));
    QCOMPARE(bus->currentText(), QStringLiteral("60 MHz"));
    QStringList texts;
    for (const QLabel *label : panel->findChildren<QLabel *>())
        texts << label->text();
    QVERIFY2(texts.contains(QStringLiteral("JP1 2-3, JP5 1-2")), qPrintable(texts.join(u'|')));
    QVERIFY2(texts.contains(QStringLiteral("60 MHz")), qPrintable(texts.join(u'|'))); // the memory clock
    QCOMPARE(window.findChild<Announcer *>()->sentences().last(),
             QStringLiteral("60 MHz. JP1 2-3, JP5 1-2. Memory clock: 60 MHz"));
    // The lists' entries do not change: they set other blocks.
    QCOMPARE(listOf(window, "CBOCPU")->currentIndex(), 1);
}

void TestDescribedWindow::notesAndWarnings()
{
    MainWindow window;
    window.load();
    // A block's note and warning, with its position, where the pointer rests on its pins.
    const BoardHint jp2 = boardHintAt(window.board(), QPoint(102, 42));
    QCOMPARE(jp2.text,
             QStringLiteral("JP2 open. A grey pin is covered by a jumper cap; a white pin is left open.\n"
                            "Close it for a few seconds with the power off, then open it again.\n"
                            "Warning: Never leave it closed: the settings are lost at every start."));
    QCOMPARE(jp2.box, QRect(100, 40, 14, 6));
    QCOMPARE(boardHintAt(window.board(), QPoint(140, 40)).text.section(u'\n', 1),
             QStringLiteral("Pin 1 is the pair nearest the yellow 1."));
    // A caption's warning after its tip.
    QCOMPARE(QString::fromUtf8(window.board().find("CapSW1")->label->toolTip),
             QStringLiteral("Processor voltage switches\nWarning: A switch set on for a processor that wants it off "
                            "overheats the processor."));
    QCOMPARE(boardHintAt(window.board(), QPoint(5, 5)).text, QString());
}

QTEST_MAIN(TestDescribedWindow)
#include "tst_describedwindow.moc"
