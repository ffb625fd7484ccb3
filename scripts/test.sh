#!/usr/bin/env bash
# Builds the program and every test into build/, then runs all tests with CTest.
# Extra arguments go to ctest (for example: -R FormatNumber).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh test
cmake -S . -B build -DQM_BUILD_TESTS=ON -DQM_WERROR="${QM_WERROR:-OFF}"
cmake --build build -j2
export QT_QPA_PLATFORM=offscreen
cd build
ctest --output-on-failure -j2 "$@"
