#!/usr/bin/env bash
# Builds the optimised program and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQRV_BUILD_TESTS=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target quorvane
exec build-release/src/app/quorvane "$@"
