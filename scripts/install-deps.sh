#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test Quorvane.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
    cmake ninja-build ccache g++ clang libclang-rt-14-dev pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev qt6-image-formats-plugins libqt6dbus6 libqt6svg6
    libx11-dev libxext-dev libxtst-dev libxrandr-dev
    libespeak-ng-dev espeak-ng-data
    libatspi2.0-dev libglib2.0-dev at-spi2-core dbus dbus-x11
    xvfb x11-xserver-utils xdotool xclip openbox x11-apps xdg-utils
    libcanberra-dev libpng-dev libdeflate-dev zlib1g-dev
    python3-gi gir1.2-gtk-3.0 imagemagick
    pybind11-dev python3-dev python3-pytest python3-numpy python3-opencv
    dpkg-dev appstream desktop-file-utils groff-base man-db
    libwayland-dev libwayland-bin libxkbcommon-dev sway qt6-wayland python3-gi-cairo
    libpipewire-0.3-dev pipewire pipewire-bin wireplumber xdg-desktop-portal xdg-desktop-portal-wlr
    gstreamer1.0-pipewire gstreamer1.0-tools gstreamer1.0-plugins-base
    gnome-shell mutter xdg-desktop-portal-gnome gir1.2-atspi-2.0
    kwin-wayland xdg-desktop-portal-kde qtwayland5 qml-module-org-kde-kirigami2
    qml-module-qtquick-controls2 qml-module-qtquick-layouts qml-module-qtquick-window2
    qml-module-qtquick-templates2
)

source "$(dirname "$0")/lib/apt.sh"
install_missing_packages "${packages[@]}"
