#!/bin/sh
# One entry point for a fresh Debian machine:
#   ./make.sh example   install what is missing, build, run the example host
#   ./make.sh test      install what is missing, build, run the whole test suite
#   ./make.sh bench     install what is missing, build, run the benchmarks
#   ./make.sh clang     the same build and suite with clang (build-clang/)
#   ./make.sh docs      the API reference (build/docs/html); fails on any warning
#   ./make.sh lint      clang-tidy over the library, with .clang-tidy
#   ./make.sh format-check [base]  clang-format over the .h/.cpp changed since base
# Idempotent: packages already present are not installed again, the build
# tree is reused.
set -eu
cd "$(dirname "$0")"
BUILD_DIR=${TORV_BUILD_DIR:-build}
CLANG_BUILD_DIR=${TORV_CLANG_BUILD_DIR:-build-clang}
BUILD_PACKAGES="cmake ninja-build g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-tools wine wine64 googletest"

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

configure_and_build() {
    [ -f "$BUILD_DIR/build.ninja" ] || cmake -S . -B "$BUILD_DIR" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release
    cmake --build "$BUILD_DIR" "$@"
}

# The clang build also gives clang-tidy its compile_commands.json.
configure_clang() {
    [ -f "$CLANG_BUILD_DIR/build.ninja" ] || cmake -S . -B "$CLANG_BUILD_DIR" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE=cmake/clang-mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_EXPORT_COMPILE_COMMANDS=ON
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

lint() {
    configure_clang
    run-clang-tidy -p "$CLANG_BUILD_DIR" -j "$(nproc)" -quiet \
        "$(pwd)/(string|object|module|filesystem|platform)/[^/]*\.cpp\$"
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
    # Resource headers are read by the symbol parser; they keep their layout.
    files=$(git diff --name-only --diff-filter=ACMR "$base" -- '*.h' '*.cpp' \
        | grep -v -e '^resources/' -e '_header\.h$' -e '_symbols\.h$' || true)
    [ -z "$files" ] && { echo "format-check: no C++ file changed since $base"; return 0; }
    echo "$files" | xargs clang-format --dry-run --Werror
    echo "format-check: $(echo "$files" | wc -l) file(s) formatted as .clang-format asks"
}

task=${1:-example}
case "$task" in
    example) install_missing $BUILD_PACKAGES; configure_and_build --target run-example ;;
    test)    install_missing $BUILD_PACKAGES; configure_and_build && cd "$BUILD_DIR" && ctest --output-on-failure -j2 ;;
    bench)   install_missing $BUILD_PACKAGES; configure_and_build --target run-bench ;;
    clang)   install_missing $BUILD_PACKAGES clang; configure_clang && cmake --build "$CLANG_BUILD_DIR" \
                 && cd "$CLANG_BUILD_DIR" && ctest --output-on-failure -j2 ;;
    docs)    install_missing doxygen graphviz; docs ;;
    lint)    install_missing $BUILD_PACKAGES clang clang-tidy; lint ;;
    format-check) install_missing clang-format; shift; format_check "$@" ;;
    *) echo "usage: $0 [example|test|bench|clang|docs|lint|format-check [base]]" >&2; exit 2 ;;
esac
