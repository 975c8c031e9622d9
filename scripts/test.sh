#!/usr/bin/env bash
# Installs the test tools, builds the program and runs every test, the end-to-end ones on a private
# X server (Xvfb) and printing through a private print queue (scripts/cups-session.sh).
#
# Environment:
#   BUILD_DIR    build folder (default: build)
#   BUILD_TYPE   CMake build type (default: Release, the same build as scripts/run.sh)
#
# The tests see DISPLAY and XAUTHORITY (the private X server), CUPS_SERVER (the private scheduler's
# socket), VELMOR_CUPS_OUTDIR (where each printed job appears as job-NNNNN.pdf) and VELMOR_E2E=1.
# Both services are stopped when the script ends, however it ends; it exits with ctest's status.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
root=$(pwd -P)
build_dir=${BUILD_DIR:-build}
build_type=${BUILD_TYPE:-Release}

work=
xvfb_pid=

log() {
    echo "test.sh: $*" >&2
}

# Runs on every exit: stops the X server and the scheduler, then removes their folder.
# shellcheck disable=SC2317 # reached through the EXIT trap
cleanup() {
    local status=$?
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    if [[ -n $work ]]; then
        bash "$root/scripts/cups-session.sh" stop "$work/cups" || true
        rm -rf "$work"
    fi
    return "$status"
}

# Starts Xvfb on the first free display from :91 to :99 with a private cookie; sets DISPLAY.
start_xvfb() {
    local n i
    for n in {91..99}; do
        [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
        xauth -q -f "$XAUTHORITY" add ":$n" . "$(mcookie)"
        Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -auth "$XAUTHORITY" \
            </dev/null >"$work/xvfb-$n.log" 2>&1 &
        xvfb_pid=$!
        for ((i = 0; i < 100; i++)); do
            if ! kill -0 "$xvfb_pid" 2>/dev/null; then
                break # lost the number to another server starting at the same time: try the next
            fi
            if DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
                export DISPLAY=":$n"
                log "X server on $DISPLAY"
                return 0
            fi
            sleep 0.1
        done
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
        log "Xvfb :$n did not come up: $(tail -n 3 "$work/xvfb-$n.log" 2>/dev/null | tr '\n' ' ')"
    done
    log "no free X display between :91 and :99"
    return 1
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

bash scripts/deps.sh test
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
start_xvfb
start_cups
export VELMOR_E2E=1

status=0
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error -j2 || status=$?
if ((status != 0)); then
    show_service_logs
fi
exit "$status"
