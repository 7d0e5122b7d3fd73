#!/usr/bin/env bash
# Fails, listing them, when any C++ file differs from the repository's
# .clang-format style.
set -euo pipefail
cd "$(dirname "$0")/.."
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
