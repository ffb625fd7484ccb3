#!/usr/bin/env bash
# Builds the program into build/ and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake -S . -B build -DQM_BUILD_TESTS=OFF
cmake --build build -j2
exec build/quillmark
