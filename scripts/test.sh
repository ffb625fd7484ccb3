#!/usr/bin/env bash
# Builds the program and every test into build/, then runs all tests with CTest; then builds
# the fuzz targets into build-fuzz/ and runs each for a bounded time (QM_FUZZ_SECONDS per
# target, 15 by default, none when ctest arguments are given; 0 leaves fuzzing out); then builds
# the random-use driver there and runs it for QM_MONKEY_EVENTS events per seed (5000 by default,
# none when ctest arguments are given; 0 leaves it out).
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

default_monkey=5000
[ $# -gt 0 ] && default_monkey=0
monkey_events="${QM_MONKEY_EVENTS:-$default_monkey}"
if [ "$monkey_events" -gt 0 ]; then
    scripts/monkey.sh "$monkey_events"
fi
