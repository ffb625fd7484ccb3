#!/usr/bin/env bash
# Builds the program without tests into build-package/ (the "package" preset) with Debian's
# hardening flags (dpkg-buildflags: PIE, bind-now, fortified functions, stack protector) and
# makes the Debian package there (quillmark_<version>_<arch>.deb, the program stripped); then
# checks it with lintian (no error, no warning), desktop-file-validate and appstreamcli.
# Install it with: sudo apt-get install ./build-package/quillmark_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh package

export DEB_BUILD_MAINT_OPTIONS=hardening=+all
# CMake reads no preprocessor flags of its own: the fortify define goes with the compiler flags.
cxxflags="$(dpkg-buildflags --get CPPFLAGS) $(dpkg-buildflags --get CXXFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake --preset package -DQM_WERROR="${QM_WERROR:-OFF}" -DCMAKE_CXX_FLAGS="$cxxflags" \
    -DCMAKE_EXE_LINKER_FLAGS="$ldflags" -DCMAKE_SHARED_LINKER_FLAGS="$ldflags" \
    -DCMAKE_MODULE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build --preset package
cd build-package
rm -f quillmark_*.deb
cpack -G DEB >/dev/null
deb=$(ls quillmark_*.deb)
echo "Built build-package/$deb"

# The checks a packager runs: any error or warning fails.
lintian --fail-on error,warning --display-info "$deb"
# Qt's Wayland platform is recommended, so that the program runs natively in a Wayland session.
if ! dpkg-deb -f "$deb" Recommends | grep -qw qt6-wayland; then
    echo "$deb does not recommend qt6-wayland" >&2
    exit 1
fi
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
dpkg-deb -x "$deb" "$check"
desktop-file-validate "$check"/usr/share/applications/*.desktop
appstreamcli validate-tree --no-net --pedantic "$check"
