#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows cross-build and its tests under
# Wine need. Does nothing when they are all present already.
set -euo pipefail

packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    googletest wine wine64 xvfb xdotool imagemagick x11-utils
)

source "$(dirname "$0")/lib/apt.sh"
install_missing_packages "${packages[@]}"
