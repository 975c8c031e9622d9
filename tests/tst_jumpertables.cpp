// The jumper tables and procedures: rows agree with the CPU texts, write order, which pins each
// procedure touches, and codes without a row.
#include "recordingwindow.h"

#include "jumpers/boardjumpertables.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/jumperprocedures.h"
#include "jumpers/selectorcatalogue.h"

#include <QRegularExpression>
#include <set>
#include <QtTest>

namespace {

using Blocks3 = std::array<Position, 3>;
constexpr Position P12 = Position::OneTwo;
constexpr Position P23 = Position::TwoThree;

// What the board's manual says the blocks mean, written out independently of the table.
// clang-format off
const std::map<QString, Blocks3> BusClock = {      // JP7, JP8, JP9
    {"60MHz",  {P23, P23, P23}}, {"66MHz", {P12, P23, P23}}, {"75MHz", {P12, P12, P23}},
    {"83MHz",  {P12, P23, P12}}, {"95MHz", {P23, P12, P12}}, {"100MHz", {P12, P12, P12}},
};
const std::map<QString, Blocks3> Multiplier = {    // JP4, JP5, JP6
    {"2x",   {P23, P12, P12}}, {"2.x",  {P23, P12, P12}}, {"2.0x", {P23, P12, P12}},
    {"2.5x", {P23, P23, P12}}, {"3x",   {P12, P23, P12}}, {"3.0x", {P12, P23, P12}},
    {"3.5x", {P12, P12, P12}}, {"4.0x", {P23, P12, P23}}, {"4.5x", {P23, P23, P23}},
    {"5x",   {P12, P12, P23}},
};
const std::map<QString, QString> Voltage = {       // JP3 A B C D, 1 = closed
    {"3.52V", "1111"}, {"3.3V", "1011"}, {"3.2V", "0011"}, {"2.9V", "1001"},
    {"2.8V", "0001"}, {"2.8/3.3V", "0001"}, {"2.2V", "0100"},
};
// clang-format on

const std::vector<std::string> CpuPinOrder = {
    "V1JP7", "V2JP7", "V3JP7", "V1JP8", "V2JP8", "V3JP8", "v1jp9", "v2jp9", "v3jp9",
    "h1jp4", "h2jp4", "h3jp4", "h1jp5", "h2jp5", "h3jp5", "h1jp6", "h2jp6", "h3jp6",
    "a1JP3", "a2JP3", "b1JP3", "b2jp3", "c1jp3", "c2jp3", "d1jp3", "d2jp3"};

QString contacts(const CpuJumperRow &r)
{
    QString s;
    for (Contact c : {r.a, r.b, r.c, r.d})
        s += c == Contact::Closed ? u'1' : u'0';
    return s;
}

std::vector<std::string> writtenPins(const RecordingWindow &w)
{
    std::vector<std::string> pins;
    for (const std::string &call : w.callsOf("setFillColor"))
        pins.push_back(call.substr(13, call.find(' ', 13) - 13));
    return pins;
}

} // namespace

class TestJumperTables : public QObject
{
    Q_OBJECT

private slots:
    void rowAgreesWithEntryText_data();
    void rowAgreesWithEntryText();
    void everyCodeReachedOnce();
    void cpuWritesAllPinsInOrder();
    void defaultCpuRowFills();
    void cpuCodeWithoutRowChangesNothing_data();
    void cpuCodeWithoutRowChangesNothing();
    void boardJumpers_data();
    void boardJumpers();
    void boardJumperCodeWithoutRowChangesNothing();
};

void TestJumperTables::rowAgreesWithEntryText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("itemCode");
    int position = 0;
    for (const SelectorEntry &e : cpuSelector().entries)
        QTest::addRow("%d:%s", position++, e.text) << QString::fromLatin1(e.text) << e.itemCode;
}

void TestJumperTables::rowAgreesWithEntryText()
{
    QFETCH(QString, text);
    QFETCH(int, itemCode);
    const auto row = findCpuJumperRow(itemCode / 100);
    QVERIFY(row);

    static const QRegularExpression voltage(QStringLiteral("([0-9./]+)[Vv]\\)"));
    const auto v = voltage.match(text);
    QVERIFY2(v.hasMatch(), "every entry names a voltage");
    QString volts = v.captured(1) + u'V';
    QVERIFY2(Voltage.count(volts), qPrintable(volts));
    QCOMPARE(contacts(*row), Voltage.at(volts));

    static const QRegularExpression clockAndMultiplier(QStringLiteral("\\((\\d+MHz),([0-9.]+x),"));
    const auto m = clockAndMultiplier.match(text);
    if (!m.hasMatch())
        return; // the older CPUs name neither
    QCOMPARE((Blocks3{row->jp7, row->jp8, row->jp9}), BusClock.at(m.captured(1)));
    QCOMPARE((Blocks3{row->jp4, row->jp5, row->jp6}), Multiplier.at(m.captured(2)));
}

void TestJumperTables::everyCodeReachedOnce()
{
    std::map<int, int> entriesPerCode;
    for (const SelectorEntry &e : cpuSelector().entries)
        ++entriesPerCode[e.itemCode / 100];
    const auto table = cpuJumperTable();
    QCOMPARE(table.size(), std::size_t{43});
    for (std::size_t i = 0; i < table.size(); ++i) {
        QCOMPARE(table[i].code, static_cast<int>(i) + 1);
        QCOMPARE(entriesPerCode[table[i].code], table[i].code == 18 ? 2 : 1);
    }
}

void TestJumperTables::cpuWritesAllPinsInOrder()
{
    RecordingWindow window;
    window.select("CBOCPU", 2302);
    setCpuJumpers(window);
    QCOMPARE(writtenPins(window), CpuPinOrder);
    // It reads its own list only, the index before the item code.
    QCOMPARE(window.calls.at(0), std::string("listIndex CBOCPU"));
    QCOMPARE(window.calls.at(1), std::string("itemData CBOCPU 0"));
    QCOMPARE(window.calls.size(), std::size_t{28});
}

void TestJumperTables::defaultCpuRowFills()
{
    RecordingWindow window;
    window.select("CBOCPU", 2102);
    setCpuJumpers(window);
    const std::set<std::string> grey = {"V1JP7", "V2JP7", "V1JP8", "V2JP8", "v1jp9", "v2jp9", "h1jp4",
                                        "h2jp4", "h2jp5", "h3jp5", "h1jp6", "h2jp6", "b1JP3", "b2jp3"};
    QCOMPARE(window.fills.size(), std::size_t{26});
    for (const auto &[pin, color] : window.fills)
        QCOMPARE(color, grey.count(pin) ? JumperOnColor : JumperOffColor);
}

void TestJumperTables::cpuCodeWithoutRowChangesNothing_data()
{
    QTest::addColumn<int>("itemCode");
    QTest::addColumn<int>("row");
    QTest::newRow("4300 selects row 43") << 4300 << 43;
    QTest::newRow("4399 selects row 43") << 4399 << 43;
    QTest::newRow("100 selects row 1") << 100 << 1;
    QTest::newRow("199 selects row 1") << 199 << 1;
    QTest::newRow("4400 selects nothing") << 4400 << 0;
    QTest::newRow("32767 selects nothing") << 32767 << 0;
    QTest::newRow("99 selects nothing") << 99 << 0;
    QTest::newRow("-150 selects nothing") << -150 << 0;
    QTest::newRow("-32768 selects nothing") << -32768 << 0;
}

void TestJumperTables::cpuCodeWithoutRowChangesNothing()
{
    QFETCH(int, itemCode);
    QFETCH(int, row);
    RecordingWindow window;
    window.select("CBOCPU", itemCode);
    setCpuJumpers(window);
    QCOMPARE(writtenPins(window).size(), row ? std::size_t{26} : std::size_t{0});
    if (row) {
        const auto fills = cpuPinFills(*findCpuJumperRow(row));
        for (const PinFill &f : fills)
            QCOMPARE(window.fills.at(f.pin), f.color);
    }
}

void TestJumperTables::boardJumpers_data()
{
    QTest::addColumn<QByteArray>("list");
    QTest::addColumn<int>("itemCode");
    QTest::addColumn<QStringList>("pins");
    QTest::addColumn<QString>("fills"); // pin 1 to 3, 1 = grey
    const QStringList jp11{"v1jp11", "v2jp11", "v3jp11"};
    const QStringList jp10{"v1jp10", "v2jp10", "v3jp10"};
    QTest::newRow("AT: JP11 1-2") << QByteArray("cbops") << 5000 << jp11 << "110";
    QTest::newRow("ATX: JP11 2-3") << QByteArray("cbops") << 5100 << jp11 << "011";
    QTest::newRow("PC100: JP10 2-3") << QByteArray("cbosdr") << 5200 << jp10 << "011";
    QTest::newRow("non-PC100: JP10 1-2") << QByteArray("cbosdr") << 5300 << jp10 << "110";
}

void TestJumperTables::boardJumpers()
{
    QFETCH(QByteArray, list);
    QFETCH(int, itemCode);
    QFETCH(QStringList, pins);
    QFETCH(QString, fills);
    RecordingWindow window;
    window.select(list.toStdString(), itemCode);
    const Selector *selector = findSelector(list.toStdString());
    QVERIFY(selector);
    selector->procedure(window); // as the list's Click event runs it
    std::vector<std::string> expected;
    for (const QString &p : pins)
        expected.push_back(p.toStdString());
    QCOMPARE(writtenPins(window), expected); // pin 1 to 3 and nothing else
    for (int i = 0; i < 3; ++i)
        QCOMPARE(window.fills.at(expected[i]), fills[i] == u'1' ? JumperOnColor : JumperOffColor);
    QCOMPARE(window.callsOf("listIndex").size(), std::size_t{1});
    QCOMPARE(window.callsOf("listIndex").front(), "listIndex " + list.toStdString());
}

void TestJumperTables::boardJumperCodeWithoutRowChangesNothing()
{
    RecordingWindow window;
    window.select("cbops", 5200); // the SDRAM codes are not power-supply cases
    setPowerJumper(window);
    window.select("cbosdr", 5100);
    setSdramJumper(window);
    QVERIFY(writtenPins(window).empty());
}

QTEST_GUILESS_MAIN(TestJumperTables)
#include "tst_jumpertables.moc"
