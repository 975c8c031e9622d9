// Wall time to read and check a board description from its file (Google Benchmark): the built-in
// board's, element by element, and the made-up test card's, a picture with captions over it.
#include "boardfile/boardreader.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <cstdlib>

namespace {

void readDescription(benchmark::State &state, const char *path)
{
    const QString file = QString::fromLocal8Bit(path);
    for (auto _ : state) {
        const BoardReading reading = readBoardDescription(file);
        if (!reading.sound()) {
            state.SkipWithError(qPrintable(problemLines(reading).join(u'\n')));
            break;
        }
        benchmark::DoNotOptimize(reading.description.elements.data());
    }
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // The test card's picture is checked with the toolkit's image readers.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::RegisterBenchmark("read/builtin", readDescription, VELMOR_SOURCE "/boards/p5velmor.toml")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("read/testcard", readDescription, VELMOR_SOURCE "/tests/boards/testboard.toml")
        ->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
