#!/usr/bin/env bash
# Builds the program and every test into build/, then runs all tests with CTest; then builds
# the fuzz targets into build-fuzz/ and runs each for a bounded time (QM_FUZZ_SECONDS per
# target, 15 by default, none when ctest arguments are given; 0 leaves fuzzing out).
# Extra arguments go to ctest (for example: -R FormatNumber).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -DQM_BUILD_TESTS=ON -DQM_WERROR="${QM_WERROR:-OFF}"
cmake --build build -j2
export QT_QPA_PLATFORM=offscreen
(cd build && ctest --output-on-failure -j2 "$@")

# A run of chosen tests (arguments given) leaves fuzzing out unless asked for.
default_fuzz=15
[ $# -gt 0 ] && default_fuzz=0
fuzz_seconds="${QM_FUZZ_SECONDS:-$default_fuzz}"
if [ "$fuzz_seconds" -gt 0 ]; then
    scripts/fuzz.sh "$fuzz_seconds"
fi
