#!/usr/bin/env bash
# End-to-end checks of `quorvane-cli explain` over near misses built with
# known channel offsets, masked pictures and pictures larger than the area.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

# A 24x12 screen of known random colours.
RANDOM=7
w=24 h=12
declare -a r g b
{
    printf 'P3\n%d %d\n255\n' "$w" "$h"
    for ((i = 0; i < w * h; i++)); do
        r[i]=$((RANDOM % 256)) g[i]=$((RANDOM % 256)) b[i]=$((RANDOM % 256))
        echo "${r[i]} ${g[i]} ${b[i]}"
    done
} >screen.ppm
convert screen.ppm -alpha set PNG32:screen.png

# The 5x4 piece at (11,3), with pixels moved by known amounts away from the clamps.
moved() { local v=$1 by=$2; echo $((v > 127 ? v - by : v + by)); }
point() { # x y: "rgb(...)" of the screen pixel under picture pixel (x, y), channels moved by dr dg db
    local i=$(((3 + $2) * w + 11 + $1))
    echo "rgb($(moved "${r[i]}" "$3"),$(moved "${g[i]}" "$4"),$(moved "${b[i]}" "$5"))"
}
convert screen.png -crop 5x4+11+3 +repage \
    -fill "$(point 1 1 9 0 0)" -draw 'point 1,1' \
    -fill "$(point 3 2 0 0 4)" -draw 'point 3,2' \
    -fill "$(point 0 3 0 6 0)" -draw 'point 0,3' PNG32:near.png
# The same with the red-moved pixel transparent.
convert near.png -channel A -fx '(i==1&&j==1)?0:1' +channel PNG32:masked.png
convert screen.png -crop 5x4+11+3 +repage PNG24:near24.png

# expect STATUS EXPECTED_STDOUT -- ARGS...
expect() {
    local want_rc=$1 want_out=$2; shift 3
    local out rc
    out=$(timeout -s KILL 60 "$cli" explain "$@" 2>stderr.txt); rc=$?
    [ "$rc" = "$want_rc" ] || fail "explain $* exited $rc, expected $want_rc ($(cat stderr.txt))"
    [ "$out" = "$want_out" ] || fail "explain $*: stdout was
$out
expected
$want_out"
}
lines() { printf 'Closest match at %s needs deviation %s\n%s of %s pixels differ by more than the given deviation' "$@"; }

expect 1 "$(lines 11,3 9,6,4 3 20)" -- --picture near.png --screen-image screen.png
expect 1 "$(lines -89,10 9,6,4 3 20)" -- --picture near.png --screen-image screen.png --origin -100,7
expect 1 "$(lines 11,3 9,6,4 1 20)" -- --picture near.png --screen-image screen.png --deviation 9,6,3
expect 0 "$(lines 11,3 9,6,4 0 20)" -- --picture near.png --screen-image screen.png --deviation 9,6,4
expect 0 "$(lines 11,3 9,6,4 0 20)" -- --picture near.png --screen-image screen.png --deviation 30,30,30
# An area holding the piece, and one beside it.
expect 1 "$(lines 11,3 9,6,4 3 20)" -- --picture near.png --screen-image screen.png --area 8,2,10,8
# Masked: the transparent pixel neither needs anything nor counts.
expect 1 "$(lines 11,3 0,6,4 2 19)" -- --picture masked.png --screen-image screen.png --mask-transparent
expect 0 "$(lines 11,3 0,6,4 0 19)" \
    -- --picture masked.png --screen-image screen.png --mask-transparent --deviation 0,6,4
# Larger than the area: one line saying so, exit 1.
out=$("$cli" explain --picture screen.png --screen-image near.png 2>&1); rc=$?
[ "$rc" = 1 ] || fail "a picture larger than the area exited $rc"
case "$out" in *"(24 x 12) is larger than the area (5 x 4)"*) ;; *) fail "larger picture: $out" ;; esac
[ "$(echo "$out" | wc -l)" = 1 ] || fail "larger picture: more than one line: $out"
expect 1 "$(printf 'The picture (5 x 4) is larger than the area (4 x 4), so it can never match there')" \
    -- --picture near.png --screen-image screen.png --area 0,0,4,4

# Bad input: exit 2, one line on standard error.
for args in "--picture missing.png --screen-image screen.png" \
    "--picture near24.png --screen-image screen.png" "--picture near.png" \
    "--picture near.png --screen-image missing.png" \
    "--picture near.png --screen-image screen.png --area 0,0,25,12" \
    "--picture near.png --screen-image screen.png --deviation 1,2"; do
    # shellcheck disable=SC2086
    out=$(timeout -s KILL 60 "$cli" explain $args 2>stderr.txt); rc=$?
    [ "$rc" = 2 ] || fail "explain $args exited $rc, expected 2"
    [ -z "$out" ] || fail "explain $args printed: $out"
    [ "$(wc -l <stderr.txt)" = 1 ] || fail "explain $args: expected one error line: $(cat stderr.txt)"
done

summary
