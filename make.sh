#!/bin/sh
# One entry point for a fresh Debian machine:
#   ./make.sh example   install what is missing, build, run the example host
#   ./make.sh test      install what is missing, build, run the whole test suite
#   ./make.sh bench     install what is missing, build, run the benchmarks
# Idempotent: packages already present are not installed again, the build
# tree is reused.
set -eu
cd "$(dirname "$0")"
BUILD_DIR=${TORV_BUILD_DIR:-build}
PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine wine64 googletest"

install_missing() {
    missing=""
    for p in $PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing >/dev/null
}

configure_and_build() {
    [ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD_DIR" "$@"
}

task=${1:-example}
install_missing
case "$task" in
    example) configure_and_build --target run-example ;;
    test)    configure_and_build && cd "$BUILD_DIR" && ctest --output-on-failure -j2 ;;
    bench)   configure_and_build --target run-bench ;;
    *) echo "usage: $0 [example|test|bench]" >&2; exit 2 ;;
esac
