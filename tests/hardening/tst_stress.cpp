// Long use: thousands of random picks across the three lists, each followed by a check of every
// element's fill against the jumper tables, and the memory the process holds afterwards.
#include "hardening.h"
#include "pinsampling.h"

#include "jumpers/cpujumpertable.h"
#include "jumpers/powersdramtables.h"
#include "jumpers/selection.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/fonts.h"
#include "window/mainwindow.h"

#include <QtTest>

#include <unistd.h>

#include <fstream>
#include <map>
#include <random>
#include <string>

namespace {

constexpr int Picks = 10000;
constexpr int SettlingPicks = 100;
constexpr long AllowedGrowth = 1024 * 1024;
/// The seed of the pick sequence; VELMOR_STRESS_SEED replays another.
constexpr std::uint32_t DefaultSeed = 5981;

long residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    long size = 0, resident = -1;
    statm >> size >> resident;
    return resident < 0 ? -1 : resident * sysconf(_SC_PAGESIZE);
}

/// The fill every shape must show: as created, then rewritten by the tables as the lists are
/// picked. A CPU entry without a table row leaves its pins as they were.
class ExpectedFills
{
public:
    explicit ExpectedFills(const Board &board)
    {
        for (const BoardElement &e : board.elements()) {
            if (e.kind == ElementKind::Shape)
                m_fills[key(e)] = e.shape->fillColor;
        }
    }

    void picked(const Selector &selector, int position)
    {
        const int code = selectionCode(selector.list, selector.entries[static_cast<std::size_t>(position)].itemCode);
        if (&selector == &cpuSelector()) {
            if (const auto row = findCpuJumperRow(code)) {
                for (const PinFill &fill : cpuPinFills(*row))
                    m_fills.at(fill.pin) = fill.color;
            }
            return;
        }
        const BoardJumper &jumper = &selector == &powerSelector() ? powerJumper() : sdramJumper();
        if (const auto row = findBoardJumperRow(jumper, code)) {
            const auto colors = threePinFills(row->position);
            for (std::size_t pin = 0; pin < 3; ++pin)
                m_fills.at(jumper.block.pins[pin]) = colors[pin];
        }
    }

    /// The first shape whose fill differs from the expected one, described; empty when none does.
    QString firstDifference(const Board &board) const
    {
        for (const BoardElement &e : board.elements()) {
            if (e.kind == ElementKind::Shape && e.fillColor != m_fills.at(key(e)))
                return QStringLiteral("%1 is %2, expected %3")
                    .arg(QString::fromStdString(key(e)))
                    .arg(e.fillColor, 6, 16, QLatin1Char('0'))
                    .arg(m_fills.at(key(e)), 6, 16, QLatin1Char('0'));
        }
        return {};
    }

    Color of(const BoardElement &e) const { return m_fills.at(key(e)); }

private:
    static std::string key(const BoardElement &e)
    {
        return e.index() < 0 ? std::string(e.name()) : e.name() + ('(' + std::to_string(e.index()) + ')');
    }

    std::map<std::string, Color> m_fills;
};

} // namespace

class TestStress : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void randomPicksKeepEveryPinOnItsTable();
    void residentMemorySettles();

private:
    long m_residentAfterSettling = -1;
    long m_residentAtEnd = -1;
};

void TestStress::initTestCase()
{
    installFontSubstitutes();
}

void TestStress::randomPicksKeepEveryPinOnItsTable()
{
    const std::uint32_t seed = qEnvironmentVariableIsSet("VELMOR_STRESS_SEED")
        ? static_cast<std::uint32_t>(qEnvironmentVariableIntValue("VELMOR_STRESS_SEED"))
        : DefaultSeed;
    qInfo("%d picks with seed %u (VELMOR_STRESS_SEED replays another)", Picks, seed);
    std::mt19937 random(seed);

    MainWindow window;
    ExpectedFills expected(window.board());
    window.load();
    const Selector *const selectors[] = {&cpuSelector(), &powerSelector(), &sdramSelector()};
    for (const Selector *s : selectors)
        expected.picked(*s, s->defaultPosition);
    QVERIFY2(expected.firstDifference(window.board()).isEmpty(), qPrintable(expected.firstDifference(window.board())));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    for (int n = 1; n <= Picks; ++n) {
        const Selector &selector = *selectors[random() % 3];
        const int position = static_cast<int>(random() % selector.entries.size());
        pick(window, selector.list, position);
        expected.picked(selector, position);
        QCoreApplication::processEvents(); // the repaint the pick asked for
        const QString difference = expected.firstDifference(window.board());
        if (!difference.isEmpty())
            QFAIL(qPrintable(QStringLiteral("pick %1 (seed %2), %3 at %4: %5")
                                 .arg(n)
                                 .arg(seed)
                                 .arg(QLatin1String(selector.list))
                                 .arg(position)
                                 .arg(difference)));
        if (n == SettlingPicks)
            m_residentAfterSettling = residentBytes();
    }
    m_residentAtEnd = residentBytes();

    // The drawing followed: each of the 32 pins shows its fill on the screen.
    std::vector<const char *> pins;
    for (const PinFill &fill : cpuPinFills(cpuJumperTable().front()))
        pins.push_back(fill.pin);
    for (const BoardJumper *jumper : {&powerJumper(), &sdramJumper()})
        pins.insert(pins.end(), jumper->block.pins.begin(), jumper->block.pins.end());
    QCOMPARE(pins.size(), std::size_t(32));
    const QImage image = window.windowImage();
    for (const char *pin : pins) {
        const BoardElement &e = *window.board().find(pin);
        QVERIFY2(pinColorIn(image, e) == expected.of(e), pin);
    }
}

void TestStress::residentMemorySettles()
{
    if (AddressSanitizerBuild)
        QSKIP("AddressSanitizer holds freed memory in quarantine; the plain build checks this");
    QVERIFY2(m_residentAtEnd > 0 && m_residentAfterSettling > 0, "the picks did not run to the end");
    const long growth = m_residentAtEnd - m_residentAfterSettling;
    qInfo("resident after %d picks: %ld KiB, after %d: %ld KiB (%+ld KiB)", SettlingPicks,
          m_residentAfterSettling / 1024, Picks, m_residentAtEnd / 1024, growth / 1024);
    QVERIFY2(growth <= AllowedGrowth, qPrintable(QStringLiteral("grew by %1 KiB").arg(growth / 1024)));
}

QTEST_MAIN(TestStress)
#include "tst_stress.moc"
