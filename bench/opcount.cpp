// Runs one operation a given number of times with callgrind's collection switched on around the
// loop only, so `valgrind --tool=callgrind --collect-atstart=no` counts exactly those operations.
//
//   velmor-opcount pick|repaint guide|baseline [count]
#include "subject.h"

#include <QApplication>

#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>

namespace {

// Enough runs before counting for every glyph and picture cache the operation uses to be filled.
constexpr int WarmUpRuns = 20;

int usage()
{
    std::fprintf(stderr, "usage: velmor-opcount pick|repaint guide|baseline [count]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return usage();
    const bool pick = std::strcmp(argv[1], "pick") == 0;
    const bool guideWindow = std::strcmp(argv[2], "guide") == 0;
    if ((!pick && std::strcmp(argv[1], "repaint") != 0) || (!guideWindow && std::strcmp(argv[2], "baseline") != 0))
        return usage();
    const int count = argc > 3 ? std::atoi(argv[3]) : 100;
    if (count <= 0)
        return usage();

    useOffscreenPlatform();
    QApplication app(argc, argv);
    Subject subject(guideWindow ? Subject::Kind::Guide : Subject::Kind::Baseline);
    const std::function<void()> operation =
        pick ? std::function<void()>([&] { subject.pickCpu(); }) : std::function<void()>([&] { subject.repaintAll(); });
    for (int i = 0; i < WarmUpRuns; ++i)
        operation();

    const int paintsBefore = subject.boardPaints();
    CALLGRIND_TOGGLE_COLLECT;
    for (int i = 0; i < count; ++i)
        operation();
    CALLGRIND_TOGGLE_COLLECT;
    const auto [first, second] = subject.cpuEntries();
    std::printf("operations %d\nboard paints %d\npicks alternate between CPU list positions %d and %d\n", count,
                subject.boardPaints() - paintsBefore, first, second);
    return 0;
}
