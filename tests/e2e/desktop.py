# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""A private X desktop for driving lumo3 from outside, as a child would.

Xvfb gives the screen, xdotool the mouse and keyboard, ImageMagick the
screenshots, and AT-SPI (through pyatspi) tells what the program shows.
Nothing here talks to the program in any other way.
"""

import importlib.util
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

def in_private_session(script, argv):
    """Runs script again inside a D-Bus session of its own, with its own
    accessibility bus, for this run only; returns its exit code. Returns
    None when already inside it, and 1 when packages are missing."""
    if os.environ.get("LUMO_E2E_SESSION") == "1":
        return None
    missing = missing_packages()
    if missing:
        print("The end-to-end test needs these Debian packages: " + " ".join(missing), file=sys.stderr)
        return 1
    # The accessibility bus's socket lives in the runtime folder, or in
    # ~/.cache/at-spi named after the X display when there is none: there a
    # bus launcher of an earlier run on the same display number, ending late,
    # removes the socket of this run's, and programs started after that never
    # reach the bus. A runtime folder of its own keeps each run's socket apart.
    runtime = tempfile.mkdtemp(prefix="lumo3-e2e-runtime-")
    env = dict(os.environ, LUMO_E2E_SESSION="1", XDG_RUNTIME_DIR=runtime)
    env.pop("AT_SPI_BUS_ADDRESS", None)
    try:
        return subprocess.call(["dbus-run-session", "--", "/usr/bin/python3", os.path.abspath(script), *argv],
                               env=env)
    finally:
        shutil.rmtree(runtime, ignore_errors=True)


def set_up(args):
    """A run's emptied screenshot folder, both screens' layouts and its
    desktop: (form1, form2, screen, path of the program's log)."""
    empty_shots_folder(args.shots)
    form1, form2 = read_layouts(args.layouts)
    return form1, form2, Desktop(args.shots), os.path.join(args.shots, "program.log")


def watched_program(screen, executable, log_path, **settings):
    """Starts the X screen, the accessibility bus and the program on it
    (settings as Desktop.start_program takes them); returns the program as
    a screen reader sees it."""
    screen.start_screen()
    import accessible  # the accessibility bus starts with the first look
    accessible.pyatspi.Registry.getDesktop(0)
    screen.start_program(executable, log_path, **settings)
    return accessible.Program("lumo3")


def empty_shots_folder(path):
    """The screenshot folder, emptied of an earlier run's pictures and logs."""
    os.makedirs(path, exist_ok=True)
    for old in os.listdir(path):
        if old.endswith(".png") or old.endswith(".log"):
            os.remove(os.path.join(path, old))


def read_layouts(folder):
    """The places of both screens' controls: (Form1, Form2)."""
    return (read_layout(os.path.join(folder, "form1.json")),
            read_layout(os.path.join(folder, "form2.json")))


# Where each control sits, from the screens' layout data.
TWIPS_PER_PIXEL = 15


def twips_to_pixels(twips):
    return (twips + TWIPS_PER_PIXEL // 2) // TWIPS_PER_PIXEL


class StepFailed(Exception):
    pass


class Rect:
    def __init__(self, x, y, w, h):
        self.x, self.y, self.w, self.h = x, y, w, h

    def centre(self):
        return self.x + self.w // 2, self.y + self.h // 2

    def inset(self, d):
        return Rect(self.x + d, self.y + d, self.w - 2 * d, self.h - 2 * d)

    def __repr__(self):
        return f"({self.x},{self.y} {self.w}x{self.h})"


def read_layout(path):
    """Screen rectangles of every control of one screen, by name ("LB3",
    "Im1_4" for element 4 of the array Im1). Without a window manager a
    window's client area starts at the screen's corner, and the children of
    a frame are placed relative to the frame."""
    with open(path, encoding="utf-8") as f:
        layout = json.load(f)
    rects = {}
    for entry in layout["controls"]:
        if entry["kind"] == "timer":
            continue
        ox = oy = 0
        if entry.get("in"):
            frame = rects[entry["in"]]
            ox, oy = frame.x, frame.y
        count = entry.get("count")
        for index in range(count or 1):
            left = entry["left"] + index * entry.get("leftStep", 0)
            top = entry["top"] + index * entry.get("topStep", 0)
            name = f'{entry["name"]}_{index}' if count else entry["name"]
            rects[name] = Rect(ox + twips_to_pixels(left), oy + twips_to_pixels(top),
                               twips_to_pixels(entry["width"]), twips_to_pixels(entry["height"]))
    return rects


REQUIRED_TOOLS = {
    "Xvfb": "xvfb", "xdotool": "xdotool", "setxkbmap": "x11-xkb-utils", "import": "imagemagick",
    "convert": "imagemagick",
    "dbus-run-session": "dbus", "dbus-daemon": "dbus",
}


def missing_packages():
    """Debian packages the test needs that are not installed."""
    missing = {pkg for tool, pkg in REQUIRED_TOOLS.items() if not shutil.which(tool)}
    # Importing pyatspi would connect to a bus; only look for it here.
    if importlib.util.find_spec("pyatspi") is None:
        missing.add("python3-pyatspi")
    if not os.path.exists("/usr/libexec/at-spi-bus-launcher"):
        missing.add("at-spi2-core")
    return sorted(missing)


class Desktop:
    """One Xvfb screen with the program on it."""

    SIZE = (1024, 768)

    def __init__(self, shots_dir):
        self.shots_dir = shots_dir
        self.xvfb = None
        self.program = None
        self.display = None
        self.home = None
        self.shot_count = 0

    # --- the screen ---------------------------------------------------------

    def start_screen(self, timeout=20):
        read_fd, write_fd = os.pipe()
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             f"{self.SIZE[0]}x{self.SIZE[1]}x24", "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.PIPE)
        os.close(write_fd)
        # Xvfb writes the display number it took once it accepts clients.
        deadline = time.monotonic() + timeout
        number = b""
        while time.monotonic() < deadline and not number.endswith(b"\n"):
            chunk = os.read(read_fd, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_fd)
        if not number.strip():
            raise StepFailed("Xvfb did not start: " + self.xvfb.stderr.read().decode(errors="replace"))
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display

    def start_program(self, executable, log_path, window=(0, 0, 793, 593), args=(),
                      user_settings="", computer_settings=None):
        """Starts the program with settings and data folders of its own, its
        window at `window` (the client area: x, y, width, height; at
        793 x 593 the layout is at its design size). `user_settings` is
        added to the user's settings file; `computer_settings`, if given,
        is the computer's settings file (in place of /etc/xdg). A second
        program started after the first shares its folders."""
        home = self.home
        if home is None:
            home = self.home = tempfile.mkdtemp(prefix="lumo3-e2e-")
            os.makedirs(os.path.join(home, "config", "lumo3"))
            with open(os.path.join(home, "config", "lumo3", "lumo3.conf"), "w", encoding="utf-8") as conf:
                conf.write("[window]\ngeometry=@Rect(%d %d %d %d)\n" % window + user_settings)
            os.makedirs(os.path.join(home, "xdg", "lumo3"))
            if computer_settings is not None:
                with open(os.path.join(home, "xdg", "lumo3", "lumo3.conf"), "w", encoding="utf-8") as conf:
                    conf.write(computer_settings)
        env = dict(os.environ)
        env.update({"DISPLAY": self.display, "QT_QPA_PLATFORM": "xcb",
                    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
                    "XDG_CONFIG_HOME": os.path.join(home, "config"),
                    "XDG_CONFIG_DIRS": os.path.join(home, "xdg"),
                    "XDG_DATA_HOME": os.path.join(home, "data")})
        env.pop("AT_SPI_BUS_ADDRESS", None)
        self.log = open(log_path, "w")
        self.program = subprocess.Popen([executable, *args], env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT)

    def program_exit_code(self):
        return self.program.poll()

    def stop(self):
        for proc in (self.program, self.xvfb):
            if proc and proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
                    proc.wait()
        if self.home:
            shutil.rmtree(self.home, ignore_errors=True)

    # --- input --------------------------------------------------------------

    def xdotool(self, *args):
        subprocess.run(["xdotool", *map(str, args)], check=True)

    def click(self, x, y):
        self.xdotool("mousemove", x, y, "click", 1)

    def drag(self, start, end, steps=20):
        """Press, move in small steps, release: the way a hand drags."""
        args = ["mousemove", start[0], start[1], "mousedown", 1]
        for i in range(1, steps + 1):
            args += ["mousemove", start[0] + (end[0] - start[0]) * i // steps,
                     start[1] + (end[1] - start[1]) * i // steps, "sleep", 0.02]
        args += ["sleep", 0.1, "mouseup", 1]
        self.xdotool(*args)

    def type_text(self, text):
        self.xdotool("type", "--delay", 100, text)

    def key(self, *keys):
        self.xdotool("key", *keys)

    # What the number row 1 to 9, 0 types on the Thai Kedmanee layout.
    THAI_NUMBER_ROW = {1: "Thai_lakkhangyao", 2: "slash", 3: "minus", 4: "Thai_phosamphao", 5: "Thai_thothung",
                       6: "Thai_sarau", 7: "Thai_saraue", 8: "Thai_khokhwai", 9: "Thai_totao", 0: "Thai_chochan"}

    def thai_number_row_key(self, digit):
        """The number row's key `digit` pressed with the keyboard switched to
        the Thai layout, where it types a Thai letter, not the digit."""
        subprocess.run(["setxkbmap", "th"], check=True)
        try:
            self.key(self.THAI_NUMBER_ROW[digit])
        finally:
            subprocess.run(["setxkbmap", "us"], check=True)

    def window_visible(self, title):
        """True when a window with exactly this title is mapped."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{re.escape(title)}$"],
                               stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        return found.returncode == 0 and found.stdout.strip() != b""

    # --- screenshots --------------------------------------------------------

    def screenshot(self, step):
        """Saves the whole screen as the next numbered screenshot."""
        path = self._next_path(step)
        self.capture(path)
        return path

    def capture(self, path):
        subprocess.run(["import", "-window", "root", path], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def keep(self, path, step):
        """Files a screenshot taken with capture() as the next numbered one."""
        kept = self._next_path(step)
        os.replace(path, kept)
        return kept

    def _next_path(self, step):
        self.shot_count += 1
        return os.path.join(self.shots_dir, f"{self.shot_count:02d}-{step}.png")


class Pixels:
    """The pixels of a screenshot, read through ImageMagick as PPM."""

    def __init__(self, path):
        data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True,
                              stdout=subprocess.PIPE).stdout
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+(\d+)\s", data)
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.data = data[header.end():]

    def at(self, x, y):
        i = 3 * (y * self.width + x)
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def region(self, rect):
        return [[self.at(x, y) for x in range(rect.x, rect.x + rect.w)]
                for y in range(rect.y, rect.y + rect.h)]


def most_common_colour(pixels, rect):
    """The colour that most of a rectangle of a screenshot shows."""
    counts = {}
    for row in pixels.region(rect):
        for p in row:
            counts[p] = counts.get(p, 0) + 1
    return max(counts, key=counts.get)


# --- reading digits off the screen -------------------------------------------
#
# The answer slots and the click counters tell a screen reader their number;
# the test also reads it off the screen, to see that what is drawn agrees.
# Each glyph is matched against the glyphs of the digit tiles, which use the
# same font (at another size where the label is taller).

def _ink_mask(pixels):
    """The text of a one-colour label as a 0/1 mask (None if it is blank)."""
    counts = {}
    for row in pixels:
        for p in row:
            counts[p] = counts.get(p, 0) + 1
    back = max(counts, key=counts.get)

    def dist2(p):
        return sum((a - b) ** 2 for a, b in zip(p, back))

    ink = max(counts, key=dist2)
    span = dist2(ink)
    if span < 60 ** 2:
        return None
    axis = [a - b for a, b in zip(ink, back)]

    def share(p):
        return sum((a - b) * c for a, b, c in zip(p, back, axis)) / span

    return [[1 if share(p) > 0.5 else 0 for p in row] for row in pixels]


def _split_glyphs(mask):
    """Crops of the mask, one per run of inked columns, left to right."""
    width = len(mask[0])
    inked = [any(row[x] for row in mask) for x in range(width)]
    glyphs, x = [], 0
    while x < width:
        if not inked[x]:
            x += 1
            continue
        start = x
        while x < width and inked[x]:
            x += 1
        glyphs.append(_trim([row[start:x] for row in mask]))
    return glyphs


def _trim(rows):
    """Drops the blank rows above and below a glyph."""
    while rows and not any(rows[-1]):
        rows = rows[:-1]
    while rows and not any(rows[0]):
        rows = rows[1:]
    return rows


def _coverage_grid(glyph, columns=10, rows=14):
    """How much of each cell of a fixed grid laid over the glyph is inked.
    Labels of different heights draw the digits in different sizes, so
    glyphs are compared on this grid rather than pixel by pixel."""
    height, width = len(glyph), len(glyph[0])
    cells = []
    for gy in range(rows):
        y0, y1 = gy * height / rows, (gy + 1) * height / rows
        for gx in range(columns):
            x0, x1 = gx * width / columns, (gx + 1) * width / columns
            area = inked = 0.0
            for y in range(int(y0), min(height, int(y1) + 1)):
                fy = min(y + 1, y1) - max(y, y0)
                if fy <= 0:
                    continue
                for x in range(int(x0), min(width, int(x1) + 1)):
                    fx = min(x + 1, x1) - max(x, x0)
                    if fx > 0:
                        area += fx * fy
                        inked += fx * fy * glyph[y][x]
            cells.append(inked / area if area else 0.0)
    return cells


def _similarity(a, b):
    """1 for the same shape; the overlap of the two coverage grids, scaled
    down by how much the glyphs' proportions differ."""
    ga, gb = _coverage_grid(a), _coverage_grid(b)
    overlap = sum(map(min, ga, gb)) / max(1e-9, sum(map(max, ga, gb)))
    ra, rb = len(a[0]) / len(a), len(b[0]) / len(b)
    return overlap * min(ra, rb) / max(ra, rb)


class DigitReader:
    """Reads numbers shown in labels of the digit tiles' font."""

    def __init__(self, pixels, tile_rects):
        self.references = {}
        for digit, rect in tile_rects.items():
            mask = _ink_mask(pixels.region(rect))
            glyphs = _split_glyphs(mask) if mask else []
            if len(glyphs) != 1:
                raise StepFailed(f"the digit tile {digit} does not show one glyph on the screen")
            self.references[digit] = glyphs[0]

    def read(self, pixels, rect):
        """The number shown in rect: "" when it is blank, "?" for a glyph
        that is no digit."""
        mask = _ink_mask(pixels.region(rect))
        if mask is None:
            return ""
        text = ""
        for glyph in _split_glyphs(mask):
            scores = sorted(((_similarity(glyph, ref), d) for d, ref in self.references.items()), reverse=True)
            (best, digit), (second, _) = scores[0], scores[1]
            # Distinct digits of the tiles' font score 0.73 at most against
            # each other; the same digit at another size scores 0.75 or more.
            # A glyph that lands between pixels (the second "1" of an "11" is
            # drawn a pixel thinner) scores a little lower, but then no other
            # digit comes near.
            usual = best >= 0.7 and best - second >= 0.05
            clear_winner = best >= 0.6 and best - second >= 0.25
            text += digit if usual or clear_winner else "?"
        return text
