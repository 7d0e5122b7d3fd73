#!/usr/bin/env bash
# The GNU option forms, the same in every command: --name value and
# --name=value, -- before operands that start with a dash, -h / --help and
# --version, and the errors of misused options.
set -uo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

convert -size 60x40 xc: +noise Random -alpha set PNG32:screen.png
convert screen.png -crop 6x5+30+20 +repage PNG32:pic.png
cp pic.png ./-x.png

# run ARGS...: "exit status" then stdout, with elapsed times left out.
run() {
    local out rc
    out=$(timeout -s KILL 60 "$cli" "$@" 2>/dev/null |
        sed -E -e 's/^Match Found in .* at /Match Found at /' -e 's/"ms": [0-9.]+/"ms": T/'); rc=${PIPESTATUS[0]}
    printf '%s\n%s' "$rc" "$out"
}

# same A -- B: both argument lists give the same exit status and output.
same() {
    local a=() b=()
    while [ "$1" != "--" ]; do a+=("$1"); shift; done
    shift
    b=("$@")
    local ra rb
    ra=$(run "${a[@]}"); rb=$(run "${b[@]}")
    [ "$ra" = "$rb" ] || fail "'${a[*]}' and '${b[*]}' differ:
$ra
---
$rb"
}

# Each row: one command line, then one meaning the same with other forms.
same find --picture pic.png --screen-image screen.png --count 2 -- \
    find --picture=pic.png --screen-image=screen.png --count=2
same find --picture pic.png --screen-image screen.png --all --max-matches 5 --json -- \
    find --json --max-matches=5 --all --screen-image=screen.png --picture=pic.png
same find --picture pic.png --screen-image screen.png -- find --picture -x.png --screen-image screen.png
same find --picture pic.png --screen-image screen.png -- find --picture=-x.png --screen-image=screen.png
same find --picture pic.png --screen-image screen.png --deviation 1,2,3 --mask-transparent -- \
    find --mask-transparent --deviation=1,2,3 --picture=pic.png --screen-image screen.png
same explain --picture pic.png --screen-image screen.png --deviation 0,1,2 -- \
    explain --picture=pic.png --screen-image=screen.png --deviation=0,1,2
same explain --picture pic.png --screen-image screen.png --origin 5,6 -- \
    explain --origin=5,6 --screen-image=screen.png --picture=-x.png
same colours pic.png --html a.html -- colours --html=a.html pic.png
same toggle --instance 7 -- toggle --instance=7
# After --, a file whose name starts with a dash is the IMAGE operand.
for args in "-- -x.png" "--html=b.html -- -x.png"; do
    # shellcheck disable=SC2086
    out=$(run colours $args)
    case "$out" in "0"$'\n'"30 Unique Colors from File -x.png of"*) ;; *) fail "colours $args: $out" ;; esac
done
[ -s b.html ] || fail "colours --html=b.html -- -x.png wrote no page"

# Help and version: exit 0, the same text for -h and --help, in every command.
for command in find explain colours elements click-element toggle type key click move drag scroll; do
    help=$(run "$command" --help)
    [ "$(run "$command" -h)" = "$help" ] || fail "$command: -h and --help differ"
    case "$help" in "0"$'\n'"usage: quorvane-cli $command"*) ;; *) fail "$command --help: $help" ;; esac
    version=$(run "$command" --version)
    case "$version" in "0"$'\n'"quorvane-cli "[0-9]*) ;; *) fail "$command --version: $version" ;; esac
    # Misused options: exit 2 and one line on standard error, nothing on standard output.
    for bad in --bogus --bogus=1 -z --help=yes --version=1; do
        out=$(timeout -s KILL 60 "$cli" "$command" "$bad" 2>err.txt); rc=$?
        [ "$rc" = 2 ] || fail "$command $bad exited $rc, expected 2"
        [ -z "$out" ] || fail "$command $bad printed: $out"
        [ "$(wc -l <err.txt)" = 1 ] || fail "$command $bad: expected one error line: $(cat err.txt)"
    done
done
for args in "find --picture pic.png --screen-image screen.png --all=yes" \
    "find --picture pic.png --screen-image screen.png --max-matches" \
    "find --picture pic.png --screen-image screen.png --max-matches=-1" \
    "find --picture pic.png --screen-image screen.png --max-matches=1000001" \
    "find --picture pic.png --screen-image screen.png extra" \
    "explain --picture pic.png --screen-image screen.png --count=2" \
    "explain --picture pic.png" "explain --picture=pic.png --screen-image=" \
    "elements --only-clickables=1 Window" "elements" "colours --html" "click-element W" \
    "toggle --instance=0" "toggle --instance" "toggle 2" "type" "type a b" "type --delay=-1 x" \
    "type --delay 60001 x" "type $(printf 'a\001')" "type $(printf '\377')" "key" "key ctrl++" \
    "click 1" "click 1 2 3" "click x 2" "click 1 2 --button=up" "click 1 2 --double=1" "move 1" \
    "drag 1 2 3" "drag 1 2 3 4.5" "scroll" "scroll 10001" "scroll 1 --at 5" "scroll 1 --at=1,2,3"; do
    # shellcheck disable=SC2086
    timeout -s KILL 60 "$cli" $args >/dev/null 2>&1; rc=$?
    [ "$rc" = 2 ] || fail "$args exited $rc, expected 2"
done

# Input commands: an unknown key is named; no desktop is exit status 1.
"$cli" key ctrl+a shift+Bogus 2>err.txt
grep -qx "quorvane-cli key: unknown key name 'Bogus' in 'shift+Bogus'" err.txt ||
    fail "key: the unknown key is not named: $(cat err.txt)"
for args in "type x" "click -5 0"; do
    # shellcheck disable=SC2086
    env -u DISPLAY -u WAYLAND_DISPLAY "$cli" $args >/dev/null 2>&1; rc=$?
    [ "$rc" = 1 ] || fail "$args without a desktop exited $rc, expected 1"
done

summary
