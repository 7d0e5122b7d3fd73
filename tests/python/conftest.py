"""Shared helpers of the quorvane module's tests: the command line to compare
with, PNG files of arrays, and scenes with pictures at known places."""
import json
import os
import subprocess

import cv2
import numpy as np
import pytest


@pytest.fixture(scope="session")
def cli():
    """Runs quorvane-cli with the arguments; returns (exit status, stdout)."""
    program = os.environ["QRV_CLI"]

    def run(*args):
        done = subprocess.run([program, *map(str, args)], capture_output=True, text=True,
                              timeout=120)
        return done.returncode, done.stdout

    return run


def save_png(path, bgra):
    """Writes a height x width x 4 BGRA array as a 32-bit PNG."""
    assert cv2.imwrite(str(path), bgra)
    return str(path)


def noise(rng, height, width):
    return rng.integers(0, 256, (height, width, 4), dtype=np.uint8)


def cli_find_all(cli, picture, screen, origin, region, deviation, mask, limit=1000):
    """The matches quorvane-cli find --all --json reports, as (x, y) tuples."""
    args = ["find", "--picture", picture, "--screen-image", screen, "--origin",
            "%d,%d" % origin, "--deviation", "%d,%d,%d" % deviation, "--all", "--json",
            "--max-matches", limit]
    if region:
        args += ["--area", ",".join(map(str, region))]
    if mask:
        args.append("--mask-transparent")
    status, out = cli(*args)
    assert status in (0, 1), out
    answer = json.loads(out)
    return answer.get("matches", []), (answer["x"], answer["y"]) if answer["found"] else None
