#!/usr/bin/env bash
# Builds the program without tests into build-package/ and makes the Debian package there
# (quillmark_<version>_<arch>.deb). Install it with: sudo apt-get install ./build-package/quillmark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package
cmake -S . -B build-package -DQM_BUILD_TESTS=OFF -DQM_WERROR="${QM_WERROR:-OFF}" >/dev/null
cmake --build build-package -j2
cd build-package
cpack -G DEB
