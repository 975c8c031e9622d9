#!/usr/bin/env bash
# Builds a Release tree with the benchmarks and prints the guide's speed and memory, each figure
# beside the same figure of the bare baseline window (velmor-baseline) from the same run:
#
#   1. start to first frame: wall time (hyperfine) and instructions (callgrind, whole process)
#   2. a CPU pick handled and repainted: instructions (callgrind) and wall time (Google Benchmark)
#   3. one full repaint of the client area: instructions and wall time, as 2
#   4. peak resident memory at the first frame (GNU time's maximum resident set size)
#   5. reading and checking a board description from its file (Google Benchmark), on its own
#
#   bash bench/run.sh
#
# The tree is built in $VELMOR_BENCH_DIR (default /tmp/velmor-bench); the raw results stay in its
# results/ folder. VELMOR_BENCH_RUNS sets the hyperfine runs (default 30), VELMOR_BENCH_JOBS the
# build's parallel jobs (default 2). Needs what `bash scripts/deps.sh test` installs.
set -euo pipefail

readonly repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
readonly build=${VELMOR_BENCH_DIR:-/tmp/velmor-bench}
readonly runs=${VELMOR_BENCH_RUNS:-30}
readonly jobs=${VELMOR_BENCH_JOBS:-2}
readonly results=$build/results
readonly pickCount=200
readonly repaintCount=20
readonly memoryRuns=5

for tool in cmake ninja hyperfine valgrind /usr/bin/time; do
    if ! command -v "$tool" >/dev/null; then
        echo "run.sh: $tool is missing; install it with: bash scripts/deps.sh test" >&2
        exit 1
    fi
done

echo "== Building the Release tree in $build"
cmake -S "$repo" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMOR_BENCHMARKS=ON \
    -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$jobs" --target velmor velmor-baseline velmor-operations velmor-opcount \
    velmor-boardreading
mkdir -p "$results"
loadBefore=$(cut -d' ' -f1-3 /proc/loadavg)

readonly guide=$build/src/velmor
readonly baseline=$build/bench/velmor-baseline
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$results/runtime}
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"

# The instructions callgrind counted in one output file.
callgrind_total() {
    awk '/^(summary|totals):/ { print $2; exit }' "$1"
}

# Runs a program under callgrind; prints its instruction count. $1 names the output files.
count_instructions() {
    local name=$1
    shift
    valgrind --tool=callgrind --callgrind-out-file="$results/$name.callgrind" "$@" \
        >"$results/$name.log" 2>&1
    callgrind_total "$results/$name.callgrind"
}

# The median of the numbers on stdin.
median() {
    sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

export VELMOR_BENCH_EXIT_AFTER_FIRST_FRAME=1
for program in "$guide" "$baseline"; do
    if ! timeout 60 "$program" >/dev/null 2>&1; then
        echo "run.sh: $program did not end by itself after its first frame" >&2
        exit 1
    fi
done

echo "== 1. Start to first frame: hyperfine, $runs runs each"
hyperfine --warmup 5 --runs "$runs" -N --export-csv "$results/startup.csv" \
    -n velmor "$guide" -n baseline "$baseline"
startupGuide=$(awk -F, '$1 == "velmor" { print $4 * 1000 }' "$results/startup.csv")
startupBaseline=$(awk -F, '$1 == "baseline" { print $4 * 1000 }' "$results/startup.csv")

echo "== 1. Start to first frame: callgrind"
irStartGuide=$(count_instructions firstframe-velmor "$guide")
irStartBaseline=$(count_instructions firstframe-baseline "$baseline")

echo "== 4. Peak resident memory at the first frame, median of $memoryRuns runs"
peak_kib() {
    for ((i = 0; i < memoryRuns; ++i)); do
        /usr/bin/time -f %M -o "$results/time.txt" "$1" >/dev/null 2>&1
        cat "$results/time.txt"
    done | median
}
rssGuide=$(peak_kib "$guide")
rssBaseline=$(peak_kib "$baseline")
unset VELMOR_BENCH_EXIT_AFTER_FIRST_FRAME

echo "== 2, 3. Instructions per operation: callgrind"
# Collection is switched on around the counted loop only (see opcount.cpp).
per_operation() {
    local operation=$1 window=$2 count=$3
    valgrind --tool=callgrind --collect-atstart=no \
        --callgrind-out-file="$results/$operation-$window.callgrind" \
        "$build/bench/velmor-opcount" "$operation" "$window" "$count" >"$results/$operation-$window.log" 2>&1
    echo $(($(callgrind_total "$results/$operation-$window.callgrind") / count))
}
irPickGuide=$(per_operation pick guide "$pickCount")
irPickBaseline=$(per_operation pick baseline "$pickCount")
irRepaintGuide=$(per_operation repaint guide "$repaintCount")
irRepaintBaseline=$(per_operation repaint baseline "$repaintCount")

echo "== 2, 3. Wall time per operation: Google Benchmark, median of 5 repetitions"
"$build/bench/velmor-operations" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/operations.csv" --benchmark_out_format=csv
# Microseconds per operation, from the medians of the repetitions.
operation_us() {
    awk -F, -v name="\"$1_median\"" '$1 == name { print $3; exit }' "$results/operations.csv"
}
usPickGuide=$(operation_us pick/guide)
usPickBaseline=$(operation_us pick/baseline)
usRepaintGuide=$(operation_us repaint/guide)
usRepaintBaseline=$(operation_us repaint/baseline)

# One line of the table: figure, guide, baseline, unit, kind of goal ("ratio" or "absolute"), limit.
row() {
    awk -v figure="$1" -v g="$2" -v b="$3" -v unit="$4" -v kind="$5" -v limit="$6" 'BEGIN {
        ratio = b > 0 ? g / b : 0
        value = kind == "ratio" ? ratio : g
        goal = kind == "ratio" ? sprintf("<= %s x", limit) : sprintf("<= %s %s", limit, unit)
        number = (unit == "Ir" || unit == "KiB") ? "%12.0f" : "%12.1f"
        printf "%-36s " number " " number " %-4s %6.2f x   %-14s %s\n", figure, g, b, unit, ratio, goal,
            value <= limit ? "met" : "MISSED"
    }'
}

echo
echo "== VELMOR against the bare baseline window"
echo "Machine: $(nproc) cores, $(awk -F': ' '/^model name/ { print $2; exit }' /proc/cpuinfo)," \
    "$(awk '/^MemTotal/ { printf "%.1f GiB", $2 / 1048576 }' /proc/meminfo) memory;" \
    "load average as measuring began: $loadBefore, at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
printf "%-36s %12s %12s %-4s %8s   %-14s %s\n" figure velmor baseline unit ratio goal verdict
row "start to first frame, wall (median)" "$startupGuide" "$startupBaseline" ms ratio 1.45
row "start to first frame, instructions" "$irStartGuide" "$irStartBaseline" Ir ratio 1.75
row "CPU pick + repaint, instructions" "$irPickGuide" "$irPickBaseline" Ir absolute 500000
row "CPU pick + repaint, wall (median)" "$usPickGuide" "$usPickBaseline" us absolute 50
row "full repaint, instructions" "$irRepaintGuide" "$irRepaintBaseline" Ir absolute 6000000
row "full repaint, wall (median)" "$usRepaintGuide" "$usRepaintBaseline" us absolute 1000
row "peak resident memory, first frame" "$rssGuide" "$rssBaseline" KiB ratio 1.3

echo
echo "== Reading a board description from its file: Google Benchmark, median of 5 repetitions"
"$build/bench/velmor-boardreading" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_out="$results/boardreading.csv" --benchmark_out_format=csv >/dev/null
for board in builtin testcard; do
    printf "%-36s %12.1f us\n" "read and check, $board" \
        "$(awk -F, -v name="\"read/${board}_median\"" '$1 == name { print $3; exit }' "$results/boardreading.csv")"
done
echo
echo "Wall times depend on what else the machine runs; the instruction counts do not."
echo "Raw results: $results"
