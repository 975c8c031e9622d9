// Selection decoding: item codes to selection codes, overflow, and a list without a selection.
#include "recordingwindow.h"

#include "jumpers/cpujumpertable.h"
#include "jumpers/powersdramtables.h"
#include "jumpers/selection.h"
#include "jumpers/selectorcatalogue.h"

#include <QtTest>

Q_DECLARE_METATYPE(const Selector *)

class TestSelection : public QObject
{
    Q_OBJECT

private slots:
    void decodesItemCode_data();
    void decodesItemCode();
    void overflowIsAnError_data();
    void overflowIsAnError();
    void noSelectionIsAnErrorBeforeAnyRead();
    void readsTheListAfreshEachTime();
    void entriesAndRowsMeet_data();
    void entriesAndRowsMeet();
};

void TestSelection::decodesItemCode_data()
{
    QTest::addColumn<int>("itemCode");
    QTest::addColumn<int>("code");
    QTest::newRow("102, first CPU") << 102 << 1;
    QTest::newRow("5300, non-PC100") << 5300 << 53;
    QTest::newRow("199 truncates, no rounding") << 199 << 1;
    QTest::newRow("-150 truncates toward zero") << -150 << -1;
    QTest::newRow("-199 truncates toward zero") << -199 << -1;
    QTest::newRow("99 gives 0") << 99 << 0;
    QTest::newRow("-99 gives 0") << -99 << 0;
    QTest::newRow("32767, top of 16 bits") << 32767 << 327;
    QTest::newRow("-32768, bottom of 16 bits") << -32768 << -327;
}

void TestSelection::decodesItemCode()
{
    QFETCH(int, itemCode);
    QFETCH(int, code);
    QCOMPARE(selectionCode("CBOCPU", itemCode), code);

    RecordingWindow window;
    window.select("cbops", itemCode);
    QCOMPARE(decodeSelection(window, "cbops"), code);
}

void TestSelection::overflowIsAnError_data()
{
    QTest::addColumn<int>("itemCode");
    QTest::newRow("32768") << 32768;
    QTest::newRow("-32769") << -32769;
    QTest::newRow("largest 32-bit") << std::numeric_limits<std::int32_t>::max();
}

void TestSelection::overflowIsAnError()
{
    QFETCH(int, itemCode);
    RecordingWindow window;
    window.select("CBOCPU", itemCode);
    try {
        decodeSelection(window, "CBOCPU");
        QFAIL("an item code outside 16 bits decoded");
    } catch (const ElementError &e) {
        QVERIFY2(QByteArray(e.what()).contains("CBOCPU"), e.what());
        QVERIFY2(QByteArray(e.what()).contains("overflow"), e.what());
    }
}

void TestSelection::noSelectionIsAnErrorBeforeAnyRead()
{
    RecordingWindow window;
    window.select("cbosdr", 5200);
    window.lists["cbosdr"].selected = -1;
    QVERIFY_THROWS_EXCEPTION(ElementError, decodeSelection(window, "cbosdr"));
    const std::vector<std::string> expected{"listIndex cbosdr", "itemData cbosdr -1"};
    QCOMPARE(window.calls, expected);
}

void TestSelection::readsTheListAfreshEachTime()
{
    RecordingWindow window;
    window.select("CBOCPU", 2302);
    QCOMPARE(decodeSelection(window, "CBOCPU"), 23);
    window.lists["CBOCPU"].entries[0].itemCode = 4302;
    QCOMPARE(decodeSelection(window, "CBOCPU"), 43);
}

void TestSelection::entriesAndRowsMeet_data()
{
    QTest::addColumn<const Selector *>("selector");
    QTest::addColumn<QList<int>>("rowCodes");
    QList<int> cpu;
    for (const CpuJumperRow &row : cpuJumperTable())
        cpu << row.code;
    QTest::newRow("CBOCPU and the CPU table") << &cpuSelector() << cpu;
    for (const BoardJumper *jumper : {&powerJumper(), &sdramJumper()}) {
        QList<int> codes;
        for (const BoardJumperRow &row : jumper->rows)
            codes << row.code;
        QTest::addRow("%s and %s", jumper->selector.list, jumper->block.name) << &jumper->selector << codes;
    }
}

void TestSelection::entriesAndRowsMeet()
{
    // Every entry decodes to a row of its list's table, so no pick leaves its pins as they were,
    // and every row is reached by some entry.
    QFETCH(const Selector *, selector);
    QFETCH(QList<int>, rowCodes);
    QSet<int> decoded;
    for (const SelectorEntry &entry : selector->entries) {
        const int code = selectionCode(selector->list, entry.itemCode);
        QVERIFY2(rowCodes.contains(code), entry.text);
        decoded << code;
    }
    QCOMPARE(decoded, QSet<int>(rowCodes.begin(), rowCodes.end()));
}

QTEST_GUILESS_MAIN(TestSelection)
#include "tst_selection.moc"
