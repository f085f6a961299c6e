#!/bin/sh
# compare_test.sh SOURCE_DIR WORK_DIR: abi/compare.sh on scratch copies of
# abi/baseline.txt, one side changed by a sed script per case; each case
# gives the status expected and a line the output must hold.
set -eu
compare="$1/abi/compare.sh"
baseline="$1/abi/baseline.txt"
work=$2
mkdir -p "$work"
failures=0
# side | sed script | status | expected line
while IFS='|' read -r side script status expected; do
    cp "$baseline" "$work/baseline.txt"
    cp "$baseline" "$work/current.txt"
    if [ "$script" != - ]; then
        sed -i "$script" "$work/$side.txt"
        if cmp -s "$baseline" "$work/$side.txt"; then
            printf "FAIL: '%s' changed nothing in the %s dump\n" "$script" "$side"
            failures=$((failures + 1))
            continue
        fi
    fi
    result=0
    sh "$compare" "$work/baseline.txt" "$work/current.txt" >"$work/out.txt" 2>&1 || result=$?
    if [ "$result" != "$status" ] || ! grep -qF -- "$expected" "$work/out.txt"; then
        printf "FAIL: %s '%s': status %s (expected %s), output:\n" "$side" "$script" "$result" "$status"
        sed 's/^/    /' "$work/out.txt"
        printf '    expected a line with: %s\n' "$expected"
        failures=$((failures + 1))
    fi
done <<'CASES'
current|-|0|abi: compatible with baseline
baseline|$a export torv::String::removedForTest()|1|removed: export torv::String::removedForTest()
baseline|s/^export torv::SymbolTable::lookupValue(unsigned int) const$/export torv::SymbolTable::lookupValue(int) const/|1|removed: export torv::SymbolTable::lookupValue(int) const
current|$a field torv::StringVal::hash = 24 int|1|added: field torv::StringVal::hash = 24 int
current|s/^\(vslot torv::KelClass\) 3 = \(.*\)/\1 4 = \2/;t;s/^\(vslot torv::KelClass\) 4 = /\1 3 = /|1|changed: vslot torv::KelClass 3 = torv::KelClass::initClassStatics() const -> torv::KelClass::clearClassStatics() const
current|$a export torv::String::addedForTest()|0|(1 addition(s))
current|1s/ [0-9]*\.[0-9.]* at / 99.0.0 at /;/^export torv::SymbolTable::lookupValue(unsigned int) const$/d|0|allowed by the major version of 99.0.0
current|1s/ \([0-9]*\)\.[0-9.]* at / \1.99.0 at /;/^export torv::SymbolTable::lookupValue(unsigned int) const$/d|1|raise the major version of project()
baseline|1d|2|is not an interface dump
CASES
[ "$failures" -eq 0 ] || { echo "$failures case(s) failed"; exit 1; }
echo "all cases passed"
