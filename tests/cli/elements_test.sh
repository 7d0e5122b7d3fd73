#!/usr/bin/env bash
# End-to-end checks of `quorvane-cli elements`, `click-element` and the
# element action of `find`, against a small accessible GTK window.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
app="$here/../platform/apps/accessible_target.py"
if [ -z "${DISPLAY:-}" ] || [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] ||
    ! /usr/bin/python3 -c 'import gi' 2>/dev/null; then
    echo "no desktop session or no python3-gi: skipped"
    echo "0 passed, 0 failed, 1 skipped"
    exit 0
fi
source "$here/lib/harness.sh"

exec 3> >(/usr/bin/python3 "$app" "Element Target" "$work/presses" >app.out)
trap 'echo quit >&3; sleep 0.2; rm -rf "$work"' EXIT
for _ in $(seq 100); do grep -q ready app.out 2>/dev/null && break; sleep 0.1; done
presses() { sleep 0.3; wc -l <presses 2>/dev/null || echo 0; }

want=$(printf '1\tElement Target\t\t\n2\tPress Me\t\t\n3\tGreeting\thello world\tYes\n4\tFixed\tfixed\t\n5\tRemember\t\t\n6\tInner\t\t\n7\tCounter 0\t\t\n8\tSecret\t\tYes\n9\tBig List')
# Printed as the control browser copies it: tab-separated, CR LF line ends.
"$cli" elements "Element Target" >elements.txt || fail "elements exited $?"
[ "$(tr -d '\r' <elements.txt)" = "$want" ] || fail "elements printed
$(cat elements.txt)"
[ "$(grep -c $'\r$' elements.txt)" = 9 ] || fail "elements lines do not end in CR LF"
out=$("$cli" elements "Element Target" --only-clickables | tr -d '\r') || fail "elements --only-clickables exited $?"
[ "$(echo "$out" | head -1)" = "$(printf '1\tPress Me\t\t')" ] || fail "only clickables: $out"
"$cli" elements "element target" >/dev/null 2>&1 && fail "window names must match case-sensitively"

"$cli" click-element "Element Target" "Press Me" || fail "click-element by name exited $?"
[ "$(presses)" = 1 ] || fail "the button was not pressed once"
"$cli" click-element "Element Target" "Press Me" "" || fail "click-element with its empty value exited $?"
[ "$(presses)" = 2 ] || fail "the button was not pressed by name and empty value"
"$cli" click-element "Element Target" "Press Me" "x" 2>/dev/null && fail "a wrong value still clicked"
"$cli" click-element "Element Target" "Counter 0" 2>/dev/null && fail "a label cannot be invoked"
"$cli" click-element "Element Target" 2>/dev/null; [ $? = 2 ] || fail "missing NAME is bad input"
[ "$(presses)" = 2 ] || fail "a failed click pressed the button"

# The element action of a search: a match invokes the button.
convert -size 40x30 xc: +noise Random -alpha set PNG32:screen.png
convert screen.png -crop 8x8+20+10 +repage PNG32:pic.png
"$cli" find --picture pic.png --screen-image screen.png --element-window "Element Target" \
    --element-name "Press Me" >/dev/null || fail "find with the element action exited $?"
[ "$(presses)" = 3 ] || fail "the match did not invoke the button"

summary
