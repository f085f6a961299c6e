#!/bin/sh
# abi/dump.sh BUILD_DIR: the interface of the TorvBase build in BUILD_DIR.
# First line "# TorvBase <version> at <commit>", then one sorted line per
# fact: every export of TorvBase.dll, demangled ("export ..."), and the
# layout of each class listed in abi/probe.cpp (see abi/layout.py). Needs
# the targets TorvBase and torv_abi_probe built. TORV_ABI_TOOLS is the
# binutils prefix (default x86_64-w64-mingw32-).
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
tools=${TORV_ABI_TOOLS:-x86_64-w64-mingw32-}
dll=$build/bin/TorvBase.dll
probe=$build/abi/CMakeFiles/torv_abi_probe.dir/probe.cpp.obj
for f in "$dll" "$probe"; do
    [ -f "$f" ] || { echo "abi/dump.sh: $f is missing; build TorvBase and torv_abi_probe first" >&2; exit 2; }
done

version=$(sed -n 's/^project(TorvBase VERSION \([0-9][0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
commit=$(git -C "$source_dir" rev-parse --short HEAD 2>/dev/null || echo unknown)
exports=$(mktemp)
layout=$(mktemp)
trap 'rm -f "$exports" "$layout"' EXIT
# The export table's name list: "\t[   7] _ZN4torv..." after its heading.
"${tools}objdump" -p "$dll" \
    | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/ s/^[[:space:]]*\[ *[0-9]*\] //p' \
    | "${tools}c++filt" | sed 's/^/export /' >"$exports"
TORV_ABI_PROBE_SOURCE="$here/probe.cpp" TORV_ABI_PROBE_OBJECT="$probe" TORV_ABI_TOOLS="$tools" \
    "${tools}gdb" -batch -nx -ex "file $probe" -x "$here/layout.py" >"$layout"
[ -s "$exports" ] && [ -s "$layout" ] || { echo "abi/dump.sh: no exports or no layout read" >&2; exit 2; }
echo "# TorvBase $version at $commit"
cat "$exports" "$layout" | LC_ALL=C sort -u
