#!/usr/bin/env bash
# Installs what building and testing need on Debian 12, or says what to install.
# Usage: scripts/deps.sh [run|test]
set -euo pipefail

packages=(build-essential cmake qt6-base-dev qt6-charts-dev libgl-dev fonts-liberation)
if [ "${1:-run}" = test ]; then
    # The print tests run a private print scheduler and read the printed PDF files.
    packages+=(libgtest-dev cups printer-driver-cups-pdf poppler-utils)
fi

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
