#!/usr/bin/env bash
# Builds the program into build/ (the "default" preset, without the tests) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh run
cmake --preset default -DQM_BUILD_TESTS=OFF
cmake --build --preset default
exec build/quillmark
