// Board description files: the made-up test board read whole into its model, variations of it
// refused with their exact lines, and --check-board run as the program.
#include "velmorprocess.h"

#include "boardfile/boardreader.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString TestBoard = QStringLiteral(TEST_BOARDS "/testboard.toml");

QByteArray testBoardText()
{
    QFile file(TestBoard);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(TestBoard));
    return file.readAll();
}

/// "LINE:COLUMN" of the first occurrence of anchor in text.
QString placeOf(const QByteArray &text, const QByteArray &anchor)
{
    const qsizetype at = text.indexOf(anchor);
    if (at < 0)
        return QStringLiteral("(anchor not found)");
    const qsizetype lineStart = at == 0 ? 0 : text.lastIndexOf('\n', at - 1) + 1;
    return QStringLiteral("%1:%2").arg(text.left(at).count('\n') + 1).arg(at - lineStart + 1);
}

/// The test board with the first from replaced by to (from must be there).
QByteArray variation(const QByteArray &from, const QByteArray &to)
{
    QByteArray text = testBoardText();
    const qsizetype at = text.indexOf(from);
    if (at < 0)
        qFatal("the test board has no \"%s\"", from.constData());
    return text.replace(at, from.size(), to);
}

template<typename T>
const T &drawingOf(const BoardDescription &board, const char *name)
{
    for (const DrawingElement &e : board.elements) {
        if (e.name == QLatin1String(name))
            return std::get<T>(e.drawing);
    }
    qFatal("no element %s", name);
}

} // namespace

class TestBoardFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void testBoardReadsWhole();
    void twipsBecomePixels();
    void brokenDescriptions_data();
    void brokenDescriptions();
    void problemsAreCappedAt100();
    void charactersBesideStrings_data();
    void charactersBesideStrings();
    void checkBoardAsProgram_data();
    void checkBoardAsProgram();

private:
    QTemporaryDir m_folder;
};

void TestBoardFile::initTestCase()
{
    // The variations are read as "board.toml" in a folder of their own, beside the pictures.
    QVERIFY(m_folder.isValid());
    QVERIFY(QDir::setCurrent(m_folder.path()));
    QVERIFY(QFile::copy(QStringLiteral(TEST_BOARDS "/testboard.png"), QStringLiteral("testboard.png")));
    QFile text(QStringLiteral("notes.png"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("These are notes, not a picture.\n");
    text.close();
    QImage wide(4097, 8, QImage::Format_Mono);
    wide.fill(0);
    QVERIFY(wide.save(QStringLiteral("wide.png")));
}

void TestBoardFile::testBoardReadsWhole()
{
    const BoardReading reading = readBoardDescription(TestBoard);
    QCOMPARE(problemLines(reading), QStringList());
    const BoardDescription &board = reading.description;
    QCOMPARE(board.window.name, QStringLiteral("Tinker TB-1 test card"));
    QCOMPARE(board.window.clientSize, QSize(320, 200));
    QCOMPARE(board.window.picture->path, QStringLiteral(TEST_BOARDS "/testboard.png"));
    QCOMPARE(board.window.pictureBox.pixels, QRect(0, 0, 320, 200));

    // Elements in the order of the file, labels before the shapes that follow them.
    QStringList names;
    for (const DrawingElement &e : board.elements)
        names << e.name;
    QCOMPARE(names, QStringList({"CapJP1", "CapJP2", "CapJP3", "One3", "CapSW1", "CapJP5", "P1JP5", "P2JP5", "P3JP5"}));
    const LabelDrawing &sw1 = drawingOf<LabelDrawing>(board, "CapSW1");
    QCOMPARE(sw1.back, Color(0x3A6B2E)); // "#2E6B3A" kept as 0xBBGGRR
    QCOMPARE(sw1.color, systemColor(9));
    QCOMPARE(sw1.box.pixels, QRect(196, 22, 38, 12));
    QCOMPARE(sw1.box.twips, std::nullopt);
    QCOMPARE(board.fonts.size(), std::size_t(2));
    QCOMPARE(board.fonts[1].points, 7.5);
    QCOMPARE(board.fonts[1].weight, FontWeight::Bold);

    QCOMPARE(board.blocks.size(), std::size_t(5));
    const JumperBlockDescription &jp3 = board.blocks[2];
    QCOMPARE(jp3.kind, BlockKind::Header);
    QCOMPARE(jp3.pairs, QStringList({"A", "B", "C"}));
    QCOMPARE(jp3.mark, PinMark::Label);
    QCOMPARE(jp3.markLabel, QStringLiteral("One3"));
    QCOMPARE(board.blocks[3].switches, 4);
    QCOMPARE(board.blocks[4].pins, QStringList({"P1JP5", "P2JP5", "P3JP5"}));
    QVERIFY(!board.blocks[1].warning.isEmpty());

    const ListDescription &cpu = board.lists[0];
    QCOMPARE(cpu.defaultEntry, 1);
    QCOMPARE(cpu.entries.size(), std::size_t(3));
    QCOMPARE(cpu.entries[1].positions, QStringList({"A+C", "on,off,off,off"}));
    QCOMPARE(cpu.entries[1].code, 200);
    const MeaningDescription &bus = board.meanings[0];
    QCOMPARE(bus.values[2].positions, QStringList({"1-2", "2-3"}));
    QCOMPARE(bus.values[2].amount, 66.667);
    QCOMPARE(board.notes[1].warning, true);
    QCOMPARE(soundSummary(reading),
             TestBoard
                 + QStringLiteral(": sound: \"Tinker TB-1 test card\" version 1.2, 5 blocks, 2 lists (5 entries), "
                                  "1 meaning, 9 drawing elements"));
}

void TestBoardFile::twipsBecomePixels()
{
    // 15 twips a pixel, edges rounded to the nearer pixel; the twips stay as given.
    QByteArray text = variation("background = \"system-9\"", "units = \"twips\"");
    text.replace("box = [54, 22, 20, 12]", "box = [810, 337, 300, 180]");
    const BoardReading reading = readBoardDescriptionBytes(text, QStringLiteral("board.toml"));
    const LabelDrawing &label = drawingOf<LabelDrawing>(reading.description, "CapJP1");
    QCOMPARE(label.box.pixels, QRect(54, 22, 20, 12));
    QCOMPARE(label.box.twips, QRect(810, 337, 300, 180));
    QCOMPARE(reading.description.window.clientSize, QSize(320, 200)); // always in pixels
}

void TestBoardFile::brokenDescriptions_data()
{
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    QTest::addColumn<QByteArray>("anchor"); ///< where in the changed text the problem stands
    QTest::addColumn<QString>("message");

    QTest::newRow("missing field") << QByteArray("version = \"1.2\"\n") << QByteArray() << QByteArray("[board]")
                                   << "[board] has no \"version\"; add version = \"...\"";
    QTest::newRow("block off the board")
        << QByteArray("at = [198, 40]") << QByteArray("at = [298, 40]") << QByteArray("[298, 40]")
        << "block \"SW1\" lies outside the client area (320x200): its pins reach x 331; move it left or enlarge "
           "client-size";
    QTest::newRow("label off the board")
        << QByteArray("[130, 38, 5, 8]") << QByteArray("[130, 196, 5, 8]") << QByteArray("[130, 196")
        << "label \"One3\" lies outside the client area (320x200): its box reaches y 204; move it up or enlarge "
           "client-size";
    QTest::newRow("position a block does not have")
        << QByteArray("JP3 = \"B\"") << QByteArray("JP3 = \"D\"") << QByteArray("\"D\"")
        << "block \"JP3\" has no position \"D\" (in entry \"Tinker T-166 (2.9 V)\" of list \"CBOCPU\"); its positions "
           "are \"open\" or the closed pairs of A, B, C in that order, joined by + (\"A+B\")";
    QTest::newRow("dip position with a switch missing")
        << QByteArray("SW1 = \"off,on,off,on\"") << QByteArray("SW1 = \"off,on,off\"") << QByteArray("\"off,on,off\"")
        << "block \"SW1\" has no position \"off,on,off\" (in entry \"Tinker T-166 (2.9 V)\" of list \"CBOCPU\"); its "
           "positions are 4 words on or off, one a switch, joined by commas (\"on,on,on,on\")";
    QTest::newRow("entry with no positions")
        << QByteArray("sets = { JP2 = \"closed\" }") << QByteArray("sets = {}") << QByteArray("{}")
        << "entry \"Clear\" of list \"CBOCMOS\" sets no positions; give each block of the list one: JP2";
    QTest::newRow("entry that leaves out a block")
        << QByteArray("sets = { JP3 = \"B\", SW1 = \"off,on,off,on\" }") << QByteArray("sets = { JP3 = \"B\" }")
        << QByteArray("{ JP3 = \"B\" }")
        << "entry \"Tinker T-166 (2.9 V)\" of list \"CBOCPU\" leaves out SW1; give every block of the list a "
           "position (JP3, SW1)";
    QTest::newRow("two entries one choice")
        << QByteArray("code = 200") << QByteArray("code = 133") << QByteArray("[[list.entry]]\n  text = \"Tinker T-133")
        << "entry \"Tinker T-133 (3.3 V)\" of list \"CBOCPU\" has the code 133, which the list reads as the choice of "
           "entry \"Tinker T-100 (3.3 V)\" (code 100: codes are read in hundreds), but sets other positions; give it a "
           "code of another hundred";
    // Keep has no code: it goes by its place in the list, 100.
    QTest::newRow("one choice with an entry without a code")
        << QByteArray("text = \"Clear\"") << QByteArray("text = \"Clear\"\n  code = 150")
        << QByteArray("[[list.entry]]\n  text = \"Clear\"")
        << "entry \"Clear\" of list \"CBOCMOS\" has the code 150, which the list reads as the choice of entry "
           "\"Keep\" (code 100: codes are read in hundreds), but sets other positions; give it a code of another "
           "hundred";
    QTest::newRow("duplicated element name")
        << QByteArray("name = \"CapJP2\"") << QByteArray("name = \"CapJP1\"")
        << QByteArray("[[label]]\nname = \"CapJP1\"\ntext = \"JP2\"")
        << "the name \"CapJP1\" of this label is taken by the label at line 19; give each its own name, or each an "
           "index";
    QTest::newRow("duplicated meaning positions")
        << QByteArray("sets = { JP1 = \"1-2\", JP5 = \"2-3\" }")
        << QByteArray("sets = { JP1 = \"1-2\", JP5 = \"1-2\" }")
        << QByteArray("{ JP1 = \"1-2\", JP5 = \"1-2\" }\n\n[[reading")
        << "value \"66 MHz\" of meaning \"busclock\" has the same positions as the value of line 180; each value "
           "needs positions of its own";
    QTest::newRow("pin that is no shape")
        << QByteArray("\"P3JP5\"]") << QByteArray("\"CapJP5\"]") << QByteArray("[[block]]\nname = \"JP5\"")
        << "block \"JP5\" names the pin \"CapJP5\", which is no [[shape]]; name the shapes of its pins";
    QTest::newRow("font no table defines")
        << QByteArray("font = \"caption\"\nalign") << QByteArray("font = \"captoin\"\nalign")
        << QByteArray("[[label]]\nname = \"CapJP3\"")
        << "label \"CapJP3\" uses font \"captoin\", which no [fonts.captoin] defines";
    QTest::newRow("missing picture") << QByteArray("\"testboard.png\"") << QByteArray("\"scan.png\"")
                                     << QByteArray("\"scan.png\"")
                                     << "the picture \"scan.png\" of [board] does not exist: the description's folder "
                                        "has no file scan.png";
    QTest::newRow("not a picture") << QByteArray("\"testboard.png\"") << QByteArray("\"notes.png\"")
                                   << QByteArray("\"notes.png\"")
                                   << "the picture \"notes.png\" of [board] is not a PNG, BMP or GIF picture";
    QTest::newRow("picture too large")
        << QByteArray("\"testboard.png\"") << QByteArray("\"wide.png\"") << QByteArray("\"wide.png\"")
        << "the picture \"wide.png\" of [board] is 4097x8 pixels; a picture is at most 4096x4096 pixels";
    QTest::newRow("value out of range") << QByteArray("pitch = 9") << QByteArray("pitch = 41") << QByteArray("41")
                                        << "\"pitch\" of block \"SW1\" is 41; it must be 4-40";
    QTest::newRow("wrong type") << QByteArray("[196, 22, 38, 12]") << QByteArray("\"196, 22\"")
                                << QByteArray("\"196, 22\"")
                                << "\"box\" of label \"CapSW1\" is a string; it must be [left, top, width, height]";
    QTest::newRow("unknown key") << QByteArray("tip = \"Clears") << QByteArray("tipp = \"Clears") << QByteArray("tipp")
                                 << "unknown key \"tipp\" in label \"CapJP2\"; did you mean \"tip\"?";
    QTest::newRow("TOML syntax error")
        << QByteArray("text = \"Keep\"") << QByteArray("text = \"Keep") << QByteArray("\n  word = \"keep\"")
        << "not valid TOML: Error while parsing string: unescaped control characters other than TAB (U+0009) are "
           "explicitly prohibited";
    QTest::newRow("format of a later version") << QByteArray("format = 1") << QByteArray("format = 2")
                                               << QByteArray("2") << "\"format\" is 2; this program reads format 1";

    // A window has one EXIT and one PRINT.
    const QByteArray buttons = "[[button]]\nname = \"Quit\"\nrole = \"exit\"\ncaption = \"&Quit\"\nlabel = \"Quit\"\n"
                               "box = [250, 160, 60, 18]\n\n[[button]]\nname = \"Leave\"\nrole = \"exit\"\n"
                               "caption = \"&Leave\"\nlabel = \"Leave\"\nbox = [250, 180, 60, 18]\n\n[[meaning]]";
    QTest::newRow("two buttons with one role")
        << QByteArray("[[meaning]]") << buttons << QByteArray("\"exit\"\ncaption = \"&Leave\"")
        << QStringLiteral("button \"Leave\" has the role of the button \"Quit\" at line %1; give each role to one "
                          "button only")
               .arg(placeOf(variation("[[meaning]]", buttons), "[[button]]\nname = \"Quit\"").section(u':', 0, 0));

    // A list one entry over its limit: the message stands at the first entry too many.
    QByteArray entries;
    for (int i = 0; i < 999; ++i)
        entries += QStringLiteral("[[list.entry]]\ntext = \"Keep %1\"\nsets = { JP2 = \"open\" }\n").arg(i).toUtf8();
    QTest::newRow("huge count") << QByteArray("[[meaning]]") << entries + "[[meaning]]"
                                << QByteArray("[[list.entry]]\ntext = \"Keep 998\"")
                                << "list \"CBOCMOS\" has 1001 entries; at most 1000 are allowed";
    const QByteArray comment = "\n#" + QByteArray(1024 * 1024, '-');
    QTest::newRow("file over 1 MiB") << QByteArray("format = 1") << "format = 1" + comment << QByteArray("# Tinker")
                                     << QStringLiteral("the file has %1 bytes; a board description has at most 1 MiB "
                                                       "(1048576 bytes)")
                                            .arg(testBoardText().size() + comment.size());
}

void TestBoardFile::brokenDescriptions()
{
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    QFETCH(QByteArray, anchor);
    QFETCH(QString, message);
    const QByteArray text = variation(from, to);
    const BoardReading reading = readBoardDescriptionBytes(text, QStringLiteral("board.toml"));
    QCOMPARE(problemLines(reading),
             QStringList(QStringLiteral("board.toml:%1: %2").arg(placeOf(text, anchor), message)));
}

void TestBoardFile::problemsAreCappedAt100()
{
    QByteArray keys;
    for (int i = 0; i < 150; ++i)
        keys += "x" + QByteArray::number(i) + " = 1\n";
    const BoardReading reading =
        readBoardDescriptionBytes(variation("[board]\n", "[board]\n" + keys), QStringLiteral("board.toml"));
    QCOMPARE(reading.problems.size(), 150);
    const QStringList lines = problemLines(reading);
    QCOMPARE(lines.size(), 101);
    QVERIFY2(
        lines[0].startsWith(QLatin1String("board.toml:7:1: unknown key \"x0\" in [board]; the keys here are name,")),
        qPrintable(lines[0]));
    QCOMPARE(lines[99].left(22), QStringLiteral("board.toml:106:1: unkn"));
    QCOMPARE(lines[100], QStringLiteral("board.toml: 50 more problems not shown; correct these and check again"));
}

// Non-ASCII characters where the parser looks for blanks, which it would mishandle: each is
// refused at its place; in strings and comments they are text like any other.
void TestBoardFile::charactersBesideStrings_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("a letter after a blank (found by the fuzzer)")
        << QByteArray(" \xca\x80")
        << QStringList{"board.toml:1:2: not valid TOML: the character '\u0280' (U+0280) may stand only in a quoted "
                       "string or a comment"};
    QTest::newRow("a letter in an unquoted value, after a quote (found by the fuzzer)")
        << QByteArray("# Pitex\nbex = [10v~\"ee\xd2\x8fi~~~~~~~made-u")
        << QStringList{"board.toml:2:15: not valid TOML: an unquoted value may not hold the character '\u048f' "
                       "(U+048F); quote the value as a string"};
    QTest::newRow("a letter as a key")
        << QByteArray("format = 1\n\xc3\xa9 = 2\n")
        << QStringList{"board.toml:2:1: not valid TOML: the character '\u00e9' (U+00E9) may stand only in a quoted "
                       "string or a comment"};
    QTest::newRow("after a backslash in a multi-line string")
        << QByteArray("format = 1\nx = \"\"\"a\\\xca\x80\"\"\"\n")
        << QStringList{"board.toml:2:10: not valid TOML: a backslash followed by '\u0280' (U+0280) is no escape; "
                       "write a backslash as \\\\"};
    QTest::newRow("starting a line a backslash joins")
        << QByteArray("format = 1\nx = \"\"\"a\\\n  \xca\x80\"\"\"\n")
        << QStringList{"board.toml:3:3: not valid TOML: a line joined by a line-ending backslash may not start with "
                       "'\u0280' (U+0280); write it as an escape, \\u0280"};
    QByteArray inText = variation("tip = \"Clears the settings memory\"",
                                  "tip = \"\"\"Clears the \xca\x80 \\\n  memory\"\"\"\"  # \xca\x80");
    inText.replace("text = \"Keep\"", "text = '\xca\x80 keep'");
    QTest::newRow("in strings and comments") << inText << QStringList();
}

void TestBoardFile::charactersBesideStrings()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, lines);
    QCOMPARE(problemLines(readBoardDescriptionBytes(text, QStringLiteral("board.toml"))), lines);
}

void TestBoardFile::checkBoardAsProgram_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("sound") << QStringLiteral(TEST_BOARDS) << "testboard.toml" << 0
                           << "testboard.toml: sound: \"Tinker TB-1 test card\" version 1.2, 5 blocks, 2 lists (5 "
                              "entries), 1 meaning, 9 drawing elements\n"
                           << "";
    QTest::newRow("a problem") << QString() << "broken.toml" << 2 << ""
                               << "broken.toml:117:6: block \"SW1\" lies outside the client area (320x200): its pins "
                                  "reach x 331; move it left or enlarge client-size\n";
    QTest::newRow("no such file") << QString() << "absent.toml" << 2 << ""
                                  << "absent.toml: cannot be read: there is no such file\n";
}

void TestBoardFile::checkBoardAsProgram()
{
    QFETCH(QString, folder);
    QFETCH(QString, file);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFile broken(m_folder.filePath(QStringLiteral("broken.toml")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(variation("at = [198, 40]", "at = [298, 40]"));
    broken.close();
    const Run run = velmor({QStringLiteral("--check-board"), file},
                           [&](QProcess &p) { p.setWorkingDirectory(folder.isEmpty() ? m_folder.path() : folder); });
    QCOMPARE(run.err, err);
    QCOMPARE(run.out, out);
    QCOMPARE(run.status, status);
}

QTEST_GUILESS_MAIN(TestBoardFile)
#include "tst_boardfile.moc"
