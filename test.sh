#!/usr/bin/env bash
# Sets up the machine, builds RUK and runs every test: the normal build, then the core tests
# and the window again under AddressSanitizer and UndefinedBehaviorSanitizer, then each fuzz
# target for 15 seconds. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

ruk_build
ctest --test-dir build --output-on-failure -j"$ruk_jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRUK_SANITIZE=ON
cmake --build build-sanitize -j"$ruk_jobs" --target ruk_core_tests ruk_alloc_tests ruk-tool \
    ruk_shell_tests ruk_window_tests pushbot42_tests
ctest --test-dir build-sanitize --output-on-failure -j"$ruk_jobs"

scripts/fuzz.sh 15
