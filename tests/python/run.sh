#!/usr/bin/env bash
# Runs the Python module's pytest suites against a folder holding the quorvane
# package (BUILD/src/python, or a copy of it), comparing with a quorvane-cli.
# Usage: run.sh PACKAGE_FOLDER QUORVANE_CLI [PYTEST_ARGUMENTS...]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=$1
export QRV_CLI=$2
shift 2
exec bash "$here/python.sh" "$packages" -m pytest -q -p no:cacheprovider --rootdir "$here" \
    "$here" "$@"
