#!/usr/bin/env bash
# The Debian package: its control data, the files it installs and their
# validity, and the programs run from the unpacked tree without the build.
# Takes a .deb, or makes one with scripts/package.sh.
set -uo pipefail
cd "$(dirname "$0")/../.." || exit 1

deb=${1:-}
if [ -z "$deb" ]; then
    deb=$(bash scripts/package.sh | tail -n 1) || { echo "FAIL: scripts/package.sh"; exit 1; }
fi
root=$(mktemp -d)
work=$(mktemp -d)
trap 'rm -rf "$root" "$work"' EXIT

passed=0 failed=0
check() {  # description, condition...
    local what=$1; shift
    if "$@"; then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $what"; fi
}
same() { [ "$1" = "$2" ] || { echo "  got:      $1"; echo "  expected: $2"; false; }; }
quiet() { local out; out=$("$@" 2>&1) || { echo "$out"; return 1; }; }

version=$(sed -nE 's/^project\(Quorvane VERSION ([0-9.]+).*/\1/p' CMakeLists.txt)
arch=$(dpkg --print-architecture)
check "the package is named after its version and architecture" \
    same "$(basename "$deb")" "quorvane_${version}_${arch}.deb"
check "the README installs this version's package" \
    grep -qF "./quorvane_${version}_amd64.deb" README.md
check "control: package, version, architecture" \
    same "$(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')" \
    "Package: quorvane Version: $version Architecture: $arch "

# Depends comes from dpkg-shlibdeps: each library the binaries link, with the
# lowest version whose symbols they use.
depends=$(dpkg-deb -f "$deb" Depends)
depended=$(tr ',' '\n' <<<"$depends" | sed -E 's/^ *([^ ]+).*/\1/')
for library in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libglib2.0-0 \
    libx11-6 libxtst6 libatspi2.0-0 libdeflate0 zlib1g; do
    check "Depends names $library" grep -qxF "$library" <<<"$depended"
done
# Speech and sound themes are loaded on first use: recommended, not linked.
recommended=$(dpkg-deb -f "$deb" Recommends | tr ',' '\n' | sed -E 's/^ *([^ ]+).*/\1/')
for library in libespeak-ng1 libcanberra0; do
    check "Recommends names $library" grep -qxF "$library" <<<"$recommended"
done
check "Depends gives minimum versions" grep -qE 'libqt6core6 \(>= 6\.[0-9.]+\)' <<<"$depends"
check "Depends names no development package" bash -c '! grep -q -- "-dev" <<<"$0"' "$depends"

dpkg-deb -x "$deb" "$root"
check "every file is owned by root" \
    same "$(dpkg-deb -c "$deb" | awk '$2 != "root/root"')" ""
check "everything lies under /usr" same "$(ls "$root")" "usr"
share=$root/usr/share
for file in bin/quorvane bin/quorvane-cli share/applications/quorvane.desktop \
    share/metainfo/org.tolbrin.Quorvane.metainfo.xml share/quorvane/help.html \
    share/man/man1/quorvane.1.gz share/man/man1/quorvane-cli.1.gz \
    share/bash-completion/completions/quorvane-cli \
    share/icons/hicolor/scalable/apps/quorvane.svg; do
    check "installs /usr/$file" test -s "$root/usr/$file"
done
for size in 16 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/quorvane.png
    check "the ${size}-pixel icon is ${size}x${size}" \
        same "$(identify -format '%wx%h' "$icon" 2>&1)" "${size}x${size}"
done
python_dir=$root/usr/lib/python3/dist-packages/quorvane
for file in __init__.py __init__.pyi py.typed; do
    check "installs the Python package's $file" test -e "$python_dir/$file"
done
module=$(ls "$python_dir"/_quorvane.cpython-*.so 2>/dev/null)
check "installs the Python extension" test -s "$module"
for binary in "$root/usr/bin/quorvane" "$root/usr/bin/quorvane-cli" "$module"; do
    program=$(basename "$binary")
    [ "$binary" = "$module" ] || check "$program is executable" test -x "$binary"
    check "$program is stripped" bash -c '! readelf -S "$0" | grep -q "\.symtab"' "$binary"
    check "$program is hardened: read-only relocations bound at start" \
        bash -c 'readelf -l "$0" | grep -q GNU_RELRO && readelf -d "$0" | grep -q BIND_NOW' \
        "$binary"
    check "$program has no run path into the build" \
        bash -c '! readelf -d "$0" | grep -qE "R(UN)?PATH"' "$binary"
    check "$program finds every library on the system" \
        bash -c '! ldd "$0" | grep -q "not found"' "$binary"
done

# Desktop entry and metainfo, each alone and as an installed tree.
desktop=$share/applications/quorvane.desktop
metainfo=$share/metainfo/org.tolbrin.Quorvane.metainfo.xml
check "desktop-file-validate accepts the desktop entry" quiet desktop-file-validate "$desktop"
check "appstreamcli accepts the metainfo" quiet appstreamcli validate --no-net --strict "$metainfo"
check "appstreamcli accepts the installed tree" quiet appstreamcli validate-tree --no-net "$root"
check "the desktop entry runs the packaged program" \
    test -x "$root/usr/bin/$(sed -nE 's/^Exec=([^ ]+).*/\1/p' "$desktop")"
check "the desktop entry's icon is installed" \
    test -s "$share/icons/hicolor/64x64/apps/$(sed -nE 's/^Icon=//p' "$desktop").png"
check "the metainfo launches the installed desktop entry" test -s "$share/applications/$(
    sed -nE 's|.*<launchable type="desktop-id">(.*)</launchable>.*|\1|p' "$metainfo")"

# The programs from the unpacked tree, without a display or the build tree.
cli=$root/usr/bin/quorvane-cli
check "quorvane-cli --version" same "$(env -u DISPLAY "$cli" --version)" "quorvane-cli $version"
check "quorvane --version" same "$(env -u DISPLAY "$root/usr/bin/quorvane" --version)" \
    "quorvane $version"
convert -size 160x90 xc: +noise Random -alpha set PNG32:"$work/screen.png"
convert "$work/screen.png" -crop 10x7+120+40 +repage PNG32:"$work/pic.png"
convert "$work/pic.png" -negate PNG32:"$work/absent.png"
out=$(env -u DISPLAY "$cli" find --picture "$work/pic.png" --screen-image "$work/screen.png" \
    --origin -160,0 2>&1)
check "find: the picture is found where it was cut out (exit 0)" test $? = 0
check "find: reported at its screen position" grep -qE '^Match Found in .* at -40,40$' <<<"$out"
env -u DISPLAY "$cli" find --picture "$work/absent.png" --screen-image "$work/screen.png" \
    >/dev/null 2>&1
check "find: an absent picture exits 1" test $? = 1

# The Python package from the unpacked tree: a search of an array and the manual.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY PYTHONPATH="$root/usr/lib/python3/dist-packages" \
    /usr/bin/python3 -c 'import numpy, quorvane
screen = numpy.random.default_rng(1).integers(0, 256, (90, 160, 4), dtype=numpy.uint8)
print(quorvane.locate(screen[40:47, 120:130], haystack=screen))
help(quorvane)' 2>&1)
check "python: the package imports and finds a picture ($(head -1 <<<"$out"))" \
    same "$(head -1 <<<"$out")" "Point(x=120, y=40)"
check "python: help(quorvane) shows the manual with every call" \
    bash -c 'grep -q "^    locate(picture, region=None" <<<"$0" &&
        grep -q "^    locate_all(picture" <<<"$0" && grep -q "class BadInput(QuorvaneError, builtins.ValueError)" <<<"$0"' "$out"

# Man pages as man reads them from the package; completion as bash loads it.
for page in quorvane quorvane-cli; do
    gz=$share/man/man1/$page.1.gz
    check "man page $page renders without warnings" \
        same "$(zcat "$gz" | groff -man -ww -z 2>&1)" ""
    check "man -l shows the $page page" \
        grep -q "^NAME" <(MANWIDTH=80 man -l "$gz" 2>/dev/null)
done
completion=$share/bash-completion/completions/quorvane-cli
complete_installed() {  # words...: the candidates for the last one, as bash loads the file
    PATH=$root/usr/bin:$PATH bash --norc --noprofile -c 'source "$0"
        complete -p quorvane-cli >/dev/null || exit 1
        COMP_WORDS=("$@") COMP_CWORD=$(($# - 1))
        _quorvane_cli && echo "${COMPREPLY[*]}"' "$completion" "$@"
}
check "the installed completion completes a command" \
    same "$(complete_installed quorvane-cli "fi")" "find"
check "the installed completion completes an option" \
    same "$(complete_installed quorvane-cli find --scr)" "--screen-image"

echo "$passed passed, $failed failed"
[ "$failed" = 0 ]
