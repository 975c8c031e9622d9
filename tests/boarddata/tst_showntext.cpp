// Text the user gave, as a message repeats it: escaped so a terminal shows it and does not act
// on it, and cut in the middle to a line's worth.
#include "boardrows/showntext.h"

#include <QtTest>

class TestShownText : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
    void bytes_data();
    void bytes();
};

void TestShownText::text_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain, blanks and accents kept") << "JP7 = 1-2 Größe"
                                                    << "JP7 = 1-2 Größe";
    QTest::newRow("a title-setting escape") << "\x1b]0;x\x07"
                                            << "\\e]0;x\\x07";
    QTest::newRow("line ends and tabs") << "a\nb\r\tc"
                                        << "a\\nb\\r\\tc";
    QTest::newRow("delete and a C1 control") << QString::fromUtf16(u"a\x7f\x9b"
                                                                   "b")
                                             << "a\\x7F\\x9Bb";
    QTest::newRow("direction override and line separator")
        << QString::fromUtf16(u"a\u202Eb\u2028c") << "a\\u{202E}b\\u{2028}c";
    QTest::newRow("a character beyond the first plane")
        << QString::fromUtf8("\xF0\x9F\x94\xA7") << QString::fromUtf8("\xF0\x9F\x94\xA7");
    QTest::newRow("60 characters, whole") << QString(60, u'x') << QString(60, u'x');
    QTest::newRow("61 characters, the middle left out")
        << QString(30, u'a') + u'm' + QString(30, u'z') << QString(28, u'a') + "..." + QString(29, u'z');
    // An escape is never cut in two: it is kept or left out whole.
    QTest::newRow("escapes where the cut falls") << QString(26, u'a')
            + QString(40, QChar(0x1b)) << QString(26, u'a') + "\\e..." + QString(14, u'\\').replace("\\", "\\e");
}

void TestShownText::text()
{
    QFETCH(QString, given);
    QFETCH(QString, shown);
    QCOMPARE(shownText(given), shown);
    QVERIFY(shownText(given).size() <= ShownTextLength);
}

void TestShownText::bytes_data()
{
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<QString>("shown");
    QTest::newRow("valid UTF-8") << QByteArray("b\xC3\xB6rd.png") << QString::fromUtf8("b\xC3\xB6rd.png");
    QTest::newRow("bytes that are no character") << QByteArray("bad\xff\xfe.png") << "bad\\xFF\\xFE.png";
    QTest::newRow("a character cut short") << QByteArray("a\xE2\x82") << "a\\xE2\\x82";
    QTest::newRow("an escape byte") << QByteArray("x\x1b[31m.png") << "x\\e[31m.png";
}

void TestShownText::bytes()
{
    QFETCH(QByteArray, given);
    QFETCH(QString, shown);
    QCOMPARE(shownText(given), shown);
}

QTEST_APPLESS_MAIN(TestShownText)
#include "tst_showntext.moc"
