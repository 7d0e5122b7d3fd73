#!/usr/bin/env bash
# Bash completion of quorvane-cli against the program's own usage texts:
# commands, each command's options, file names after options that take a file,
# nothing after options that take a number.
set -uo pipefail
completion=$(realpath "$(dirname "$0")/../../scripts/completion/quorvane-cli")
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"
touch screen.png shot.png notes.txt
mkdir dir

# complete WORD...: the sorted candidates for the last word of the command line.
complete_words() {
    bash --norc --noprofile -c '
        source "$0"
        COMP_WORDS=("$@"); COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}
        _quorvane_cli && printf "%s\n" "${COMPREPLY[@]}"' "$completion" "$cli" "$@" | sort
}
# expect "CANDIDATES" WORD...: candidates given one per line.
expect() {
    local want=$1; shift
    local got
    got=$(complete_words "$@")
    [ "$got" = "$want" ] || fail "completing '$*': got
$got
expected
$want"
}
registered=$(bash --norc --noprofile -c 'source "$0"; complete -p quorvane-cli' "$completion")
[ "$registered" = "complete -F _quorvane_cli quorvane-cli" ] ||
    fail "not registered for quorvane-cli: $registered"

# Usage texts as the parser sees them: an option's value is named where it
# first appears with one, "=" joins a value, "|" separates alternatives.
parsed=$(bash --norc --noprofile -c 'source "$0"; _quorvane_cli_parse_usage <<<"$1"
    echo "${_qrv_words[*]}"' "$completion" $'x [--foo] [--bar=N]\n  --foo FILE (--baz|-q)')
[ "$parsed" = "--foo FILE --bar N --baz - -q -" ] || fail "usage text parsed as: $parsed"

commands=$("$cli" --help | sed -nE 's/^  ([a-z][a-z-]*)  .*/\1/p' | sort)
grep -qx find <<<"$commands" || fail "no commands in the usage text"
expect "$commands" ""
expect "find" "fi"
expect "$(printf 'colours\nclick-element\nclick' | sort)" c
options "" | grep -qx -- --version || fail "the usage text does not name --version"
expect "$(options "")" --

[ -n "$(options find)" ] || fail "find --help names no options"
for command in $commands; do
    expect "$(options "$command")" "$command" -
done
expect "--picture" find --pic
expect "--speak-sync" find --speak-s

# Files after an option or an argument that names a file, GNU "=" form too.
expect "$(printf 'screen.png\nshot.png')" find --picture s
expect "$(printf 'screen.png\nshot.png')" find --count 2 --screen-image s
expect "$(printf 'screen.png\nshot.png')" find --picture = s
expect "$(printf 'dir\nnotes.txt\nscreen.png\nshot.png')" find --picture =
expect "dir" find --picture d
expect "notes.txt" colours n
expect "notes.txt" colours shot.png --html n
# Values that are numbers, coordinates or text: nothing to offer.
expect "" find --count ""
expect "" find --area ""
expect "" find --deviation = ""
expect "" find --speak n
expect "$(printf 'left\nmiddle\nright')" click 1 2 --button ""
# A command that does not exist has no options.
expect "" bogus --

summary
