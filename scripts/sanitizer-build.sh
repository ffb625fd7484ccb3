#!/usr/bin/env bash
# Configures build-fuzz/ (Clang, AddressSanitizer and UBSan on everything built there, the widget
# library included) and builds the given targets only: the fuzz targets (scripts/fuzz.sh) need
# the core library, the random-use driver (scripts/monkey.sh) the windows as well.
# Usage: scripts/sanitizer-build.sh target...
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++-14 -DQM_FUZZ=ON -DQM_CORE_ONLY=OFF \
    -DQM_MONKEY=ON -DQM_BUILD_TESTS=OFF -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
cmake --build build-fuzz -j2 --target "$@"
