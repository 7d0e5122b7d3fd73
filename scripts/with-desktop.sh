#!/usr/bin/env bash
# Runs a command inside a private desktop: Xvfb with two monitors (the primary
# on the right, so the left one has negative coordinates), a session D-Bus and
# the accessibility bus. With --wm, openbox manages the windows.
# Everything started here is stopped on exit.
set -euo pipefail

wm=0
if [ "${1:-}" = "--wm" ]; then wm=1; shift; fi

pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    [ -n "${runtime_dir:-}" ] && rm -rf "$runtime_dir"
}
trap cleanup EXIT

# shellcheck source=lib/xvfb.sh
source "$(dirname "$0")/lib/xvfb.sh"
start_xvfb 3200x1080x24
pids+=("$XVFB_PID")

# Left monitor 1280x1024 at root (0,0); primary 1920x1080 right of it.
xrandr --setmonitor QRV-LEFT 1280/338x1024/270+0+0 screen >/dev/null
xrandr --setmonitor "*QRV-MAIN" 1920/508x1080/286+1280+0 none >/dev/null

runtime_dir=$(mktemp -d)
# An X desktop only, even when started from a Wayland session.
unset WAYLAND_DISPLAY
export XDG_RUNTIME_DIR="$runtime_dir"
export HOME="${QRV_TEST_HOME:-$runtime_dir/home}"
mkdir -p "$HOME"
export XDG_CONFIG_HOME="$HOME/.config" XDG_DATA_HOME="$HOME/.local/share"

eval "$(dbus-launch --sh-syntax)"
pids+=("$DBUS_SESSION_BUS_PID")
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
if [ -x /usr/libexec/at-spi-bus-launcher ]; then
    /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
    pids+=($!)
fi
if [ "$wm" = 1 ]; then
    openbox --sm-disable >/dev/null 2>&1 &
    pids+=($!)
    # Windows mapped while the manager starts up can be lost: wait until it
    # announces itself, however busy the machine is.
    for _ in $(seq 400); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
        sleep 0.05
    done
    sleep 0.5
fi

"$@"
