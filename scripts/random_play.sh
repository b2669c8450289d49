#!/usr/bin/env bash
# Plays seeded random events on the sample levels (and on LEVELS, a folder or file, when given)
# with the core's invariants checked after every event; builds ruk-random-play into build/ when
# needed. Prints one summary line, and every break with its seed; exits non-zero on a break.
#   scripts/random_play.sh [--seed N] [--events N] [LEVELS...]
set -euo pipefail
cd "$(dirname "$0")/.."

seed=1
events=20000
levels=()
while [ $# -gt 0 ]; do
    case "$1" in
        --seed) seed=$2; shift 2 ;;
        --events) events=$2; shift 2 ;;
        *) levels+=("$1"); shift ;;
    esac
done

if [ ! -f build/CMakeCache.txt ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build build -j2 --target ruk-random-play >/dev/null
exec build/tools/ruk-random-play --seed "$seed" --events "$events" levels/ruk-samples.txt \
    "${levels[@]}"
