#!/usr/bin/env bash
# Runs Debian's python3 with the quorvane package of a folder (BUILD/src/python,
# or a copy of it) importable. A module built with sanitizers gets their
# runtimes loaded first, as the interpreter is not built with them.
# Usage: python.sh PACKAGE_FOLDER PYTHON_ARGUMENTS...
set -euo pipefail
packages=$(cd "$1" && pwd)
shift
preload=$(ldd "$packages"/quorvane/_quorvane*.so |
    awk '$1 ~ /^lib(asan|ubsan|tsan)\.so/ { print $3 }' | paste -sd: -)
export LD_PRELOAD=$preload PYTHONPATH=$packages PYTHONDONTWRITEBYTECODE=1
exec /usr/bin/python3 "$@"
