#!/bin/sh
# One entry point for a fresh Debian machine:
#   ./make.sh example   install what is missing, build, run the example host
#   ./make.sh test      install what is missing, build, run the whole test suite
#   ./make.sh bench     install what is missing, build, run the benchmarks
#   ./make.sh check     checked build (build-check/): the whole suite with
#                       sanitizer traps and the library's own checks, four
#                       suites under Wine's heap checking, bounded fuzzing;
#                       further arguments go to ctest (-R string, -L heap)
#   ./make.sh fuzz [S]  fuzz every target for S seconds each (default 60)
#                       in the checked build
#   ./make.sh coverage  coverage build (build-coverage/): the suite, then
#                       line and branch coverage per file and an HTML report
#   ./make.sh clang     the same build and suite with clang, linked by lld
#                       (build-clang/)
#   ./make.sh docs      the API reference (build/docs/html); fails on any warning
#   ./make.sh lint      clang-tidy over the library, with .clang-tidy
#   ./make.sh format-check [base]  clang-format over the .h/.cpp changed since base
#   ./make.sh mutate [count] [seed]  mutation run over the library's sources
#                       (build-mutate/): count mutants (100) drawn with seed (1);
#                       what each did and a score per subsystem. Takes hours.
#   ./make.sh abi [--update]  the interface of the build (exports, class
#                       layouts, virtual slots) against abi/baseline.txt;
#                       fails on a break unless the major version went up;
#                       --update rewrites the baseline at the current commit
#   ./make.sh ci        what CI runs besides the test command: docs,
#                       format-check, abi, clang, lint and check
# Idempotent: packages already present are not installed again, the build
# trees are reused.
set -eu
cd "$(dirname "$0")"
SOURCE_DIR=$(pwd)
BUILD_DIR=${TORV_BUILD_DIR:-build}
CLANG_BUILD_DIR=${TORV_CLANG_BUILD_DIR:-build-clang}
CHECK_DIR=${TORV_CHECK_DIR:-build-check}
COVERAGE_DIR=${TORV_COVERAGE_DIR:-build-coverage}
BUILD_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine wine64 googletest gdb-mingw-w64"

install_missing() {
    missing=""
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "installing:$missing"
    SUDO=""
    [ "$(id -u)" -eq 0 ] || SUDO=sudo
    $SUDO apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y $missing
}

# configure DIR TOOLCHAIN [CMAKE OPTIONS...]: once per build tree.
configure() {
    dir=$1
    toolchain=$2
    shift 2
    [ -f "$dir/build.ninja" ] || cmake -S . -B "$dir" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$SOURCE_DIR/cmake/$toolchain" -DCMAKE_BUILD_TYPE=Release "$@"
}

configure_and_build() {
    configure "$BUILD_DIR" mingw-w64-x86_64.cmake
    cmake --build "$BUILD_DIR" "$@"
}

# The clang build also gives clang-tidy its compile_commands.json.
configure_clang() {
    configure "$CLANG_BUILD_DIR" clang-mingw-w64-x86_64.cmake -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
}

configure_checked() {
    configure "$CHECK_DIR" mingw-w64-x86_64.cmake -DTORV_CHECKED=ON -DTORV_BUILD_BENCH=OFF \
        -DTORV_BUILD_EXAMPLES=OFF
}

# run_suite DIR [CTEST ARGUMENTS...]
run_suite() {
    dir=$1
    shift
    (cd "$dir" && ctest --output-on-failure -j2 "$@")
}

check() {
    configure_checked
    cmake --build "$CHECK_DIR"
    run_suite "$CHECK_DIR" "$@"
}

clang_suite() {
    configure_clang
    cmake --build "$CLANG_BUILD_DIR"
    run_suite "$CLANG_BUILD_DIR"
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
    configure "$COVERAGE_DIR" mingw-w64-x86_64.cmake -DTORV_COVERAGE=ON -DTORV_BUILD_BENCH=OFF \
        -DTORV_BUILD_EXAMPLES=OFF
    cmake --build "$COVERAGE_DIR"
    find "$COVERAGE_DIR" -name '*.gcda' -delete
    run_suite "$COVERAGE_DIR" -E torv_package
    set -- --gcov-executable x86_64-w64-mingw32-gcov --root . --object-directory "$COVERAGE_DIR" \
        --filter 'library/' --filter 'string/' --filter 'object/' --filter 'module/' --filter 'filesystem/' --filter 'platform/'
    gcovr "$@" --html-details "$COVERAGE_DIR/coverage.html" --print-summary >/dev/null
    gcovr "$@"
    gcovr "$@" --branches
    echo "HTML report: $COVERAGE_DIR/coverage.html"
}

docs() {
    out="$BUILD_DIR/docs"
    rm -rf "$out" && mkdir -p "$out"
    status=0
    TORV_DOCS_DIR="$out" doxygen docs/Doxyfile >/dev/null || status=$?
    if [ "$status" -ne 0 ] || [ -s "$out/warnings.txt" ]; then
        cat "$out/warnings.txt" >&2
        exit 1
    fi
    echo "API reference: $out/html/index.html"
}

abi() {
    configure "$BUILD_DIR" mingw-w64-x86_64.cmake
    cmake --build "$BUILD_DIR" --target TorvBase torv_abi_probe
    current="$BUILD_DIR/abi/interface.txt"
    sh abi/dump.sh "$BUILD_DIR" >"$current"
    if [ "${1:-}" = --update ]; then
        cp "$current" abi/baseline.txt
        git diff --quiet HEAD -- library string object module filesystem platform CMakeLists.txt \
            || echo "abi: note: the library has uncommitted changes; the baseline names $(git rev-parse --short HEAD)"
        echo "abi: abi/baseline.txt rewritten: $(head -n 1 abi/baseline.txt | cut -c3-), $(($(wc -l <abi/baseline.txt) - 1)) line(s)"
        return 0
    fi
    sh abi/compare.sh abi/baseline.txt "$current"
}

# Only the findings are shown: not clang-tidy's call per file, nor its
# "N warnings generated." (counting what the filters then drop), nor its
# colours; one verdict line closes the output.
lint() {
    configure_clang
    log="$CLANG_BUILD_DIR/lint.log"
    status=0
    run-clang-tidy -p "$CLANG_BUILD_DIR" -j "$(nproc)" -quiet \
        "$(pwd)/(library|string|object|module|filesystem|platform|tools/torvinspect)/[^/]*\.cpp\$" \
        >"$log.raw" 2>&1 || status=$?
    sed "s/$(printf '\033')\[[0-9;]*m//g" "$log.raw" >"$log"
    grep -v -E '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$|^clang-tidy(-[0-9]+)? ' "$log" || true
    findings=$(grep -c -E ': (warning|error): ' "$log" || true)
    if [ "$status" -eq 0 ] && [ "$findings" -eq 0 ]; then
        echo "lint: clean"
    else
        echo "lint: $findings finding(s)"
        [ "$findings" -gt 0 ] || echo "lint: run-clang-tidy failed with $status" >&2
        return 1
    fi
}

# Keeps the C++ sources that clang-format lays out: resource headers and the
# fuzzer's seeds are read by the symbol parser and keep their layout.
formatted_sources() {
    grep -v -e '^resources/' -e '/resource\.h$' -e '_header\.h$' -e '_symbols\.h$' \
        -e '^tests/fuzz/corpus/' || true
}

# Files a change touches: since the given base, else since the merge-base
# with main on a branch, else since the previous commit on main.
format_check() {
    base=${1:-}
    if [ -z "$base" ]; then
        branch=$(git rev-parse --abbrev-ref HEAD)
        if [ "$branch" != main ] && git rev-parse -q --verify main >/dev/null; then
            base=$(git merge-base HEAD main)
        else
            base=HEAD~1
        fi
    fi
    git rev-parse -q --verify "$base^{commit}" >/dev/null \
        || { echo "format-check: no base commit $base, nothing to compare"; return 0; }
    files=$(git diff --name-only --diff-filter=ACMR "$base" -- '*.h' '*.cpp' | formatted_sources)
    [ -z "$files" ] && { echo "format-check: no C++ file changed since $base"; return 0; }
    echo "$files" | xargs clang-format --dry-run --Werror
    echo "format-check: $(echo "$files" | wc -l) file(s) formatted as .clang-format asks"
}

CHECK_PACKAGES="clang lld clang-tidy clang-format doxygen graphviz"
task=${1:-example}
[ $# -gt 0 ] && shift
case "$task" in
    example)  install_missing $BUILD_PACKAGES; configure_and_build --target run-example ;;
    test)     install_missing $BUILD_PACKAGES; configure_and_build && run_suite "$BUILD_DIR" ;;
    bench)    install_missing $BUILD_PACKAGES; configure_and_build --target run-bench ;;
    check)    install_missing $BUILD_PACKAGES; check "$@" ;;
    fuzz)     install_missing $BUILD_PACKAGES; fuzz "${1:-60}" ;;
    coverage) install_missing $BUILD_PACKAGES gcovr; coverage ;;
    clang)    install_missing $BUILD_PACKAGES clang lld; clang_suite ;;
    docs)     install_missing doxygen graphviz; docs ;;
    lint)     install_missing $BUILD_PACKAGES clang lld clang-tidy; lint ;;
    format-check) install_missing clang-format; format_check "$@" ;;
    mutate)   install_missing $BUILD_PACKAGES python3
              python3 tools/mutate/mutate.py "$SOURCE_DIR" "${TORV_MUTATE_DIR:-build-mutate}" "$@" ;;
    abi)      install_missing $BUILD_PACKAGES; abi "$@" ;;
    ci)       install_missing $BUILD_PACKAGES $CHECK_PACKAGES
              # Every file since the first commit: whatever a submission touched.
              docs
              format_check "$(git rev-list --max-parents=0 HEAD | tail -n 1)"
              abi
              clang_suite; lint; check ;;
    *) echo "usage: $0 [example|test|bench|check|fuzz [seconds]|coverage|clang|docs|lint|format-check [base]|abi [--update]|mutate [count] [seed]|ci]" >&2
       exit 2 ;;
esac
