#!/usr/bin/env bash
# Installs a build into a temporary prefix and packs it with cpack as a Debian package, then checks
# the installed files, the desktop entry, the icons, the AppStream metainfo, the manual page, the
# copyright file, and the package's fields, contents and changelog, and that lintian finds no
# error or warning in it.
#
#   tst_packaging.sh BUILD_DIR ICON_ICO APP_ID LICENSE
#
# ICON_ICO is the program's icon, which the theme's PNG icons must reproduce; APP_ID the desktop's
# name for the program; LICENSE the licence whose text the copyright file must carry. Exits 77
# (skipped) when a tool it needs is missing: `scripts/deps.sh test` installs them.
set -euo pipefail

(($# == 4)) || {
    echo "usage: $0 BUILD_DIR ICON_ICO APP_ID LICENSE" >&2
    exit 2
}
readonly build=$1 ico=$2 app_id=$3 license=$4

readonly icon_sizes=(32 64 128 256)
readonly options=(--list --format --export --cpu --power --sdram --bus --multiplier --voltage --identify --page-size
    --help --version)
readonly fonts=(fonts-liberation fonts-urw-base35 fonts-comic-neue fonts-dejavu-core fonts-dejavu-extra)
readonly tools=(cmake cpack dpkg-deb dpkg-shlibdeps dpkg-parsechangelog desktop-file-validate appstreamcli groff
    compare convert lintian)

failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# The files (not folders) under a folder, relative to it, sorted.
files_under() {
    (cd "$1" && find . ! -type d | sed 's|^\./||' | LC_ALL=C sort)
}

# A variable of the build's CMake cache, or nothing.
cache_variable() {
    sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"
}

# The print queue module, in the program's private folder under the multiarch library folder, in a build
# that asks CUPS; nothing in one without it.
printqueue_module() {
    [[ $(cache_variable VELMOR_WITH_CUPS) == ON ]] || return 0
    echo "$(cache_variable VELMOR_PRINTQUEUE_DIR)/velmor-printqueue.so"
}

# Prints the files expected under the prefix, sorted; the first argument names the manual page,
# any further ones are files that only the package has.
expected_files() {
    local size extra
    {
        echo bin/velmor
        printqueue_module
        echo "share/applications/$app_id.desktop"
        for size in "${icon_sizes[@]}"; do
            echo "share/icons/hicolor/${size}x$size/apps/$app_id.png"
        done
        echo "share/metainfo/$app_id.metainfo.xml"
        echo "share/man/man1/$1"
        echo share/doc/velmor/copyright
        for extra in "${@:2}"; do
            echo "$extra"
        done
    } | LC_ALL=C sort
}

# The width and height a PNG file's header gives, as "W H".
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

# How many pixels differ between two images (ImageMagick's absolute-error count, alpha included).
differing_pixels() {
    compare -metric AE "$1" "$2" null: 2>&1 || true
}

# The alpha (0 to 255) and colour of one pixel of an image, as "A R,G,B".
pixel_at() {
    convert "$1" -format "%[fx:int(255*u.p{$2,$3}.a)] %[fx:int(255*u.p{$2,$3}.r)],%[fx:int(255*u.p{$2,$3}.g)],%[fx:int(255*u.p{$2,$3}.b)]" info:
}

# How many pixels of an image are neither wholly transparent nor wholly opaque.
partly_transparent() {
    convert "$1" -alpha extract -fill black -opaque white -fill black -opaque black -format "%[fx:int(mean*w*h+0.5)]" info: 2>/dev/null ||
        echo 0
}

check_icons() {
    local root=$1 size png cell
    for size in "${icon_sizes[@]}"; do
        png=$root/share/icons/hicolor/${size}x$size/apps/$app_id.png
        [[ $(png_size "$png") == "$size $size" ]] || fail "$png is $(png_size "$png") pixels, not $size x $size"
        # See-through corners, not the window icon's black ones.
        [[ $(pixel_at "$png" 0 0) == 0\ * ]] || fail "the $size px icon's corner is not transparent: $(pixel_at "$png" 0 0)"
        # Drawn at its size: every pixel of the window icon's checkers is a square of size / 32
        # pixels, so the window icon's pixel at (10, 12) is the colour of the block it became.
        cell=$((size / 32))
        [[ $(pixel_at "$png" $((10 * cell + cell / 2)) $((12 * cell + cell / 2))) == "255 $(pixel_at "$ico[0]" 10 12 | cut -d' ' -f2)" ]] ||
            fail "the $size px icon's checker at (10, 12) is not the window icon's"
    done
    # The disc's edge is smooth on the large icons, not steps of repeated pixels.
    png=$root/share/icons/hicolor/256x256/apps/$app_id.png
    (($(partly_transparent "$png") > 100)) || fail "the 256 px icon's disc has no smooth edge"
}

check_desktop_entry() {
    local output
    if ! output=$(desktop-file-validate "$1" 2>&1); then
        fail "desktop-file-validate rejects $1: $output"
    elif [[ -n $output ]]; then
        fail "desktop-file-validate warns about $1: $output"
    fi
}

check_metainfo() {
    local output
    if ! output=$(appstreamcli validate --no-net "$1" 2>&1); then
        fail "appstreamcli rejects $1: $output"
    elif grep -qE '^[EW]: ' <<<"$output"; then
        fail "appstreamcli warns about $1: $output"
    fi
}

check_man_page() {
    local page=$1 warnings text option
    warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
    [[ -z $warnings ]] || fail "groff warns about $page: $warnings"
    text=$(groff -man -Tascii -P-cbou "$page" 2>/dev/null)
    for option in "${options[@]}"; do
        grep -qF -e "$option" <<<"$text" || fail "the manual page does not mention $option"
    done
}

# The copyright file is in Debian's machine-readable format and carries LICENSE's holder and text.
check_copyright() {
    local file=$1 holder text
    [[ $(head -n 1 "$file") == "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ]] ||
        fail "$file does not start with the machine-readable format's Format line"
    holder=$(sed -n 's/^Copyright (c) //p' "$license")
    grep -qxF "Copyright: $holder" "$file" || fail "$file does not name the copyright holder '$holder'"
    # The licence paragraph's lines, indented by one space, blank lines written as " .".
    text=$(sed -n '/^License: Expat$/,$ { /^License:/d; s/^ //; s/^\.$//; p; }' "$file") || true
    [[ $text == "$(sed '1,/^Copyright (c) /d' "$license" | sed '1{/^$/d;}')" ]] ||
        fail "the licence text in $file differs from $license"
}

# The value of a field of the package, or nothing.
deb_field() {
    dpkg-deb -f "$deb" "$1"
}

# The value of a variable that CPackConfig.cmake sets, or nothing.
cpack_variable() {
    sed -n "s/^set($1 \"\\(.*\\)\")\$/\\1/p" "$build/CPackConfig.cmake"
}

check_package_fields() {
    local version release depends package
    version=$(cpack_variable CPACK_PACKAGE_VERSION)
    release=$(cpack_variable CPACK_DEBIAN_PACKAGE_RELEASE)
    [[ $(deb_field Package) == velmor ]] || fail "the package is named '$(deb_field Package)'"
    [[ -n $version && -n $release && $(deb_field Version) == "$version-$release" ]] ||
        fail "the package's version is '$(deb_field Version)', the project's '$version' revision '$release'"
    [[ $(deb_field Section) == utils ]] || fail "the package's section is '$(deb_field Section)'"
    [[ $(deb_field Maintainer) == "VELMOR developers <dev@velmor.invalid>" ]] || fail "the maintainer is '$(deb_field Maintainer)'"
    [[ -n $(deb_field Description) ]] || fail "the package has no description"
    depends=", $(deb_field Depends),"
    for package in libqt6widgets6 libqt6printsupport6 "${fonts[@]}"; do
        [[ $depends =~ ,\ ${package}[\ ,] ]] || fail "Depends lacks $package: $depends"
    done
}

# The desktop entry's Exec lines (the entry's and its actions') and Icon must name files the
# package installs.
check_package_launch() {
    local root=$1 entry exec icon execs
    entry=$root/usr/share/applications/$app_id.desktop
    mapfile -t execs < <(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    ((${#execs[@]} > 0)) || fail "the desktop entry has no Exec line"
    for exec in "${execs[@]}"; do
        [[ -n $exec && -f $root/usr/bin/$exec && -x $root/usr/bin/$exec ]] || fail "Exec=$exec is no executable in usr/bin"
    done
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [[ -n $icon && -f $root/usr/share/icons/hicolor/32x32/apps/$icon.png ]] || fail "Icon=$icon is no icon in the hicolor theme"
    gzip -t "$root/usr/share/man/man1/velmor.1.gz" || fail "the packed manual page is not gzip data"
}

# The changelog's newest entry is the package's version.
check_package_changelog() {
    local changelog=$1/usr/share/doc/velmor/changelog.Debian.gz version
    gzip -t "$changelog" || fail "$changelog is not gzip data"
    version=$(gzip -dc "$changelog" | dpkg-parsechangelog -l - -S Version) || true
    [[ $version == "$(deb_field Version)" ]] || fail "the changelog's newest entry is $version, the package $(deb_field Version)"
}

# Lintian's errors and warnings fail the check; its notes (I:) are shown only.
check_lintian() {
    local output status=0
    output=$(lintian --fail-on error,warning --display-info "$deb" 2>&1) || status=$?
    output=$(grep -v '^running with root privileges' <<<"$output" || true)
    if ((status != 0)) || grep -qE '^[EW]: ' <<<"$output"; then
        fail "lintian finds errors or warnings in the package (status $status): $output"
    elif [[ -n $output ]]; then
        echo "lintian notes: $output"
    fi
}

missing=()
for tool in "${tools[@]}"; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]} > 0)); then
    echo "SKIP: ${missing[*]} not installed; scripts/deps.sh test installs them"
    exit 77
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What cmake --install puts under a prefix.
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log"
diff <(expected_files velmor.1) <(files_under "$prefix") || fail "cmake --install did not install exactly the files listed above"
[[ -x $prefix/bin/velmor ]] || fail "bin/velmor is not executable"
check_icons "$prefix"
check_desktop_entry "$prefix/share/applications/$app_id.desktop"
check_metainfo "$prefix/share/metainfo/$app_id.metainfo.xml"
check_man_page "$prefix/share/man/man1/velmor.1"
check_copyright "$prefix/share/doc/velmor/copyright"

# The Debian package, made into a folder of its own so the build folder stays as it was.
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/cpack" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    fail "cpack -G DEB failed"
    exit 1
}
debs=("$work"/cpack/velmor_*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f ${debs[0]} ]]; then
    fail "cpack made no single velmor_*.deb: $(ls "$work/cpack")"
    exit 1
fi
deb=${debs[0]}
echo "made $(basename "$deb"); Depends: $(deb_field Depends)"
check_package_fields
diff <(expected_files velmor.1.gz share/doc/velmor/changelog.Debian.gz share/lintian/overrides/velmor | sed 's|^|usr/|') \
    <(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' | LC_ALL=C sort) ||
    fail "the package does not hold exactly the files listed above under usr/"
dpkg-deb -x "$deb" "$work/deb"
check_package_launch "$work/deb"
check_package_changelog "$work/deb"
check_lintian

if ((failures > 0)); then
    echo "tst_packaging: $failures checks failed" >&2
    exit 1
fi
echo "tst_packaging: every check held"
