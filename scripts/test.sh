#!/usr/bin/env bash
# Installs the test tools, builds the program and runs every test, the end-to-end ones on a private
# X server (xvfb-run -a) and printing through a private print queue (scripts/cups-session.sh).
#
# Two stages, each building the program and running the whole suite:
#   1. the plain build (BUILD_TYPE);
#   2. a build with AddressSanitizer and UndefinedBehaviorSanitizer (the CMake presets asan in
#      CMakePresets.json: the configure preset carries the compiler and linker flags, the test
#      preset the sanitizers' options). Any finding fails the stage:
#      a memory error, undefined behaviour, or a leak other than those inside the libraries below
#      us that tests/hardening/lsan.supp lists. Memory errors and leaks do so even in a program
#      whose status no test reads.
#
# Environment:
#   BUILD_DIR        build folder of stage 1 (default: build)
#   BUILD_TYPE       CMake build type of stage 1 (default: Release, the same build as scripts/run.sh)
#
# The tests see DISPLAY and XAUTHORITY (the private X server), CUPS_SERVER (the private scheduler's
# socket), VELMOR_CUPS_OUTDIR (where each printed job appears as job-NNNNN.pdf) and VELMOR_E2E=1.
# Both services are stopped when the script ends, however it ends; it exits with status 0 only when
# both stages pass.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd -P)
build_dir=${BUILD_DIR:-build}
build_type=${BUILD_TYPE:-Release}
# Stage 2 builds and tests in the folder of the CMake presets asan.
asan_build_dir=build-asan

work=

log() {
    echo "test.sh: $*" >&2
}

# Runs on every exit: stops the scheduler, then removes its folder.
# shellcheck disable=SC2317 # reached through the EXIT trap
cleanup() {
    local status=$?
    if [[ -n $work ]]; then
        bash "$root/scripts/cups-session.sh" stop "$work/cups" || true
        rm -rf "$work"
    fi
    return "$status"
}

# Runs a command on a private X server of its own, on the first free display from :99 up, with a
# private cookie (xvfb-run -a); the server ends with the command. DISPLAY and XAUTHORITY reach it.
in_x() {
    xvfb-run -a -f "$XAUTHORITY" -e "$work/xvfb.log" -s "-screen 0 1280x1024x24 -nolisten tcp" "$@"
}

# Starts the private scheduler and exports the lines it prints (CUPS_SERVER, VELMOR_CUPS_OUTDIR).
start_cups() {
    local line
    while IFS= read -r line; do
        [[ $line =~ ^(CUPS_SERVER|VELMOR_CUPS_OUTDIR)=. ]] || continue
        export "${line?}"
    done < <(bash "$root/scripts/cups-session.sh" start "$work/cups")
    [[ -n ${CUPS_SERVER:-} && -n ${VELMOR_CUPS_OUTDIR:-} ]] || {
        log "the print queue did not start"
        return 1
    }
    log "print queue on $CUPS_SERVER, PDF files in $VELMOR_CUPS_OUTDIR"
}

show_service_logs() {
    log "last lines of the print system's log:"
    tail -n 40 "$work/cups/log/error_log" >&2 2>/dev/null || true
}

trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Stage 2's build: the preset asan (optimised a little, as the sanitizers advise, with debug
# information for their stack traces and assertions left on), in its own folder.
build_with_sanitizers() {
    cmake --preset asan
    cmake --build --preset asan -j2
}

# Runs the whole suite of one build folder.
run_tests() {
    in_x ctest --test-dir "$1" --output-on-failure --no-tests=error -j2
}

# Runs the suite under the sanitizers (the test preset asan sets their options); programs the tests
# start (velmor, the helpers) inherit them. AddressSanitizer writes its reports, leaks included, to
# files, so that one from a program whose status no test reads fails the stage too; they are shown
# at the end.
run_tests_with_sanitizers() (
    local reports=$work/sanitizers status=0
    mkdir -p "$reports"
    export VELMOR_SANITIZER_REPORTS=$reports
    in_x ctest --preset asan || status=$?
    if compgen -G "$reports/*" >/dev/null; then
        log "sanitizer findings:"
        tail -n +1 "$reports"/* >&2
        ((status != 0)) || status=1
    fi
    return "$status"
)

# The browser test's modules, exactly as tests/web/package-lock.json pins them, installed again only
# when the lock file has changed since they were.
install_web_modules() {
    local stamp=tests/web/node_modules/.velmor-lock-sha256 lock
    lock=$(sha256sum tests/web/package-lock.json | cut -d' ' -f1)
    if [[ -f $stamp && $(<"$stamp") == "$lock" ]]; then
        log "browser test modules up to date with tests/web/package-lock.json"
        return 0
    fi
    (cd tests/web && npm ci --no-audit --no-fund --loglevel=error)
    echo "$lock" >"$stamp"
}

bash scripts/deps.sh test
install_web_modules
log "stage 1 of 2: building the $build_type build in $build_dir"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE="$build_type"
cmake --build "$build_dir" -j2

# Under /tmp whoever runs the tests: as root the print filters run as user lp, who must reach it.
work=$(mktemp -d /tmp/velmor-test.XXXXXX)
chmod 0755 "$work"
export XAUTHORITY=$work/Xauthority
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    # Qt warns on every start without one.
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 0700 "$XDG_RUNTIME_DIR"
fi

# Whatever desktop the script was started from, Qt programs without a platform of their own (tests
# set QT_QPA_PLATFORM=offscreen where they need no display) go to the private X server, and print to
# the private queue's default destination, which PRINTER or LPDEST would otherwise override.
unset WAYLAND_DISPLAY PRINTER LPDEST
export QT_QPA_PLATFORM=xcb
start_cups
export VELMOR_E2E=1

status=0
log "stage 1 of 2: testing the $build_type build"
run_tests "$build_dir" || status=$?

log "stage 2 of 2: building with AddressSanitizer and UndefinedBehaviorSanitizer in $asan_build_dir"
build_with_sanitizers
log "stage 2 of 2: testing under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer"
sanitizer_status=0
run_tests_with_sanitizers || sanitizer_status=$?

if ((status != 0 || sanitizer_status != 0)); then
    show_service_logs
fi
log "stage 1 ($build_type): $( ((status == 0)) && echo passed || echo "failed (status $status)")"
log "stage 2 (sanitizers): $( ((sanitizer_status == 0)) && echo passed || echo "failed (status $sanitizer_status)")"
((status == 0)) || exit "$status"
exit "$sanitizer_status"
