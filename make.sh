#!/bin/sh
# One entry point for a fresh Debian machine:
#   ./make.sh example   install what is missing, build, run the example host
#   ./make.sh test      install what is missing, build, run the whole test suite
#   ./make.sh bench     install what is missing, build, run the benchmarks
#   ./make.sh check     checked build (build-check/): the whole suite with
#                       sanitizer traps and the library's own checks, three
#                       suites under Wine's heap checking, bounded fuzzing;
#                       further arguments go to ctest (-R string, -L heap)
#   ./make.sh fuzz [S]  fuzz every target for S seconds each (default 60)
#                       in the checked build
#   ./make.sh coverage  coverage build (build-coverage/): the suite, then
#                       line and branch coverage per file and an HTML report
# Idempotent: packages already present are not installed again, the build
# trees are reused.
set -eu
cd "$(dirname "$0")"
SOURCE_DIR=$(pwd)
BUILD_DIR=${TORV_BUILD_DIR:-build}
CHECK_DIR=${TORV_CHECK_DIR:-build-check}
COVERAGE_DIR=${TORV_COVERAGE_DIR:-build-coverage}
PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine wine64 googletest"

install_missing() {
    missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing >/dev/null
}

# configure DIR [CMAKE OPTIONS...]: once per build tree.
configure() {
    dir=$1
    shift
    [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release "$@"
}

configure_and_build() {
    configure "$BUILD_DIR"
    cmake --build "$BUILD_DIR" "$@"
}

configure_checked() {
    configure "$CHECK_DIR" -DTORV_CHECKED=ON -DTORV_BUILD_BENCH=OFF -DTORV_BUILD_EXAMPLES=OFF
}

fuzz() {
    configure_checked
    cmake --build "$CHECK_DIR" --target torv_fuzz
    runner="$SOURCE_DIR/$CHECK_DIR/wine-run.sh"
    program="$SOURCE_DIR/$CHECK_DIR/bin/torv_fuzz.exe"
    cd "$CHECK_DIR/tests/fuzz"
    "$runner" "$program" all --seconds "$1" --corpus "Z:$SOURCE_DIR/tests/fuzz/corpus" \
        --failures fuzz-failures --replay-command "$runner $program"
}

coverage() {
    install_missing gcovr
    configure "$COVERAGE_DIR" -DTORV_COVERAGE=ON -DTORV_BUILD_BENCH=OFF -DTORV_BUILD_EXAMPLES=OFF
    cmake --build "$COVERAGE_DIR"
    find "$COVERAGE_DIR" -name '*.gcda' -delete
    (cd "$COVERAGE_DIR" && ctest --output-on-failure -j2 -E torv_package)
    set -- --gcov-executable x86_64-w64-mingw32-gcov --root . --object-directory "$COVERAGE_DIR" \
        --filter 'string/' --filter 'object/' --filter 'module/' --filter 'filesystem/' --filter 'platform/'
    gcovr "$@" --html-details "$COVERAGE_DIR/coverage.html" --print-summary >/dev/null
    gcovr "$@"
    gcovr "$@" --branches
    echo "HTML report: $COVERAGE_DIR/coverage.html"
}

task=${1:-example}
install_missing $PACKAGES
case "$task" in
    example)  configure_and_build --target run-example ;;
    test)     configure_and_build && cd "$BUILD_DIR" && ctest --output-on-failure -j2 ;;
    bench)    configure_and_build --target run-bench ;;
    check)    shift; configure_checked && cmake --build "$CHECK_DIR" && cd "$CHECK_DIR" && ctest --output-on-failure -j2 "$@" ;;
    fuzz)     fuzz "${2:-60}" ;;
    coverage) coverage ;;
    *) echo "usage: $0 [example|test|bench|check|fuzz [seconds]|coverage]" >&2; exit 2 ;;
esac
