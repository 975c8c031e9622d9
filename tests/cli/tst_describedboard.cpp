// The made-up test card through every feature a described board has, as a user runs the program:
// --list in each format, PNG, PDF and HTML exports with its own options, --identify, the window's
// first frame, and what the program says of a broken description or of what this board does not
// offer. And the built-in board's own description, given back with --board, giving its outputs.
#include "velmorprocess.h"

#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString Card = QStringLiteral(TEST_BOARDS "/testboard.toml");

Run onCard(const QStringList &arguments, const std::function<void(QProcess &)> &prepare = {})
{
    return velmor(QStringList{QStringLiteral("--board"), Card} + arguments, prepare);
}

/// Grey or white at the middle of a pin whose top-left corner is at (x, y); the pins are 6 pixels.
QString pinAt(const QImage &image, int x, int y)
{
    const QRgb c = image.pixel(x + 3, y + 3);
    if (c == qRgb(0x80, 0x80, 0x80))
        return QStringLiteral("grey");
    if (c == qRgb(0xFF, 0xFF, 0xFF))
        return QStringLiteral("white");
    return QStringLiteral("#%1").arg(c & 0xFFFFFF, 6, 16, QLatin1Char('0'));
}

/// The test card's drawn blocks as a picture shows them: JP3 pairs A to C (pin 1, its partner),
/// SW1 switches 1 to 4, JP2, JP1 pins 1 to 3.
QStringList blocksIn(const QImage &image)
{
    QStringList pins;
    for (int pair = 0; pair < 3; ++pair)
        pins << pinAt(image, 138, 38 + 7 * pair) << pinAt(image, 145, 38 + 7 * pair);
    for (int sw = 0; sw < 4; ++sw)
        pins << pinAt(image, 198 + 9 * sw, 40);
    pins << pinAt(image, 100, 40) << pinAt(image, 108, 40);
    for (int pin = 0; pin < 3; ++pin)
        pins << pinAt(image, 60, 38 + 7 * pin);
    return pins;
}

QStringList words(const char *text)
{
    return QString::fromLatin1(text).split(u' ');
}

} // namespace

class TestDescribedBoard : public QObject
{
    Q_OBJECT
private slots:
    void listsTheCard_data();
    void listsTheCard();
    void exportsTheCard_data();
    void exportsTheCard();
    void exportsAPdfPage();
    void exportsAGuidePage();
    void pageOfManyChoices_data();
    void pageOfManyChoices();
    void printedBoardGivesTheSameOutputs_data();
    void printedBoardGivesTheSameOutputs();
    void identifiesTheCard_data();
    void identifiesTheCard();
    void opensTheWindow();
    void refuses_data();
    void refuses();
};

void TestDescribedBoard::listsTheCard_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("lines"); // lines the table holds, in this order
    QTest::newRow("text") << "text"
                          << QStringList{
                                 "Processor",
                                 "Pos  Processor               JP3 A   JP3 B   JP3 C   SW1 1  SW1 2  SW1 3  SW1 4",
                                 "  1  \"Tinker T-133 (3.3 V)\"  closed  open    closed  on     off    off    off",
                                 "  2  \"Tinker T-166 (2.9 V)\"  open    closed  open    off    on     off    on",
                                 "Settings memory",
                                 "  1  \"Clear\"          closed",
                                 "Bus clock",
                                 "   66 MHz  1-2  2-3"};
    QTest::newRow("markdown") << "markdown"
                              << QStringList{
                                     "## Processor",
                                     "| 0 | \"Tinker T-100 (3.3 V)\" | closed | open | open | on | off | off | off |",
                                     "## Bus clock", "| 50 MHz | 1-2 | 1-2 |"};
    QTest::newRow("csv") << "csv"
                         << QStringList{"list,position,entry,JP3 A,JP3 B,JP3 C,SW1 1,SW1 2,SW1 3,SW1 4,JP2,JP1,JP5\r",
                                        "Settings memory,0,Keep,,,,,,,,open,,\r",
                                        "Bus clock,,60 MHz,,,,,,,,,2-3,1-2\r"};
}

void TestDescribedBoard::listsTheCard()
{
    QFETCH(QString, format);
    QFETCH(QStringList, lines);
    const Run run = onCard({QStringLiteral("--list"), QStringLiteral("--format"), format});
    QCOMPARE(run.status, 0);
    QCOMPARE(run.err, QString());
    const QStringList out = run.out.split(u'\n');
    qsizetype from = 0;
    for (const QString &line : lines) {
        const qsizetype at = out.indexOf(line, from);
        QVERIFY2(at >= 0, qPrintable(QStringLiteral("missing, or out of order: %1\n%2").arg(line, run.out)));
        from = at + 1;
    }
}

void TestDescribedBoard::exportsTheCard_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QStringList>("pins");
    // The default processor (T-133: A+C, first switch on), the memory kept, JP1 set by no list.
    QTest::newRow("defaults")
        << QStringList()
        << words("grey grey white white grey grey grey white white white white white white white white");
    QTest::newRow("its own list options")
        << QStringList{"--cpu", "t166", "--cmos", "CLEAR"}
        << words("white white grey grey white white white grey white grey grey grey white white white");
    QTest::newRow("by list position") << QStringList{
        "--cpu",
        "0"} << words("grey grey white white white white grey white white white white white white white white");
    // 60 MHz is JP1 2-3 with JP5 1-2.
    QTest::newRow("a meaning's value") << QStringList{
        "--bus", "60"} << words("grey grey white white grey grey grey white white white white white white grey grey");
}

void TestDescribedBoard::exportsTheCard()
{
    QFETCH(QStringList, options);
    QFETCH(QStringList, pins);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("card.png"));
    const Run run = onCard(QStringList{QStringLiteral("--export"), png} + options);
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    const QImage image(png);
    QCOMPARE(image.size(), QSize(320, 200));
    QCOMPARE(blocksIn(image), pins);
    // The picture lies under everything: the card's green shows between the blocks.
    QCOMPARE(image.pixel(40, 120), QImage(QStringLiteral(TEST_BOARDS "/testboard.png")).pixel(40, 120));
}

void TestDescribedBoard::exportsAPdfPage()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("card.pdf"));
    const Run run = onCard({QStringLiteral("--export"), pdf, QStringLiteral("--cmos"), QStringLiteral("clear")});
    QCOMPARE(run.status, 0);
    QFile file(pdf);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().startsWith("%PDF-"));
}

void TestDescribedBoard::exportsAGuidePage()
{
    // The page opens on the choice the options make: its lists and the bus clock part, open as
    // the bus clock was given, with the reading it gives.
    QTemporaryDir dir;
    const QString html = dir.filePath(QStringLiteral("card.html"));
    const Run run = onCard({QStringLiteral("--export"), html, QStringLiteral("--cmos"), QStringLiteral("clear"),
                            QStringLiteral("--bus"), QStringLiteral("66")});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
    QFile file(html);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString page = QString::fromUtf8(file.readAll());
    for (const char *part :
         {"<title>Tinker TB-1 test card jumper settings</title>",
          "<p>Choose the processor and the settings memory, or set the bus clock below the board. Hover",
          "<option value=\"1\" selected>Clear</option>", "<option value=\"2\" selected>66 MHz</option>",
          "<span class=\"pins\" id=\"bus-pins\">JP1 1-2, JP5 2-3</span>",
          "<dt>Memory clock</dt>\n<dd id=\"reading-1\">66 MHz</dd>", "<summary>Set by bus clock</summary>",
          "\"byMeanings\":true", "<li>SW1's switches 1 to 4 stand left to right.</li>"})
        QVERIFY2(page.contains(QLatin1String(part)), part);
}

void TestDescribedBoard::pageOfManyChoices_data()
{
    QTest::addColumn<bool>("ownBlocks");
    QTest::addColumn<QString>("err");
    // Lists of their own blocks cannot change what another shows: each entry is recorded alone.
    QTest::newRow("lists of their own blocks") << true << QString();
    // Lists that share JP2 might: every choice would be recorded, and there are too many.
    QTest::newRow("lists that share a block")
        << false
        << "velmor: cannot make the page: the lists give more than 20000 choices together; the page records every "
           "choice of lists that set the same blocks, so it is made for boards with fewer\n";
}

void TestDescribedBoard::pageOfManyChoices()
{
    // The card with four more lists of 20 entries: 960000 choices together. The page is made at
    // once, or refused at once in one line with nothing written.
    QFETCH(bool, ownBlocks);
    QFETCH(QString, err);
    QTemporaryDir dir;
    QFile card(Card);
    QVERIFY(card.open(QIODevice::ReadOnly));
    QByteArray text = card.readAll();
    for (int list = 0; list < 4; ++list) {
        const QByteArray block = ownBlocks ? "JX" + QByteArray::number(list) : QByteArray("JP2");
        if (ownBlocks)
            text += "\n[[block]]\nname = \"" + block + "\"\nkind = \"two-pin\"\nat = ["
                + QByteArray::number(10 + 30 * list) + ", 120]\ndirection = \"right\"\npitch = 8\n";
        text += "\n[[list]]\nname = \"EXTRA" + QByteArray::number(list) + "\"\nlabel = \"Extra\"\nbox = [250, "
            + QByteArray::number(10 + 20 * list) + ", 60, 18]\ntab = " + QByteArray::number(2 + list)
            + "\noption = \"extra" + QByteArray::number(list) + "\"\nblocks = [\"" + block + "\"]\n";
        for (int entry = 0; entry < 20; ++entry)
            text += "\n  [[list.entry]]\n  text = \"Entry\"\n  sets = { " + block + " = \""
                + (entry % 2 ? "closed" : "open") + "\" }\n";
    }
    const QString board = dir.filePath(QStringLiteral("many.toml"));
    QFile many(board);
    QVERIFY(many.open(QIODevice::WriteOnly) && many.write(text) == text.size());
    many.close();
    QVERIFY(QFile::copy(QStringLiteral(TEST_BOARDS "/testboard.png"), dir.filePath(QStringLiteral("testboard.png"))));
    const QString html = dir.filePath(QStringLiteral("many.html"));
    const Run run = velmor({QStringLiteral("--board"), board, QStringLiteral("--export"), html,
                            QStringLiteral("--extra3"), QStringLiteral("1")});
    QCOMPARE(run.err, err);
    QCOMPARE(run.status, err.isEmpty() ? 0 : 2);
    QCOMPARE(QFile::exists(html), err.isEmpty());
    if (!err.isEmpty())
        return;
    QFile page(html);
    QVERIFY(page.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(page.readAll());
    // Each extra list sets its own block's two pins, entry by entry, from the page's first view.
    const QRegularExpression data(QStringLiteral("id=\"guide-data\">(.*?)</script>"));
    const QJsonArray lists = QJsonDocument::fromJson(data.match(written).captured(1).toUtf8())[u"lists"].toArray();
    QCOMPARE(lists.size(), 6);
    const QJsonObject extra = lists[5].toObject();
    QCOMPARE(extra[u"key"].toString(), QStringLiteral("extra3"));
    QCOMPARE(extra[u"default"].toInt(), 1);
    QCOMPARE(extra[u"pins"].toArray().size(), 2);
    QCOMPARE(extra[u"entries"].toArray().size(), 20);
    QCOMPARE(extra[u"entries"][0][u"fills"].toArray(), QJsonArray({"ffffff", "ffffff"}));
    QCOMPARE(extra[u"entries"][1][u"fills"].toArray(), QJsonArray({"808080", "808080"}));
    QCOMPARE(extra[u"entries"][1][u"parts"].toArray(), QJsonArray({"JX3 closed"}));
}

void TestDescribedBoard::printedBoardGivesTheSameOutputs_data()
{
    QTest::addColumn<QStringList>("arguments"); // OUT stands for the file written
    QTest::newRow("PNG") << QStringList{"--export", "OUT.png", "--cpu", "5", "--power", "atx"};
    QTest::newRow("PNG by settings") << QStringList{"--export",     "OUT.png", "--bus",     "66",
                                                    "--multiplier", "4.5",     "--voltage", "2.2"};
    QTest::newRow("guide page") << QStringList{"--export", "OUT.html", "--sdram", "non-pc100"};
    QTest::newRow("list") << QStringList{"--list", "--format", "csv"};
    QTest::newRow("identify") << QStringList{"--identify", "JP7=1-2 JP8=2-3 JP9=2-3 JP4=1-2 JP5=2-3 JP6=1-2 JP3=B"};
}

void TestDescribedBoard::printedBoardGivesTheSameOutputs()
{
    // The built-in board's description, written out and given back with --board, is the same
    // board: every output byte for byte.
    QFETCH(QStringList, arguments);
    QTemporaryDir dir;
    const Run printed = velmor({QStringLiteral("--print-board")});
    QCOMPARE(printed.status, 0);
    const QString board = dir.filePath(QStringLiteral("board.toml"));
    QFile file(board);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(printed.out.toUtf8()) > 0);
    file.close();
    QByteArray outputs[2];
    for (int described = 0; described < 2; ++described) {
        QStringList args = arguments;
        const QString out = dir.filePath(QStringLiteral("out%1").arg(described));
        args.replaceInStrings(QStringLiteral("OUT"), out);
        if (described)
            args = QStringList{QStringLiteral("--board"), board} + args;
        const Run run = velmor(args);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        outputs[described] = run.out.toUtf8();
        for (const QString &arg : args) {
            if (!arg.startsWith(out))
                continue;
            QFile written(arg);
            QVERIFY(written.open(QIODevice::ReadOnly));
            outputs[described] = written.readAll();
        }
    }
    QVERIFY(!outputs[0].isEmpty());
    QVERIFY(outputs[0] == outputs[1]);
}

void TestDescribedBoard::identifiesTheCard_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::newRow("everything given")
        << "JP1=1-2 JP5=2-3 JP3=A+C SW1=on,off,off,off JP2=closed" << 0
        << "Bus clock:       66 MHz\nMemory clock:    66 MHz\nProcessor:       1 \"Tinker T-133 (3.3 V)\"\n"
           "Settings memory: 1 \"Clear\"\n";
    QTest::newRow("a group in part, names in any case")
        << "jp1=2-3 sw1=OFF,on,off,on jp3=b" << 0
        << "Bus clock:       not given (JP5 left out)\nMemory clock:    not known\n"
           "Processor:       2 \"Tinker T-166 (2.9 V)\"\nSettings memory: not known (not every block of the list "
           "given)\n";
    QTest::newRow("positions no value documents")
        << "JP1=2-3 JP5=2-3 JP3=none SW1=on,on,on,on" << 1
        << "Bus clock:       JP1 2-3, JP5 2-3: not a documented bus clock setting\nMemory clock:    not known\n"
           "Processor:       none in the list\nSettings memory: not known (not every block of the list given)\n";
}

void TestDescribedBoard::identifiesTheCard()
{
    QFETCH(QString, text);
    QFETCH(int, status);
    QFETCH(QString, out);
    const Run run = onCard({QStringLiteral("--identify"), text});
    QCOMPARE(run.err, QString());
    QCOMPARE(run.out, out);
    QCOMPARE(run.status, status);
}

void TestDescribedBoard::opensTheWindow()
{
    // The window opens on the card and draws its first frame.
    const Run run = onCard({}, [](QProcess &p) {
        QProcessEnvironment env = p.processEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("VELMOR_BENCH_EXIT_AFTER_FIRST_FRAME"), QStringLiteral("1"));
        p.setProcessEnvironment(env);
    });
    QCOMPARE(run.err, QString());
    QCOMPARE(run.status, 0);
}

void TestDescribedBoard::refuses_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("firstLine"); // of stderr
    QTest::newRow("a broken description")
        << QStringList{"--board", QStringLiteral(TEST_BOARDS "/testboard.png"), "--list"}
        << QStringLiteral(TEST_BOARDS "/testboard.png:1:1: ");
    QTest::newRow("no such file") << QStringList{"--board", "/nonexistent/board.toml", "--list"}
                                  << "/nonexistent/board.toml: ";
    QTest::newRow("no file named") << QStringList{"--list", "--board"}
                                   << "velmor: --board needs a board description file";
    QTest::newRow("twice") << QStringList{"--board", Card, "--board", Card} << "velmor: --board is given twice";
    QTest::newRow("with --check-board") << QStringList{
        "--board", Card, "--check-board",
        Card} << "velmor: --board is not used with --check-board, which checks the file it names";
    QTest::newRow("a word its list does not have")
        << QStringList{"--board", Card, "--export", "x.png", "--cmos", "wipe"}
        << "velmor: --cmos wipe: --cmos needs a word of its list: keep, clear";
    QTest::newRow("the built-in board's options")
        << QStringList{"--board", Card, "--export", "x.png", "--power", "at"} << "velmor: unknown option --power";
    QTest::newRow("a list option without --export")
        << QStringList{"--board", Card, "--cmos", "keep"} << "velmor: --cmos is only used with --export";
    QTest::newRow("a block the card does not have")
        << QStringList{"--board", Card, "--identify", "JP9=1-2"}
        << "velmor: --identify: JP9=1-2 is not BLOCK=POSITION for a block of this board (JP1, JP2, JP3, SW1, JP5)";
    QTest::newRow("a position its kind does not have")
        << QStringList{"--board", Card, "--identify", "SW1=on"}
        << "velmor: --identify: SW1=on: SW1 is 4 words on or off joined by commas";
}

void TestDescribedBoard::refuses()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, firstLine);
    QTemporaryDir dir;
    const Run run = velmor(arguments, [&dir](QProcess &p) { p.setWorkingDirectory(dir.path()); });
    QCOMPARE(run.status, 2);
    QVERIFY2(run.err.startsWith(firstLine), qPrintable(run.err));
    QCOMPARE(run.out, QString());
    QVERIFY(QDir(dir.path()).isEmpty()); // nothing written
}

QTEST_MAIN(TestDescribedBoard)
#include "tst_describedboard.moc"
