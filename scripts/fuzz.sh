#!/usr/bin/env bash
# Builds the fuzz targets (clang, libFuzzer, AddressSanitizer and UBSan) into build-fuzz/ and
# runs each for SECONDS (default 20) on a copy of its seed corpus in fuzz/corpus/, then prints
# one line per target: runs, coverage, crashes. Exits non-zero when any target crashes; the
# input that did it is kept in build-fuzz/runs/<target>/.
#   scripts/fuzz.sh [SECONDS] [--merge] [TARGET...]
# --merge adds the inputs that reached new coverage to the seed corpus in fuzz/corpus/.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh

seconds=20
merge=0
targets=()
for arg in "$@"; do
    case "$arg" in
        --merge) merge=1 ;;
        [0-9]*) seconds=$arg ;;
        *) targets+=("$arg") ;;
    esac
done
if [ "${#targets[@]}" -eq 0 ]; then
    targets=(fuzz_level_file fuzz_text_level fuzz_urdl fuzz_solution_text fuzz_solver_output
        fuzz_settings fuzz_skin)
fi

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DRUK_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    >/dev/null
cmake --build build-fuzz -j"$ruk_jobs" --target "${targets[@]}"

# The settings target rewrites its file many times a second: a memory-backed folder spares the
# disk when there is one.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
    export TMPDIR=/dev/shm
fi
# The skin target draws with Qt, without a display.
export QT_QPA_PLATFORM=offscreen

# Inputs up to this size; level files are larger so that levels can be longer than a few rows.
max_len() {
    case "$1" in
        fuzz_level_file | fuzz_text_level) echo 12000 ;;
        fuzz_skin) echo 8192 ;;
        *) echo 4096 ;;
    esac
}

failed=0
for target in "${targets[@]}"; do
    run=build-fuzz/runs/$target
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/artifacts"
    cp fuzz/corpus/"$target"/* "$run/corpus/"
    status=0
    # A hang of 30 s on one input counts as a crash.
    build-fuzz/fuzz/"$target" "$run/corpus" -max_total_time="$seconds" -max_len="$(max_len "$target")" \
        -timeout=30 -artifact_prefix="$run/artifacts/" -print_final_stats=1 \
        >"$run/log.txt" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log.txt" | tail -1)
    coverage=$(grep -oE 'cov: [0-9]+ ft: [0-9]+' "$run/log.txt" | tail -1)
    corpus=$(find "$run/corpus" -type f | wc -l)
    crashes=$(find "$run/artifacts" -type f | wc -l)
    line="$target: ${runs:-?} runs, ${coverage:-cov: ? ft: ?}, corpus $corpus, crashes $crashes"
    if [ "$status" -ne 0 ] || [ "$crashes" -ne 0 ]; then
        failed=1
        echo "$line: FAILED, see $run/log.txt and $run/artifacts/"
    else
        echo "$line"
    fi
    if [ "$merge" -eq 1 ] && [ "$status" -eq 0 ]; then
        build-fuzz/fuzz/"$target" -merge=1 -max_len="$(max_len "$target")" \
            fuzz/corpus/"$target" "$run/corpus" >"$run/merge.txt" 2>&1
    fi
done
exit "$failed"
