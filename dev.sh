#!/usr/bin/env bash
# Developer entry point.
#   ./dev.sh run        build and start the program
#   ./dev.sh test       build and run the tests
#   ./dev.sh test-asan  the same tests under AddressSanitizer + UBSan
#   ./dev.sh test-tsan  the core's tests under ThreadSanitizer
#   ./dev.sh build-windows  cross-build OrvanePatchLayouts.exe for Windows (MinGW-w64)
#   ./dev.sh test-windows  cross-build, run the core tests and the program itself under Wine,
#                       in English and in French
#   ./dev.sh bench      build the benchmarks and run them
#   ./dev.sh fuzz [s] [zip|names]  build the fuzzers (clang) and run one for s seconds
#   ./dev.sh package    build the Debian package (and the Windows archive when
#                       this tree has a Windows build) and check them
#   ./dev.sh test-package  build the Debian package, install it, run it as an
#                       ordinary user, remove it (root or sudo)
# Each command installs the Debian packages it needs when they are missing.
set -euo pipefail
cd "$(dirname "$0")"

BUILD_PACKAGES=(cmake ninja-build g++ pkg-config libgtest-dev libgmock-dev libbenchmark-dev
    zlib1g-dev libbz2-dev libcurl4-openssl-dev libicu-dev qt6-base-dev qt6-translations-l10n
    python3 ca-certificates)
BENCH_PACKAGES=(unzip zip libarchive-tools)
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
PACKAGE_TOOLS=(dpkg-dev file lintian desktop-file-utils appstream)
# The Windows build also builds and lists its tests, which runs them under Wine.
WINDOWS_PACKAGES=(cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine wine64
    googletest xvfb xdotool imagemagick python3 locales)
# Wine takes the Windows locale from LANG: the Windows tests run in English,
# then in French (decimal comma), as half of the users' Windows speak it.
WINDOWS_TEST_LOCALES=(en_US.UTF-8 fr_FR.UTF-8)

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

# Generates the locales that are not there yet, without a question.
generate_locales() {
    local missing=() name
    for name in "$@"; do
        # "locale -a" spells fr_FR.UTF-8 as fr_FR.utf8.
        locale -a 2>/dev/null | tr -d - | grep -qix "${name//-/}" || missing+=("$name")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    echo "Generating locales: ${missing[*]}"
    for name in "${missing[@]}"; do
        $sudo sed -i "s/^# *\($name UTF-8\)$/\1/" /etc/locale.gen
        grep -qx "$name UTF-8" /etc/locale.gen || echo "$name UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    done
    $sudo locale-gen >/dev/null
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1"
}

# The .deb, built with Debian's own compiler and hardening flags, then put
# through Debian's checks.
package_deb() {
    local flags
    flags=$(DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --export=sh)
    (
        eval "$flags"
        export CXXFLAGS="$CXXFLAGS $CPPFLAGS"
        build package
    )
    rm -f build/package/*.deb
    cpack --preset package >/dev/null
    local deb
    deb=$(ls build/package/*.deb)
    desktop-file-validate packaging/linux/*.desktop
    appstreamcli validate --no-net packaging/linux/*.metainfo.xml
    lintian --info "$deb"
    echo "Debian package: $deb ($(du -k "$deb" | cut -f1) KiB)"
}

# The Windows release archive, when this tree has a Windows build.
package_windows_zip() {
    if ! cmake --list-presets=configure 2>/dev/null | grep -q '"windows"'; then
        echo "No Windows build in this tree (no \"windows\" preset): no Windows archive."
        return 0
    fi
    install_missing "${WINDOWS_PACKAGES[@]}"
    build windows
    rm -f build/windows/*.zip
    cpack --config build/windows/CPackConfig.cmake -B build/windows >/dev/null
    local zip
    zip=$(ls build/windows/OrvanePatchLayouts-*-windows-x64.zip)
    echo "Windows archive: $zip ($(du -k "$zip" | cut -f1) KiB)"
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
test-tsan)
    install_missing "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    build tsan
    TSAN_OPTIONS="halt_on_error=1" ctest --preset tsan
    ;;
bench)
    install_missing "${BUILD_PACKAGES[@]}" "${BENCH_PACKAGES[@]}"
    build default
    for bench in build/default/bench/*_bench; do "$bench"; done
    ;;
build-windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    build windows
    echo "Built: build/windows/src/win32/OrvanePatchLayouts.exe"
    ;;
test-windows)
    install_missing "${WINDOWS_PACKAGES[@]}"
    generate_locales "${WINDOWS_TEST_LOCALES[@]}"
    build windows
    # Each language runs in a Wine prefix of its own (see cmake/wine-run.sh).
    for language in "${WINDOWS_TEST_LOCALES[@]}"; do
        echo "Windows tests in $language"
        LANG=$language LC_ALL=$language ctest --preset windows
    done
    ;;
fuzz)
    install_missing "${BUILD_PACKAGES[@]}" "${FUZZ_PACKAGES[@]}"
    build fuzz
    fuzzer=${3:-zip}
    corpus=build/fuzz/corpus
    [ "$fuzzer" = zip ] || corpus=build/fuzz/corpus-$fuzzer
    mkdir -p "$corpus"
    "build/fuzz/fuzz/${fuzzer}_fuzzer" -max_total_time="${2:-600}" "$corpus"
    ;;
package)
    install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_TOOLS[@]}"
    package_deb
    package_windows_zip
    ;;
test-package)
    install_missing "${BUILD_PACKAGES[@]}" "${PACKAGE_TOOLS[@]}"
    package_deb
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo tests/package/installed_package_test.sh build/package/*.deb
    ;;
*)
    sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'
    exit 2
    ;;
esac
