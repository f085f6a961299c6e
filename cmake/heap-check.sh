#!/bin/sh
# heap-check.sh RUNNER LOG PROGRAM [ARGS...]: runs PROGRAM through the Wine
# runner with Wine's heap checking on. Wine's trace goes to LOG, a file:
# through a pipe it would slow the run down many times. Fails when the
# program fails or Wine reported any heap error.
runner=$1 log=$2
shift 2
status=0
TORV_WINEDEBUG=+heap "$runner" "$@" 2>"$log" || status=$?
if grep -m 20 "err:heap" "$log"; then
    echo "heap errors reported, trace in $log" >&2
    exit 1
fi
[ "$status" -eq 0 ] || echo "failed with status $status under heap checking, trace in $log" >&2
exit "$status"
