#!/usr/bin/env bash
# The shared input checks on the headless sway. Its seat has no mouse or
# keyboard: a helper holds a virtual pair. The first output moves to the
# origin, where the test window's coordinates are the screen's.
# Run inside tests/wayland/with-sway.sh. Usage: input_test.sh QUORVANE_CLI
here=$(dirname "$0")
swaymsg output HEADLESS-1 position 0 0 >/dev/null
swaymsg output HEADLESS-2 position 1280 0 >/dev/null
exec {devices}< <(exec "$here/virtual_devices")
trap 'kill $!' EXIT
read -r -t 60 ready <&"$devices" || { echo "FAIL: no virtual pointer and keyboard"; exit 1; }
bash "$here/input_checks.sh" "$1"
