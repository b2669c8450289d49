#!/bin/sh
# Records what pushbot42 answers on the first levels of a file, one level at a time, without the
# times: two builds that search alike print the same lines, so a diff of two records shows a
# change in behaviour after a rework of the search.
# Usage: bench/pushbot42_record.sh FILE COUNT [SECONDS [PUSHBOT42 OPTIONS...]]
# Per level: "N exit=STATUS" and pushbot42's comment line with its time left out, then the
# answer line (empty when there is none). RUK_BUILD names the build folder (default build/).
set -u
FILE=${1:?usage: pushbot42_record.sh FILE COUNT [SECONDS [OPTIONS...]]}
COUNT=${2:?usage: pushbot42_record.sh FILE COUNT [SECONDS [OPTIONS...]]}
LIMIT=${3:-10}
shift $(($# < 3 ? $# : 3))
HERE=$(cd "$(dirname "$0")/.." && pwd)
SOLVER=${RUK_BUILD:-$HERE/build}/src/pushbot42
[ -x "$SOLVER" ] || { echo "missing $SOLVER (build the pushbot42 target)" >&2; exit 2; }
[ -r "$FILE" ] || { echo "cannot read $FILE" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
# One file per level, cut as bench/pushbot42_bench.sh cuts them.
tr -d '\r' < "$FILE" | awk -v dir="$WORK" '
    /^[#$.*@+ _-]*$/ && /#/ { if (!inlevel) { n++; inlevel = 1 } print > (dir "/level" n ".txt"); next }
    { if (inlevel) close(dir "/level" n ".txt"); inlevel = 0 }'
N=1
while [ "$N" -le "$COUNT" ] && [ -r "$WORK/level$N.txt" ]; do
    "$SOLVER" -in "$WORK/level$N.txt" -out "$WORK/out$N.txt" -time "$LIMIT" "$@" > /dev/null 2>&1
    STATUS=$?
    echo "$N exit=$STATUS $(sed -n 1p "$WORK/out$N.txt" 2>/dev/null | sed 's/[0-9.]* s\([,)]\)/-\1/')"
    sed -n 2p "$WORK/out$N.txt" 2>/dev/null
    N=$((N + 1))
done
