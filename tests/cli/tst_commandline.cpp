// The command line as a user types it: the guide as a table, the window's image as a file, what
// jumper positions stand for, and bad arguments and failed output, each run as the real program.
#include "pinsampling.h"
#include "printcheck.h"
#include "velmorprocess.h"

#include "jumpers/cpujumpertable.h"
#include "jumpers/cpusettings.h"
#include "jumpers/jumperblocks.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "velmorconfig.h"
#include "window/firstframeexitforbenchmarks.h"
#include "window/mainwindow.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QtTest>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

/// Splits CSV text (RFC 4180: quoted fields, doubled quotes, CRLF) into records.
QList<QStringList> parseCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (quoted) {
            if (c == u'"' && i + 1 < text.size() && text[i + 1] == u'"') {
                field += u'"';
                ++i;
            } else if (c == u'"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

QString positions(const CpuJumperRow &row)
{
    QStringList cells;
    for (Position p : cpuBlockPositions(row))
        cells << (p == Position::OneTwo ? QStringLiteral("1-2") : QStringLiteral("2-3"));
    for (Contact c : jp3Contacts(row))
        cells << (c == Contact::Closed ? QStringLiteral("closed") : QStringLiteral("open"));
    return cells.join(u' ');
}

/// The lines of a report, each ended by a line break.
QString lines(const QStringList &lines)
{
    return lines.join(u'\n') + u'\n';
}

} // namespace

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { installFontSubstitutes(); }
    void listAsText();
    void listAsMarkdown();
    void listAsCsvParsesWhole();
    void exportPngEqualsTheWindow_data();
    void exportPngEqualsTheWindow();
    void exportPdfPlacesTheImageAsPrintDoes();
    void exportByMeaningsEqualsTheEntry_data();
    void exportByMeaningsEqualsTheEntry();
    void exportByMeaningsWithoutAnEntry();
    void identify_data();
    void identify();
    void badArguments_data();
    void badArguments();
    void ambiguousCpuListsItsCandidates_data();
    void ambiguousCpuListsItsCandidates();
    void formatIgnoresCase_data();
    void formatIgnoresCase();
    void helpVersionAndBoard();
    void helpDescribesEveryOption();
    void failedStandardOutputIsReported_data();
    void failedStandardOutputIsReported();
    void unknownPlatformIsNamed_data();
    void unknownPlatformIsNamed();
    void deadDisplayIsOneLine_data();
    void deadDisplayIsOneLine();
    void unusableScaleIsNamed_data();
    void unusableScaleIsNamed();
};

void TestCommandLine::listAsText()
{
    const Run run = velmor({QStringLiteral("--list")});
    QCOMPARE(run.status, 0);
    const QStringList lines = run.out.split(u'\n');
    const auto lineOf = [&](const QString &text) {
        for (const QString &l : lines)
            if (l.contains(u'"' + text + u'"'))
                return l;
        return QString();
    };
    static const QRegularExpression gap(QStringLiteral(" {2,}"));
    // The default CPU, and the two entries that share row 18.
    QCOMPARE(lineOf(QStringLiteral(" AMD K6-2 300AFR(100MHz,3.0x,2.2V)")).split(gap).mid(2).join(u' '),
             QStringLiteral("1-2 1-2 1-2 1-2 2-3 1-2 open closed open open"));
    QCOMPARE(lineOf(QStringLiteral(" AMD K6 266AFR(66MHz,4.0x,2.2V)")).split(gap).mid(2),
             lineOf(QStringLiteral(" AMD K6-2 266AFR(66MHz,4.0x,2.2V)")).split(gap).mid(2));
    QVERIFY(lineOf(QStringLiteral(" CYRIX 6x86 P150+(60MHz,2x,3.52v) "))
                .endsWith(QStringLiteral("closed  closed  closed  closed")));
    QCOMPARE(lineOf(QStringLiteral(" ATX Power Supply")).split(gap).last(), QStringLiteral("2-3"));
    QCOMPARE(lineOf(QStringLiteral("PC100 SDRAM(Same as CPU) ")).split(gap).last(), QStringLiteral("2-3"));
    // What the blocks stand for follows, a table each, its values aligned right.
    QVERIFY(run.out.contains(QStringLiteral("\nBus clock\nBus clock  JP7  JP8  JP9\n   60 MHz  2-3  2-3  2-3\n")));
    QVERIFY(run.out.contains(QStringLiteral("\nMultiplier\nMultiplier  JP4  JP5  JP6\n      2.0x  2-3  1-2  1-2\n")));
    QVERIFY(run.out.endsWith(QStringLiteral("\n      3.52 V  closed  closed  closed  closed\n")));
    // Aligned: every CPU row puts JP7 in the same column.
    const qsizetype column = lines[1].indexOf(QStringLiteral("JP7"));
    for (int i = 2; i < 2 + 44; ++i)
        QVERIFY2(lines[i].mid(column, 3).contains(u'-'), qPrintable(lines[i]));
}

void TestCommandLine::listAsMarkdown()
{
    const Run run = velmor({QStringLiteral("--list"), QStringLiteral("--format"), QStringLiteral("markdown")});
    QCOMPARE(run.status, 0);
    QVERIFY(run.out.contains(QStringLiteral("| 21 | \" AMD K6-2 300AFR(100MHz,3.0x,2.2V)\" | 1-2 | 1-2 | 1-2 | 1-2 | "
                                            "2-3 | 1-2 | open | closed | open | open |\n")));
    QVERIFY(run.out.contains(QStringLiteral("| 0 | \" AT Power Supply\" | 1-2 |\n")));
    QVERIFY(run.out.contains(QStringLiteral("| 1 | \"NON PC100 SDRAM(Same as AGP)\" | 1-2 |\n")));
    QVERIFY(run.out.contains(QStringLiteral("| 100 MHz | 1-2 | 1-2 | 1-2 |\n")));
    QVERIFY(run.out.contains(QStringLiteral("| 4.5x | 2-3 | 2-3 | 2-3 |\n")));
    QVERIFY(run.out.contains(QStringLiteral("| 3.52 V | closed | closed | closed | closed |\n")));
    QCOMPARE(run.out.count(QStringLiteral("\n|---|")), 6); // one table per list, one per group of blocks
}

void TestCommandLine::listAsCsvParsesWhole()
{
    const Run run = velmor({QStringLiteral("--list"), QStringLiteral("--format=csv")});
    QCOMPARE(run.status, 0);
    const QList<QStringList> records = parseCsv(run.out);
    QCOMPARE(records.size(), 1 + 44 + 2 + 2 + 6 + 7 + 6);
    for (const QStringList &r : records)
        QCOMPARE(r.size(), records.front().size());
    int position = 0;
    for (const SelectorEntry &e : cpuSelector().entries) {
        const QStringList &r = records[1 + position];
        QCOMPARE(r[1], QString::number(position));
        QCOMPARE(r[2], QString::fromLatin1(e.text)); // blanks and commas intact
        QCOMPARE(r.mid(3, 10).join(u' '), positions(*findCpuJumperRow(e.itemCode / 100)));
        ++position;
    }
    QCOMPARE(records[45].mid(2), (QStringList{" AT Power Supply"} + QStringList(10) + QStringList{"1-2", ""}));
    QCOMPARE(records[48].mid(2),
             (QStringList{"NON PC100 SDRAM(Same as AGP)"} + QStringList(10) + QStringList{"", "1-2"}));

    // The rows of what the blocks stand for fill the CPU's columns of their own blocks only, and
    // have no list position; each reads back to its value.
    const QStringList &header = records.front();
    const auto cell = [&](const QStringList &r, const char *column) {
        return r[header.indexOf(QLatin1String(column))];
    };
    const auto pins = [](const QString &text) {
        return text == QLatin1String("1-2") ? Position::OneTwo : Position::TwoThree;
    };
    const auto contact = [](const QString &text) {
        return text == QLatin1String("closed") ? Contact::Closed : Contact::Open;
    };
    QStringList lists;
    for (const QStringList &r : records.mid(49)) {
        lists << r[0];
        QVERIFY(r[1].isEmpty());
        QStringList filled;
        for (qsizetype c = 3; c < r.size(); ++c) {
            if (!r[c].isEmpty())
                filled << header[c];
        }
        if (r[0] == QLatin1String("Bus clock")) {
            QCOMPARE(filled, (QStringList{"JP7", "JP8", "JP9"}));
            QCOMPARE(
                busClockText(busClockOf({pins(cell(r, "JP7")), pins(cell(r, "JP8")), pins(cell(r, "JP9"))})->megahertz),
                r[2]);
        } else if (r[0] == QLatin1String("Multiplier")) {
            QCOMPARE(filled, (QStringList{"JP4", "JP5", "JP6"}));
            QCOMPARE(multiplierText(
                         multiplierOf({pins(cell(r, "JP4")), pins(cell(r, "JP5")), pins(cell(r, "JP6"))})->tenths),
                     r[2]);
        } else {
            QCOMPARE(r[0], QStringLiteral("Core voltage"));
            QCOMPARE(filled, (QStringList{"JP3 A", "JP3 B", "JP3 C", "JP3 D"}));
            QCOMPARE(voltageText(voltageOf({contact(cell(r, "JP3 A")), contact(cell(r, "JP3 B")),
                                            contact(cell(r, "JP3 C")), contact(cell(r, "JP3 D"))})
                                     ->centivolts),
                     r[2]);
        }
    }
    QCOMPARE(lists.count(QStringLiteral("Bus clock")), 6);
    QCOMPARE(lists.count(QStringLiteral("Multiplier")), 7);
    QCOMPARE(lists.count(QStringLiteral("Core voltage")), 6);
}

void TestCommandLine::exportPngEqualsTheWindow_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("cpu");
    QTest::addColumn<int>("power");
    QTest::addColumn<int>("sdram");
    QTest::newRow("defaults") << QStringList() << 21 << 0 << 0;
    QTest::newRow("cyrix by text, ATX, non-PC100")
        << QStringList{"--cpu", "p150+", "--power", "ATX", "--sdram", "non-pc100"} << 27 << 1 << 1;
}

void TestCommandLine::exportPngEqualsTheWindow()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, cpu);
    QFETCH(int, power);
    QFETCH(int, sdram);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("board.png"));
    const Run run = velmor(QStringList{"--export", png} + arguments);
    QCOMPARE(run.status, 0);

    MainWindow window;
    window.load();
    window.select(cpuSelector(), cpu);
    window.select(powerSelector(), power);
    window.select(sdramSelector(), sdram);
    const QImage shown = window.windowImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(QImage(png).convertToFormat(QImage::Format_RGB32), shown);
}

void TestCommandLine::exportPdfPlacesTheImageAsPrintDoes()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("board.pdf"));
    QCOMPARE(velmor({QStringLiteral("--export"), pdf, QStringLiteral("--cpu"), QStringLiteral("0")}).status, 0);
    QString error;
    const QImage page = renderPdfPage(pdf, 100, &error);
    QVERIFY2(!page.isNull(), qPrintable(error));
    const QRect ink = inkBox(page);
    QVERIFY(qAbs(ink.left() - (page.width() - 1 - ink.right())) <= 2);
    QVERIFY(qAbs(ink.top() - (page.height() - 1 - ink.bottom())) <= 2);
    QVERIFY(qAbs(ink.width() / double(ink.height()) - 513.0 / 500.0) < 0.01);
}

void TestCommandLine::exportByMeaningsEqualsTheEntry_data()
{
    QTest::addColumn<QStringList>("meanings");
    QTest::addColumn<QStringList>("entry");
    QTest::newRow("100 MHz, 3.0x, 2.2 V: position 21")
        << QStringList{"--bus", "100", "--multiplier", "3.0", "--voltage", "2.2"} << QStringList{"--cpu", "21"};
    QTest::newRow("95MHz, 3.5X, 2.2v on ATX: position 22")
        << QStringList{"--bus", "95MHz", "--multiplier", "3.5X", "--voltage", "2.2v", "--power", "atx"}
        << QStringList{"--cpu", "22", "--power", "atx"};
    QTest::newRow("66 MHz, 3, 3.52 V: position 42")
        << QStringList{"--bus=66 MHz", "--multiplier=3", "--voltage", "3.52 V"} << QStringList{"--cpu", "42"};
    QTest::newRow("66 MHz, 4.0x, 2.2 V: position 17, the first of row 18")
        << QStringList{"--bus", "66", "--multiplier", "4", "--voltage", "2.20"} << QStringList{"--cpu", "17"};
}

void TestCommandLine::exportByMeaningsEqualsTheEntry()
{
    QFETCH(QStringList, meanings);
    QFETCH(QStringList, entry);
    QTemporaryDir dir;
    const QString byMeanings = dir.filePath(QStringLiteral("meanings.png"));
    const QString byEntry = dir.filePath(QStringLiteral("entry.png"));
    QCOMPARE(velmor(QStringList{"--export", byMeanings} + meanings).status, 0);
    QCOMPARE(velmor(QStringList{"--export", byEntry} + entry).status, 0);
    QCOMPARE(QImage(byMeanings).convertToFormat(QImage::Format_RGB32),
             QImage(byEntry).convertToFormat(QImage::Format_RGB32));
}

void TestCommandLine::exportByMeaningsWithoutAnEntry()
{
    // No CPU of the list runs at 60 MHz and 4.5x: the pins show the meanings, the list nothing.
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("board.png"));
    QCOMPARE(velmor({"--export", png, "--bus", "60", "--multiplier", "4.5", "--voltage", "3.52"}).status, 0);
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    const CpuSettings meanings{*findBusClock(60), *findMultiplier(45), *findVoltage(352)};
    Board board;
    for (const PinFill &fill : cpuPinFills(meanings))
        QCOMPARE(pinColorIn(image, *board.find(fill.pin)), fill.color);

    MainWindow window;
    window.load();
    window.showCpuSettings(meanings);
    const auto *cpuList = window.findChild<QComboBox *>(QString::fromLatin1(cpuSelector().list));
    QCOMPARE(cpuList->currentIndex(), -1);
    QCOMPARE(window.windowImage().convertToFormat(QImage::Format_RGB32), image);
    // A screen reader hears the new positions.
    QCOMPARE(window.findChild<BoardWidget *>()->accessibleDescription(),
             QStringLiteral("JP7 2-3, JP8 2-3, JP9 2-3, JP4 2-3, JP5 2-3, JP6 2-3, "
                            "JP3 A closed B closed C closed D closed, JP11 1-2, JP10 2-3"));
}

void TestCommandLine::identify_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err"); // the reason of a malformed text

    QTest::newRow("the board's own sentence: position 21")
        << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 2-3"
        << 0
        << lines({"Bus clock:    100 MHz", "Multiplier:   3.0x", "CPU clock:    300 MHz", "Core voltage: 2.2 V",
                  "Power supply: AT Power Supply", "SDRAM clock:  PC100 SDRAM(Same as CPU)",
                  "CPU entries:  21 \" AMD K6-2 300AFR(100MHz,3.0x,2.2V)\""})
        << QString();
    QTest::newRow("short form: both entries of row 18, ATX, non-PC100")
        << "JP7=1-2 JP8=2-3 JP9=2-3 JP4=2-3 JP5=1-2 JP6=2-3 JP3=B JP11=2-3 JP10=1-2" << 0
        << lines({"Bus clock:    66 MHz", "Multiplier:   4.0x", "CPU clock:    266 MHz", "Core voltage: 2.2 V",
                  "Power supply: ATX Power Supply", "SDRAM clock:  NON PC100 SDRAM(Same as AGP)",
                  "CPU entries:  17 \" AMD K6 266AFR(66MHz,4.0x,2.2V)\"",
                  "              20 \" AMD K6-2 266AFR(66MHz,4.0x,2.2V)\""})
        << QString();
    QTest::newRow("short form in any order and case, JP3 A, C, D closed")
        << "jp3=a,c,d jp9=2-3 jp8=2-3 jp7=2-3 jp6=1-2 jp5=2-3 jp4=2-3" << 0
        << lines({"Bus clock:    60 MHz", "Multiplier:   2.5x",
                  "CPU clock:    150 MHz if the CPU takes 2.5x from JP4 to JP6; the listed CPU names no multiplier",
                  "Core voltage: 3.3 V", "Power supply: not given", "SDRAM clock:  not given",
                  "CPU entries:  4 \" INTEL PENTIUM 150 MHz (3.3V)\""})
        << QString();
    // The multiplier table's clock is never set bare beside a CPU that says otherwise.
    QTest::newRow("a Pentium 90, which takes the K6-2's 3.5x as 1.5x")
        << "JP7=2-3 JP8=2-3 JP9=2-3 JP4=1-2 JP5=1-2 JP6=1-2 JP3=ACD" << 0
        << lines({"Bus clock:    60 MHz", "Multiplier:   3.5x",
                  "CPU clock:    210 MHz if the CPU takes 3.5x from JP4 to JP6; the listed CPU names no multiplier",
                  "Core voltage: 3.3 V", "Power supply: not given", "SDRAM clock:  not given",
                  "CPU entries:  0 \" INTEL PENTIUM 90 MHz (3.3V)\""})
        << QString();
    QTest::newRow("the K6-2 366, set to 66 MHz x 5 as its text says")
        << "JP7=1-2 JP8=2-3 JP9=2-3 JP4=1-2 JP5=1-2 JP6=2-3 JP3=B" << 0
        << lines({"Bus clock:    66 MHz", "Multiplier:   5.0x",
                  "CPU clock:    333 MHz (66 MHz x 5.0x), not the 366 MHz of the CPU's name", "Core voltage: 2.2 V",
                  "Power supply: not given", "SDRAM clock:  not given",
                  "CPU entries:  24 \" AMD K6-2 366AFR(66MHz,5x,2.2V)\""})
        << QString();
    QTest::newRow("partial: blocks left out are not given")
        << "JP7=1-2 JP8=2-3 JP4=2-3, JP3 A closed B closed, JP10=2-3" << 0
        << lines({"Bus clock:    not given (JP9 left out)", "Multiplier:   not given (JP5, JP6 left out)",
                  "CPU clock:    not known", "Core voltage: not given (JP3 C, D left out)", "Power supply: not given",
                  "SDRAM clock:  PC100 SDRAM(Same as CPU)", "CPU entries:  not known (not every CPU block given)"})
        << QString();
    QTest::newRow("undocumented JP3")
        << "JP7=1-2 JP8=1-2 JP9=1-2 JP4=1-2 JP5=2-3 JP6=1-2 JP3=AB" << 1
        << lines({"Bus clock:    100 MHz", "Multiplier:   3.0x", "CPU clock:    300 MHz",
                  "Core voltage: JP3 A closed, B closed, C open, D open: not a documented voltage setting",
                  "Power supply: not given", "SDRAM clock:  not given", "CPU entries:  none in the list"})
        << QString();
    QTest::newRow("undocumented bus clock, multiplier and JP3 all open")
        << "JP7=2-3 JP8=2-3 JP9=1-2 JP4=1-2 JP5=2-3 JP6=2-3 JP3=none" << 1
        << lines({"Bus clock:    JP7 2-3, JP8 2-3, JP9 1-2: not a documented bus clock setting",
                  "Multiplier:   JP4 1-2, JP5 2-3, JP6 2-3: not a documented multiplier setting",
                  "CPU clock:    not known",
                  "Core voltage: JP3 A open, B open, C open, D open: not a documented voltage setting",
                  "Power supply: not given", "SDRAM clock:  not given", "CPU entries:  none in the list"})
        << QString();
    const auto malformed = [](const char *name, const char *text, const char *reason) {
        QTest::newRow(name) << text << 2 << QString() << QStringLiteral("--identify: ") + QLatin1String(reason);
    };
    malformed("malformed: no position 1-3", "JP7 1-3, JP8 1-2", "JP7 takes 1-2 or 2-3, not \"1-3\"");
    malformed("malformed: a block the guide does not set", "JP1=1-2", "\"JP1\" is not one of the blocks JP3 to JP11");
    malformed("malformed: a block twice", "JP7=1-2 JP8=1-2 jp7=2-3", "JP7 is given twice");
    malformed("malformed: a JP3 letter without open or closed", "JP3 A open B", "JP3 B needs open or closed");
    malformed("malformed: only separators", " , ", "the text names no jumper block");
    QTest::newRow("malformed: empty")
        << "" << 2 << QString() << "--identify needs jumper positions, as in \"JP7=1-2 JP8=1-2 ...\", but it is empty";
}

void TestCommandLine::identify()
{
    QFETCH(QString, text);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const Run run = velmor({QStringLiteral("--identify"), text});
    QCOMPARE(run.out, out);
    QCOMPARE(run.status, status);
    if (err.isEmpty())
        QCOMPARE(run.err, QString());
    else
        QVERIFY2(run.err.startsWith(QStringLiteral("velmor: ") + err + u'\n'), qPrintable(run.err));
}

void TestCommandLine::badArguments_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("usage");
    QTest::newRow("unknown flag") << QStringList{"--color"} << "unknown option --color" << true;
    QTest::newRow("missing value") << QStringList{"--export"} << "--export needs a file name" << true;
    QTest::newRow("option where the file name belongs") << QStringList{"--export", "--cpu", "3"}
                                                        << "--export needs a file name ending in .png, .pdf or .html, "
                                                           "but --cpu follows it"
                                                        << true;
    QTest::newRow("CPU without export") << QStringList{"--cpu", "3"} << "--cpu is only used with --export" << true;
    QTest::newRow("format without list") << QStringList{"--format", "csv"} << "--format is only used with --list"
                                         << true;
    QTest::newRow("empty CPU text") << QStringList{"--export", "x.png", "--cpu", ""}
                                    << "--cpu needs a list position or a part of an entry's text, but it is empty"
                                    << true;
    QTest::newRow("blank CPU text") << QStringList{"--export", "x.png", "--cpu=  "}
                                    << "--cpu needs a list position or a part of an entry's text, but it is empty"
                                    << true;
    QTest::newRow("unknown CPU") << QStringList{"--export", "x.png", "--cpu", "pentium 4"}
                                 << "--cpu \"pentium 4\": no CPU entry contains it" << true;
    QTest::newRow("ambiguous CPU") << QStringList{"--export", "x.png", "--cpu", "266afr"}
                                   << "--cpu \"266afr\" is ambiguous; 2 CPU entries contain it:" << true;
    QTest::newRow("position out of range")
        << QStringList{"--export", "x.png", "--cpu", "44"} << "there is no list position 44" << true;
    QTest::newRow("bad format") << QStringList{"--list", "--format", "xml"} << "choose text, markdown or csv" << true;
    QTest::newRow("selection without export")
        << QStringList{"--list", "--power", "atx"} << "--power is only used with --export" << true;
    QTest::newRow("not png, pdf or html")
        << QStringList{"--export", "board.jpg"} << "must end in .png, .pdf or .html" << true;
    QTest::newRow("undocumented bus clock")
        << QStringList{"--export", "x.png", "--bus", "90", "--multiplier", "3", "--voltage", "2.2"}
        << "--bus 90: not a documented bus clock; choose 60 MHz, 66 MHz, 75 MHz, 83 MHz, 95 MHz or 100 MHz" << true;
    QTest::newRow("multiplier between two documented ones")
        << QStringList{"--export", "x.png", "--bus", "100", "--multiplier", "3.25x", "--voltage", "2.2"}
        << "--multiplier 3.25x: not a documented multiplier" << true;
    QTest::newRow("undocumented voltage")
        << QStringList{"--export", "x.png", "--bus", "100", "--multiplier", "3", "--voltage", "3.5V"}
        << "--voltage 3.5V: not a documented core voltage; choose 2.2 V, 2.8 V, 2.9 V, 3.2 V, 3.3 V or 3.52 V" << true;
    QTest::newRow("meanings one short") << QStringList{"--export", "x.png", "--bus", "100", "--voltage", "2.2"}
                                        << "--bus, --multiplier and --voltage go together; --multiplier is missing"
                                        << true;
    QTest::newRow("meanings and a CPU entry")
        << QStringList{"--export", "x.png", "--cpu", "21", "--bus", "100", "--multiplier", "3", "--voltage", "2.2"}
        << "--cpu cannot be combined with --bus, --multiplier and --voltage" << true;
    QTest::newRow("meanings without export")
        << QStringList{"--list", "--bus", "100"} << "--bus is only used with --export" << true;
    QTest::newRow("identify and list") << QStringList{"--list", "--identify", "JP7=1-2"}
                                       << "--identify cannot be combined with --list" << true;
    QTest::newRow("unwritable path") << QStringList{"--export", "/nonexistent/dir/board.png"}
                                     << "cannot write /nonexistent/dir/board.png" << false;
    // Input a message repeats is escaped, and cut in the middle past 60 characters.
    QTest::newRow("terminal escapes in a token") << QStringList{"--identify", "JP7=\x1b]0;x\a"}
                                                 << "--identify: JP7 takes 1-2 or 2-3, not \"\\e]0;x\\x07\"" << true;
    const QString a100k(100000, u'A');
    QTest::newRow("a token of 100 000 characters")
        << QStringList{"--identify", "JP7=" + a100k} << "not \"" + QString(28, u'A') + "..." + QString(29, u'A') + "\""
        << true;
    QTest::newRow("a right-to-left override in an option")
        << QStringList{QString::fromUtf8("--c\u202Epu")} << "unknown option --c\\u{202E}pu" << true;
    QTest::newRow("an escape in a file name")
        << QStringList{"--export", "x\x1b[31m.txt"} << "--export x\\e[31m.txt: the file name must end" << true;
    QTest::newRow("a long path that cannot be written")
        << QStringList{"--export", "/nonexistent/" + QString(300, u'd') + "/board.png"}
        << "cannot write /nonexistent/" + QString(15, u'd') + "..." + QString(19, u'd') + "/board.png: " << false;
}

void TestCommandLine::badArguments()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, message);
    QFETCH(bool, usage);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path()); // a relative export path must not be left behind
    const Run run = velmor(arguments);
    QCOMPARE(run.status, 2);
    QVERIFY(run.out.isEmpty());
    // The toolkit may add notices of its own; the program's reason is its one line.
    QString reason;
    for (const QString &line : run.err.split(u'\n'))
        if (line.startsWith(QStringLiteral("velmor: ")) && reason.isEmpty())
            reason = line;
    QVERIFY2(reason.startsWith(QStringLiteral("velmor: ")) && reason.contains(message), qPrintable(run.err));
    QVERIFY2(reason.size() < 250, qPrintable(reason.left(250)));
    // Nothing a terminal would act on: no control character but the ends of lines.
    QVERIFY(std::none_of(run.err.cbegin(), run.err.cend(),
                         [](QChar c) { return (c < u' ' && c != u'\n') || (c >= u'\x7f' && c < u'\xa0'); }));
    QCOMPARE(run.err.contains(QStringLiteral("usage: velmor")), usage);
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestCommandLine::helpVersionAndBoard()
{
    const Run help = velmor({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.startsWith(QStringLiteral("usage: velmor")));
    const Run version = velmor({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QStringLiteral("velmor " VELMOR_VERSION "\n"));
    // The description comes out as its file stands, comments and all, so that what the program
    // carries can be read, changed and checked as a file.
    const Run board = velmor({QStringLiteral("--print-board")});
    QCOMPARE(board.status, 0);
    QFile file(QStringLiteral(BOARD_DESCRIPTION));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(board.out, QString::fromUtf8(file.readAll()));
    // and the check of board descriptions finds it sound.
    const Run check = velmor({QStringLiteral("--check-board"), QStringLiteral(BOARD_DESCRIPTION)});
    QVERIFY2(check.status == 0, qPrintable(check.err));
    QVERIFY2(check.out.contains(QStringLiteral(": sound: \"P5VELMOR\" version 1.0, 10 blocks, 3 lists (48 entries)")),
             qPrintable(check.out));
}

void TestCommandLine::ambiguousCpuListsItsCandidates_data()
{
    QTest::addColumn<QString>("text");
    for (const char *text : {"266afr", "k6-2", "amd"})
        QTest::newRow(text) << QString::fromLatin1(text);
}

void TestCommandLine::ambiguousCpuListsItsCandidates()
{
    QFETCH(QString, text);
    QStringList expected;
    int matches = 0;
    int position = 0;
    for (const SelectorEntry &e : cpuSelector().entries) {
        const QString entry = QString::fromLatin1(e.text);
        if (entry.contains(text, Qt::CaseInsensitive) && ++matches <= 10)
            expected << QStringLiteral("  %1 \"%2\"").arg(position).arg(entry);
        ++position;
    }
    QVERIFY(matches > 1);
    if (matches > 10)
        expected << QStringLiteral("  and %1 more (see velmor --list)").arg(matches - 10);

    const Run run = velmor({QStringLiteral("--export"), QStringLiteral("x.png"), QStringLiteral("--cpu"), text});
    QCOMPARE(run.status, 2);
    QStringList lines = linesOf(run.err);
    lines = lines.mid(0, lines.indexOf(QRegularExpression(QStringLiteral("usage: .*"))));
    QCOMPARE(lines.value(0),
             QStringLiteral("velmor: --cpu \"%1\" is ambiguous; %2 CPU entries contain it:").arg(text).arg(matches));
    QCOMPARE(lines.mid(1), expected);
}

void TestCommandLine::formatIgnoresCase_data()
{
    QTest::addColumn<QString>("format");
    QTest::newRow("CSV") << QStringLiteral("CSV");
    QTest::newRow("Markdown") << QStringLiteral("Markdown");
    QTest::newRow("TEXT") << QStringLiteral("TEXT");
}

void TestCommandLine::formatIgnoresCase()
{
    QFETCH(QString, format);
    const Run asGiven = velmor({QStringLiteral("--list"), QStringLiteral("--format"), format});
    QVERIFY2(asGiven.status == 0, qPrintable(asGiven.err));
    QCOMPARE(asGiven.out, velmor({QStringLiteral("--list"), QStringLiteral("--format"), format.toLower()}).out);
}

void TestCommandLine::helpDescribesEveryOption()
{
    // The options are those the manual page describes, each under its own .TP in OPTIONS.
    QFile manual(QStringLiteral(MANUAL_PAGE));
    QVERIFY(manual.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList manLines = QString::fromUtf8(manual.readAll()).split(u'\n');
    manLines = manLines.mid(manLines.indexOf(QStringLiteral(".SH OPTIONS")));
    manLines = manLines.mid(0, manLines.indexOf(QRegularExpression(QStringLiteral(R"(\.SH .*)")), 1));
    // Roff writes each hyphen of a name as \-: --print-board is \-\-print\-board.
    static const QRegularExpression optionName(QStringLiteral(R"(\\-\\-([a-z](?:[a-z]|\\-)*))"));
    QStringList options;
    for (qsizetype i = 0; i + 1 < manLines.size(); ++i) {
        if (manLines[i] != QLatin1String(".TP"))
            continue;
        const qsizetype before = options.size();
        for (const QRegularExpressionMatch &m : optionName.globalMatch(manLines[i + 1]))
            options << QStringLiteral("--") + m.captured(1).remove(u'\\');
        QVERIFY2(options.size() > before, qPrintable(manLines[i + 1])); // every entry names an option
    }
    QVERIFY(options.contains(QStringLiteral("--export")) && options.contains(QStringLiteral("--version")));

    const Run help = velmor({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    const QStringList lines = linesOf(help.out);
    for (const QString &option : options) {
        const QRegularExpression described(
            QStringLiteral("^\\s+%1\\b.*\\s{2,}\\S").arg(QRegularExpression::escape(option)));
        QVERIFY2(lines.filter(described).size() == 1, qPrintable(option + QStringLiteral(" in:\n") + help.out));
    }
    QVERIFY2(help.out.contains(QStringLiteral("man velmor")), qPrintable(help.out));
}

namespace {

/// Where the program's standard output goes in a row of failedStandardOutputIsReported.
enum class Output { FullDisk, Closed, ClosedPipe, PastSizeLimit };

void redirectOutput(Output output)
{
    switch (output) {
    case Output::FullDisk: {
        const int full = ::open("/dev/full", O_WRONLY);
        ::dup2(full, STDOUT_FILENO);
        ::close(full);
        return;
    }
    case Output::Closed:
        ::close(STDOUT_FILENO);
        return;
    case Output::PastSizeLimit: { // a file of no name, which the size limit stops at the first byte
        const int file = ::open("/tmp", O_TMPFILE | O_WRONLY, 0600);
        ::dup2(file, STDOUT_FILENO);
        ::close(file);
        const rlimit nothing{0, 0};
        ::setrlimit(RLIMIT_FSIZE, &nothing);
        return;
    }
    case Output::ClosedPipe: { // the reader is gone before the first byte is written
        int ends[2];
        if (::pipe(ends) == 0) {
            ::close(ends[0]);
            ::dup2(ends[1], STDOUT_FILENO);
            ::close(ends[1]);
        }
        return;
    }
    }
}

} // namespace

void TestCommandLine::failedStandardOutputIsReported_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("output");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // empty: nothing may be said
    const QString noSpace = QStringLiteral("velmor: cannot write to standard output: No space left on device");
    const QString closed = QStringLiteral("velmor: cannot write to standard output: Bad file descriptor");
    for (const char *option : {"--list", "--help", "--version", "--identify"}) {
        QStringList arguments{QString::fromLatin1(option)};
        if (arguments.front() == QLatin1String("--identify"))
            arguments << QStringLiteral("JP7=1-2 JP8=1-2 JP9=1-2");
        QTest::addRow("%s onto a full disk", option) << arguments << int(Output::FullDisk) << 2 << noSpace;
        QTest::addRow("%s with stdout closed", option) << arguments << int(Output::Closed) << 2 << closed;
        QTest::addRow("%s into a pipe nobody reads", option) << arguments << int(Output::ClosedPipe) << 0 << QString();
        QTest::addRow("%s past the file size limit", option)
            << arguments << int(Output::PastSizeLimit) << 2
            << QStringLiteral("velmor: cannot write to standard output: File too large");
    }
}

void TestCommandLine::failedStandardOutputIsReported()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, output);
    QFETCH(int, status);
    QFETCH(QString, message);
    const Run run = velmor(arguments, {}, [output] { redirectOutput(Output(output)); });
    QCOMPARE(run.status, status);
    QCOMPARE(linesOf(run.err), message.isEmpty() ? QStringList() : QStringList{message});
}

namespace {

/// An X display number no server uses on this machine.
int freeDisplay()
{
    int free = 60;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(free))
           || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(free)))
        ++free;
    return free;
}

} // namespace

void TestCommandLine::unknownPlatformIsNamed_data()
{
    QTest::addColumn<QString>("platforms"); // QT_QPA_PLATFORM
    QTest::addColumn<QString>("display");   // also said, when a platform that exists fails
    QTest::newRow("a platform the toolkit does not have") << "bogus" << QString();
    QTest::newRow("an unknown platform, then X11 without a server")
        << "bogus;xcb" << QStringLiteral("\":%1\" named by DISPLAY").arg(freeDisplay());
}

void TestCommandLine::unknownPlatformIsNamed()
{
    QFETCH(QString, platforms);
    QFETCH(QString, display);
    const Run run = velmor({}, [&](QProcess &p) {
        QProcessEnvironment env = p.processEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platforms);
        env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":%1").arg(freeDisplay()));
        p.setProcessEnvironment(env);
    });
    QCOMPARE(run.status, 2);
    const QStringList lines = linesOf(run.err);
    QVERIFY2(lines.size() == 1, qPrintable(run.err));
    // The variable and the name it gave, the platforms there are, and nothing about reinstalling.
    QVERIFY2(lines[0].startsWith(QStringLiteral("velmor: QT_QPA_PLATFORM names the platform \"bogus\", which the "
                                                "toolkit does not have (it has: ")),
             qPrintable(lines[0]));
    QVERIFY2(lines[0].contains(QStringLiteral("offscreen")) && lines[0].contains(QStringLiteral("xcb")),
             qPrintable(lines[0]));
    QVERIFY2(!lines[0].contains(QStringLiteral("einstall")), qPrintable(lines[0]));
    QVERIFY2(display.isEmpty() || lines[0].contains(display), qPrintable(lines[0]));
}

void TestCommandLine::deadDisplayIsOneLine_data()
{
    const int free = freeDisplay();
    QTest::addColumn<QStringList>("environment"); // NAME=VALUE, or NAME= to remove it
    QTest::addColumn<QString>("named");
    QTest::addColumn<bool>("wayland");
    QTest::newRow("X display with no server")
        << QStringList{QStringLiteral("DISPLAY=:%1").arg(free), QStringLiteral("XDG_RUNTIME_DIR=")}
        << QStringLiteral("\":%1\"").arg(free) << false;
    QTest::newRow("Wayland display with no compositor")
        << QStringList{QStringLiteral("QT_QPA_PLATFORM=wayland"), QStringLiteral("WAYLAND_DISPLAY=velmor-nowhere")}
        << QStringLiteral("\"velmor-nowhere\"") << true;
}

void TestCommandLine::deadDisplayIsOneLine()
{
    QFETCH(QStringList, environment);
    QFETCH(QString, named);
    QFETCH(bool, wayland);
    QTemporaryDir runtime; // a Wayland client looks for the compositor's socket here
    const Run run = velmor({}, [&](QProcess &p) {
        QProcessEnvironment env = p.processEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
        for (const QString &setting : environment) {
            const QString name = setting.section(u'=', 0, 0);
            const QString value = setting.section(u'=', 1);
            value.isEmpty() ? env.remove(name) : env.insert(name, value);
        }
        p.setProcessEnvironment(env);
    });
    QCOMPARE(run.status, 2);
    const QStringList lines = linesOf(run.err);
    QVERIFY2(lines.size() == 1, qPrintable(run.err));
    const QString variable = wayland ? QStringLiteral("WAYLAND_DISPLAY") : QStringLiteral("DISPLAY");
    QVERIFY2(lines[0].startsWith(QStringLiteral("velmor: ")) && lines[0].contains(named) && lines[0].contains(variable),
             qPrintable(lines[0]));
    if (wayland)
        QVERIFY2(!QString(lines[0]).remove(QStringLiteral("WAYLAND_DISPLAY")).contains(QStringLiteral("DISPLAY")),
                 qPrintable(lines[0]));
}

void TestCommandLine::unusableScaleIsNamed_data()
{
    QTest::addColumn<QString>("scale"); // QT_SCALE_FACTOR
    QTest::addColumn<bool>("exporting");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said"); // after "velmor: QT_SCALE_FACTOR="SCALE" "
    const QString ignored = QStringLiteral("is ignored, not a positive number; the window starts at scale 1");
    // The window shows its first frame and ends, as the start-up benchmark has it do.
    QTest::newRow("window, 0") << "0" << false << 0 << ignored;
    QTest::newRow("window, -1") << "-1" << false << 0 << ignored;
    QTest::newRow("window, inf") << "inf" << false << 0 << ignored;
    QTest::newRow("window, nan") << "nan" << false << 0 << "is ignored, not a number; the window starts at scale 1";
    QTest::newRow("window, not a number")
        << "big" << false << 0 << "is ignored, not a number; the window starts at scale 1";
    QTest::newRow("window, 0.2")
        << "0.2" << false << 0 << "is ignored: below 0.5 the board is not drawn whole; the window starts at scale 0.5";
    // The offscreen screen is 800 x 600: scale 3 does not fit, but is one of the documented ones.
    QTest::newRow("window, 3") << "3" << false << 0 << QString();
    QTest::newRow("window, 10") << "10" << false << 2
                                << "makes the window larger than the screen; choose a scale from 0.5 to 3";
    QTest::newRow("window, 1e6") << "1e6" << false << 2
                                 << "makes the window larger than the screen; choose a scale from 0.5 to 3";
    QTest::newRow("export, 2") << "2" << true << 0 << QString();
    QTest::newRow("export, 0") << "0" << true << 2
                               << "is not a positive number; an export is drawn at a scale from 0.5 to 3";
    QTest::newRow("export, 10") << "10" << true << 2
                                << "is outside 0.5 to 3; an export is drawn at a scale from 0.5 to 3";
}

void TestCommandLine::unusableScaleIsNamed()
{
    QFETCH(QString, scale);
    QFETCH(bool, exporting);
    QFETCH(int, status);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QStringList arguments =
        exporting ? QStringList{QStringLiteral("--export"), dir.filePath(QStringLiteral("board.png"))} : QStringList();
    const Run run = velmor(
        arguments,
        [&](QProcess &p) {
            QProcessEnvironment env = p.processEnvironment();
            env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
            env.insert(QString::fromLatin1(FirstFrameExitVariable), QStringLiteral("1"));
            env.insert(QStringLiteral("QT_SCALE_FACTOR"), scale);
            p.setProcessEnvironment(env);
        },
        {}, 20000);
    QCOMPARE(run.status, status);
    QCOMPARE(linesOf(run.err),
             said.isEmpty() ? QStringList()
                            : QStringList{QStringLiteral("velmor: QT_SCALE_FACTOR=\"%1\" %2").arg(scale, said)});
    QCOMPARE(QFileInfo::exists(dir.filePath(QStringLiteral("board.png"))), exporting && status == 0);
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
