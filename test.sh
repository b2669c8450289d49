#!/usr/bin/env bash
# Sets up the machine, builds RUK and runs every test: the normal build, then the core tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

jobs=$(nproc 2>/dev/null || echo 2)

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-sanitize -DCMAKE_BUILD_TYPE=Debug -DRUK_SANITIZE=ON
cmake --build build-sanitize -j"$jobs" --target ruk_core_tests ruk-tool
ctest --test-dir build-sanitize --output-on-failure -j"$jobs"
