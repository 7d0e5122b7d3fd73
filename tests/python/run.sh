#!/usr/bin/env bash
# Runs the Python module's pytest suites with Debian's interpreter against a
# folder holding the quorvane package (BUILD/src/python, or a copy of it),
# comparing with a quorvane-cli. A module built with sanitizers gets their
# runtimes loaded first, as the interpreter is not built with them.
# Usage: run.sh PACKAGE_FOLDER QUORVANE_CLI [PYTEST_ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=$(cd "$1" && pwd)
cli=$2
shift 2
preload=$(ldd "$packages"/quorvane/_quorvane*.so |
    awk '$1 ~ /^lib(asan|ubsan|tsan)\.so/ { print $3 }' | paste -sd: -)
export LD_PRELOAD=$preload PYTHONPATH=$packages QRV_CLI=$cli PYTHONDONTWRITEBYTECODE=1
exec /usr/bin/python3 -m pytest -q -p no:cacheprovider --rootdir "$here" "$here" "$@"
