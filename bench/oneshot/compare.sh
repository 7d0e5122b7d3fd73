#!/usr/bin/env bash
# Times a one-shot `quorvane-cli find` over a screen image against
# `visgrep -t 0` on the same files, side by side, and a one-shot find on the
# matcher's worst cases against the benign desk scene of the same size.
# Prints wall-clock means and CPU (user + system) means in milliseconds; the
# CPU figures matter when the machine is busy, as wall time then includes
# waiting for a core.
# usage: compare.sh [CLI] [SCENES]    (make SCENES with make-scenes.sh)
#   RUNS=n        runs per command (default 20; visgrep on desk scenes: 2)
#   SKIP_VISGREP=1  time quorvane-cli only
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cli=$(realpath "${1:-$here/../../build-rel/src/cli/quorvane-cli}")
scenes=$(realpath "${2:-$here/scenes}")
runs=${RUNS:-20}
json=$(mktemp -d)
trap 'rm -rf "$json"' EXIT
cd "$scenes"

# time_it KEY RUNS WARMUP COMMAND...: one hyperfine measurement into KEY.json.
time_it() {
    local key=$1 n=$2 warmup=$3
    shift 3
    hyperfine -N -i --style none --warmup "$warmup" --runs "$n" \
        --export-json "$json/$key.json" -- "$*" >/dev/null
}

for scene in noise_1080 desk_1080 noise_4k desk_4k flat_1080 checker_1080 stripes_1080 \
    flat_4k checker_4k stripes_4k; do
    time_it "qrv_$scene" "$runs" 2 "$cli" find --picture "$scene.pic.png" --screen-image "$scene.png"
    case $scene in
        noise_*) [ -n "${SKIP_VISGREP:-}" ] || time_it "vg_$scene" "$runs" 2 visgrep -t 0 "$scene.png" "$scene.pic.png" ;;
        desk_*) [ -n "${SKIP_VISGREP:-}" ] || time_it "vg_$scene" 2 0 visgrep -t 0 "$scene.png" "$scene.pic.png" ;;
    esac
done

python3 - "$json" <<'EOF'
import json, os, sys
d = sys.argv[1]
def get(key):
    path = os.path.join(d, key + ".json")
    if not os.path.exists(path):
        return None
    r = json.load(open(path))["results"][0]
    return r["mean"] * 1e3, r["stddev"] * 1e3 if r["stddev"] else 0.0, (r["user"] + r["system"]) * 1e3
print(f"{'scene':14} {'quorvane ms':>16} {'cpu':>7} {'visgrep ms':>16} {'cpu':>7} {'wall ratio':>10} {'cpu ratio':>9}")
for scene in ["noise_1080", "desk_1080", "noise_4k", "desk_4k"]:
    q, v = get("qrv_" + scene), get("vg_" + scene)
    line = f"{scene:14} {q[0]:9.1f} ±{q[1]:5.1f} {q[2]:7.1f}"
    if v:
        line += f" {v[0]:9.1f} ±{v[1]:5.1f} {v[2]:7.1f} {q[0] / v[0]:10.2f} {q[2] / v[2]:9.2f}"
    print(line)
print()
print(f"{'worst case':14} {'quorvane ms':>16} {'cpu':>7} {'vs desk (wall)':>15} {'(cpu)':>6}")
for size in ["1080", "4k"]:
    desk = get("qrv_desk_" + size)
    for kind in ["flat", "checker", "stripes"]:
        q = get(f"qrv_{kind}_{size}")
        print(f"{kind + '_' + size:14} {q[0]:9.1f} ±{q[1]:5.1f} {q[2]:7.1f} {q[0] / desk[0]:15.2f} {q[2] / desk[2]:6.2f}")
EOF
