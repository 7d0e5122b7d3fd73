# What every command-line test script starts with: the program under test
# from the first argument, a private working folder removed on exit, a
# failure counter and the summary line. Sourced before anything else.
cli=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
summary() {
    echo "$((failures == 0 ? 1 : 0)) passed, $failures failed"
    [ "$failures" = 0 ]
}
# options [COMMAND]: the options named in the command's (or the top-level) usage text.
options() {
    "$cli" ${1:+"$1"} --help | grep -oE -- '(^|[][ (|])--?[a-z][a-z-]*' |
        sed -E 's/^[][ (|]//' | sort -u
}
