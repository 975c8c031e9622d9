// The command line as a user types it: the guide as a table, the window's image as a file, what
// jumper positions stand for, and bad arguments, each run as the real program.
#include "pinsampling.h"
#include "printcheck.h"

#include "app/mainwindow.h"
#include "jumpers/blockmeanings.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/jumperblocks.h"
#include "jumpers/meaningsetting.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "velmorconfig.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QtTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

Run velmor(const QStringList &arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY")); // none of this may need a display
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(VELMOR_BINARY), arguments);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

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
    void helpAndVersion();
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
    QVERIFY(lineOf(QStringLiteral(" CYRIX 6x86 P150+(60MHz,2x,3.52v) ")).endsWith(QStringLiteral("closed  closed  closed  closed")));
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
    QVERIFY(run.out.contains(QStringLiteral("| 21 | \" AMD K6-2 300AFR(100MHz,3.0x,2.2V)\" | 1-2 | 1-2 | 1-2 | 1-2 | 2-3 | 1-2 | open | closed | open | open |\n")));
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
    QCOMPARE(records[48].mid(2), (QStringList{"NON PC100 SDRAM(Same as AGP)"} + QStringList(10) + QStringList{"", "1-2"}));

    // The rows of what the blocks stand for fill the CPU's columns of their own blocks only, and
    // have no list position; each reads back to its value.
    const QStringList &header = records.front();
    const auto cell = [&](const QStringList &r, const char *column) { return r[header.indexOf(QLatin1String(column))]; };
    const auto pins = [](const QString &text) { return text == QLatin1String("1-2") ? Position::OneTwo : Position::TwoThree; };
    const auto contact = [](const QString &text) { return text == QLatin1String("closed") ? Contact::Closed : Contact::Open; };
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
            QCOMPARE(busClockText(busClockOf({pins(cell(r, "JP7")), pins(cell(r, "JP8")), pins(cell(r, "JP9"))})->megahertz), r[2]);
        } else if (r[0] == QLatin1String("Multiplier")) {
            QCOMPARE(filled, (QStringList{"JP4", "JP5", "JP6"}));
            QCOMPARE(multiplierText(multiplierOf({pins(cell(r, "JP4")), pins(cell(r, "JP5")), pins(cell(r, "JP6"))})->tenths), r[2]);
        } else {
            QCOMPARE(r[0], QStringLiteral("Core voltage"));
            QCOMPARE(filled, (QStringList{"JP3 A", "JP3 B", "JP3 C", "JP3 D"}));
            QCOMPARE(voltageText(voltageOf({contact(cell(r, "JP3 A")), contact(cell(r, "JP3 B")), contact(cell(r, "JP3 C")),
                                            contact(cell(r, "JP3 D"))})->centivolts), r[2]);
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
    QCOMPARE(QImage(byMeanings).convertToFormat(QImage::Format_RGB32), QImage(byEntry).convertToFormat(QImage::Format_RGB32));
}

void TestCommandLine::exportByMeaningsWithoutAnEntry()
{
    // No CPU of the list runs at 60 MHz and 4.5x: the pins show the meanings, the list nothing.
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("board.png"));
    QCOMPARE(velmor({"--export", png, "--bus", "60", "--multiplier", "4.5", "--voltage", "3.52"}).status, 0);
    const QImage image = QImage(png).convertToFormat(QImage::Format_RGB32);
    const CpuMeanings meanings{*findBusClock(60), *findMultiplier(45), *findVoltage(352)};
    Board board;
    for (const PinFill &fill : cpuPinFills(meanings))
        QCOMPARE(pinColorIn(image, *board.find(fill.pin)), fill.color);

    MainWindow window;
    window.load();
    window.showCpuMeanings(meanings);
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
        << "JP7 1-2, JP8 1-2, JP9 1-2, JP4 1-2, JP5 2-3, JP6 1-2, JP3 A open B closed C open D open, JP11 1-2, JP10 2-3" << 0
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
        << lines({"Bus clock:    60 MHz", "Multiplier:   2.5x", "CPU clock:    150 MHz", "Core voltage: 3.3 V",
                  "Power supply: not given", "SDRAM clock:  not given", "CPU entries:  4 \" INTEL PENTIUM 150 MHz (3.3V)\""})
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
                  "Multiplier:   JP4 1-2, JP5 2-3, JP6 2-3: not a documented multiplier setting", "CPU clock:    not known",
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
    malformed("malformed: empty", "", "the text names no jumper block");
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
    QTest::newRow("missing value") << QStringList{"--export"} << "--export needs a value" << true;
    QTest::newRow("unknown CPU") << QStringList{"--export", "x.png", "--cpu", "pentium 4"}
                                 << "--cpu \"pentium 4\": no CPU entry contains it" << true;
    QTest::newRow("ambiguous CPU") << QStringList{"--export", "x.png", "--cpu", "266afr"}
                                   << "--cpu \"266afr\" is ambiguous: 17 \" AMD K6 266AFR(66MHz,4.0x,2.2V)\", 20 \" AMD K6-2 266AFR(66MHz,4.0x,2.2V)\""
                                   << true;
    QTest::newRow("position out of range") << QStringList{"--export", "x.png", "--cpu", "44"}
                                           << "there is no list position 44" << true;
    QTest::newRow("bad format") << QStringList{"--list", "--format", "xml"} << "choose text, markdown or csv" << true;
    QTest::newRow("selection without export") << QStringList{"--list", "--power", "atx"} << "--power is only used with --export" << true;
    QTest::newRow("not png, pdf or html") << QStringList{"--export", "board.jpg"} << "must end in .png, .pdf or .html" << true;
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
                                        << "--bus, --multiplier and --voltage go together; --multiplier is missing" << true;
    QTest::newRow("meanings and a CPU entry")
        << QStringList{"--export", "x.png", "--cpu", "21", "--bus", "100", "--multiplier", "3", "--voltage", "2.2"}
        << "--cpu cannot be combined with --bus, --multiplier and --voltage" << true;
    QTest::newRow("meanings without export") << QStringList{"--list", "--bus", "100"} << "--bus is only used with --export" << true;
    QTest::newRow("identify and list") << QStringList{"--list", "--identify", "JP7=1-2"} << "--identify cannot be combined with --list" << true;
    QTest::newRow("unwritable path") << QStringList{"--export", "/nonexistent/dir/board.png"} << "cannot write /nonexistent/dir/board.png" << false;
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
    QCOMPARE(run.err.contains(QStringLiteral("usage: velmor")), usage);
    QVERIFY(QDir(dir.path()).isEmpty());
}

void TestCommandLine::helpAndVersion()
{
    const Run help = velmor({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    QVERIFY(help.out.startsWith(QStringLiteral("usage: velmor")));
    const Run version = velmor({QStringLiteral("--version")});
    QCOMPARE(version.status, 0);
    QCOMPARE(version.out, QStringLiteral("velmor " VELMOR_VERSION "\n"));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
