#!/usr/bin/env bash
# Fuzzes the board description reader: configures a build folder of its own with clang++
# (libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer), builds the fuzzer alone, and
# runs it, seeded with both boards (the built-in one and the test card), then prints how many
# inputs it ran and the coverage it reached. Not part of the test run.
#
#   scripts/fuzz.sh [SECONDS]     run for SECONDS (default 1800)
#
# FUZZ_BUILD names the build folder (default: build-fuzz in the sources), FUZZ_CORPUS the folder
# the inputs it finds are kept in between runs (default: ~/.cache/velmor/fuzz-boardfile, outside
# the repository); an input that crashes it is written to FUZZ_CORPUS/../fuzz-boardfile-findings.
# It uses one core; run it under nice on a shared machine.
set -euo pipefail

usage() {
    echo "usage: $0 [SECONDS]" >&2
    exit 2
}

(($# <= 1)) || usage
readonly seconds=${1:-1800}
[[ $seconds =~ ^[1-9][0-9]*$ ]] || usage

root=$(cd "$(dirname "$0")/.." && pwd)
readonly root
readonly build=${FUZZ_BUILD:-$root/build-fuzz}
readonly corpus=${FUZZ_CORPUS:-${XDG_CACHE_HOME:-$HOME/.cache}/velmor/fuzz-boardfile}
readonly findings=$corpus-findings

command -v clang++ >/dev/null || {
    echo "fuzz.sh: clang++ is not installed (Debian package clang)" >&2
    exit 1
}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DBUILD_TESTING=OFF -DVELMOR_FUZZ=ON \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
    >/dev/null
cmake --build "$build" --target velmor-fuzz-boardfile -j2

mkdir -p "$corpus" "$findings"
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "fuzz.sh: fuzzing for $seconds s; inputs kept in $corpus"
status=0
# -timeout: an input that takes 10 s counts as a hang; -rss_limit_mb: one that takes 2 GiB as
# running out of memory. Both are findings.
"$build/fuzz/velmor-fuzz-boardfile" -max_len=65536 -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -dict="$root/fuzz/board.dict" -seed_inputs="$root/tests/boards/testboard.toml,$root/boards/p5velmor.toml" \
    -artifact_prefix="$findings/" -print_final_stats=1 "$corpus" >"$log" 2>&1 || status=$?

grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -1 || tail -20 "$log"
sed -n 's/^stat::number_of_executed_units: */executions: /p; s/^stat::peak_rss_mb: */peak memory (MiB): /p' "$log"
if ((status != 0)); then
    grep -E '^==[0-9]+==|^SUMMARY|Test unit written' "$log" | head -20
    echo "fuzz.sh: the fuzzer found a fault (status $status); the input is in $findings" >&2
    exit 1
fi
echo "fuzz.sh: no findings"
