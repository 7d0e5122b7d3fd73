#!/usr/bin/env bash
# The shared input checks on the headless sway. Its seat has no mouse or
# keyboard: a helper holds a virtual pair. The first output moves to the
# origin, where the test window's coordinates are the screen's. The text
# checks run once more on a German layout.
# Run inside tests/wayland/with-sway.sh. Usage: input_test.sh QUORVANE_CLI
here=$(dirname "$0")
swaymsg output HEADLESS-1 position 0 0 >/dev/null
swaymsg output HEADLESS-2 position 1280 0 >/dev/null
exec {devices}< <(exec "$here/virtual_devices")
trap 'kill $!' EXIT
read -r -t 60 ready <&"$devices" || { echo "FAIL: no virtual pointer and keyboard"; exit 1; }
bash "$here/input_checks.sh" "$1" || exit 1
# Text and ctrl+a again on a German layout (y and z trade places, umlauts on
# keys of their own), which the keyboards take from sway's configuration.
swaymsg input type:keyboard xkb_layout de >/dev/null
bash "$here/input_checks.sh" "$1" right middle double drag scroll horizontal
