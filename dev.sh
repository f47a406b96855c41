#!/usr/bin/env bash
# Developer entry point.
#   ./dev.sh run        build and start the program
#   ./dev.sh test       build and run the tests
#   ./dev.sh test-asan  the same tests under AddressSanitizer + UBSan
#   ./dev.sh bench      build the benchmarks and run them
#   ./dev.sh fuzz [s]   build the archive fuzzer (clang) and run it for s seconds
#   ./dev.sh build-windows  cross-build OrvanePatchLayouts.exe for Windows
#   ./dev.sh test-windows   build it and run the tests under Wine, window included
# Each command installs the Debian packages it needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
    zlib1g-dev libcurl4-openssl-dev qt6-base-dev python3 ca-certificates)
BENCH_PACKAGES=(unzip zip libarchive-tools)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine
    wine64 xvfb xdotool imagemagick python3)

install_missing() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

build() {
    cmake --preset "$@" >/dev/null
    cmake --build --preset "$1"
}

case "${1:-}" in
run)
    install_missing "${BUILD_PACKAGES[@]}"
    build default
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found: starting on Qt's offscreen platform (close with Ctrl+C)."
        export QT_QPA_PLATFORM=offscreen
    fi
    exec build/default/src/ui/OrvanePatchLayouts
    ;;
test)
    install_missing "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    build default
    ctest --preset default
    ;;
test-asan)
    install_missing "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    build asan
    ctest --preset asan
    ;;
bench)
    install_missing "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    build default
    for bench in build/default/bench/*_bench; do "$bench"; done
    ;;
fuzz)
    install_missing "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    build fuzz
    mkdir -p build/fuzz/corpus
    build/fuzz/fuzz/zip_fuzzer -max_total_time="${2:-600}" build/fuzz/corpus
    ;;
build-windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    build windows -DORVANE_BUILD_BENCH=OFF
    echo "Built: build/windows/src/win32/OrvanePatchLayouts.exe"
    ;;
test-windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    build windows -DORVANE_BUILD_BENCH=OFF
    ctest --preset windows
    ;;
*)
    sed -n '2,10p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
