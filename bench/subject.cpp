// The measured windows and their operations.
#include "subject.h"

#include "baselinewindow.h"

#include "jumpers/cpujumpertable.h"
#include "jumpers/selection.h"
#include "jumpers/selectorcatalogue.h"
#include "layout/boardwidget.h"
#include "layout/fonts.h"
#include "window/mainwindow.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <utility>
#include <vector>

class PaintCounter : public QObject
{
public:
    using QObject::QObject;
    int paints = 0;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

namespace {

/// The pins a CPU list position sets, or none for an entry without a jumper row.
std::optional<std::vector<PinFill>> pinsAt(int position)
{
    const auto entries = cpuSelector().entries;
    const auto row =
        findCpuJumperRow(selectionCode(cpuSelector().list, entries[static_cast<std::size_t>(position)].itemCode));
    if (!row)
        return std::nullopt;
    return cpuPinFills(*row);
}

int differingPins(const std::vector<PinFill> &a, const std::vector<PinFill> &b)
{
    int n = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        n += a[i].color != b[i].color;
    return n;
}

/// The first pair of CPU list positions whose rows differ in the most pins.
std::pair<int, int> mostDifferentEntries()
{
    const int count = static_cast<int>(cpuSelector().entries.size());
    std::pair<int, int> best{0, 0};
    int bestDifference = -1;
    for (int i = 0; i < count; ++i) {
        for (int j = i + 1; j < count; ++j) {
            const auto a = pinsAt(i);
            const auto b = pinsAt(j);
            if (!a || !b)
                continue;
            if (const int d = differingPins(*a, *b); d > bestDifference) {
                bestDifference = d;
                best = {i, j};
            }
        }
    }
    return best;
}

} // namespace

void useOffscreenPlatform()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

Subject::Subject(Kind kind)
{
    if (kind == Kind::Guide) {
        installFontSubstitutes();
        auto window = std::make_unique<MainWindow>();
        window->load();
        m_paintCounter = new PaintCounter(window.get());
        window->findChild<BoardWidget *>()->installEventFilter(m_paintCounter);
        m_window = std::move(window);
        m_cpuList = m_window->findChild<QComboBox *>(QStringLiteral("CBOCPU"));
    } else {
        auto window = std::make_unique<BaselineWindow>();
        m_cpuList = window->list("CBOCPU");
        m_window = std::move(window);
    }
    const auto [first, second] = mostDifferentEntries();
    m_positions[0] = first;
    m_positions[1] = second;
    m_window->show();
    if (!QTest::qWaitForWindowExposed(m_window.get())) {
        std::fprintf(stderr, "the window was never shown\n");
        std::exit(1);
    }
    QCoreApplication::processEvents();
}

Subject::~Subject() = default;

void Subject::pickCpu()
{
    const int position = m_positions[m_next];
    m_next ^= 1;
    m_cpuList->setCurrentIndex(position);
    emit m_cpuList->activated(position);
    // The pick only marked boxes and posted events (the repaint request among them); this is
    // what the event loop runs next. Left in the queue, the other events would pile up and slow
    // every later pick down.
    QCoreApplication::sendPostedEvents();
}

void Subject::repaintAll()
{
    m_window->repaint();
}

int Subject::boardPaints() const
{
    return m_paintCounter ? m_paintCounter->paints : 0;
}
