#!/usr/bin/env bash
# Fails, listing them, when any C++ file differs from the repository's
# .clang-format style. Other major versions of clang-format lay out the same
# code differently, so only the pinned one (Debian 12's) is accepted.
set -euo pipefail
cd "$(dirname "$0")/.."
pinned=14
version=$(clang-format --version 2>/dev/null | grep -oE 'version [0-9]+' | grep -oE '[0-9]+' || true)
if [ "$version" != "$pinned" ]; then
    echo "check-format needs clang-format major version $pinned, found: ${version:-none}" >&2
    exit 1
fi
mapfile -t files < <(git ls-files '*.cpp' '*.h')
unformatted=()
for f in "${files[@]}"; do
    if ! clang-format --style=file --dry-run --Werror "$f" >/dev/null 2>&1; then
        unformatted+=("$f")
    fi
done
if [ ${#unformatted[@]} -ne 0 ]; then
    echo "Not formatted with .clang-format (run clang-format -i on them):"
    printf '  %s\n' "${unformatted[@]}"
    exit 1
fi
echo "all ${#files[@]} C++ files formatted"
