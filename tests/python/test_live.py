"""The live desktop of the test session (Xvfb with two monitors, or the
headless sway: both 1280x1024 left of the origin and 1920x1080 at it), with
the pattern window of the Wayland tests: finding, grabbing and clicking it,
threads opening the desktop at once, and a process that exercises every
call without loading Qt."""
import contextlib
import os
import pathlib
import signal
import subprocess
import sys
import threading

import cv2
import numpy as np
import pytest

import quorvane

pytestmark = pytest.mark.skipif(not (os.environ.get("DISPLAY") or
                                     os.environ.get("WAYLAND_DISPLAY")),
                                reason="needs the test session's desktop")

APPS = pathlib.Path(os.environ.get("QRV_TEST_APPS",
                                   pathlib.Path(__file__).parents[1] / "wayland/apps"))
PATCH_X, PATCH_Y, PATCH_W, PATCH_H = 300, 200, 160, 120


def patch():
    """The window's patch as BGRA, by the formula pattern_window.py draws."""
    y, x = np.mgrid[0:PATCH_H, 0:PATCH_W]
    return np.stack([(x * y + 5 * y) % 256, (x ^ y) % 256, (x * 7 + y * 3) % 256,
                     np.full_like(x, 255)], axis=-1).astype(np.uint8)


class PatternWindow:
    def __init__(self, *command):
        env = dict(os.environ, GDK_BACKEND="wayland" if "WAYLAND_DISPLAY" in os.environ else "x11")
        command = command or (APPS / "pattern_window.py", "quorvane-python")
        self.process = subprocess.Popen(["/usr/bin/python3", *command],
                                        stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                        text=True, env=env)
        self.lines = []
        self.changed = threading.Condition()
        threading.Thread(target=self.read, daemon=True).start()

    def read(self):
        for line in self.process.stdout:
            with self.changed:
                self.lines.append(line.strip())
                self.changed.notify_all()

    def saw(self, line, count=1):
        with self.changed:
            return self.changed.wait_for(
                lambda: sum(x == line or x.startswith(line + " ") for x in self.lines) >= count,
                timeout=60)


@pytest.fixture(scope="module")
def window():
    w = PatternWindow()
    assert w.saw("ready")
    yield w
    w.process.terminate()
    w.process.wait()


def test_the_desktop_as_the_test_session_lays_it_out():
    assert quorvane.desktop() in ("x11", "wayland")
    assert sorted(quorvane.screens()) == [(-1280, 0, 1280, 1024), (0, 0, 1920, 1080)]
    assert quorvane.virtual_screen() == (-1280, 0, 3200, 1080)
    assert np.asarray(quorvane.grab()).shape == (1080, 3200, 4)


def test_the_window_is_found_grabbed_and_clicked(window, tmp_path):
    at = quorvane.wait(patch(), timeout=60, interval=0.1)
    assert at is not None
    image = quorvane.grab((at.x, at.y, PATCH_W, PATCH_H))
    assert (image.left, image.top, image.width, image.height) == (at.x, at.y, PATCH_W, PATCH_H)
    assert np.array_equal(np.asarray(image), patch())
    # An Image as the haystack answers in screen coordinates; saved, from (0, 0).
    assert quorvane.locate(patch()[5:9, 7:20], haystack=image) == (at.x + 7, at.y + 5)
    image.save(tmp_path / "grab.png")
    assert np.array_equal(cv2.imread(str(tmp_path / "grab.png"), cv2.IMREAD_UNCHANGED), patch())
    centre = (at.x + PATCH_W // 2, at.y + PATCH_H // 2)
    quorvane.click(*centre)
    inside = "%d %d" % (PATCH_X + PATCH_W // 2, PATCH_Y + PATCH_H // 2)
    assert window.saw("press 1 " + inside) and window.saw("release 1 " + inside)
    assert quorvane.position() == centre
    quorvane.move(centre[0] + 1, centre[1] + 2)
    assert window.saw("motion %d %d" % (PATCH_X + PATCH_W // 2 + 1, PATCH_Y + PATCH_H // 2 + 2))


def test_the_readme_script_clicks_its_picture(window, tmp_path):
    here = pathlib.Path(__file__).parent  # the sway suite copies the README beside the tests
    readme = next(p for p in (here / "README.md", here.parents[1] / "README.md") if p.exists())
    script = readme.read_text().split("```python\n", 1)[1].split("```", 1)[0]
    cv2.imwrite(str(tmp_path / "ok_button.png"), patch())
    quorvane.move(*quorvane.virtual_screen()[:2])  # off the patch: sway draws the cursor into captures
    done = subprocess.run([sys.executable, "-c", script], cwd=tmp_path, timeout=300)
    assert done.returncode == 0
    inside = "%d %d" % (PATCH_X + 12, PATCH_Y + 8)
    assert window.saw("press 1 " + inside) and window.saw("release 1 " + inside)


def run_python(script, *args):
    done = subprocess.run([sys.executable, "-c", script, *map(str, args)], capture_output=True,
                          text=True, timeout=300)
    assert done.returncode == 0, done.stderr
    return done.stdout


def test_threads_open_the_desktop_and_locate_at_once(window, tmp_path):
    # Sixteen first calls of a fresh process race to open the one connection.
    out = run_python("""
import sys, numpy as np, quorvane
from concurrent.futures import ThreadPoolExecutor
patch = np.load(sys.argv[1])
with ThreadPoolExecutor(16) as pool:
    print(set(pool.map(lambda i: quorvane.wait(patch, timeout=60, interval=0.1), range(16))))
""", save_patch(tmp_path / "patch.npy"))
    assert out.strip() == "{%r}" % (quorvane.locate(patch()),)


def save_patch(path):
    np.save(path, patch())
    return path


QT_FREE = """
import sys, numpy as np, quorvane
a = np.zeros((8, 8, 4), np.uint8)
quorvane.desktop(), quorvane.screens(), quorvane.virtual_screen(), quorvane.position()
quorvane.grab((0, 0, 8, 8)).save(sys.argv[1])
quorvane.locate(sys.argv[1]), quorvane.locate_all(a), quorvane.wait(a, timeout=0)
quorvane.explain(sys.argv[1], haystack=sys.argv[1])
quorvane.move(5, 5), quorvane.click(5, 5)
print(" ".join(sorted({l.split()[-1].rsplit("/", 1)[-1] for l in open("/proc/self/maps")
                       if "/libQt" in l})))
"""


def test_no_qt_library_is_loaded(tmp_path):
    assert run_python(QT_FREE, tmp_path / "q.png").strip() == ""


CONSENT = """
import os, select, subprocess, sys, numpy as np
peer = subprocess.Popen(["/usr/bin/python3", sys.argv[1], "--no-shortcuts", "--answer", "Start=1",
                         sys.argv[2], "token"], stdout=subprocess.PIPE, text=True)
select.select([peer.stdout], [], [], 60)[0] and peer.stdout.readline()  # "ready"
os.environ["QRV_PLATFORM"] = "portal"
import quorvane
for picture in ("missing.png", np.zeros((4, 4, 4), np.uint8)):
    try:
        quorvane.locate(picture)
    except quorvane.QuorvaneError as e:
        print(type(e).__name__, e)
peer.terminate()
"""


def test_bad_input_asks_no_consent_and_a_declined_one_raises(tmp_path):
    # The scripted portal declines on a bus of its own, where nothing else
    # can have started the real one.
    log = tmp_path / "portal.log"
    process = subprocess.Popen(["dbus-run-session", "--", sys.executable, "-c", CONSENT,
                                APPS / "portal_peer.py", log], stdout=subprocess.PIPE, text=True,
                               start_new_session=True)
    try:
        out = process.communicate(timeout=60)[0]
    finally:
        with contextlib.suppress(ProcessLookupError):
            os.killpg(process.pid, signal.SIGKILL)
    assert out.splitlines() == [
        "BadInput no picture file 'missing.png'",
        "ConsentDeclined the desktop declined screen access; call again to be asked again"]
    assert log.read_text().count("remote-desktop") == 1


# The sway suite runs these checks with the command line, on a seat whose
# devices it holds; here the module's own calls go to the logging window.
@pytest.mark.skipif("WAYLAND_DISPLAY" in os.environ, reason="the X desktop's check")
def test_typing_keys_buttons_and_the_wheel_reach_a_window():
    log = PatternWindow(pathlib.Path(__file__).parents[1] / "input/input_log_window.py")
    try:
        assert log.saw("ready")
        x, y = map(int, next(line for line in log.lines if line.startswith("ready")).split()[1:])
        quorvane.click(x, y)
        quorvane.type("abc")
        quorvane.press("ctrl+a")
        quorvane.type("Grüße Ω", delay=0.01)
        assert log.saw('text "Gr\\u00fc\\u00dfe \\u03a9"')
        quorvane.click(300, y + 200, button="middle")
        quorvane.drag(200, y + 200, 400, y + 300)
        quorvane.scroll(-2, x=500, y=y + 200, horizontal=True)
        for line in ("release 2 300 %d" % (y + 200), "press 1 200 %d" % (y + 200),
                     "release 1 400 %d" % (y + 300)):
            assert log.saw(line)
        assert log.saw("scroll left", 2)
    finally:
        log.process.terminate()
        log.process.wait()
