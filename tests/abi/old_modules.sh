#!/bin/sh
# old_modules.sh SOURCE_DIR BUILD_DIR TOOLCHAIN_FILE EMULATOR: builds the
# example sibling and tests/abi/compat/OldProgram.cpp from the sources of
# the commit abi/baseline.txt names, in BUILD_DIR/abi-compat with the same
# toolchain, and runs the program with the current TorvBase.dll beside it.
# Skips (77) when the clone lacks that commit.
set -eu
source_dir=$1
build_dir=$2
toolchain=$3
emulator=$4
commit=$(sed -n '1s/^# TorvBase [0-9.]* at \([0-9a-z]*\)$/\1/p' "$source_dir/abi/baseline.txt")
if [ -z "$commit" ] || ! git -C "$source_dir" cat-file -e "$commit^{commit}" 2>/dev/null; then
    echo "SKIP: the baseline's commit '$commit' is not in this clone (a shallow one?), so the old modules cannot be built"
    exit 77
fi
if ! git -C "$source_dir" cat-file -e "$commit:tests/abi/compat/OldProgram.cpp" 2>/dev/null; then
    echo "SKIP: the baseline's commit $commit predates tests/abi/compat/OldProgram.cpp, so there is no old program"
    exit 77
fi
work=$build_dir/abi-compat
old=$work/source-$commit
# Only what the old modules are built from; kept while the baseline stays.
if [ ! -f "$old.complete" ]; then
    rm -rf "$work"/source-*
    mkdir -p "$old"
    git -C "$source_dir" archive "$commit" cmake examples/sibling string object module filesystem platform \
        tests/abi/compat | tar -x -C "$old"
    touch "$old.complete"
fi
cmake -S "$source_dir/tests/abi/compat" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DTORV_OLD_SOURCE="$old" -DTORV_LIBRARY_BUILD="$build_dir" >"$work/configure.log" \
    || { cat "$work/configure.log"; exit 1; }
cmake --build "$work/build"
# The current library and the run-time it was built with, beside the old program.
cp "$build_dir/bin/TorvBase.dll" "$build_dir"/bin/lib*.dll "$work/build/bin/"

run=$work/run
rm -rf "$run"
mkdir -p "$run/from"
printf 'old modules\n' >"$run/from/a.txt"
windows=$(echo "Z:$run" | tr / '\\')
output=$(cd "$run" && "$emulator" "$work/build/bin/OldProgram.exe" /lang=DEU "$windows\\from" "$windows\\to") || status=$?
echo "$output"
[ "${status:-0}" -eq 0 ] && echo "$output" | grep -q '^old program: \([0-9]*\) of \1 checks passed' \
    || { echo "the program built at $commit fails with the current TorvBase.dll (status ${status:-0})"; exit 1; }
