#!/usr/bin/env bash
# Installs what a bare Debian 12 machine lacks, builds Torvel in Release, then plays or tests.
#   ./quickstart.sh play   build and start the game
#   ./quickstart.sh test   build with warnings as errors and run every test through ctest, then
#                          again under AddressSanitizer and UndefinedBehaviorSanitizer, then
#                          run each fuzz target (clang's libFuzzer) for a minute
set -euo pipefail
cd "$(dirname "$0")"

packages=(
    g++ make cmake pkg-config dpkg-dev file
    qt6-base-dev qt6-qpa-plugins libgl-dev libx11-dev fonts-dejavu-core
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xdotool x11-apps desktop-file-utils zlib1g-dev groff-base
    valgrind clang libclang-rt-14-dev
)

install_missing() {
    local missing=() p
    for p in "${packages[@]}"; do
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
    install_missing
    build build
    if [[ -x build/shell/torvel ]]; then
        exec build/shell/torvel
    fi
    exec build/cli/torvel-cli --help
    ;;
test)
    install_missing
    build build-test -DTORVEL_WERROR=ON
    ctest --test-dir build-test --output-on-failure -j "$(nproc)"
    build build-asan -DTORVEL_WERROR=ON -DTORVEL_SANITIZE=ON
    ctest --test-dir build-asan --output-on-failure -j "$(nproc)"
    # The fuzz targets of fuzz/, built with clang, each run for a minute.
    CXX=clang++ build build-fuzz -DTORVEL_WERROR=ON -DTORVEL_FUZZ=ON -DTORVEL_BUILD_GUI=OFF \
        -DTORVEL_BUILD_TESTS=OFF -DTORVEL_BUILD_BENCH=OFF
    ctest --test-dir build-fuzz --output-on-failure --verbose -j "$(nproc)"
    ;;
*)
    echo "usage: $0 play|test" >&2
    exit 2
    ;;
esac
