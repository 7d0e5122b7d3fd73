#!/usr/bin/env bash
# Builds the optimised programs in build-release and makes the Debian package
# quorvane_<version>_<arch>.deb in the top folder; prints its path.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
# Debian's hardening flags; the build type sets optimisation, the package strips.
flags() {
    DEB_BUILD_MAINT_OPTIONS=hardening=+all DEB_CXXFLAGS_MAINT_STRIP="-g -O2" \
        dpkg-buildflags --get "$1"
}
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DCMAKE_CXX_FLAGS="$(flags CPPFLAGS) $(flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(flags LDFLAGS)" -DCMAKE_MODULE_LINKER_FLAGS="$(flags LDFLAGS)" \
    -DQRV_BUILD_TESTS=OFF -DQRV_BUILD_BENCH=OFF -DQRV_BUILD_FUZZ=OFF >/dev/null
cmake --build build-release -j "$(nproc)" --target quorvane quorvane-cli _quorvane man_pages
rm -f quorvane_*.deb build-release/quorvane_*.deb
(cd build-release && cpack -G DEB >cpack.log) || { cat build-release/cpack.log >&2; exit 1; }
mv build-release/quorvane_*.deb .
ls "$PWD"/quorvane_*.deb
