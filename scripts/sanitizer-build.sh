#!/usr/bin/env bash
# Configures build-fuzz/ (the "fuzz" preset: Clang, AddressSanitizer and UBSan on everything built there, the widget
# library included) and builds the given targets only: the fuzz targets (scripts/fuzz.sh) need
# the core library, the random-use driver (scripts/monkey.sh) the windows as well.
# Usage: scripts/sanitizer-build.sh target...
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
cmake --build --preset fuzz --target "$@"
