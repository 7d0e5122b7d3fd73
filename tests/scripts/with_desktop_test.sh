#!/usr/bin/env bash
# Private desktops started at the same time, and beside an X server that holds
# a display number without its lock file, each get a server of their own.
set -euo pipefail
cd "$(dirname "$0")/../.."

out=$(mktemp -d)
squatter=""
cleanup() {
    [ -n "$squatter" ] && kill "$squatter" 2>/dev/null
    wait 2>/dev/null || true
    rm -rf "$out"
}
trap cleanup EXIT

# A foreign server on the first number the old scan tried, lock file removed.
Xvfb :91 -nolisten tcp >/dev/null 2>&1 &
squatter=$!
for _ in $(seq 100); do [ -e /tmp/.X11-unix/X91 ] && break; sleep 0.05; done
rm -f /tmp/.X91-lock

probe='echo "$DISPLAY" >"$0/$1.display"; xrandr --listmonitors >"$0/$1.monitors"'
for i in 1 2 3 4; do
    bash scripts/with-desktop.sh bash -c "$probe" "$out" "$i" >"$out/$i.log" 2>&1 &
done
fails=0
for job in $(jobs -p); do
    [ "$job" = "$squatter" ] && continue
    wait "$job" || fails=$((fails + 1))
done

passed=0 failed=0
check() {  # description, condition...
    local what=$1; shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
check "every desktop started" test "$fails" -eq 0
check "each desktop has its own display" \
    test "$(cat "$out"/*.display 2>/dev/null | sort -u | wc -l)" -eq 4
check "no desktop took the foreign server's display" \
    bash -c "! grep -qx ':91' $out/*.display"
for i in 1 2 3 4; do
    check "desktop $i has both monitors" grep -q 'QRV-LEFT' "$out/$i.monitors"
done
cat "$out"/*.log
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
