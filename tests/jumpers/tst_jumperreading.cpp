// Jumper positions read back from text: the board's own sentence for every CPU entry, and the
// spellings of the short form that give the same positions; and a meaning's value as its word.
#include "jumpers/cpujumpertable.h"
#include "jumpers/jumperguide.h"
#include "jumpers/jumperreading.h"
#include "jumpers/jumperwords.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/board.h"

#include <QtTest>

class TestJumperReading : public QObject
{
    Q_OBJECT

private slots:
    void boardSentenceNamesItsEntry_data();
    void boardSentenceNamesItsEntry();
    void spellings_data();
    void spellings();
    void valueWords_data();
    void valueWords();
};

void TestJumperReading::boardSentenceNamesItsEntry_data()
{
    QTest::addColumn<int>("position");
    const auto entries = cpuSelector().entries;
    for (std::size_t i = 0; i < entries.size(); ++i)
        QTest::addRow("%zu:%s", i, entries[i].text) << static_cast<int>(i);
}

void TestJumperReading::boardSentenceNamesItsEntry()
{
    // The sentence a screen reader hears for the pins of an entry reads back to that entry. The
    // board is fresh, so JP11 and JP10 read "not set".
    QFETCH(int, position);
    const SelectorEntry &entry = cpuSelector().entries[static_cast<std::size_t>(position)];
    Board board;
    for (const PinFill &fill : cpuPinFills(*findCpuJumperRow(entry.itemCode / 100)))
        board.setFillColor(fill.pin, fill.color);
    const QString sentence = jumperPositionsText(pinColorsOf(board));
    const ParsedReading parsed = parseJumperReading(sentence);
    QVERIFY2(parsed.reading, qPrintable(parsed.error));
    QVERIFY(matchingCpuEntries(parsed.reading->cpu).contains(position));
    const Identification identification = identifyJumpers(*parsed.reading);
    QVERIFY(identification.documented);
    const QString entryLine = QStringLiteral("%1 \"%2\"\n").arg(position).arg(QString::fromLatin1(entry.text));
    QVERIFY2(identification.report.contains(entryLine), qPrintable(identification.report));
}

void TestJumperReading::spellings_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("same"); // another spelling of the same positions
    QTest::newRow("JP3 closed letters as one word or apart") << "JP3=ACD"
                                                             << "JP3 = a, c, d";
    QTest::newRow("JP3 closed letters or each position") << "JP3=ACD"
                                                         << "JP3 A closed B open C closed D closed";
    QTest::newRow("JP3 positions in any order") << "JP3 D closed C open B open A closed"
                                                << "JP3=AD";
    QTest::newRow("JP3 none") << "JP3=none"
                              << "JP3 a OPEN b Open c open d open";
    QTest::newRow("what reads not set is not given") << "JP7 not set, JP8 1-2, JP3 A not set B closed"
                                                     << "JP8=1-2 JP3 B closed";
    QTest::newRow("blocks in any order and case") << "JP10 2-3 JP7 1-2, JP11=1-2"
                                                  << "jp7=1-2 jp11=1-2 jp10=2-3";
}

void TestJumperReading::spellings()
{
    QFETCH(QString, text);
    QFETCH(QString, same);
    const ParsedReading a = parseJumperReading(text);
    const ParsedReading b = parseJumperReading(same);
    QVERIFY2(a.reading && b.reading, qPrintable(a.error + b.error));
    QCOMPARE(a.reading->cpu.busClock, b.reading->cpu.busClock);
    QCOMPARE(a.reading->cpu.multiplier, b.reading->cpu.multiplier);
    QCOMPARE(a.reading->cpu.voltage, b.reading->cpu.voltage);
    QCOMPARE(a.reading->power, b.reading->power);
    QCOMPARE(a.reading->sdram, b.reading->sdram);
}

void TestJumperReading::valueWords_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("word");
    QTest::newRow("whole") << 66.0 << "66";
    QTest::newRow("a fraction") << 4.5 << "4.5";
    QTest::newRow("seven digits, no exponent") << 1234567.0 << "1234567";
    QTest::newRow("the largest a description has") << 1e9 << "1000000000";
    QTest::newRow("negative") << -0.25 << "-0.25";
    QTest::newRow("negative zero") << -0.0 << "0";
    QTest::newRow("small, no exponent") << 0.0000001 << "0.0000001";
}

void TestJumperReading::valueWords()
{
    // A meaning's value as the command line offers it and the page's address writes it: a plain
    // decimal that reads back as the value, so two values never share a word.
    QFETCH(double, value);
    QFETCH(QString, word);
    QCOMPARE(valueWord(value), word);
    QCOMPARE(word.toDouble(), value);
}

QTEST_GUILESS_MAIN(TestJumperReading)
#include "tst_jumperreading.moc"
