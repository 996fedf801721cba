#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the built program started with --fullscreen on a 1920 x 1080
screen with a window manager (openbox), as on a classroom projector.

It checks from outside that both screens fill the screen, that the layout
sits centred at its scale with margins in each window's colour, and that the
host, found where the scaled layout puts him, opens the quiz; screenshots of
both screens go to the shots folder.

    fullscreen_on_a_large_screen.py --program build/default/lumo3 \\
        --layouts assets/layout --shots build/default/tests/e2e/fullscreen-shots
"""

import argparse
import os
import subprocess
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
from desktop import StepFailed  # noqa: E402

SIZE = (1920, 1080)
DESIGN = (793, 593)
SCALE = min(SIZE[0] / DESIGN[0], SIZE[1] / DESIGN[1])
LEFT = round((SIZE[0] - DESIGN[0] * SCALE) / 2)
START_COLOUR = (192, 192, 255)
QUIZ_COLOUR = (0, 0, 64)


def on_screen(rect):
    """A control's centre on the screen, from its place at the design size."""
    x, y = rect.centre()
    return LEFT + round(x * SCALE), round(y * SCALE)


def wait_for(what, ok, shots, timeout=20):
    deadline = time.monotonic() + timeout
    while True:
        path = os.path.join(shots, "poll.png")
        shots_desktop.capture(path)
        pixels = desktop.Pixels(path)
        wrong = ok(pixels)
        if wrong is None:
            return pixels
        if time.monotonic() > deadline:
            raise StepFailed(f"{what}: {wrong}")
        time.sleep(0.2)


def margins_are(colour):
    """The bands left and right of the centred layout show the window's colour."""
    def check(px):
        seen = [px.at(x, y) for x in (5, LEFT // 2, SIZE[0] - LEFT // 2, SIZE[0] - 5) for y in (100, 540, 1000)]
        wrong = [c for c in seen if c != colour]
        return None if not wrong else f"margin pixels {seen[:4]}..., expected {colour}"
    return check


def main():
    global shots_desktop
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--layouts", required=True)
    parser.add_argument("--shots", required=True)
    args = parser.parse_args()

    desktop.empty_shots_folder(args.shots)
    form1, _form2 = desktop.read_layouts(args.layouts)
    shots_desktop = desktop.Desktop(args.shots)
    shots_desktop.SIZE = SIZE
    log_path = os.path.join(args.shots, "program.log")
    wm = None
    try:
        shots_desktop.start_screen()
        wm = subprocess.Popen(["openbox"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              env=dict(os.environ, DISPLAY=shots_desktop.display))
        time.sleep(1)
        shots_desktop.start_program(args.program, log_path, args=("--fullscreen",))

        wait_for("the start screen filling the screen", margins_are(START_COLOUR), args.shots)
        shots_desktop.screenshot("start-screen-fullscreen")

        shots_desktop.click(*on_screen(form1["Im1"]))
        time.sleep(1)
        shots_desktop.key("Return")
        time.sleep(0.5)
        shots_desktop.click(*on_screen(form1["Im1"]))
        wait_for("the quiz filling the screen", margins_are(QUIZ_COLOUR), args.shots)
        shots_desktop.screenshot("quiz-fullscreen")
    except (StepFailed, TimeoutError) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        shots_desktop.screenshot("FAILED")
        return 1
    finally:
        shots_desktop.stop()
        if wm:
            wm.terminate()
            wm.wait()
    print(f"PASS: both screens fullscreen at scale {SCALE:.2f}; screenshots in {args.shots}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
