// Selection decoding over every item code a list can hold, and past both ends of that range.
#include "boardrows/elementerror.h"
#include "jumpers/selection.h"

#include <QtTest>

#include <cmath>
#include <cstdint>
#include <limits>

class TestSelectionRange : public QObject
{
    Q_OBJECT

private slots:
    void everySixteenBitCodeDecodes();
    void codesPastSixteenBitsOverflow_data();
    void codesPastSixteenBitsOverflow();
};

void TestSelectionRange::everySixteenBitCodeDecodes()
{
    // The decoding computes in integers; its definition divides by 100.0 and truncates the
    // double quotient, so that is the independent answer.
    for (std::int32_t code = std::numeric_limits<std::int16_t>::min(); code <= std::numeric_limits<std::int16_t>::max();
         ++code) {
        const int decoded = selectionCode("CBOCPU", code);
        const double expected = std::trunc(code / 100.0);
        if (decoded != expected)
            QFAIL(
                qPrintable(QStringLiteral("item code %1 decodes to %2, not %3").arg(code).arg(decoded).arg(expected)));
    }
}

void TestSelectionRange::codesPastSixteenBitsOverflow_data()
{
    QTest::addColumn<std::int32_t>("code");
    constexpr std::int32_t Low = std::numeric_limits<std::int16_t>::min();
    constexpr std::int32_t High = std::numeric_limits<std::int16_t>::max();
    QTest::newRow("one past the top") << High + 1;
    QTest::newRow("one past the bottom") << Low - 1;
    // A code that wrapped to 16 bits before the check would decode as a catalogue entry instead.
    for (const std::int32_t entry : {2100, 5000, 5300, -100}) {
        QTest::addRow("%d + 65536", entry) << entry + 65536;
        QTest::addRow("%d - 65536", entry) << entry - 65536;
    }
    for (std::int64_t step = High + 1; step <= std::numeric_limits<std::int32_t>::max(); step = step * 3 + 7) {
        QTest::addRow("%lld", static_cast<long long>(step)) << static_cast<std::int32_t>(step);
        QTest::addRow("-%lld", static_cast<long long>(step + 1)) << static_cast<std::int32_t>(-step - 1);
    }
    QTest::newRow("int32 top") << std::numeric_limits<std::int32_t>::max();
    QTest::newRow("int32 bottom") << std::numeric_limits<std::int32_t>::min();
}

void TestSelectionRange::codesPastSixteenBitsOverflow()
{
    QFETCH(std::int32_t, code);
    try {
        const int decoded = selectionCode("cbosdr", code);
        QFAIL(qPrintable(QStringLiteral("decoded to %1 without an error").arg(decoded)));
    } catch (const ElementError &e) {
        const QByteArray message(e.what());
        QVERIFY2(message.contains("\"cbosdr\"") && message.contains("overflow")
                     && message.contains(QByteArray::number(code)),
                 e.what());
    }
}

QTEST_GUILESS_MAIN(TestSelectionRange)
#include "tst_selectionrange.moc"
