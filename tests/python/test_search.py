"""locate, locate_all, explain and wait on arrays and files, against the
command line's answers and against scenes whose answers are known; every
kind of bad input; threads; a wait ended by a signal."""
import os
import re
import signal
import subprocess
import sys
import threading
from concurrent.futures import ThreadPoolExecutor

import cv2
import numpy as np
import pytest

import quorvane
from conftest import cli_find_all, noise, save_png


def copies_scene(rng):
    """A black 8x6 picture at 10 overlapping places, as find --all's test has it."""
    scene = noise(rng, 40, 60)
    scene[5:13, 40:50, :3] = 0
    scene[30:36, 3:11, :3] = 0
    return scene, np.zeros((6, 8, 4), np.uint8)


def cut(scene, x, y, w, h):
    return scene[y:y + h, x:x + w].copy()


def shifted(rng):
    """A picture whose red is 3 higher than the scene's under it."""
    scene = noise(rng, 50, 70)
    scene[..., 2] = np.minimum(scene[..., 2], 250)
    picture = cut(scene, 20, 30, 9, 7)
    picture[..., 2] += 3
    return scene, picture


def holed(rng):
    """A picture whose middle is inverted and transparent."""
    scene = noise(rng, 50, 70)
    picture = cut(scene, 33, 11, 12, 9)
    picture[2:7, 3:9, :3] ^= 0xFF
    picture[2:7, 3:9, 3] = 0
    return scene, picture


# name, scene maker, region (None: the whole scene), deviation, mask_transparent
CASES = [
    ("copies", copies_scene, None, (0, 0, 0), False),
    ("copies in a region", copies_scene, (40, 5, 10, 8), (0, 0, 0), False),
    ("region beside the copies", copies_scene, (12, 0, 20, 40), (0, 0, 0), False),
    ("red needs 3, given 2", shifted, None, (2, 0, 0), False),
    ("red needs 3, given 3", shifted, None, (3, 0, 0), False),
    ("red needs 3, given all 3", shifted, None, (3, 3, 3), False),
    ("hole unmasked", holed, None, (0, 0, 0), False),
    ("hole masked", holed, None, (0, 0, 0), True),
]


def explain_text(e):
    return ("Closest match at %d,%d needs deviation %d,%d,%d\n"
            "%d of %d pixels differ by more than the given deviation\n"
            % (e.x, e.y, *e.needs, e.differing, e.total))


@pytest.mark.parametrize("name,make,region,deviation,mask", CASES, ids=[c[0] for c in CASES])
def test_answers_as_the_command_line(tmp_path, cli, name, make, region, deviation, mask):
    scene, picture = make(np.random.default_rng(7))
    screen_file = save_png(tmp_path / "screen.png", scene)
    picture_file = save_png(tmp_path / "picture.png", picture)
    want_all, want_first = cli_find_all(cli, picture_file, screen_file, (0, 0), region,
                                        deviation, mask)
    status, want_explanation = cli("explain", "--picture", picture_file, "--screen-image",
                                   screen_file, "--deviation", "%d,%d,%d" % deviation,
                                   *(["--area", ",".join(map(str, region))] if region else []),
                                   *(["--mask-transparent"] if mask else []))
    rgba = scene[..., [2, 1, 0, 3]], picture[..., [2, 1, 0, 3]]
    for pic, hay, order in [(picture, scene, "BGRA"), (picture_file, screen_file, "BGRA"),
                            (rgba[1], rgba[0], "RGBA")]:
        args = dict(region=region, deviation=deviation, mask_transparent=mask, haystack=hay,
                    order=order)
        assert quorvane.locate(pic, **args) == want_first
        assert quorvane.locate_all(pic, **args) == [tuple(m) for m in want_all]
        assert explain_text(quorvane.explain(pic, **args)) == want_explanation
    assert status == (0 if want_first else 1)


def test_random_scenes_give_their_known_answers():
    rng = np.random.default_rng(11)
    for _ in range(40):
        h, w = rng.integers(20, 90, 2)
        scene = noise(rng, h, w)
        ph, pw = rng.integers(3, 12, 2)
        picture = noise(rng, ph, pw)
        places = {(int(rng.integers(0, w - pw + 1)), int(rng.integers(0, h - ph + 1)))
                  for _ in range(rng.integers(0, 4))}
        for x, y in places:
            scene[y:y + ph, x:x + pw] = picture
        # Copies pasted later may cover earlier ones: the answer is what is left.
        places = sorted(p for p in places
                        if np.array_equal(scene[p[1]:p[1] + ph, p[0]:p[0] + pw], picture))
        found = quorvane.locate_all(picture, haystack=scene)
        assert found == places
        assert quorvane.locate(picture, haystack=scene) == (places[0] if places else None)
        assert quorvane.locate_all(picture, haystack=scene, max_matches=1) == places[:1]
        e = quorvane.explain(picture, haystack=scene)
        assert (e.differing == 0) == bool(places)


@pytest.fixture(scope="module")
def files(tmp_path_factory):
    d = tmp_path_factory.mktemp("files")
    cv2.imwrite(str(d / "rgb.png"), np.zeros((5, 5, 3), np.uint8))
    (d / "broken.png").write_text("not an image")
    os.mkfifo(d / "fifo.png")
    return d


ARRAY = np.zeros((4, 4, 4), np.uint8)
BAD_INPUT = [
    (lambda f: dict(picture=str(f / "missing.png")), "no picture file '"),
    (lambda f: dict(picture=f / "rgb.png"), "has 24 bits per pixel; only 32-bit pictures"),
    (lambda f: dict(picture=str(f / "broken.png")), "cannot be decoded"),
    (lambda f: dict(picture=str(f / "fifo.png")), "is not a regular file"),
    (lambda f: dict(picture=str(f / "miss\ning.png")), r"/miss\x0aing.png'"),
    (lambda f: dict(picture=42), "picture takes a file path, an Image or an array"),
    (lambda f: dict(picture=np.zeros((4, 4, 3), np.uint8)), "must be height x width x 4 bytes"),
    (lambda f: dict(picture=np.zeros((4, 4, 4), np.float32)), "must be height x width x 4 bytes"),
    (lambda f: dict(picture=np.zeros((0, 4, 4), np.uint8)), "is empty"),
    (lambda f: dict(picture=np.zeros((1, 16385, 4), np.uint8)), "is too large"),
    (lambda f: dict(haystack=str(f / "broken.png")), "the haystack '"),
    (lambda f: dict(region=(0, 0, 4)), "region takes (left, top, width, height)"),
    (lambda f: dict(region=(0, 0, 0, 4)), "needs a width and height above 0"),
    (lambda f: dict(region=(0, 2**31 - 1, 1, 1)), "beyond the last screen coordinate"),
    (lambda f: dict(region=(0, 0, 4, "4")), "region's height takes a whole number"),
    (lambda f: dict(region=(0, 0, 5, 4)), "larger than the screen (4 x 4)"),
    (lambda f: dict(deviation=-1), "deviation takes a whole number from 0 to 255"),
    (lambda f: dict(deviation=(1, 2)), "deviation takes one number or three"),
    (lambda f: dict(deviation=(1, 2, 256)), "deviation's blue takes"),
    (lambda f: dict(order="ARGB"), "order takes \"BGRA\" or \"RGBA\""),
]


@pytest.mark.parametrize("make,text", BAD_INPUT, ids=[b[1] for b in BAD_INPUT])
def test_bad_input_is_refused_with_its_reason(files, make, text):
    args = dict(picture=ARRAY, haystack=ARRAY)
    args.update(make(files))
    for call in (quorvane.locate, quorvane.locate_all, quorvane.explain):
        with pytest.raises(quorvane.BadInput) as raised:
            call(**args)
        assert text in str(raised.value)
        assert isinstance(raised.value, ValueError)


@pytest.mark.parametrize("call,text", [
    (lambda: quorvane.locate_all(ARRAY, haystack=ARRAY, max_matches=-1), "max_matches takes"),
    (lambda: quorvane.explain(np.zeros((5, 4, 4), np.uint8), haystack=ARRAY),
     "The picture (4 x 5) is larger than the area (4 x 4)"),
    (lambda: quorvane.wait(ARRAY, timeout=-1, haystack=ARRAY), "timeout takes a number"),
    (lambda: quorvane.wait(ARRAY, interval=float("nan"), haystack=ARRAY), "interval takes"),
    (lambda: quorvane.click(x=1), "click takes both x and y"),
    (lambda: quorvane.move("1", 2), "x takes a whole number"),
    (lambda: quorvane.grab((0, 0, -1, 1)), "needs a width and height above 0"),
    (lambda: quorvane.press("ctrl+Foo"), "unknown key name 'Foo' in 'ctrl+Foo'"),
    (lambda: quorvane.press(), "press takes one key combination or more"),
    (lambda: quorvane.press("a", 1), "a key combination takes a str, not 1"),
    (lambda: quorvane.type("a\x01"), "U+0001, a control character"),
    (lambda: quorvane.type("\ud800"), "text holds a lone surrogate"),
    (lambda: quorvane.type("a", delay=61), "delay takes at most 60 seconds"),
    (lambda: quorvane.click(1, 2, "up"), "button takes \"left\", \"right\" or \"middle\""),
    (lambda: quorvane.scroll(10001), "steps takes a whole number from -10000 to 10000"),
    (lambda: quorvane.scroll(1, y=2), "scroll takes both x and y"),
    (lambda: quorvane.drag(0, 0, 1, None), "y2 takes a whole number"),
])
def test_bad_arguments_of_the_other_calls(call, text):
    with pytest.raises(quorvane.BadInput, match=re.escape(text)):
        call()


def test_threads_locate_at_once():
    rng = np.random.default_rng(5)
    jobs = []
    for i in range(16):
        scene = noise(rng, 300, 400)
        x, y = int(rng.integers(0, 380)), int(rng.integers(0, 280))
        jobs.append((scene, scene[y:y + 20, x:x + 20], (x, y)))  # a view, not a copy
    with ThreadPoolExecutor(8) as pool:
        answers = list(pool.map(lambda j: quorvane.locate(j[1], haystack=j[0]), jobs * 4))
    assert answers == [j[2] for j in jobs] * 4


def test_wait_ends_on_a_signal():
    # The signal is sent once wait has been entered: only its own look at
    # pending signals can end it before the timeout. Ctrl+C's handler is set
    # here, as a process started in the background ignores the signal.
    entered = threading.Event()
    handler = signal.signal(signal.SIGINT, signal.default_int_handler)
    sys.setprofile(lambda frame, event, arg: event == "c_call" and arg is quorvane.wait
                   and entered.set())
    sender = threading.Thread(
        target=lambda: entered.wait(60) and os.kill(os.getpid(), signal.SIGINT))
    absent = np.full((3, 3, 4), 7, np.uint8)
    try:
        sender.start()
        with pytest.raises(KeyboardInterrupt):
            quorvane.wait(absent, timeout=120, interval=3600, haystack=ARRAY)
    finally:
        sys.setprofile(None)
        sender.join()
        signal.signal(signal.SIGINT, handler)


def test_wait_gives_up_after_its_timeout():
    assert quorvane.wait(np.full((3, 3, 4), 7, np.uint8), timeout=0, haystack=ARRAY) is None
    assert quorvane.wait(ARRAY[:2, :2], timeout=0, haystack=ARRAY) == (0, 0)


def test_without_a_desktop_bad_input_still_comes_first():
    script = """
import numpy as np, quorvane
a = np.zeros((4, 4, 4), np.uint8)
for call in (lambda: quorvane.locate("missing.png"), lambda: quorvane.locate(a),
             lambda: quorvane.grab(), lambda: quorvane.click()):
    try:
        call()
    except quorvane.QuorvaneError as e:
        print(type(e).__name__, e)
"""
    env = {k: v for k, v in os.environ.items()
           if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QRV_PLATFORM")}
    out = subprocess.run([sys.executable, "-c", script], env=env, capture_output=True,
                         text=True, timeout=120).stdout.splitlines()
    assert out[0] == "BadInput no picture file 'missing.png'"
    assert [line.split(" ", 1)[0] for line in out[1:]] == ["DesktopUnavailable"] * 3
    assert all(line.split(" ", 1)[1].startswith("no desktop session found (") and
               "x11: is DISPLAY set?" in line for line in out[1:])
