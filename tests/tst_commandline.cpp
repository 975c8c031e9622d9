// The command line as a user types it: the guide as a table, the window's image as a file, and
// bad arguments and failed output, each run as the real program.
#include "printcheck.h"
#include "velmorprocess.h"

#include "app/mainwindow.h"
#include "jumpers/cpujumpertable.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/fonts.h"
#include "velmorconfig.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QtTest>

#include <fcntl.h>
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
    void ambiguousCpuListsItsCandidates_data();
    void ambiguousCpuListsItsCandidates();
    void formatIgnoresCase_data();
    void formatIgnoresCase();
    void helpAndVersion();
    void helpDescribesEveryOption();
    void failedStandardOutputIsReported_data();
    void failedStandardOutputIsReported();
    void deadDisplayIsOneLine_data();
    void deadDisplayIsOneLine();
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
    QTest::newRow("missing value") << QStringList{"--export"} << "--export needs a file name" << true;
    QTest::newRow("option where the file name belongs") << QStringList{"--export", "--cpu", "3"}
                                                        << "--export needs a file name ending in .png, .pdf or .html, "
                                                           "but --cpu follows it" << true;
    QTest::newRow("CPU without export") << QStringList{"--cpu", "3"} << "--cpu is only used with --export" << true;
    QTest::newRow("format without list") << QStringList{"--format", "csv"} << "--format is only used with --list" << true;
    QTest::newRow("empty CPU text") << QStringList{"--export", "x.png", "--cpu", ""}
                                    << "--cpu needs a list position or a part of an entry's text, but it is empty" << true;
    QTest::newRow("blank CPU text") << QStringList{"--export", "x.png", "--cpu=  "}
                                    << "--cpu needs a list position or a part of an entry's text, but it is empty" << true;
    QTest::newRow("unknown CPU") << QStringList{"--export", "x.png", "--cpu", "pentium 4"}
                                 << "--cpu \"pentium 4\": no CPU entry contains it" << true;
    QTest::newRow("ambiguous CPU") << QStringList{"--export", "x.png", "--cpu", "266afr"}
                                   << "--cpu \"266afr\" is ambiguous; 2 CPU entries contain it:" << true;
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
    QCOMPARE(lines.value(0), QStringLiteral("velmor: --cpu \"%1\" is ambiguous; %2 CPU entries contain it:").arg(text).arg(matches));
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
    static const QRegularExpression optionName(QStringLiteral(R"(^\.B[IR]? \\-\\-([a-z][a-z-]*))"));
    QStringList options;
    for (qsizetype i = 0; i + 1 < manLines.size(); ++i) {
        if (manLines[i] == QLatin1String(".TP"))
            options << QStringLiteral("--") + optionName.match(manLines[i + 1]).captured(1);
    }
    QVERIFY(options.contains(QStringLiteral("--export")) && options.contains(QStringLiteral("--version")));

    const Run help = velmor({QStringLiteral("--help")});
    QCOMPARE(help.status, 0);
    const QStringList lines = linesOf(help.out);
    for (const QString &option : options) {
        const QRegularExpression described(QStringLiteral("^\\s+%1\\b.*\\s{2,}\\S").arg(QRegularExpression::escape(option)));
        QVERIFY2(lines.filter(described).size() == 1, qPrintable(option + QStringLiteral(" in:\n") + help.out));
    }
    QVERIFY2(help.out.contains(QStringLiteral("man velmor")), qPrintable(help.out));
}

namespace {

/// Where the program's standard output goes in a row of failedStandardOutputIsReported.
enum class Output { FullDisk, Closed, ClosedPipe };

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
    for (const char *option : {"--list", "--help", "--version"}) {
        const QStringList arguments{QString::fromLatin1(option)};
        QTest::addRow("%s onto a full disk", option) << arguments << int(Output::FullDisk) << 2 << noSpace;
        QTest::addRow("%s with stdout closed", option) << arguments << int(Output::Closed) << 2 << closed;
        QTest::addRow("%s into a pipe nobody reads", option) << arguments << int(Output::ClosedPipe) << 0 << QString();
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

void TestCommandLine::deadDisplayIsOneLine_data()
{
    // An X display number no server uses on this machine.
    int free = 60;
    while (QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(free)) || QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(free)))
        ++free;
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
        QVERIFY2(!QString(lines[0]).remove(QStringLiteral("WAYLAND_DISPLAY")).contains(QStringLiteral("DISPLAY")), qPrintable(lines[0]));
}

QTEST_MAIN(TestCommandLine)
#include "tst_commandline.moc"
