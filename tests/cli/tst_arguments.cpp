// The command line read in process: each argument list to the invocation it asks for, or to the
// exact reason it is refused.
#include "cli/commandline.h"

#include <QtTest>

namespace {

/// An invocation as one line, every field a test may look at, so a row states it whole.
QString describe(const Invocation &inv)
{
    static const char *const Modes[] = {"window",  "list",     "export",      "help",
                                        "version", "identify", "check-board", "print-board"};
    static const char *const Formats[] = {"text", "markdown", "csv"};
    QString line = QString::fromLatin1(Modes[int(inv.mode)]);
    if (inv.mode == Invocation::Mode::List)
        line += QStringLiteral(" format=") + QLatin1String(Formats[int(inv.format)]);
    if (inv.mode == Invocation::Mode::Export) {
        line += QStringLiteral(" path=") + QString::fromLatin1(inv.exportRequest.path.toPercentEncoding("/."));
        line += QStringLiteral(" cpu=%1 power=%2 sdram=%3")
                    .arg(inv.exportRequest.cpuPosition)
                    .arg(inv.exportRequest.powerPosition)
                    .arg(inv.exportRequest.sdramPosition);
    }
    if (inv.exportRequest.busClock)
        line += QStringLiteral(" bus=%1 multiplier=%2 voltage=%3")
                    .arg(inv.exportRequest.busClock->megahertz)
                    .arg(inv.exportRequest.multiplier->tenths)
                    .arg(inv.exportRequest.voltage->centivolts);
    if (inv.exportRequest.pageSize)
        line += QStringLiteral(" page=") + inv.exportRequest.pageSize->key();
    if (inv.openPanel)
        line += QStringLiteral(" with its panel");
    return line;
}

QByteArrayList bytes(const QStringList &arguments)
{
    QByteArrayList list;
    for (const QString &a : arguments)
        list << a.toUtf8();
    return list;
}

} // namespace

class TestArguments : public QObject
{
    Q_OBJECT

private slots:
    void accepted_data();
    void accepted();
    void refused_data();
    void refused();
    void fileNameKeepsItsBytes();
};

void TestArguments::accepted_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("invocation");
    QTest::newRow("nothing: the window") << QStringList{} << "window";
    QTest::newRow("list") << QStringList{"--list"} << "list format=text";
    QTest::newRow("format before the mode") << QStringList{"--format", "markdown", "--list"} << "list format=markdown";
    QTest::newRow("format with = and in capitals") << QStringList{"--list", "--format=CSV"} << "list format=csv";
    QTest::newRow("export with defaults")
        << QStringList{"--export", "board.png"} << "export path=board.png cpu=-1 power=-1 sdram=-1";
    QTest::newRow("export, every choice")
        << QStringList{"--export=out/board.pdf", "--cpu", "3", "--power", "ATX", "--sdram", "non-pc100"}
        << "export path=out/board.pdf cpu=3 power=1 sdram=1";
    QTest::newRow("cpu by a part of its text")
        << QStringList{"--export", "a.html", "--cpu", "350afr"} << "export path=a.html cpu=23 power=-1 sdram=-1";
    QTest::newRow("cpu by its whole text, without its leading blank")
        << QStringList{"--export", "a.png", "--cpu", "amd k6 266afr(66MHz,4.0x,2.2V)"}
        << "export path=a.png cpu=17 power=-1 sdram=-1";
    QTest::newRow("meanings with units, 3.0 as 3")
        << QStringList{"--export", "a.png", "--bus", "100MHz", "--multiplier", "3.0x", "--voltage", "2.2v"}
        << "export path=a.png cpu=-1 power=-1 sdram=-1 bus=100 multiplier=30 voltage=220";
    QTest::newRow("page size by its short name") << QStringList{"--export", "a.pdf", "--page-size", "a5"}
                                                 << "export path=a.pdf cpu=-1 power=-1 sdram=-1 page=A5";
    QTest::newRow("page size with = and in capitals") << QStringList{"--export", "a.pdf", "--page-size=LETTER"}
                                                      << "export path=a.pdf cpu=-1 power=-1 sdram=-1 page=Letter";
    QTest::newRow("help, short") << QStringList{"-h"} << "help";
    QTest::newRow("version") << QStringList{"--version"} << "version";
    QTest::newRow("the board's description") << QStringList{"--print-board"} << "print-board";
    QTest::newRow("the window with its panel") << QStringList{"--panel"} << "window with its panel";
    QTest::newRow("identify") << QStringList{"--identify", "JP7=1-2 JP3=B"} << "identify";
}

void TestArguments::accepted()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, invocation);
    const ParsedArguments parsed = parseArguments(bytes(arguments));
    QVERIFY2(parsed.invocation, qPrintable(parsed.error));
    QCOMPARE(describe(*parsed.invocation), invocation);
    QVERIFY(parsed.error.isEmpty());
}

void TestArguments::refused_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("error");
    QTest::newRow("unknown option") << QStringList{"--colour"} << "unknown option --colour";
    QTest::newRow("stray word") << QStringList{"board.png"} << "unexpected argument board.png";
    QTest::newRow("value to a flag") << QStringList{"--list=yes"} << "--list takes no value";
    QTest::newRow("option twice") << QStringList{"--list", "--list"} << "--list is given twice";
    QTest::newRow("two modes") << QStringList{"--list", "--version"} << "--version cannot be combined with --list";
    QTest::newRow("export without a name")
        << QStringList{"--export"} << "--export needs a file name ending in .png, .pdf or .html";
    QTest::newRow("export followed by an option")
        << QStringList{"--export", "--cpu", "3"}
        << "--export needs a file name ending in .png, .pdf or .html, but --cpu follows it";
    QTest::newRow("empty cpu") << QStringList{"--export", "a.png", "--cpu", ""}
                               << "--cpu needs a list position or a part of an entry's text, but it is empty";
    QTest::newRow("cpu alone") << QStringList{"--cpu", "3"} << "--cpu is only used with --export";
    QTest::newRow("format alone") << QStringList{"--format", "csv"} << "--format is only used with --list";
    QTest::newRow("panel without the window")
        << QStringList{"--list", "--panel"} << "--panel is only used to open the window";
    QTest::newRow("bad extension") << QStringList{"--export", "board.jpg"}
                                   << "--export board.jpg: the file name must end in .png, .pdf or .html";
    QTest::newRow("position past the list")
        << QStringList{"--export", "a.png", "--cpu", "44"} << "--cpu 44: there is no list position 44 (0 to 43)";
    QTest::newRow("no entry contains the text") << QStringList{"--export", "a.png", "--cpu", "pentium 4"}
                                                << "--cpu \"pentium 4\": no CPU entry contains it (see velmor --list)";
    QTest::newRow("two entries contain the text") << QStringList{"--export", "a.png", "--cpu", "266afr"}
                                                  << "--cpu \"266afr\" is ambiguous; 2 CPU entries contain it:\n"
                                                     "  17 \" AMD K6 266AFR(66MHz,4.0x,2.2V)\"\n"
                                                     "  20 \" AMD K6-2 266AFR(66MHz,4.0x,2.2V)\"";
    QTest::newRow("page size for a PNG") << QStringList{"--export", "a.png", "--page-size", "a4"}
                                         << "--page-size is only used with a PDF export";
    QTest::newRow("no such page size") << QStringList{"--export", "a.pdf", "--page-size", "a99"}
                                       << "--page-size a99: not a page size (a4, letter, legal, a3, a5, ...)";
    QTest::newRow("meanings one short") << QStringList{"--export", "a.png", "--bus", "100", "--voltage", "2.2"}
                                        << "--bus, --multiplier and --voltage go together; --multiplier is missing";
    QTest::newRow("meanings and a CPU entry")
        << QStringList{"--export", "a.png", "--cpu", "21", "--bus", "100", "--multiplier", "3", "--voltage", "2.2"}
        << "--cpu cannot be combined with --bus, --multiplier and --voltage";
}

void TestArguments::refused()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, error);
    const ParsedArguments parsed = parseArguments(bytes(arguments));
    QVERIFY(!parsed.invocation);
    QCOMPARE(parsed.error, error);
}

void TestArguments::fileNameKeepsItsBytes()
{
    // Bytes that are no valid text name a file as well: the name is kept as given, not decoded.
    const QByteArray name("bad\xff\xfe.png");
    const ParsedArguments parsed = parseArguments({"--export", name});
    QVERIFY2(parsed.invocation, qPrintable(parsed.error));
    QCOMPARE(parsed.invocation->exportRequest.path, name);
}

QTEST_GUILESS_MAIN(TestArguments)
#include "tst_arguments.moc"
