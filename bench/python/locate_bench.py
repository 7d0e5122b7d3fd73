#!/usr/bin/env python3
"""quorvane.locate on a 4K scene held in memory, against OpenCV's
matchTemplate on the same arrays and against the matcher's own figure from
quorvane-bench on a scene of the same kind (random pixels, the 48x48 picture
cut where that benchmark cuts it). Prints RATIO lines like quorvane-bench's
and exits 1 when one misses its limit.

Usage: PYTHONPATH=BUILD/src/python locate_bench.py BUILD/bench/quorvane-bench
(both from an optimised build)."""
import json
import statistics
import subprocess
import sys
import tempfile
import time

import cv2
import numpy as np

import quorvane

WIDTH, HEIGHT, SIDE = 3840, 2160, 48
SPOT = (WIDTH - 384, HEIGHT - 128)  # PictureSpot in bench/scenes.cpp


def median_ms(call, runs):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        call()
        times.append((time.perf_counter() - start) * 1e3)
    return statistics.median(times)


def cpp_ms(bench, mode):
    """quorvane-bench's real time per scan of noise_4k in `mode`: the median of
    five repetitions, as a busy machine makes single runs vary."""
    name = "BM_FindPicture/noise_4k/%s/fast" % mode
    with tempfile.NamedTemporaryFile(suffix=".json") as out:
        subprocess.run([bench, "--benchmark_filter=^%s$" % name, "--benchmark_repetitions=5",
                        "--benchmark_out=" + out.name, "--benchmark_out_format=json"],
                       check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        runs = json.load(open(out.name))["benchmarks"]
    run = next(r for r in runs if r.get("aggregate_name") == "median")
    return run["real_time"] * {"ms": 1, "us": 1e-3, "ns": 1e-6}[run["time_unit"]]


def ratio(label, numerator, denominator, limit):
    r = numerator / denominator
    ok = r <= limit
    print("RATIO %s: %.3f ms / %.3f ms = %.4f (limit <= %.4f) %s"
          % (label, numerator, denominator, r, limit, "OK" if ok else "FAIL"))
    return ok


def main():
    scene = np.random.default_rng(13).integers(0, 256, (HEIGHT, WIDTH, 4), dtype=np.uint8)
    x, y = SPOT
    picture = scene[y:y + SIDE, x:x + SIDE].copy()
    absent = picture.copy()
    absent[SIDE // 2, SIDE // 2, :3] ^= 0x80

    assert quorvane.locate(picture, haystack=scene) == SPOT
    assert quorvane.locate(absent, haystack=scene) is None
    found = median_ms(lambda: quorvane.locate(picture, haystack=scene), 30)
    missing = median_ms(lambda: quorvane.locate(absent, haystack=scene), 30)

    def opencv():
        _, _, at, _ = cv2.minMaxLoc(cv2.matchTemplate(scene, picture, cv2.TM_SQDIFF))
        return at

    assert opencv() == SPOT
    opencv_ms = median_ms(opencv, 3)

    ok = ratio("locate/opencv_matchtemplate 4k", found, opencv_ms, 0.01)
    ok &= ratio("locate/cpp noise_4k/exact", found, cpp_ms(sys.argv[1], "exact"), 1.5)
    ok &= ratio("locate/cpp noise_4k/absent", missing, cpp_ms(sys.argv[1], "absent"), 1.5)
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
