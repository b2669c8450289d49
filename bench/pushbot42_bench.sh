#!/bin/sh
# Runs pushbot42 on every level of a file, one level at a time, and checks every answer with
# ruk-tool replay. Usage: bench/pushbot42_bench.sh FILE [SECONDS]
# PUSHBOT_JOBS=N runs N levels at a time (default 1); PUSHBOT_THREADS=T gives each run
# -threads T (default: pushbot42's own, one search per core). PUSHBOT_FIRST=F and
# PUSHBOT_LAST=L run only levels F..L.
# Prints "N solved|unsolved|lost SECONDS PUSHES MOVES" per level (lost: pushbot42 says there is
# no answer, a fault on a level known to have one), then "solved K of N" with the
# median and the maximum time of the solved levels. A written answer that does not replay as
# solved prints "N mismatch ..." and counts as unsolved. The last line is "lost K".
set -u
FILE=${1:?usage: pushbot42_bench.sh FILE [SECONDS]}
LIMIT=${2:-10}
JOBS=${PUSHBOT_JOBS:-1}
THREADS=${PUSHBOT_THREADS:-0}
HERE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${RUK_BUILD:-$HERE/build}
SOLVER=$BUILD/src/pushbot42
TOOL=$BUILD/tools/ruk-tool
[ -x "$SOLVER" ] || { echo "missing $SOLVER (build the pushbot42 target)" >&2; exit 2; }
[ -x "$TOOL" ] || { echo "missing $TOOL (build the ruk-tool target)" >&2; exit 2; }
[ -r "$FILE" ] || { echo "cannot read $FILE" >&2; exit 2; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM

# One file per level, by the file rule: a level is a run of lines each holding "#" and only
# level characters.
tr -d '\r' < "$FILE" | awk -v dir="$WORK" '
    /^[#$.*@+ _-]*$/ && /#/ { if (!inlevel) { n++; inlevel = 1 } print > (dir "/level" n ".txt"); next }
    { if (inlevel) close(dir "/level" n ".txt"); inlevel = 0 }
    END { print n + 0 > (dir "/count") }'
COUNT=$(cat "$WORK/count")

# One level: its line into $WORK/line<N>, its time into $WORK/time<N> when solved.
cat > "$WORK/one.sh" <<'ONE'
N=$1; WORK=$2; SOLVER=$3; TOOL=$4; FILE=$5; LIMIT=$6; THREADS=$7
OUT=$WORK/out$N.txt
START=$(date +%s.%N)
if [ "$THREADS" -gt 0 ]; then
    "$SOLVER" -in "$WORK/level$N.txt" -out "$OUT" -time "$LIMIT" -threads "$THREADS" > /dev/null 2>&1
else
    "$SOLVER" -in "$WORK/level$N.txt" -out "$OUT" -time "$LIMIT" > /dev/null 2>&1
fi
RC=$?
END=$(date +%s.%N)
SECS=$(echo "$START $END" | awk '{ printf "%.2f", $2 - $1 }')
if [ "$RC" -eq 0 ]; then
    sed -n 2p "$OUT" > "$WORK/moves$N"
    REPLAY=$("$TOOL" replay "$FILE" "$N" "$WORK/moves$N" 2>&1)
    if echo "$REPLAY" | grep -q '^solved 1 '; then
        set -- $(echo "$REPLAY" | grep '^solved 1 ')
        echo "$N solved $SECS $6 $4" > "$WORK/line$N"
        echo "$SECS" > "$WORK/time$N"
    else
        echo "$N mismatch $SECS - -" > "$WORK/line$N"
    fi
elif grep -q 'limit reached' "$OUT" 2>/dev/null; then
    echo "$N unsolved $SECS - -" > "$WORK/line$N"
else
    # Called lost (or no playable level): for a level with an answer that is a fault.
    echo "$N lost $SECS - -" > "$WORK/line$N"
fi
ONE

FIRST=${PUSHBOT_FIRST:-1}
LAST=${PUSHBOT_LAST:-$COUNT}
[ "$LAST" -le "$COUNT" ] || LAST=$COUNT
# Levels run JOBS at a time; lines come out in level order.
seq "$FIRST" "$LAST" | xargs -P "$JOBS" -I{} sh "$WORK/one.sh" {} "$WORK" "$SOLVER" "$TOOL" "$FILE" "$LIMIT" "$THREADS"
COUNT=$((LAST - FIRST + 1))
N=$FIRST
while [ "$N" -le "$LAST" ]; do
    cat "$WORK/line$N"
    N=$((N + 1))
done
SOLVED=$(cat "$WORK"/time* 2>/dev/null | wc -l)
cat "$WORK"/time* 2>/dev/null > "$WORK/times"
sort -n "$WORK/times" | awk -v k="$SOLVED" -v n="$COUNT" '
    { t[NR] = $1 }
    END {
        if (NR == 0) { printf "solved %d of %d\n", k, n; exit }
        m = (NR % 2) ? t[(NR + 1) / 2] : (t[NR / 2] + t[NR / 2 + 1]) / 2
        printf "solved %d of %d median %.2f s max %.2f s\n", k, n, m, t[NR]
    }'
LOST=$(cat "$WORK"/line* | awk '$2 == "lost"' | wc -l)
echo "lost $LOST"
