// The command line as a user types it: the guide as a table, the window's image as a file, and
// bad arguments, each run as the real program.
#include "printcheck.h"

#include "app/mainwindow.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/selectorcatalogue.h"
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
    QCOMPARE(run.out.count(QStringLiteral("\n|---|")), 3); // one table per list
}

void TestCommandLine::listAsCsvParsesWhole()
{
    const Run run = velmor({QStringLiteral("--list"), QStringLiteral("--format=csv")});
    QCOMPARE(run.status, 0);
    const QList<QStringList> records = parseCsv(run.out);
    QCOMPARE(records.size(), 1 + 44 + 2 + 2);
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
