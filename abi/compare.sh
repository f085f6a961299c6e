#!/bin/sh
# abi/compare.sh BASELINE CURRENT: compares two interface dumps of
# abi/dump.sh and prints each difference, then a verdict:
#   removed: <line>              a break
#   changed: <key> = old -> new  a break
#   added: <line>                an addition: an export or a class of its
#                                own; a break when it is a base, field or
#                                virtual of a class the baseline has
# Breaks fail (status 1) unless CURRENT's major version is above
# BASELINE's. Status 2 for a file that is no dump.
set -eu
for f in "$1" "$2"; do
    head -n 1 "$f" | grep -q '^# TorvBase [0-9][0-9.]* at [0-9a-z]*$' \
        || { echo "abi: $f is not an interface dump (no '# TorvBase <version> at <commit>' line)" >&2; exit 2; }
done
LC_ALL=C awk '
    # "kind key = value" lines have a key; an export is its own key.
    function key(line,    i) { i = index(line, " = "); return i ? substr(line, 1, i - 1) : line }
    function value(line,    i) { i = index(line, " = "); return i ? substr(line, i + 3) : "" }
    # The class a base, field or virtual belongs to.
    function owner(k) {
        if (k ~ /^base /) { sub(/^base /, "", k); sub(/ : .*/, "", k); return k }
        if (k ~ /^vslot /) { sub(/^vslot /, "", k); sub(/ [^ ]*$/, "", k); return k }
        if (k ~ /^field /) { sub(/^field /, "", k); sub(/::[^:]*$/, "", k); return k }
        return ""
    }
    FNR == 1 { if (++file == 1) { base_version = $3; base_commit = $5 } else version = $3; next }
    file == 1 { old[key($0)] = $0; if ($1 == "class") known[$2] = 1; next }
    { now[key($0)] = $0; order[++n] = key($0) }
    END {
        for (k in old)
            if (!(k in now)) removed[++nr] = old[k]
        for (i = 1; i <= n; i++) {
            k = order[i]
            if (!(k in old)) {
                o = owner(k)
                if (o != "" && (o in known)) grown[++ng] = now[k]
                else added[++na] = now[k]
            } else if (old[k] != now[k]) changed[++nc] = k " = " value(old[k]) " -> " value(now[k])
        }
        sort(removed, nr); sort(changed, nc); sort(grown, ng); sort(added, na)
        for (i = 1; i <= nr; i++) print "removed: " removed[i]
        for (i = 1; i <= nc; i++) print "changed: " changed[i]
        for (i = 1; i <= ng; i++) print "added: " grown[i] " (in a class the baseline has)"
        for (i = 1; i <= na; i++) print "added: " added[i]
        breaks = nr + nc + ng
        split(base_version, b, "."); split(version, v, ".")
        against = "baseline " base_version " at " base_commit
        if (breaks == 0) { printf "abi: compatible with %s (%d addition(s))\n", against, na; exit 0 }
        if (v[1] + 0 > b[1] + 0) {
            printf "abi: %d break(s) against %s, allowed by the major version of %s (%d addition(s))\n", breaks, against, version, na
            exit 0
        }
        printf "abi: %d break(s) against %s; raise the major version of project() or restore them\n", breaks, against
        exit 1
    }
    function sort(a, m,    i, j, t) { for (i = 2; i <= m; i++) for (j = i; j > 1 && a[j - 1] > a[j]; j--) { t = a[j]; a[j] = a[j - 1]; a[j - 1] = t } }
' "$1" "$2"
