#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""Benchmarks of lumo3 against a bare Qt window, on a private Xvfb screen.

    run_benchmarks.py --program build/default/lumo3 \\
                      --bare build/default/bench/bare_window \\
                      --bench build/default/bench/lumo_bench [--runs N]

Prints Markdown tables of medians. Start-up and opening the quiz are timed
from outside, as a child sees them: from launching the program (or from the
click) until the screen shows the window's own colours, looked up in the X
screen every millisecond. Each measure of the game alternates with the same
measure of the bare window, so both see the same machine. The handlers, the
peak memory of a whole game and the memory over many games come from
lumo_bench, in a process of its own per measurement.
"""

import argparse
import ctypes
import os
import platform
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

# --- the X screen -------------------------------------------------------------

X11 = ctypes.CDLL("libX11.so.6")
XTST = ctypes.CDLL("libXtst.so.6")
X11.XOpenDisplay.restype = ctypes.c_void_p
X11.XOpenDisplay.argtypes = [ctypes.c_char_p]
X11.XDefaultRootWindow.restype = ctypes.c_ulong
X11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
X11.XGetImage.restype = ctypes.c_void_p
X11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
X11.XGetPixel.restype = ctypes.c_ulong
X11.XGetPixel.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int]
X11.XDestroyImage.argtypes = [ctypes.c_void_p]
X11.XFlush.argtypes = [ctypes.c_void_p]
X11.XKeysymToKeycode.restype = ctypes.c_ubyte
X11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
XTST.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
XTST.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
XTST.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

ALL_PLANES = 0xFFFFFFFFFFFFFFFF
Z_PIXMAP = 2
XK_RETURN = 0xFF0D
TIMEOUT = 10.0


class Screen:
    def __init__(self, size="1024x768"):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", size + "x24",
                                      "-nolisten", "tcp", "-noreset"],
                                     pass_fds=(write_fd,), stderr=subprocess.DEVNULL)
        os.close(write_fd)
        number = b""
        while not number.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                sys.exit("Xvfb did not start")
            number += chunk
        os.close(read_fd)
        self.display = ":" + number.decode().strip()
        self.dpy = X11.XOpenDisplay(self.display.encode())
        self.root = X11.XDefaultRootWindow(self.dpy)

    def pixel(self, x, y):
        image = X11.XGetImage(self.dpy, self.root, x, y, 1, 1, ALL_PLANES, Z_PIXMAP)
        value = X11.XGetPixel(image, 0, 0)
        X11.XDestroyImage(image)
        return (value >> 16) & 255, (value >> 8) & 255, value & 255

    def shows(self, spots):
        return all(self.pixel(x, y) == colour for (x, y), colour in spots)

    def wait_for(self, spots, what, since=None, absent=False):
        """Seconds from `since` until every spot has its colour (or, with
        `absent`, until none has)."""
        start = time.perf_counter() if since is None else since
        while not (self.shows(spots) if not absent else not any(self.shows([s]) for s in spots)):
            if time.perf_counter() - start > TIMEOUT:
                sys.exit(f"timed out waiting for {what}")
            time.sleep(0.001)
        return time.perf_counter() - start

    def click(self, x, y):
        XTST.XTestFakeMotionEvent(self.dpy, -1, x, y, 0)
        XTST.XTestFakeButtonEvent(self.dpy, 1, 1, 0)
        XTST.XTestFakeButtonEvent(self.dpy, 1, 0, 0)
        X11.XFlush(self.dpy)

    def press_return(self):
        code = X11.XKeysymToKeycode(self.dpy, XK_RETURN)
        XTST.XTestFakeKeyEvent(self.dpy, code, 1, 0)
        XTST.XTestFakeKeyEvent(self.dpy, code, 0, 0)
        X11.XFlush(self.dpy)

    def env(self):
        # The game keeps its window's size and place in the user's settings:
        # give it settings of its own, with its window where the bare one is.
        if not hasattr(self, "home"):
            self.home = tempfile.mkdtemp(prefix="lumo3-bench-")
            os.makedirs(os.path.join(self.home, "lumo3"))
            with open(os.path.join(self.home, "lumo3", "lumo3.conf"), "w") as conf:
                conf.write("[window]\ngeometry=@Rect(0 0 801 601)\n")
        env = dict(os.environ, DISPLAY=self.display, QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=self.home,
                   XDG_DATA_HOME=os.path.join(self.home, "data"))
        for name in ("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "QT_ACCESSIBILITY"):
            env.pop(name, None)
        return env

    def stop(self):
        self.xvfb.terminate()
        self.xvfb.wait()
        if hasattr(self, "home"):
            shutil.rmtree(self.home, ignore_errors=True)


# What each window looks like once it is painted (colours from the layout
# data and from bare_window.cpp), at points that no other window covers.
EMPTY = ((4, 300), (0, 0, 0))
FORM1 = [((4, 300), (192, 192, 255)), ((125, 165), (255, 192, 192))]   # window, LB1
PROMPT = [((300, 212), (239, 239, 239))]                               # the name prompt's face
FORM2 = [((4, 300), (0, 0, 64)), ((110, 20), (0, 0, 255))]            # window, LB1
BARE = [((4, 300), (192, 192, 255))]
BARE2 = [((4, 300), (0, 0, 64))]
HOST = (419, 320)


def launch(screen, command):
    return subprocess.Popen(command, env=screen.env(), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def end(screen, proc):
    proc.terminate()
    proc.wait()
    screen.wait_for([EMPTY], "the screen to be empty again")


def peak_of(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return -1


def start_up(screen, command, painted):
    """Launch to painted, in seconds, and the peak memory (kB) then."""
    start = time.perf_counter()
    proc = launch(screen, command)
    seconds = screen.wait_for(painted, f"{command[0]} to paint", since=start)
    time.sleep(0.2)
    peak = peak_of(proc.pid)
    end(screen, proc)
    return seconds, peak


def quiz_opening(screen, program):
    """The second click on the host until the quiz screen is painted."""
    proc = launch(screen, [program])
    screen.wait_for(FORM1, "the start screen")
    screen.click(*HOST)
    screen.wait_for(PROMPT, "the name prompt")
    screen.press_return()
    screen.wait_for(PROMPT, "the prompt to close", absent=True)
    time.sleep(0.2)
    start = time.perf_counter()
    screen.click(*HOST)
    seconds = screen.wait_for(FORM2, "the quiz screen", since=start)
    end(screen, proc)
    return seconds


def second_window(screen, bare):
    proc = launch(screen, [bare, "--second-window"])
    screen.wait_for(BARE, "the bare window")
    time.sleep(0.2)
    start = time.perf_counter()
    screen.click(400, 300)
    seconds = screen.wait_for(BARE2, "the second bare window", since=start)
    end(screen, proc)
    return seconds


def run_lines(screen, command):
    out = subprocess.run(command, env=screen.env(), stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                         check=True, text=True).stdout
    return [line.split("\t") for line in out.splitlines() if line.strip()]


# --- the report -----------------------------------------------------------------

def ms(seconds):
    return f"{seconds * 1000:.1f} ms"


def verdict(ok):
    return "met" if ok else "**missed**"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--bare", required=True)
    parser.add_argument("--bench", required=True)
    parser.add_argument("--runs", type=int, default=15, help="runs of each outside measure")
    parser.add_argument("--handler-runs", type=int, default=101)
    args = parser.parse_args()

    load_before = os.getloadavg()[0]
    screen = Screen()
    try:
        # Warm the file cache and the font cache first.
        for _ in range(2):
            start_up(screen, [args.program], FORM1)
            start_up(screen, [args.bare], BARE)

        game_start, bare_start, game_peak_start, bare_peak_start = [], [], [], []
        game_quiz, bare_quiz = [], []
        for _ in range(args.runs):
            s, m = start_up(screen, [args.program], FORM1)
            game_start.append(s)
            game_peak_start.append(m)
            s, m = start_up(screen, [args.bare], BARE)
            bare_start.append(s)
            bare_peak_start.append(m)
            game_quiz.append(quiz_opening(screen, args.program))
            bare_quiz.append(second_window(screen, args.bare))

        game_peak, bare_peak = [], []
        for _ in range(5):
            game_peak.append(int(run_lines(screen, [args.bench, "--peak-memory-game"])[0][0]))
            bare_peak.append(int(run_lines(screen, [args.bare, "--peak-memory"])[0][0]))

        growth = []
        for _ in range(3):
            growth.append({r[0]: (int(r[1]), int(r[2])) for r in run_lines(screen, [args.bench, "--games", "50"])})

        cold = [run_lines(screen, [args.bench, "--cold-openings"]) for _ in range(5)]

        handlers = run_lines(screen, [args.bench, "--handlers", str(args.handler_runs)])
    finally:
        screen.stop()
    # The same handlers with the screens filling a 4K screen, as in fullscreen.
    big = Screen(BIG)
    try:
        big_handlers = run_lines(big, [args.bench, "--handlers", str(args.handler_runs), BIG])
    finally:
        big.stop()
    load_after = os.getloadavg()[0]

    med = statistics.median
    print(f"Machine: {os.cpu_count()} cores, {cpu_model()}, Linux {platform.release()}; "
          f"load average {load_before:.1f} before, {load_after:.1f} after.")
    print(f"Outside measures: median of {args.runs} runs each, alternating with the baseline; "
          f"handlers: {args.handler_runs} runs each.\n")

    print("| measure | lumo3 | bare Qt window | ratio | target | |")
    print("|---|---:|---:|---:|---|---|")
    r = med(game_start) / med(bare_start)
    print(f"| start-up: launch to start screen painted | {ms(med(game_start))} | {ms(med(bare_start))} "
          f"| {r:.2f} | ≤ 1.3 × bare | {verdict(r <= 1.3)} |")
    r = med(game_quiz) / med(bare_quiz)
    print(f"| opening the quiz: host click to Form2 painted | {ms(med(game_quiz))} | {ms(med(bare_quiz))} "
          f"(click to a second window) | {r:.2f} | one frame, 16.7 ms | {verdict(med(game_quiz) <= 0.0167)} |")
    r = med(game_peak_start) / med(bare_peak_start)
    print(f"| peak memory at the start screen (VmHWM) | {med(game_peak_start) / 1024:.1f} MB "
          f"| {med(bare_peak_start) / 1024:.1f} MB | {r:.2f} | | |")
    r = med(game_peak) / med(bare_peak)
    print(f"| peak memory over a 100-question game (VmHWM) | {med(game_peak) / 1024:.1f} MB "
          f"| {med(bare_peak) / 1024:.1f} MB | {r:.2f} | ≤ 1.5 × bare | {verdict(r <= 1.5)} |")
    def at(when, column):
        return med(g[when][column] for g in growth) / 1024

    print(f"| memory after 50 games against after 1 (RSS) | {at('50', 0):.1f} MB | {at('1', 0):.1f} MB "
          f"| {at('50', 0) / at('1', 0):.2f} | no growth beyond noise | {verdict(at('50', 0) - at('1', 0) <= 1)} |")
    print(f"| heap in use after 50 games against after 1 | {at('50', 1):.1f} MB | {at('1', 1):.1f} MB "
          f"| {at('50', 1) / at('1', 1):.2f} | no growth beyond noise | {verdict(at('50', 1) - at('1', 1) <= 0.25)} |")
    print(f"| heap in use after 10, 25 and 50 games | {at('10', 1):.1f}, {at('25', 1):.1f}, {at('50', 1):.1f} MB "
          f"| | | | |")
    print(f"| heap in use after 50 games, Qt's pixmap cache emptied | {at('cleared', 1):.1f} MB | {at('1', 1):.1f} MB "
          f"| {at('cleared', 1) / at('1', 1):.2f} | | |")
    for row in range(len(cold[0])):
        name = cold[0][row][0]
        wall = med(float(c[row][1]) for c in cold) / 1000
        cpu = med(float(c[row][3]) for c in cold) / 1000
        print(f"| {name} (in-process, fresh process) | {wall:.1f} ms (processor {cpu:.1f} ms) | | | "
              f"one frame, 16.7 ms | {verdict(wall <= 16.7)} |")

    handler_table("handler (in-process)", handlers)
    handler_table(f"handler, windows filling a {BIG.replace('x', ' x ')} screen (layout scale "
                  f"{min(3840 / 793, 2160 / 593):.2f})", big_handlers)


BIG = "3840x2160"


def handler_table(title, handlers):
    print(f"\n| {title} | median | 95th pct. | processor time, median | target | |")
    print("|---|---:|---:|---:|---|---|")
    for name, wall, p95, cpu, _count in handlers:
        target, limit = target_of(name)
        ok = "" if limit is None else verdict(float(wall) <= limit)
        print(f"| {name} | {float(wall) / 1000:.2f} ms | {float(p95) / 1000:.2f} ms "
              f"| {float(cpu) / 1000:.2f} ms | {target} | {ok} |")


def target_of(name):
    if name.startswith("baseline"):
        return "", None
    if name.startswith("Form2 St, level 4") or name.startswith("Form2 Cm4_Click, level 4, 60"):
        return "< 10 ms", 10000.0
    if name.split(" +")[0] in ("Form2 Cm3_Click (check), level 4", "Form2 Th (marking), level 4",
                               "Form2 Timer2_Timer (one clearing tick), level 4",
                               "Form2 Timer1_Timer (clock tick)"):
        return "< 1 ms", 1000.0
    return "< 16.7 ms", 16700.0


def cpu_model():
    try:
        with open("/proc/cpuinfo") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return platform.processor() or "unknown processor"


if __name__ == "__main__":
    main()
