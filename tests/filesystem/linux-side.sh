#!/bin/sh
# What Wine's own calls cannot make, made on the Linux side for the
# file-system tests:
#   linux-side.sh setup DIR PREFIX RUNNER
#       links to folders under DIR, and drive T: of PREFIX leading to DIR
#       (RUNNER makes the prefix first when it is not ready yet)
#   linux-side.sh cleanup DIR PREFIX
#   linux-side.sh denied DIR PREFIX RUNNER PROGRAM [ARGUMENTS...]
#       runs PROGRAM with DIR\denied\src holding a folder it may not list,
#       and DIR\denied\linked a link to that folder: without root's
#       permission override, and in a prefix of its own, as a wineserver
#       already running for PREFIX would list it with root's.
set -eu
task=$1 dir=$2 prefix=$3
shift 3
windows() { printf 'Z:%s' "$1" | tr / '\\'; }
ready() { [ -f "$prefix/.torv-ready" ] || "$1" cmd /c exit 0 >/dev/null 2>&1 || true; }
case "$task" in
setup)
    rm -rf "$dir"
    mkdir -p "$dir/x" "$dir/srcA" "$dir/dstA" "$dir/srcB" "$dir/srcC/sub" "$dir/dstC" "$dir/outside" "$dir/tree"
    ln -s x "$dir/alias"
    ln -s ../dstA "$dir/srcA/toTarget"
    ln -s . "$dir/srcB/loop"
    echo c >"$dir/srcC/sub/f.txt"
    ln -s ../srcC "$dir/dstC/sub"
    printf keep >"$dir/outside/keep.txt"
    ln -s ../outside "$dir/tree/link"
    ready "$1"
    ln -sfn "$dir" "$prefix/dosdevices/t:" ;;
cleanup)
    rm -rf "$dir" "$prefix/dosdevices/t:" ;;
denied)
    runner=$1
    shift
    drop="--inh-caps=-dac_override,-dac_read_search --bounding-set=-dac_override,-dac_read_search"
    # shellcheck disable=SC2086
    if ! setpriv $drop true 2>/dev/null; then
        echo "setpriv cannot drop root's permission override here: the denied-listing test skips"
        exec "$runner" "$@"
    fi
    ready "$runner"
    shadow="$dir/prefix"
    rm -rf "$dir" && mkdir -p "$shadow" "$dir/denied/src/locked" "$dir/denied/dst" "$dir/denied/linked" "$dir/denied/dst2"
    cp -a "$prefix/dosdevices" "$prefix"/*.reg "$prefix/.update-timestamp" "$prefix/.torv-ready" "$shadow/"
    ln -s "$prefix/drive_c" "$shadow/drive_c"
    printf top >"$dir/denied/src/top.txt"
    echo hidden >"$dir/denied/src/locked/f.txt"
    ln -s ../src/locked "$dir/denied/linked/toLocked"
    chmod 0311 "$dir/denied/src/locked"
    status=0
    # shellcheck disable=SC2086
    TORV_WINEPREFIX="$shadow" TORV_DENIED="$(windows "$dir/denied")" setpriv $drop "$runner" "$@" || status=$?
    chmod 0755 "$dir/denied/src/locked"
    WINEPREFIX="$shadow" wineserver -k 2>/dev/null || true
    rm -rf "$dir"
    exit "$status" ;;
esac
