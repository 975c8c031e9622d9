// Selection decoding: item codes to selection codes, overflow, and a list without a selection.
#include "recordingwindow.h"

#include "jumpers/selection.h"
#include "jumpers/selectorcatalogue.h"

#include <QtTest>

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
    void catalogueEntriesDecode_data();
    void catalogueEntriesDecode();
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

void TestSelection::catalogueEntriesDecode_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("position");
    QTest::addColumn<int>("code");
    // Positions 17 and 20 share a code; from position 21 on the code equals the position.
    QTest::newRow("CPU 0") << QByteArray("CBOCPU") << 0 << 1;
    QTest::newRow("CPU 17") << QByteArray("CBOCPU") << 17 << 18;
    QTest::newRow("CPU 18") << QByteArray("CBOCPU") << 18 << 19;
    QTest::newRow("CPU 19") << QByteArray("CBOCPU") << 19 << 20;
    QTest::newRow("CPU 20") << QByteArray("CBOCPU") << 20 << 18;
    QTest::newRow("CPU 21, the default") << QByteArray("CBOCPU") << 21 << 21;
    QTest::newRow("CPU 43") << QByteArray("CBOCPU") << 43 << 43;
    QTest::newRow("AT, the default") << QByteArray("cbops") << 0 << 50;
    QTest::newRow("ATX") << QByteArray("cbops") << 1 << 51;
    QTest::newRow("PC100, the default") << QByteArray("cbosdr") << 0 << 52;
    QTest::newRow("non-PC100") << QByteArray("cbosdr") << 1 << 53;
}

void TestSelection::catalogueEntriesDecode()
{
    QFETCH(QByteArray, list);
    QFETCH(int, position);
    QFETCH(int, code);
    const Selector *selector = findSelector(list.toStdString());
    QVERIFY2(selector, "no such list");
    const SelectorEntry &entry = selector->entries[static_cast<std::size_t>(position)];
    QCOMPARE(selectionCode(selector->list, entry.itemCode), code);
}

QTEST_GUILESS_MAIN(TestSelection)
#include "tst_selection.moc"
