#!/bin/sh
# Times `ruk-tool levels` on a file of one line of walls (1,000 MB unless given), written in a
# temporary folder and removed after: the reader must pass over a line that can be no level
# row at the speed the file is read, as it does for a long comment.
# Usage: [RUK_BUILD=DIR] bench/long_line_bench.sh [MEGABYTES]
set -u
MEGABYTES=${1:-1000}
HERE=$(cd "$(dirname "$0")/.." && pwd)
TOOL=${RUK_BUILD:-$HERE/build}/tools/ruk-tool
[ -x "$TOOL" ] || { echo "missing $TOOL (build the ruk-tool target)" >&2; exit 2; }
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT INT TERM
head -c "$((MEGABYTES * 1000000))" /dev/zero | tr '\0' '#' > "$WORK/long.txt"
# Once to bring the file into the page cache, then timed.
"$TOOL" levels "$WORK/long.txt" >/dev/null 2>&1
start=$(date +%s.%N)
"$TOOL" levels "$WORK/long.txt" 2>&1
end=$(date +%s.%N)
awk -v s="$start" -v e="$end" -v mb="$MEGABYTES" 'BEGIN { printf "one line of %d MB: %.2f s\n", mb, e - s }'
