#!/usr/bin/env bash
# Sets up the machine, builds RUK and runs every test: the normal build, then the core tests
# and the window again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for 15 seconds. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

# The public collections some tests read: the folder the build was configured with (cmake
# -DRUK_SHARED_LEVELS=/path), by default ../shared/levels beside the project.
ruk_shared_files=(original-90.txt microban-155.txt microban-155-solutions.txt
    microban-155-solutions-sokoplugin.txt dries-696.txt dries-696-solutions.txt
    large-sasquatch-viii.txt large-microban-iv.txt)
ruk_shared_levels() {
    local cached
    cached=$(sed -n 's/^RUK_SHARED_LEVELS:[A-Z]*=//p' build/CMakeCache.txt 2>/dev/null || true)
    echo "${cached:-$PWD/../shared/levels}"
}
# One line at the end, pass or fail: whether the collections were found (and so used) and where.
ruk_report_shared() {
    local folder found=0 file
    folder=$(ruk_shared_levels)
    for file in "${ruk_shared_files[@]}"; do
        [ -f "$folder/$file" ] && found=$((found + 1))
    done
    if [ "$found" -eq "${#ruk_shared_files[@]}" ]; then
        echo "Public level collections: found and used, in $folder"
    elif [ "$found" -gt 0 ]; then
        echo "Public level collections: $found of ${#ruk_shared_files[@]} files found and used," \
            "in $folder; the tests of the missing ones were skipped"
    else
        echo "Public level collections: not found in $folder; the tests that need them were" \
            "skipped (point to them with cmake -DRUK_SHARED_LEVELS=/path)"
    fi
}
trap ruk_report_shared EXIT

ruk_build
ctest --test-dir build --output-on-failure -j"$ruk_jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRUK_SANITIZE=ON \
    -DRUK_SHARED_LEVELS="$(ruk_shared_levels)"
cmake --build build-sanitize -j"$ruk_jobs" --target ruk_core_tests ruk_alloc_tests ruk-tool \
    ruk_shell_tests ruk_window_tests ruk_fit_window_tests pushbot42_tests ruk_progress_tests
ctest --test-dir build-sanitize --output-on-failure -j"$ruk_jobs"

scripts/fuzz.sh 15
