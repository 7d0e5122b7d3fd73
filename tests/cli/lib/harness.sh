# What every command-line test script starts with: the program under test
# from the first argument, a private working folder removed on exit, and a
# failure counter. Sourced before anything else.
cli=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
