// Wall time per operation (Google Benchmark): a CPU pick with its repaint and a full repaint, on
// the guide's window and on the bare baseline window.
#include "subject.h"

#include <QApplication>

#include <benchmark/benchmark.h>

namespace {

void pickCpu(benchmark::State &state, Subject *subject)
{
    for (auto _ : state)
        subject->pickCpu();
}

void repaintAll(benchmark::State &state, Subject *subject)
{
    for (auto _ : state)
        subject->repaintAll();
}

} // namespace

int main(int argc, char *argv[])
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    useOffscreenPlatform();
    QApplication app(argc, argv);
    Subject guide(Subject::Kind::Guide);
    Subject baseline(Subject::Kind::Baseline);

    benchmark::RegisterBenchmark("pick/guide", pickCpu, &guide)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("pick/baseline", pickCpu, &baseline)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("repaint/guide", repaintAll, &guide)->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark("repaint/baseline", repaintAll, &baseline)->Unit(benchmark::kMicrosecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
