#!/usr/bin/env bash
# Installs what the program needs, builds the program alone (Release, into ./build or $BUILD_DIR;
# no tests or benchmarks, which scripts/test.sh builds) and starts it.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
build_dir=${BUILD_DIR:-build}

# Checked first: without a display the program cannot open its window, and a build would be wasted.
if [[ -z ${DISPLAY:-} && -z ${WAYLAND_DISPLAY:-} ]]; then
    echo "run.sh: no display to show the window on: neither DISPLAY nor WAYLAND_DISPLAY is set." >&2
    echo "run.sh: start it from a desktop session, or point DISPLAY at an X server (e.g. Xvfb)." >&2
    exit 1
fi

bash scripts/deps.sh build
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build "$build_dir" -j2 --target velmor
exec "$build_dir/src/velmor"
