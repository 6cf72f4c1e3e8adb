"""Screenshots of the hub's windows compared with the golden images in tests/e2e/golden,
places that change from run to run (a caret, the clock) painted over in both. The hub
paints after its message queue runs dry, so a comparison is retried until it matches or
its time is up. TAVLORA_UPDATE_GOLDENS=1 writes the images instead."""

import os
import shutil
import time

import harness

GOLDEN_DIR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
UPDATE = os.environ.get("TAVLORA_UPDATE_GOLDENS") == "1"
# Colour distance below which two pixels count as equal. Wine draws the same pixels every
# run, while a "." turned into "!" differs in 7 pixels only: the tolerance is in the
# colours alone, and no pixel may differ beyond it.
FUZZ = "4%"
LANGUAGES = {1: "en", 2: "de", 3: "it", 4: "pl"}


def grab(hub, rect, path, masks=()):
    """The screen's pixels inside rect (x, y, w, h) into the PNG `path`, masks painted
    over (each x, y, w, h relative to rect)."""
    x, y, w, h = rect
    os.makedirs(os.path.dirname(path), exist_ok=True)
    shot = harness.run(["import", "-display", hub.display, "-window", "root", "-crop",
                        "%dx%d+%d+%d" % (w, h, x, y), "+repage", "miff:-"], 60, capture_output=True)
    args = ["convert", "miff:-"]
    for mx, my, mw, mh in masks:
        args += ["-fill", "#ff00ff", "-draw", "rectangle %d,%d %d,%d" % (mx, my, mx + mw - 1, my + mh - 1)]
    result = shot.returncode == 0 and harness.run(
        args + ["-define", "png:compression-level=9", "-strip", path], 60, input=shot.stdout,
        capture_output=True)
    if not result or result.returncode != 0:
        raise AssertionError("screenshot failed: %r" % (result or shot).stderr)


def differing_pixels(a, b):
    """How many pixels of the two images differ beyond the fuzz; None when their sizes
    differ or one cannot be read."""
    result = harness.run(["compare", "-metric", "AE", "-fuzz", FUZZ, a, b, "null:"], 60,
                         capture_output=True, text=True)
    try:
        return int(float(result.stderr.split()[0])) if result.returncode in (0, 1) else None
    except (ValueError, IndexError):
        return None


def window_rect(hub, target):
    """Screen rectangle of a window found by class (or the last class of a path)."""
    window = hub.window(target.split("/")[-1])
    if window is None:
        raise AssertionError("no window " + target)
    return window["sx"], window["sy"], window["w"], window["h"]


def check(hub, name, rect, masks=(), timeout=10.0):
    """Compares the screen inside rect with golden/<name>.png (or writes it in update
    mode). The last grab stays in the artifacts folder, with a picture of the difference
    when they do not match."""
    folder = os.path.join(harness.ARTIFACTS, "golden")
    actual, golden = os.path.join(folder, name + ".png"), os.path.join(GOLDEN_DIR, name + ".png")
    deadline = time.monotonic() + timeout
    if UPDATE:  # grabs until two in a row agree: the window has finished painting
        grab(hub, rect, actual + ".previous.png", masks)
        while time.sleep(0.2) or grab(hub, rect, actual, masks) or \
                differing_pixels(actual + ".previous.png", actual) != 0:
            if time.monotonic() > deadline:
                raise AssertionError("the screen did not settle for " + name)
            shutil.copyfile(actual, actual + ".previous.png")
        shutil.copyfile(actual, golden)
        return
    if not os.path.exists(golden):
        raise AssertionError("no golden image %s (TAVLORA_UPDATE_GOLDENS=1 writes it)" % golden)
    while True:
        grab(hub, rect, actual, masks)
        count = differing_pixels(golden, actual)
        if count == 0:
            return
        if time.monotonic() > deadline:
            break
        time.sleep(0.1)
    diff = os.path.join(folder, name + "-diff.png")
    harness.run(["compare", "-fuzz", FUZZ, golden, actual, diff], 60, capture_output=True)
    raise AssertionError("%s differs from its golden image in %s pixels (see %s)"
                         % (name, "all" if count is None else count, diff))
