#!/usr/bin/env bash
# Installs what a bare Debian 12 machine lacks, builds Torvel in Release, then plays or tests.
#   ./quickstart.sh play   the build and run-time packages, the two programs, then the game
#   ./quickstart.sh test   also the test tools; the formatting check, every test with warnings
#                          as errors, again under AddressSanitizer and UndefinedBehaviorSanitizer,
#                          then each libFuzzer target for 30 seconds
set -euo pipefail
cd "$(dirname "$0")"

play_packages=(
    g++ make cmake pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev libx11-dev
    fonts-dejavu-core fonts-wqy-microhei gettext qt6-translations-l10n
)
test_packages=(
    dpkg-dev file groff-base desktop-file-utils appstream lintian libgtest-dev libgmock-dev
    libbenchmark-dev xvfb xauth xdotool x11-apps valgrind clang libclang-rt-14-dev clang-format
)

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    local sudo=()
    [[ $(id -u) -eq 0 ]] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
}

build() { # build DIR [cmake options...]
    local dir=$1
    shift
    cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release "$@"
    cmake --build "$dir" -j "$(nproc)"
}

case "${1:-}" in
play)
    install_missing "${play_packages[@]}"
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DTORVEL_BUILD_TESTS=OFF -DTORVEL_BUILD_BENCH=OFF
    cmake --build build -j "$(nproc)" --target torvel torvel-cli
    exec build/shell/torvel
    ;;
test)
    install_missing "${play_packages[@]}" "${test_packages[@]}"
    # Every source keeps to the committed .clang-format.
    find text files table engine framework game view shell cli data tests fuzz bench \( -name '*.cpp' -o -name '*.h' \) \
        -print0 | xargs -0 clang-format --dry-run --Werror
    build build-test -DTORVEL_WERROR=ON
    ctest --test-dir build-test --output-on-failure -j "$(nproc)"
    build build-asan -DTORVEL_WERROR=ON -DTORVEL_SANITIZE=ON -DTORVEL_BUILD_BENCH=OFF
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
    CXX=clang++ build build-fuzz -DTORVEL_WERROR=ON -DTORVEL_FUZZ=ON -DTORVEL_BUILD_GUI=OFF \
        -DTORVEL_BUILD_TESTS=OFF -DTORVEL_BUILD_BENCH=OFF
    ctest --test-dir build-fuzz --output-on-failure -j "$(nproc)"
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
