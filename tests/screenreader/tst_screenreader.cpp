// The window as Orca, the screen reader our users have, reads it: the program under a desktop of
// its own (session bus, accessibility bus, window manager, Orca), driven by keys, and what Orca
// said, read from the speech Orca writes to its debug log.
#include "boarddata/catalogues.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <unistd.h>

namespace {

// Marks the test's own session bus, so that the test starts one only once.
constexpr char BusVariable[] = "VELMOR_SCREENREADER_BUS";
// The longest wait for a program of the desktop to start, and for Orca to say what a key brought.
constexpr int StartMs = 15000;
constexpr int SpeechMs = 5000;
// After the expected words, how long to listen for words said twice.
constexpr int SettleMs = 1200;

bool endToEnd()
{
    return qEnvironmentVariableIntValue("VELMOR_E2E") == 1 && !qEnvironmentVariableIsEmpty("DISPLAY");
}

/// Orca's settings: speech on, with no synthesizer (Orca then only logs what it says), no braille.
/// The customization makes the log a line at a time, and as short as the speech needs.
constexpr char OrcaSettings[] = R"({
    "general": {"startingProfile": ["Default", "default"]},
    "profiles": {"default": {"profile": ["Default", "default"], "enableSpeech": true,
                             "speechServerFactory": "none", "speechFactoryModules": [],
                             "enableBraille": false}},
    "pronunciations": {}, "keybindings": {}
})";
constexpr char OrcaCustomizations[] = R"(# The speech log, written a line at a time.
from orca import debug
debug.debugLevel = debug.LEVEL_INFO
debug.debugFile.reconfigure(line_buffering=True)
)";

/// What Orca says, as it writes it: "SPEECH OUTPUT: 'words'" and the voice. Orca ends words
/// followed by a pause with a full stop, which the comparisons leave aside.
QString normalized(QString words)
{
    words = words.trimmed();
    if (words.endsWith(u'.'))
        words.chop(1);
    return words;
}

} // namespace

class TestScreenReader : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void window_data();
    void window();
    void captions();
    void panel_data();
    void panel();
    void orcaNeverFailed();

private:
    QProcess *start(const QString &program, const QStringList &arguments);
    QStringList spokenSince(qint64 offset) const;
    qint64 logSize() const;
    bool waitForLog(const QString &text, qint64 from, int limitMs) const;
    void press(const QString &key);
    void checkStep(const QString &key, const QStringList &lines, const QStringList &once);
    static void addSteps();

    QTemporaryDir m_home;
    QString m_log;
    qint64 m_programStart = 0; ///< the size of Orca's log when the program started
    QProcessEnvironment m_env;
    std::vector<std::unique_ptr<QProcess>> m_processes;
};

void TestScreenReader::initTestCase()
{
    if (!endToEnd())
        QSKIP("needs the X server of scripts/test.sh (VELMOR_E2E=1)");
    QVERIFY2(qEnvironmentVariable(BusVariable) == QLatin1String("private"),
             "runs inside a session bus of its own: dbus-run-session (Debian package dbus-daemon) did not start");
    const QStringList tools{QStringLiteral("orca"), QStringLiteral("openbox"), QStringLiteral("xdotool")};
    for (const QString &tool : tools)
        QVERIFY2(!QStandardPaths::findExecutable(tool).isEmpty(),
                 qPrintable(tool + QStringLiteral(" is not installed (scripts/deps.sh test installs it)")));
    const QString busLauncher = QStringLiteral("/usr/libexec/at-spi-bus-launcher");
    QVERIFY2(QFileInfo(busLauncher).isExecutable(), "at-spi2-core is not installed (scripts/deps.sh test installs it)");
    QVERIFY(m_home.isValid());

    // A home of its own for every program of the desktop, as root in CI has none to spare, and
    // settings kept in memory.
    const QDir home(m_home.path());
    for (const char *folder : {"runtime", "config", "data", "cache", "orca"})
        QVERIFY(home.mkpath(QString::fromLatin1(folder)));
    QVERIFY(QFile::setPermissions(home.filePath(QStringLiteral("runtime")),
                                  QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    m_env = QProcessEnvironment::systemEnvironment();
    m_env.insert(QStringLiteral("HOME"), home.path());
    m_env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.filePath(QStringLiteral("runtime")));
    m_env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    m_env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    m_env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral("cache")));
    m_env.insert(QStringLiteral("GSETTINGS_BACKEND"), QStringLiteral("memory"));
    m_env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    m_env.remove(QStringLiteral("QT_ACCESSIBILITY"));
    m_env.remove(QStringLiteral("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"));

    const QString prefs = home.filePath(QStringLiteral("orca"));
    QFile settings(prefs + QStringLiteral("/user-settings.conf"));
    QVERIFY(settings.open(QIODevice::WriteOnly) && settings.write(OrcaSettings) > 0);
    settings.close();
    QFile customizations(prefs + QStringLiteral("/orca-customizations.py"));
    QVERIFY(customizations.open(QIODevice::WriteOnly) && customizations.write(OrcaCustomizations) > 0);
    customizations.close();
    m_log = home.filePath(QStringLiteral("orca.log"));

    start(busLauncher, {QStringLiteral("--launch-immediately")});
    start(QStringLiteral("openbox"), {QStringLiteral("--sm-disable")});
    QProcess *orca =
        start(QStringLiteral("orca"), {QStringLiteral("--debug-file"), m_log, QStringLiteral("--user-prefs"), prefs});
    const bool orcaReady = waitForLog(QStringLiteral("ORCA: Starting registry"), 0, StartMs);
    QVERIFY2(orcaReady, qPrintable(QStringLiteral("Orca did not start: ") + QString::fromLocal8Bit(orca->readAll())));
    m_programStart = logSize();
    start(QStringLiteral(VELMOR_BINARY), {});
    QVERIFY2(waitForLog(QStringLiteral("SPEECH OUTPUT: 'CPU Type combo box"), 0, StartMs),
             qPrintable(QStringLiteral("Orca never reached the window's first list; it said: ")
                        + spokenSince(0).join(QStringLiteral(" | "))));
}

void TestScreenReader::cleanupTestCase()
{
    // The program first, then Orca and the desktop, each asked to end, then made to.
    for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
        QProcess &p = **it;
        p.terminate();
        if (!p.waitForFinished(3000)) {
            p.kill();
            p.waitForFinished(3000);
        }
    }
    m_processes.clear();
}

QProcess *TestScreenReader::start(const QString &program, const QStringList &arguments)
{
    auto p = std::make_unique<QProcess>();
    p->setProcessEnvironment(m_env);
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->start(program, arguments);
    const bool started = p->waitForStarted(StartMs);
    m_processes.push_back(std::move(p));
    if (!started)
        QTest::qFail(qPrintable(program + QStringLiteral(" did not start")), __FILE__, __LINE__);
    return m_processes.back().get();
}

qint64 TestScreenReader::logSize() const
{
    return QFileInfo(m_log).size();
}

QStringList TestScreenReader::spokenSince(qint64 offset) const
{
    QFile log(m_log);
    if (!log.open(QIODevice::ReadOnly) || !log.seek(offset))
        return {};
    static const QRegularExpression speech(QStringLiteral("SPEECH OUTPUT: '(.*)'\\s*(\\{.*)?$"));
    QStringList words;
    const QStringList lines = QString::fromUtf8(log.readAll()).split(u'\n');
    for (const QString &line : lines) {
        const QRegularExpressionMatch m = speech.match(line);
        if (m.hasMatch())
            words << normalized(m.captured(1));
    }
    return words;
}

bool TestScreenReader::waitForLog(const QString &text, qint64 from, int limitMs) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < limitMs) {
        QFile log(m_log);
        if (log.open(QIODevice::ReadOnly) && log.seek(from) && QString::fromUtf8(log.readAll()).contains(text))
            return true;
        QTest::qWait(100);
    }
    return false;
}

void TestScreenReader::press(const QString &key)
{
    QProcess xdotool;
    xdotool.setProcessEnvironment(m_env);
    xdotool.start(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("--clearmodifiers"), key});
    QVERIFY2(xdotool.waitForFinished(StartMs) && xdotool.exitCode() == 0, qPrintable(key));
}

/// Presses the key, then waits until Orca has said the lines in that order, each of them in
/// full; the lines of once are then said exactly once, for as long as the step listens.
void TestScreenReader::checkStep(const QString &key, const QStringList &lines, const QStringList &once)
{
    // A step with no key hears what was said since the program started.
    const qint64 offset = key.isEmpty() ? m_programStart : logSize();
    if (!key.isEmpty())
        press(key);
    if (QTest::currentTestFailed())
        return;
    const auto saidInOrder = [&] {
        const QStringList said = spokenSince(offset);
        qsizetype next = 0;
        for (const QString &words : said) {
            if (next < lines.size() && words == normalized(lines[next]))
                ++next;
        }
        return next == lines.size();
    };
    QElapsedTimer clock;
    clock.start();
    while (!saidInOrder() && clock.elapsed() < SpeechMs)
        QTest::qWait(100);
    QVERIFY2(saidInOrder(),
             qPrintable(QStringLiteral("expected, in order: ") + lines.join(QStringLiteral(" | "))
                        + QStringLiteral("\nOrca said: ") + spokenSince(offset).join(QStringLiteral(" | "))));
    QTest::qWait(SettleMs);
    const QStringList said = spokenSince(offset);
    for (const QString &words : once)
        QVERIFY2(said.count(normalized(words)) == 1,
                 qPrintable(QStringLiteral("said %1 times: ").arg(said.count(normalized(words))) + words
                            + QStringLiteral("\nOrca said: ") + said.join(QStringLiteral(" | "))));
}

void TestScreenReader::addSteps()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QStringList>("once");
}

// One session, so each row starts where the one before left the window: the CPU list has the
// focus with its default, the AMD K6-2 300 at 100 MHz and 3x (JP7 to JP9 1-2, JP4 1-2, JP5 2-3,
// JP6 1-2, JP3 B closed), on an AT power supply with PC100 SDRAM. One key a row, each after Orca
// said what the one before brought: keys typed faster reach the program in an order of their own
// while a reader looks at each first.
void TestScreenReader::window_data()
{
    addSteps();
    const auto row = [](const char *name, const char *key, const QStringList &lines, const QStringList &once = {}) {
        QTest::newRow(name) << QString::fromLatin1(key) << lines << once;
    };
    const QString k6_2_300 = QStringLiteral("AMD K6-2 300AFR(100MHz,3.0x,2.2V)");
    row("the window opens on the CPU list, which says its entry", "",
        {QStringLiteral("P5VELMOR"),
         QStringLiteral("F6 goes to the board and back; there the arrow keys step through the captions, each with its "
                        "explanation, and Escape returns"),
         QStringLiteral("CPU Type combo box"), k6_2_300});
    const QString k6_2_333 = QStringLiteral("AMD K6-2 333AFR(95MHz,3.5x,2.2V). JP7 2-3, JP5 1-2");
    row("Down in the closed list: the entry, and the positions that changed", "Down", {k6_2_333}, {k6_2_333});
    const QString back = k6_2_300 + QStringLiteral(". JP7 1-2, JP5 2-3");
    row("Up back", "Up", {back}, {back});
    const QString cyrix150 = QStringLiteral("CYRIX 6x86 P150+(60MHz,2x,3.52v). JP7 2-3, JP8 2-3, JP9 2-3, JP4 2-3, "
                                            "JP5 1-2, JP3 A closed B closed C closed D closed");
    row("a letter typed in the closed list", "c", {cyrix150}, {cyrix150});
    const QString cyrix166 = QStringLiteral("CYRIX 6x86 P166+(66MHz,2.x,3.52v)");
    row("Alt+Down opens the list", "alt+Down", {QStringLiteral("List with 44 items")});
    row("Down in the open list: the entry passed over, no pick", "Down", {cyrix166}, {cyrix166});
    row("Enter picks it", "Return", {cyrix166 + QStringLiteral(". JP7 1-2")}, {cyrix166 + QStringLiteral(". JP7 1-2")});
    row("Alt+Down again", "alt+Down", {QStringLiteral("List with 44 items")});
    row("the entry shown picked again changes no jumper", "Return", {cyrix166 + QStringLiteral(". Jumpers unchanged")},
        {cyrix166 + QStringLiteral(". Jumpers unchanged")});
    row("Shift+Tab to the SDRAM list, which says its entry", "shift+Tab",
        {QStringLiteral("SDRAM Clock Settings combo box"), QStringLiteral("PC100 SDRAM(Same as CPU)")});
    const QString nonPc100 = QStringLiteral("NON PC100 SDRAM(Same as AGP). JP10 1-2");
    row("Down in the SDRAM list", "Down", {nonPc100}, {nonPc100});
    row("Shift+Tab to the power-supply list", "shift+Tab",
        {QStringLiteral("Power Supply Type combo box"), QStringLiteral("AT Power Supply")});
    const QString atx = QStringLiteral("ATX Power Supply. JP11 2-3");
    row("Down in the power-supply list", "Down", {atx}, {atx});
    row("F6 takes the focus to the board, which says all the positions", "F6",
        {QStringLiteral("Jumper settings image"),
         QStringLiteral(
             "JP7 1-2, JP8 2-3, JP9 2-3, JP4 2-3, JP5 1-2, JP6 1-2, JP3 A closed B closed C closed D closed, "
             "JP11 2-3, JP10 1-2")});
    const QStringList pin1{QStringLiteral("1"), QStringLiteral("Pin 1 (Vcc)")};
    row("Right to the first caption, with its explanation", "Right", pin1, {pin1[1]});
    row("Shift+F10 opens the board's menu", "shift+F10", {QStringLiteral("Jumper settings panel")});
    row("Escape closes it, back on the caption", "Escape", pin1);
    row("the Menu key opens it too", "Menu", {QStringLiteral("Jumper settings panel")});
    row("Escape closes that one", "Escape", pin1);
    row("Escape leaves the board for the list it came from", "Escape",
        {QStringLiteral("Power Supply Type combo box"), QStringLiteral("ATX Power Supply")});
}

void TestScreenReader::window()
{
    QFETCH(QString, key);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, once);
    checkStep(key, lines, once);
}

void TestScreenReader::captions()
{
    // Every caption with a tool tip, once each, round the board and back to the first, each said
    // with its explanation exactly as the tool tip has it.
    QStringList expected;
    for (const LabelRow &row : labelCatalogue()) {
        if (*row.toolTip)
            expected << normalized(QString::fromLatin1(row.caption)) + QStringLiteral(": ")
                    + normalized(QString::fromLatin1(row.toolTip));
    }
    QVERIFY(expected.size() > 40);
    checkStep(QStringLiteral("F6"), {QStringLiteral("Jumper settings image")}, {});
    if (QTest::currentTestFailed())
        return;
    QStringList heard;
    for (qsizetype step = 0; step <= expected.size(); ++step) {
        const qint64 offset = logSize();
        press(QStringLiteral("Right"));
        if (QTest::currentTestFailed())
            return;
        QElapsedTimer clock;
        clock.start();
        while (spokenSince(offset).size() < 2 && clock.elapsed() < SpeechMs)
            QTest::qWait(50);
        // Orca reads the whole line before it is written out; the two lines come together.
        const QStringList said = spokenSince(offset);
        QVERIFY2(said.size() == 2,
                 qPrintable(QStringLiteral("step %1, Orca said: ").arg(step) + said.join(QStringLiteral(" | "))));
        const QString pair = said[0] + QStringLiteral(": ") + said[1];
        if (step == expected.size()) {
            QCOMPARE(pair, heard.front());
            break;
        }
        heard << pair;
    }
    QVERIFY(heard.contains(QStringLiteral("CN1: AT power connector. Make sure the ground black cables from P8 & P9 "
                                          "are in the middle next to each other")));
    heard.sort();
    expected.sort();
    QCOMPARE(heard, expected);
    checkStep(QStringLiteral("Escape"), {QStringLiteral("Power Supply Type combo box")}, {});
}

// The panel opens on the settings of the CPU picked last in the window, the Cyrix 6x86 P166+:
// 66 MHz (JP7 1-2, JP8 2-3, JP9 2-3), 2x (JP4 2-3, JP5 1-2, JP6 1-2) and 3.52 V.
void TestScreenReader::panel_data()
{
    addSteps();
    const auto row = [](const char *name, const char *key, const QStringList &lines, const QStringList &once = {}) {
        QTest::newRow(name) << QString::fromLatin1(key) << lines << once;
    };
    row("F2 opens the panel on the bus clock, which says its value and positions", "F2",
        {QStringLiteral("Bus clock combo box"), QStringLiteral("66 MHz"), QStringLiteral("JP7 1-2, JP8 2-3, JP9 2-3")});
    const QString faster = QStringLiteral("75 MHz. JP8 1-2. CPU clock: 150 MHz. CPU: no listed CPU");
    row("Down: the value, the positions changed, the CPU clock, no CPU", "Down", {faster}, {faster});
    row("Tab to the multiplier, which says its value and positions", "Tab",
        {QStringLiteral("Multiplier combo box"), QStringLiteral("2.0x"), QStringLiteral("JP4 2-3, JP5 1-2, JP6 1-2")});
    const QString higher = QStringLiteral("2.5x. JP5 2-3. CPU clock: 187 MHz. CPU: no listed CPU");
    row("Down in the multiplier", "Down", {higher}, {higher});
    row("Shift+Tab back: the bus clock says the positions it took while it had the focus", "shift+Tab",
        {QStringLiteral("Bus clock combo box"), QStringLiteral("75 MHz"), QStringLiteral("JP7 1-2, JP8 1-2, JP9 2-3")});
    // The K5's entry names no multiplier, so the clock is said with the multiplier it assumes.
    const QString k5 = QStringLiteral("66 MHz. JP8 2-3. CPU clock: 166 MHz if the CPU takes 2.5x from JP4 to JP6; "
                                      "the listed CPU names no multiplier. CPU: AMD K5 PR166(3.52V)");
    row("Up: a listed CPU", "Up", {k5}, {k5});
    row("Tab to the multiplier again", "Tab",
        {QStringLiteral("Multiplier combo box"), QStringLiteral("2.5x"), QStringLiteral("JP4 2-3, JP5 2-3, JP6 1-2")});
    const QString two = QStringLiteral("2.0x. JP5 1-2. CPU clock: 133 MHz. CPU: AMD K5 PR133(3.52V), CYRIX 6x86 "
                                       "P166+(66MHz,2.x,3.52v)");
    row("Up: two CPU entries with these jumpers", "Up", {two}, {two});
}

void TestScreenReader::panel()
{
    QFETCH(QString, key);
    QFETCH(QStringList, lines);
    QFETCH(QStringList, once);
    checkStep(key, lines, once);
}

void TestScreenReader::orcaNeverFailed()
{
    // What Orca writes when it is handed something other than words to say.
    QFile log(m_log);
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(log.readAll());
    QVERIFY2(!text.contains(QStringLiteral("bad content sent to speak()")),
             "Orca was sent something to say that is no text");
    QVERIFY2(!text.contains(QStringLiteral("AttributeError")), "Orca failed on an event of the program");
}

int main(int argc, char **argv)
{
    // Under scripts/test.sh the test runs in a session bus of its own, which ends with it; Orca,
    // the accessibility bus and the program find one another there and nowhere else.
    if (endToEnd() && qEnvironmentVariable(BusVariable) != QLatin1String("private")) {
        qputenv(BusVariable, "private");
        std::vector<char *> args{const_cast<char *>("dbus-run-session"), const_cast<char *>("--")};
        args.insert(args.end(), argv, argv + argc);
        args.push_back(nullptr);
        execvp(args[0], args.data());
        std::fprintf(stderr, "FAIL: cannot run dbus-run-session (Debian package dbus-daemon): %s\n",
                     std::strerror(errno));
        return 1;
    }
    QCoreApplication app(argc, argv);
    TestScreenReader test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_screenreader.moc"
