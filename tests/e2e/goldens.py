"""Screenshots of the hub's windows compared with the golden images in tests/e2e/golden.

A window is cut out of the screen by its rectangle and compared pixel by pixel with its
golden image (ImageMagick `compare -metric AE` with a small colour fuzz); places that
change from run to run (a caret, the clock) are painted over in both first. The hub
paints after its message queue runs dry, so a comparison is retried until it matches or
its time is up.

TAVLORA_UPDATE_GOLDENS=1 writes the images instead of comparing: each is taken once two
grabs in a row agree, and saved as an optimised PNG.
"""

import os
import shutil
import subprocess
import time

import harness

GOLDEN_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
UPDATE = os.environ.get("TAVLORA_UPDATE_GOLDENS") == "1"
# Colour distance below which two pixels count as equal, and how many may differ. Wine
# draws the same pixels every run, while a "." turned into "!" differs in 7 pixels only:
# the tolerance is in the colours alone.
FUZZ = "4%"
MAX_DIFFERING = 0
MASK_COLOUR = "#ff00ff"
LANGUAGES = {1: "en", 2: "de", 3: "it", 4: "pl"}


def _run(args):
    return subprocess.run(args, capture_output=True, text=True)


def grab(hub, rect, path, masks=()):
    """The screen's pixels inside rect (x, y, w, h) into the PNG `path`, masks painted
    over (each x, y, w, h relative to rect)."""
    x, y, w, h = rect
    shot = subprocess.run(["import", "-display", hub.display, "-window", "root",
                           "-crop", "%dx%d+%d+%d" % (w, h, x, y), "+repage", "miff:-"],
                          capture_output=True)
    if shot.returncode != 0:
        raise AssertionError("screenshot failed: " + shot.stderr.decode(errors="replace"))
    args = ["convert", "miff:-"]
    for mx, my, mw, mh in masks:
        args += ["-fill", MASK_COLOUR, "-draw",
                 "rectangle %d,%d %d,%d" % (mx, my, mx + mw - 1, my + mh - 1)]
    args += ["-define", "png:compression-level=9", "-strip", path]
    result = subprocess.run(args, input=shot.stdout, capture_output=True)
    if result.returncode != 0:
        raise AssertionError("screenshot failed: " + result.stderr.decode(errors="replace"))


def differing_pixels(a, b):
    """How many pixels of the two images differ beyond the fuzz; None when their sizes
    differ or one cannot be read."""
    result = _run(["compare", "-metric", "AE", "-fuzz", FUZZ, a, b, "null:"])
    if result.returncode not in (0, 1):
        return None
    try:
        return int(float(result.stderr.split()[0]))
    except (ValueError, IndexError):
        return None


def window_rect(hub, target):
    """Screen rectangle of a window found by class (or probe target)."""
    window = hub.window(target) if "/" not in target else None
    if window is None:
        found = hub.probe("list", check=False)
        window = next((w for w in found if w["class"] == target.split("/")[-1]), None)
    if window is None:
        raise AssertionError("no window " + target)
    return window["sx"], window["sy"], window["w"], window["h"]


def check(hub, name, rect, masks=(), timeout=10.0):
    """Compares the screen inside rect with golden/<name>.png (or writes it in update
    mode). The last grab stays in the artifacts folder, with a picture of the difference
    when they do not match."""
    folder = os.path.join(harness.ARTIFACTS, "golden")
    os.makedirs(folder, exist_ok=True)
    actual = os.path.join(folder, name + ".png")
    golden = os.path.join(GOLDEN_DIR, name + ".png")
    if UPDATE:
        _settle(hub, rect, masks, actual, timeout)
        os.makedirs(GOLDEN_DIR, exist_ok=True)
        shutil.copyfile(actual, golden)
        return
    if not os.path.exists(golden):
        raise AssertionError("no golden image %s (TAVLORA_UPDATE_GOLDENS=1 writes it)" % golden)
    deadline = time.monotonic() + timeout
    while True:
        grab(hub, rect, actual, masks)
        count = differing_pixels(golden, actual)
        if count is not None and count <= MAX_DIFFERING:
            return
        if time.monotonic() > deadline:
            break
        time.sleep(0.1)
    diff = os.path.join(folder, name + "-diff.png")
    _run(["compare", "-fuzz", FUZZ, golden, actual, diff])
    raise AssertionError("%s differs from its golden image in %s pixels (see %s)"
                         % (name, "all" if count is None else count, diff))


def _settle(hub, rect, masks, path, timeout):
    """Grabs until two grabs in a row agree: the window has finished painting."""
    previous = path + ".previous.png"
    grab(hub, rect, previous, masks)
    deadline = time.monotonic() + timeout
    while True:
        time.sleep(0.2)
        grab(hub, rect, path, masks)
        if differing_pixels(previous, path) == 0:
            os.remove(previous)
            return
        if time.monotonic() > deadline:
            raise AssertionError("the screen did not settle for " + path)
        shutil.copyfile(path, previous)
