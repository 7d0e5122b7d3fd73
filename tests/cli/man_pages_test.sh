#!/usr/bin/env bash
# The man pages render without a warning and document every command and every
# option that the program's usage texts name.
set -uo pipefail
man_dir=$(realpath "$(dirname "$0")/../../docs/man")
source "$(dirname "${BASH_SOURCE[0]}")/lib/harness.sh"

for page in "$man_dir"/quorvane.1 "$man_dir"/quorvane-cli.1; do
    warnings=$(groff -man -ww -z "$page" 2>&1) || fail "groff failed on $page"
    [ -z "$warnings" ] || fail "groff warns about $page: $warnings"
    rendered=$(MANWIDTH=80 man -l "$page" 2>&1)
    grep -q '^NAME' <<<"$rendered" || fail "man -l shows no NAME section for $page"
done

# The page's text with roff's escaped hyphens as plain ones.
text=$(sed 's/\\-/-/g' "$man_dir/quorvane-cli.1")
documented() { grep -qE -- "(^|[ \"[(|])$1([ \"]|\$)" <<<"$text"; }
commands=$("$cli" --help | sed -nE 's/^  ([a-z][a-z-]*)  .*/\1/p')
[ "$(wc -w <<<"$commands")" -ge 4 ] || fail "too few commands in the usage text: $commands"
for command in $commands; do
    grep -qx "\.SS $command" <<<"$text" || fail "no section for the command $command"
    for option in $(options "$command"); do
        documented "$option" || fail "$command $option is not documented"
    done
done
for option in $(options ""); do
    documented "$option" || fail "$option is not documented"
done

summary
