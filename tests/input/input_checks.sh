#!/bin/bash
# Types, presses keys, clicks, drags and scrolls into the logging window with
# quorvane-cli on the desktop this runs in, and checks what the window got.
# usage: input_checks.sh QUORVANE_CLI [SKIP...]
#   SKIP names checks this desktop cannot do, or that test what it does not
#   have: text-outside-layout, spare-keys, middle, horizontal, ...; each
#   skipped check is printed.
cli=$(realpath "$1"); shift
skips=" $* "
here=$(dirname "$(realpath "$0")")
log=$(mktemp)
# QRV_INPUT_WINDOW: another program that prints the same lines (Windows has one).
window_program=(/usr/bin/python3 "$here/input_log_window.py")
[ -n "${QRV_INPUT_WINDOW:-}" ] && window_program=("$QRV_INPUT_WINDOW")
"${window_program[@]}" >"$log" &
window=$!
trap 'kill $window 2>/dev/null; wait 2>/dev/null; rm -f "$log"' EXIT
checks=0
failures=0
poll() {  # COMMAND...: true once the command succeeds, within a bound
    for _ in $(seq 400); do "$@" && return 0; sleep 0.05; done
    return 1
}
printed() { [ "$(grep -cxF -- "$1" "$log")" -ge "${2:-1}" ]; }
check() {  # NAME LINE [COUNT]: the window printed LINE (COUNT times)
    checks=$((checks + 1))
    poll printed "$2" "${3:-1}" || {
        echo "FAIL: $1: no '$2' (x${3:-1}); the window printed:"
        tail -n 5 "$log" | sed 's/^/    /'
        failures=$((failures + 1))
    }
}
run() {  # quorvane-cli ARGS...: exits 0
    checks=$((checks + 1))
    "$cli" "$@" || { echo "FAIL: quorvane-cli $* exited $?"; failures=$((failures + 1)); }
}
wanted() {
    case $skips in *" $1 "*) echo "skipped: $1"; return 1 ;; esac
}
text() {  # NAME TEXT: replaces the entry's text by typing
    wanted "$1" || return 0
    run key ctrl+a
    run type "$2"
    check "$1" "text $(/usr/bin/python3 -c 'import json,sys; print(json.dumps(sys.argv[1]))' "$2")"
}

poll grep -qs '^ready' "$log" || { echo "FAIL: the test window did not show"; exit 1; }
read -r _ ex ey < <(grep -m1 '^ready' "$log")
run click "$ex" "$ey"
run type "plain ASCII: 1+1=2!"
check ascii 'text "plain ASCII: 1+1=2!"'
text umlauts "Grüße"
text cjk "日本語"
text text-outside-layout "Ωж∑"
# More such characters than a keymap has spare keys: keys are given again.
text spare-keys "春夏秋冬東西南北上下左右前後天地山川海空花鳥風雪雨雲星火水木金土春夏秋冬"

# The area below the entry: clicks, a drag and the wheel.
ay=$((ey + 200))
if wanted right; then run click 300 "$ay" --button right; check right "release 3 300 $ay"; fi
if wanted middle; then run click 310 "$ay" --button middle; check middle "release 2 310 $ay"; fi
if wanted double; then run click 320 "$ay" --double; check double "release 1 320 $ay" 2; fi
if wanted drag; then
    run drag 200 "$ay" 400 $((ay + 100))
    check drag "press 1 200 $ay"
    check drag "release 1 400 $((ay + 100))"
fi
if wanted scroll; then
    run scroll 3 --at 500,"$ay"
    check scroll-up "scroll up" 3
    run scroll -2 --at 500,"$ay"
    check scroll-down "scroll down" 2
fi
if wanted horizontal; then
    run scroll 2 --at 500,"$ay" --horizontal
    check scroll-right "scroll right" 2
    run scroll -1 --at 500,"$ay" --horizontal
    check scroll-left "scroll left" 1
fi
echo "$((checks - failures)) passed, $failures failed"
[ "$failures" = 0 ]
