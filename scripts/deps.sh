#!/usr/bin/env bash
# Installs the Debian 12 packages the program needs.
#
#   deps.sh build   what builds and runs it (compiler, CMake, Ninja, Qt, its fonts)
#   deps.sh test    that, plus what the tests use (X server, print system, PDF and image tools,
#                   benchmark library, a browser with Node.js and npm, the Orca screen reader)
#
# Packages already installed are not asked for again: when all are there, apt is not run at all.
# As root apt-get runs directly; otherwise through sudo.
set -euo pipefail

readonly BUILD_PACKAGES=(
    build-essential cmake ninja-build
    qt6-base-dev qt6-base-dev-tools libgl-dev
    # The end-to-end test talks to the X server itself; configured with every build.
    libx11-dev
    # Lets the program start on a Wayland desktop that offers no X display.
    qt6-wayland
    # Print asks the print system about the queue and the fate of each job through its library.
    libcups2-dev
    # The check for missing fonts asks fontconfig directly.
    libfontconfig-dev
    # Board description files are TOML, read by toml++.
    libtomlplusplus-dev
    fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core fonts-dejavu-extra
)
readonly TEST_PACKAGES=(
    xvfb xauth xdotool
    cups cups-client cups-bsd cups-filters
    poppler-utils imagemagick
    libbenchmark-dev hyperfine
    # The packaging test: desktop entry and metainfo validators, cpack's dpkg-shlibdeps, groff.
    desktop-file-utils appstream dpkg-dev groff-base lintian
    # The hardening tests: valgrind's memcheck over a whole session.
    valgrind
    # bench/run.sh: GNU time for the peak memory (valgrind's callgrind counts the instructions).
    time
    # The board description reader's tests build against toml++; the fuzzer (scripts/fuzz.sh,
    # not part of the test run) takes clang's libFuzzer.
    libtomlplusplus-dev clang
    # The guide page's browser test (tests/web): Debian's Chromium, driven from Node.js.
    chromium nodejs
    # The screen-reader test (tests/screenreader): Orca itself, on a desktop of the test's own: a
    # session bus (dbus-run-session), the accessibility bus and a window manager.
    orca at-spi2-core dbus-daemon openbox
)

usage() {
    echo "usage: $0 build|test" >&2
    exit 2
}

# Prints each named package that dpkg does not list as installed.
missing_packages() {
    local package status
    for package in "$@"; do
        status=$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)
        [[ $status == installed ]] || echo "$package"
    done
}

as_root() {
    if ((EUID == 0)); then
        "$@"
        return
    fi
    if ! command -v sudo >/dev/null; then
        echo "deps.sh: packages are missing, and without root or sudo they cannot be installed;" \
            "run this script as root once" >&2
        exit 1
    fi
    sudo "$@"
}

install_packages() {
    local -a missing
    mapfile -t missing < <(missing_packages "$@")
    if ((${#missing[@]} == 0)); then
        echo "deps.sh: all $# packages already installed"
        return
    fi
    echo "deps.sh: installing ${missing[*]}"
    local -a apt=(env DEBIAN_FRONTEND=noninteractive apt-get -q -y
        -o DPkg::Lock::Timeout=600 -o Dpkg::Use-Pty=0)
    as_root "${apt[@]}" update
    as_root "${apt[@]}" install "${missing[@]}"
}

(($# == 1)) || usage
case $1 in
build) install_packages "${BUILD_PACKAGES[@]}" ;;
test)
    install_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}"
    # Some builds of Node.js bring npm with them; Debian's comes as a package of its own.
    command -v npm >/dev/null || install_packages npm
    ;;
*) usage ;;
esac
