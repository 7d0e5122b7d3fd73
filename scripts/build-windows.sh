#!/usr/bin/env bash
# Cross-builds Quorvane for 64-bit Windows with mingw-w64 against the Qt kit
# (qt6-mingw.tar.xz, found through QRV_QT_MINGW or in the shared folder beside
# the repository) and lays out BUILD_DIR/dist: quorvane.exe, quorvane-cli.exe
# and every DLL and Qt plugin they need, a folder to copy to a Windows machine.
# The tests and quorvane-bench.exe are built in BUILD_DIR for tests/win32/run.sh.
# Usage: bash scripts/build-windows.sh [BUILD_DIR]   (default build-windows)
#        BUILD_DIR is absolute or relative to the repository.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-windows}

kit_archive() {
    local candidate
    for candidate in "${QRV_QT_MINGW:-}" ../shared/qt6-mingw.tar.xz; do
        if [ -n "$candidate" ] && [ -f "$candidate" ]; then
            echo "$candidate"
            return 0
        fi
    done
    return 1
}
archive=$(kit_archive) || {
    echo "no Qt kit for Windows: set QRV_QT_MINGW to qt6-mingw.tar.xz" >&2
    exit 3
}

bash scripts/install-deps.sh
bash scripts/install-windows-deps.sh

# The kit is unpacked once per archive.
# From here on the build folder is absolute, whether it was given so or
# relative to the repository.
mkdir -p "$build"
build=$(cd "$build" && pwd)
kit="$build/qt6-mingw"
stamp=$(stat -c '%s %Y' "$archive")
if [ "$(cat "$build/qt6-mingw.stamp" 2>/dev/null)" != "$stamp" ]; then
    rm -rf "$kit"
    tar -C "$build" -xJf "$archive"
    echo "$stamp" >"$build/qt6-mingw.stamp"
fi

# fetch_source PACKAGE FOLDER: Debian's source package, unpacked once per
# build folder.
fetch_source() {
    local package=$1 into=$2
    [ -f "$into/.fetched" ] && return 0
    rm -rf "$build/$package-fetch" "$into"
    mkdir -p "$build/$package-fetch"
    (cd "$build/$package-fetch" && apt-get source -qq "$package" >/dev/null 2>&1) || {
        echo "apt-get source $package failed" >&2
        exit 1
    }
    mv "$build/$package-fetch"/"$package"-*/ "$into"
    rm -rf "$build/$package-fetch"
    touch "$into/.fetched"
}
# Google Benchmark, and libdeflate, which inflates PNG files.
benchmark_src="$build/benchmark-src"
libdeflate_src="$build/libdeflate-src"
fetch_source benchmark "$benchmark_src"
fetch_source libdeflate "$libdeflate_src"

export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/ccache}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQRV_WERROR=ON \
    -DCMAKE_TOOLCHAIN_FILE="$kit/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DQRV_GTEST_SOURCE_DIR=/usr/src/googletest -DQRV_BUILD_BENCH=ON -DQRV_BENCHMARK_SOURCE_DIR="$benchmark_src" \
    -DQRV_LIBDEFLATE_SOURCE_DIR="$libdeflate_src" >/dev/null
cmake --build "$build" -j "$(nproc)"

dist="$build/dist"
rm -rf "$dist"
mkdir -p "$dist/plugins"
cp "$build/src/app/quorvane.exe" "$build/src/cli/quorvane-cli.exe" "$build/src/app/help.html" \
    "$dist/"
for dll in Qt6Core Qt6Gui Qt6Widgets libstdc++-6 libgcc_s_seh-1 libwinpthread-1; do
    cp "$kit/bin/$dll.dll" "$dist/"
done
cp -r "$kit/plugins/platforms" "$kit/plugins/styles" "$kit/plugins/imageformats" "$dist/plugins/"
printf '[Paths]\nPrefix=.\nPlugins=plugins\n' >"$dist/qt.conf"
echo "Windows build: $dist"
