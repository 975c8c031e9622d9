#!/usr/bin/env bash
# scripts/run.sh, the quick first run, builds the program alone: its build step names only the
# velmor target, and that target builds no test or benchmark. The script runs with stand-ins for
# cmake, the package installer and the program, so nothing is installed, built or shown.
# Arguments: the source folder and the build folder of this test run.
set -euo pipefail

root=$1
build=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin" "$work/build/src"
export CALLS=$work/calls
for stand_in in cmake bash "$work/build/src/velmor"; do
    [[ $stand_in == */* ]] || stand_in=$work/bin/$stand_in
    printf '#!/bin/sh\necho "%s $*" >>"$CALLS"\n' "${stand_in##*/}" >"$stand_in"
    chmod +x "$stand_in"
done

DISPLAY=:0 BUILD_DIR=$work/build PATH=$work/bin:$PATH /bin/bash "$root/scripts/run.sh"

fail() {
    echo "tst_runscript: $*" >&2
    echo "calls:" >&2
    cat "$CALLS" >&2
    exit 1
}
builds=$(grep '^cmake --build' "$CALLS") || fail "run.sh built nothing"
while read -r line; do
    [[ $line == *" --target velmor" ]] || fail "a build step that is not the program alone: $line"
done <<<"$builds"
grep -q '^velmor *$' "$CALLS" || fail "run.sh did not start the program"

# What the velmor target builds from scratch, as Ninja would run it.
if [[ -f $build/build.ninja ]]; then
    commands=$(ninja -C "$build" -t commands velmor)
    [[ -n $commands ]] || fail "no commands for the velmor target"
    if grep -E '(^| )[^ ]*(/tests/|/bench/)[^ ]*\.o( |$)' <<<"$commands" >/dev/null; then
        fail "the velmor target builds tests or benchmarks: $(grep -oE '[^ ]*(/tests/|/bench/)[^ ]*\.o' <<<"$commands" | head -3)"
    fi
fi
echo "tst_runscript: run.sh builds the velmor target alone"
