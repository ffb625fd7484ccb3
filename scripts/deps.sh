#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, or says what to install.
# Usage: scripts/deps.sh [run|test|bench|package|fresh]
set -euo pipefail

packages=(build-essential cmake qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev libgl-dev fonts-liberation fonts-dejavu-core)
case "${1:-run}" in
test)
    # The tests, the fuzz run, the print tests (a private print scheduler whose printed PDF
    # files are read back), the tests of what only X11 has (the mouse selection's paste: a
    # virtual X server) and the screen-reader test (a private session bus with the accessibility
    # bus on it, and an AT-SPI client).
    packages+=(libgtest-dev clang-14 libclang-rt-14-dev cups printer-driver-cups-pdf poppler-utils
               xvfb xauth dbus at-spi2-core python3-pyatspi)
    # The start-up probe the tests use makes one X round trip (the X client library).
    packages+=(libxcb1-dev)
    # The install test validates the menu entry, the AppStream metadata and the file type, and
    # renders the manual page as man shows it (groff).
    packages+=(desktop-file-utils appstream shared-mime-info groff-base)
    # The formatting check of the C++ files (scripts/test.sh runs clang-format-14).
    packages+=(clang-format-14)
    # Screenshots of the windows under Xvfb ("import -window root"), to look at them.
    packages+=(imagemagick)
    # The windows natively on Wayland: a compositor (drawing into Xvfb) and Qt's Wayland platform.
    packages+=(weston qt6-wayland)
    # Where a window manager puts the start menu: one that places windows by free space.
    packages+=(openbox)
    ;;
bench)
    packages+=(libbenchmark-dev)
    # scripts/frame-bench.sh: a virtual X server, the X client library for one round trip after
    # each frame, and the private print queue of the print tests (scheduler, PDF tools, and the
    # test library its helpers report through).
    packages+=(xvfb xauth libxcb1-dev cups poppler-utils libgtest-dev)
    ;;
package)
    # The library dependencies and hardening flags (dpkg-dev, file), the checks of the result.
    packages+=(dpkg-dev file lintian desktop-file-utils appstream shared-mime-info)
    ;;
fresh) packages=(debootstrap git) ;; # scripts/fresh-check.sh: a new Debian system to test in
esac

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
    echo "Missing packages. Install them with:" >&2
    echo "  sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
