#!/usr/bin/env bash
# End-to-end check of `quorvane-cli find` on the headless sway: a native
# Wayland window on each output shows the pattern patch; the CLI finds it on
# the live screen, moves there, clicks its centre and puts the cursor back.
# Run inside tests/wayland/with-sway.sh. Usage: cli_find_test.sh QUORVANE_CLI
set -uo pipefail
cli=$1
source "$(dirname "$0")/harness.sh"
for side in left right; do
    output=HEADLESS-1
    [ $side = right ] && output=HEADLESS-2
    swaymsg focus output $output >/dev/null
    window "cli-$side" "$work/$side.log"
done
python3 "$apps/pattern_window.py" --patch "$work/patch.png"

# find_on SIDE AREA: the patch is at (300, 200) in the window, 160x120: centre (380, 260).
find_on() {
    local side=$1 area=$2
    timeout 120 "$cli" find --picture "$work/patch.png" --area "$area" --count 50 --interval 100 \
        --click --cursor-back --abort-on-match >"$work/find-$side.out" 2>&1
    local rc=$?
    check "find on the $side output exits 0 ($(tail -1 "$work/find-$side.out"))" test $rc = 0
    check "the $side window was clicked at the patch centre" saw "$work/$side.log" "press 1 380 260"
    check "and released there" saw "$work/$side.log" "release 1 380 260"
}
# A Wayland client cannot read the pointer's position: a fresh process does
# not know where the cursor started, and "cursor back" leaves it at the patch
# instead of sending it to a guessed start such as the origin. The right
# window has seen every motion of the left find once the right find is done.
find_on left -1280,0,1280,1024
find_on right 0,0,1920,1080
check "cursor back did not send the pointer to the origin" \
    bash -c '! grep -qE "^(enter|motion) 0 0$" "$0"' "$work/right.log"

summary
