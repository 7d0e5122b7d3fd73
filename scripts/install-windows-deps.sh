#!/usr/bin/env bash
# Installs the Debian 12 packages the Windows cross-build and its tests under
# Wine need, and enables Debian's source packages (Google Benchmark and
# libdeflate are built from their sources with the cross compiler). Does
# nothing when all is present.
set -euo pipefail

packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools libz-mingw-w64-dev
    googletest wine wine64 xvfb xdotool imagemagick x11-utils dpkg-dev
)

source "$(dirname "$0")/lib/apt.sh"
install_missing_packages "${packages[@]}"

# Source packages: added only when no apt source offers them yet.
if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo=sudo
    $sudo tee /etc/apt/sources.list.d/quorvane-deb-src.sources >/dev/null <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
    $sudo apt-get update -qq
fi
