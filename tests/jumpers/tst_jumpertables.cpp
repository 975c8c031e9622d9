// The jumper tables and procedures: rows agree with the CPU texts, write order, which pins each
// procedure touches, and codes without a row; the tables of what the blocks stand for, against
// the board's legend and every row of the CPU table.
#include "recordingwindow.h"

#include "jumpers/cpujumpertable.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperprocedures.h"
#include "jumpers/powersdramtables.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"

#include <QRegularExpression>
#include <QtTest>
#include <set>

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

// The rows whose texts name no clock or multiplier, with what their positions stand for on the
// legend (its column of other rows with these positions): row, MHz, multiplier in tenths.
struct OlderCpuRow {
    int code;
    int megahertz;
    int tenths;
};
constexpr OlderCpuRow OlderCpuRows[] = {
    { 1, 60, 35}, { 2, 66, 35}, { 3, 60, 20}, { 4, 66, 20}, { 5, 60, 25}, { 6, 66, 25},
    { 7, 66, 30}, { 8, 66, 25}, { 9, 66, 30}, {10, 66, 35}, {11, 60, 20}, {12, 66, 20},
    {13, 60, 25}, {14, 66, 25}, {15, 66, 25}, {16, 66, 30}, {17, 66, 35},
};
// clang-format on

const std::vector<std::string> CpuPinOrder = {"V1JP7", "V2JP7", "V3JP7", "V1JP8", "V2JP8", "V3JP8", "v1jp9",
                                              "v2jp9", "v3jp9", "h1jp4", "h2jp4", "h3jp4", "h1jp5", "h2jp5",
                                              "h3jp5", "h1jp6", "h2jp6", "h3jp6", "a1JP3", "a2JP3", "b1JP3",
                                              "b2jp3", "c1jp3", "c2jp3", "d1jp3", "d2jp3"};

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

/// A decimal as the entry texts write it, in hundredths: "2.2" 220, "3.52" 352, "2." and "2" 200.
int hundredths(const QString &decimal)
{
    const QString whole = decimal.section(u'.', 0, 0);
    const QString fraction = (decimal.section(u'.', 1) + QStringLiteral("00")).left(2);
    return whole.toInt() * 100 + fraction.toInt();
}

/// The bus clock, multiplier (tenths) and voltage (hundredths) an entry text names; 0 for what
/// it does not name. Of "2.8/3.3V" the board's legend sets the first.
std::array<int, 3> namedMeanings(const QString &text)
{
    static const QRegularExpression voltage(QStringLiteral("([0-9.]+)(/[0-9.]+)?[Vv]\\)"));
    static const QRegularExpression clockAndMultiplier(QStringLiteral("\\((\\d+)MHz,([0-9.]+)x,"));
    std::array<int, 3> named{};
    if (const auto m = clockAndMultiplier.match(text); m.hasMatch())
        named = {m.captured(1).toInt(), hundredths(m.captured(2)) / 10, 0};
    if (const auto v = voltage.match(text); v.hasMatch())
        named[2] = hundredths(v.captured(1));
    return named;
}

/// Every way to give N blocks one of two positions.
template<typename T, std::size_t N>
std::vector<std::array<T, N>> allCombinations(T first, T second)
{
    std::vector<std::array<T, N>> all;
    for (unsigned bits = 0; bits < (1u << N); ++bits) {
        std::array<T, N> c{};
        for (std::size_t i = 0; i < N; ++i)
            c[i] = bits & (1u << i) ? second : first;
        all.push_back(c);
    }
    return all;
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
    void meaningsOfEveryCpuRow_data();
    void meaningsOfEveryCpuRow();
    void meaningTablesAreTheLegend();
    void cpuClock_data();
    void cpuClock();
    void meaningTexts();
    void boardReadBackFindsTheEntries();
    void meaningsWriteAsTheCpuProcedure();
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
    setListJumpers(window, cpuSelector());
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
    setListJumpers(window, cpuSelector());
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
    setListJumpers(window, cpuSelector());
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
    setListJumpers(window, *selector); // as the list's Click event runs it
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
    setListJumpers(window, powerSelector());
    window.select("cbosdr", 5100);
    setListJumpers(window, sdramSelector());
    QVERIFY(writtenPins(window).empty());
}

void TestJumperTables::meaningsOfEveryCpuRow_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("megahertz");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("centivolts");
    for (const CpuJumperRow &row : cpuJumperTable()) {
        // What the texts of the row's entries name; the entries of one row must name the same.
        std::optional<std::array<int, 3>> named;
        QStringList texts;
        for (const SelectorEntry &e : cpuSelector().entries) {
            if (e.itemCode / 100 != row.code)
                continue;
            const auto n = namedMeanings(QString::fromLatin1(e.text));
            QVERIFY2(!named || *named == n, e.text);
            named = n;
            texts << QString::fromLatin1(e.text);
        }
        QVERIFY2(named && (*named)[2] != 0, "every row has an entry, and every entry names a voltage");
        for (const OlderCpuRow &older : OlderCpuRows) {
            if (older.code != row.code)
                continue;
            QVERIFY2((*named)[0] == 0, "a row the legend counts as older names no clock");
            named = {older.megahertz, older.tenths, (*named)[2]};
        }
        QVERIFY2((*named)[0] != 0, qPrintable(texts.join(u';')));
        QTest::addRow("row %d:%s", row.code, qPrintable(texts.join(u';')))
            << row.code << (*named)[0] << (*named)[1] << (*named)[2];
    }
}

void TestJumperTables::meaningsOfEveryCpuRow()
{
    QFETCH(int, code);
    QFETCH(int, megahertz);
    QFETCH(int, tenths);
    QFETCH(int, centivolts);
    const auto row = findCpuJumperRow(code);
    QVERIFY(row);
    const auto bus = busClockOf({row->jp7, row->jp8, row->jp9});
    const auto multiplier = multiplierOf({row->jp4, row->jp5, row->jp6});
    const auto voltage = voltageOf(jp3Contacts(*row));
    QVERIFY(bus && multiplier && voltage);
    QCOMPARE(bus->megahertz, megahertz);
    QCOMPARE(multiplier->tenths, tenths);
    QCOMPARE(voltage->centivolts, centivolts);
}

void TestJumperTables::meaningTablesAreTheLegend()
{
    // Every setting of the legend is in the tables, both ways ...
    std::set<int> clocks, multipliers, voltages;
    for (const auto &[text, positions] : BusClock) {
        const int megahertz = text.chopped(3).toInt();
        clocks.insert(megahertz);
        QCOMPARE(findBusClock(megahertz)->positions, positions);
        QCOMPARE(busClockOf(positions)->megahertz, megahertz);
    }
    for (const auto &[text, positions] : Multiplier) {
        const int tenths = hundredths(text.chopped(1)) / 10;
        multipliers.insert(tenths);
        QCOMPARE(findMultiplier(tenths)->positions, positions);
        QCOMPARE(multiplierOf(positions)->tenths, tenths);
    }
    for (const auto &[text, closed] : Voltage) {
        const int centivolts = hundredths(QString(text).remove(u'V').section(u'/', 0, 0));
        voltages.insert(centivolts);
        const auto setting = findVoltage(centivolts);
        QVERIFY2(setting, qPrintable(text));
        QString contacts;
        for (Contact c : setting->contacts)
            contacts += c == Contact::Closed ? u'1' : u'0';
        QCOMPARE(contacts, closed);
        QCOMPARE(voltageOf(setting->contacts)->centivolts, centivolts);
    }
    // ... and nothing else: no value of its own, and the other combinations stand for none.
    const auto values = [](auto table, auto field) {
        std::set<int> out;
        for (const auto &setting : table)
            out.insert(setting.*field);
        return out;
    };
    QCOMPARE(values(busClockSettings(), &BusClockSetting::megahertz), clocks);
    QCOMPARE(values(multiplierSettings(), &MultiplierSetting::tenths), multipliers);
    QCOMPARE(values(voltageSettings(), &VoltageSetting::centivolts), voltages);
    QCOMPARE(busClockSettings().size(), clocks.size());
    QCOMPARE(multiplierSettings().size(), multipliers.size());
    QCOMPARE(voltageSettings().size(), voltages.size());
    std::size_t decodedClocks = 0, decodedMultipliers = 0, decodedVoltages = 0;
    for (const auto &c : allCombinations<Position, 3>(P12, P23)) {
        decodedClocks += busClockOf(c).has_value();
        decodedMultipliers += multiplierOf(c).has_value();
    }
    for (const auto &c : allCombinations<Contact, 4>(Contact::Open, Contact::Closed))
        decodedVoltages += voltageOf(c).has_value();
    QCOMPARE(decodedClocks, clocks.size());
    QCOMPARE(decodedMultipliers, multipliers.size());
    QCOMPARE(decodedVoltages, voltages.size());
    QVERIFY(!findBusClock(90) && !findMultiplier(55) && !findVoltage(250) && !findMultiplier(3));
}

void TestJumperTables::cpuClock_data()
{
    QTest::addColumn<int>("megahertz");
    QTest::addColumn<int>("tenths");
    QTest::addColumn<int>("cpuClock");
    QTest::newRow("66 MHz at 4.5x: 300") << 66 << 45 << 300;
    QTest::newRow("66 MHz at 4.0x: 266, not 267") << 66 << 40 << 266;
    QTest::newRow("66 MHz at 2.5x: 166") << 66 << 25 << 166;
    QTest::newRow("83 MHz at 3.0x: 250") << 83 << 30 << 250;
    QTest::newRow("83 MHz at 2.5x: 208") << 83 << 25 << 208;
    QTest::newRow("95 MHz at 3.5x: 332, rounded down") << 95 << 35 << 332;
    QTest::newRow("100 MHz at 3.0x: 300") << 100 << 30 << 300;
    QTest::newRow("60 MHz at 5.0x: 300") << 60 << 50 << 300;
}

void TestJumperTables::cpuClock()
{
    QFETCH(int, megahertz);
    QFETCH(int, tenths);
    QFETCH(int, cpuClock);
    QCOMPARE(cpuClockMegahertz(megahertz, tenths), cpuClock);
}

void TestJumperTables::meaningTexts()
{
    QCOMPARE(busClockText(66), QStringLiteral("66 MHz"));
    QCOMPARE(busClockText(100), QStringLiteral("100 MHz"));
    QCOMPARE(multiplierText(30), QStringLiteral("3.0x"));
    QCOMPARE(multiplierText(45), QStringLiteral("4.5x"));
    QCOMPARE(multiplierText(50), QStringLiteral("5.0x"));
    QCOMPARE(voltageText(220), QStringLiteral("2.2 V"));
    QCOMPARE(voltageText(352), QStringLiteral("3.52 V"));
    QCOMPARE(voltageText(305), QStringLiteral("3.05 V"));
    QCOMPARE(voltageText(300), QStringLiteral("3.0 V"));
}

void TestJumperTables::boardReadBackFindsTheEntries()
{
    // Each entry's pins, as the CPU procedure leaves them on a board, read back to the row's
    // positions and to a list of entries that holds this one.
    const auto entries = cpuSelector().entries;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        Board board;
        const auto row = findCpuJumperRow(entries[i].itemCode / 100);
        for (const PinFill &fill : cpuPinFills(*row))
            board.setFillColor(fill.pin, fill.color);
        const CpuBlockReading reading = readCpuBlocks(pinColorsOf(board));
        QCOMPARE(reading.busClock, (std::array<std::optional<Position>, 3>{row->jp7, row->jp8, row->jp9}));
        QCOMPARE(reading.multiplier, (std::array<std::optional<Position>, 3>{row->jp4, row->jp5, row->jp6}));
        QCOMPARE(reading.voltage, (std::array<std::optional<Contact>, 4>{row->a, row->b, row->c, row->d}));
        QVERIFY(matchingCpuEntries(reading).contains(static_cast<int>(i)));
    }
    // The two entries of row 18, and two rows of different CPUs with the same positions.
    const auto entriesOfRow = [](int code) {
        Board board;
        for (const PinFill &fill : cpuPinFills(*findCpuJumperRow(code)))
            board.setFillColor(fill.pin, fill.color);
        return matchingCpuEntries(readCpuBlocks(pinColorsOf(board)));
    };
    QCOMPARE(entriesOfRow(18), (QList<int>{17, 20}));
    QCOMPARE(entriesOfRow(21), (QList<int>{21}));
    QCOMPARE(entriesOfRow(15), (QList<int>{14, 33}));

    // A block whose pins show neither position is unread, and then no entry matches.
    Board board;
    for (const PinFill &fill : cpuPinFills(*findCpuJumperRow(21)))
        board.setFillColor(fill.pin, fill.color);
    board.setFillColor("V3JP7", JumperOnColor);
    board.setFillColor("d2jp3", JumperOnColor);
    const CpuBlockReading reading = readCpuBlocks(pinColorsOf(board));
    QVERIFY(!reading.busClock[0] && reading.busClock[1] == P12);
    QVERIFY(!reading.voltage[3] && reading.voltage[2] == Contact::Open);
    QVERIFY(matchingCpuEntries(reading).isEmpty());
}

void TestJumperTables::meaningsWriteAsTheCpuProcedure()
{
    // Set by what its blocks stand for, every row gets the same writes, in the same order, as
    // the CPU procedure gives it, and the meanings touch no list.
    for (const CpuJumperRow &row : cpuJumperTable()) {
        RecordingWindow byEntry;
        byEntry.select("CBOCPU", row.code * 100 + 2);
        setListJumpers(byEntry, cpuSelector());
        RecordingWindow byMeaning;
        const CpuSettings meanings{*busClockOf({row.jp7, row.jp8, row.jp9}), *multiplierOf({row.jp4, row.jp5, row.jp6}),
                                   *voltageOf(jp3Contacts(row))};
        for (const PinFill &fill : cpuPinFills(meanings))
            byMeaning.setFillColor(fill.pin, fill.color);
        QCOMPARE(byMeaning.calls, byEntry.callsOf("setFillColor"));
    }
}

QTEST_GUILESS_MAIN(TestJumperTables)
#include "tst_jumpertables.moc"
