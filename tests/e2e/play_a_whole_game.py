#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: one whole game of the real lumo3, from the start screen to
the praise after question 100, played by mouse and keyboard as a child
would, on its own X screen, and read through AT-SPI and the pixels.

This takes 10 to 15 minutes of real time (the board takes its 3 seconds to
empty after every check, the clock runs for real), so it is not part of the
default test run. Run it by hand from the top of the source tree:

    /usr/bin/python3 tests/e2e/play_a_whole_game.py \\
        --program build/default/lumo3 --layouts assets/layout \\
        --shots build/default/tests/e2e/whole-game-shots

(all three are the defaults), or through CTest with the build configured
with -DLUMO_E2E_WHOLE_GAME=ON:

    ctest --preset default -R e2e_whole_game

Every question: "ทำข้อต่อไป", count each row's pictures (those showing), now
and then click a picture or two away and watch the counter, drag the digit
tiles into the slots of each row (and of the total from level 2 on), check
the slots on the screen, "ตรวจคำตอบ", compare the correct-answer text and
the score line with our own tally, and wait for the board to empty. A few
answers are wrong on purpose so that both tallies move. After question 100
one more "ทำข้อต่อไป" brings the praise, which is read, dismissed with
Return, and the start screen must be back.
"""

import argparse
import os
import re
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import desktop  # noqa: E402
from desktop import StepFailed  # noqa: E402
import walk_through_a_game as walk  # noqa: E402
from walk_through_a_game import (CHECK, LEAVE, NAME, NEXT, OPENING_TEXTS, START_CLOCK,  # noqa: E402
                                 picture_name, problems, score_line)

SOURCE_ROOT = os.path.dirname(os.path.dirname(HERE))
QUESTIONS = 100
PER_LEVEL = 25
STEP_TIMEOUT = 10.0
# The board empties one column of pictures every 200 ms, 15 columns.
CLEARING_SECONDS = 3.0
PROGRAM_TITLE = "lumo3"

HINTS = {
    1: walk.LEVEL_1_HINT,
    **{level: f"ถ้าน้อง ตอบผลรวมของทั้งหมดได้ จะได้คะแนนเพิ่มอีก {level} คะแนน ครับ "
              "แต่ถ้าตอบผิด จะถูกหัก 1 คะแนนครับ" for level in (2, 3, 4)},
}

# Controls of each row: tens slot, units slot, counter.
ROW_CONTROLS = {1: ("LB6", "LB7", "LB4"), 2: ("LB8", "LB9", "Label6"),
                3: ("LB10", "LB11", "Label16"), 4: ("LB12", "LB13", "Label14")}
TOTAL_CONTROLS = ("LB14", "LB15")
TOTAL_CAPTION = "ผลรวม"


def tens_name(row):
    return "ช่องหลักสิบ ผลรวม" if row == "total" else f"ช่องหลักสิบ แถวที่ {row}"


def units_name(row):
    return "ช่องหลักหน่วย ผลรวม" if row == "total" else f"ช่องหลักหน่วย แถวที่ {row}"


def counter_name(row):
    return f"ตัวนับ แถวที่ {row}"


ALL_SLOTS = [name for r in (1, 2, 3, 4, "total") for name in (tens_name(r), units_name(r))]


def level_of(question):
    return 1 + (question - 1) // PER_LEVEL


def correct_answer_text(level, counts):
    """LB3's text after a check, lines separated as a screen reader gets them."""
    total = sum(counts)
    c = [str(n) for n in counts]
    answer = "คำตอบที่ถูก คือ " + " + ".join(c) + " ครับ "
    total_line = f"และผลรวมเท่ากับ {total} ครับ"
    hyphens = "-" * 43
    if level == 1:
        return answer
    if level == 2:
        return f"( {c[0]} + {c[1]} ) = {total}\n{answer}\n{total_line}"
    if level == 3:
        return f"( {c[0]} + {c[1]} ) + {c[2]} = {total}\n{hyphens}\n{answer}\n{total_line}"
    return f"( {c[0]} + {c[1]} ) + ( {c[2]} + {c[3]} ) = {total}\n{hyphens}\n{answer}\n{total_line}"


END_MESSAGE = re.compile(r"^จบแล้วครับ\.\.\.\.เก่งมาก\nน้อง (.*)\n เหลือยเวลา (\d+) นาที (\d+) วินาที\n"
                         r"ข้อที่ (\d+) ทำถูก (\d+) ทำผิด (\d+) ระดับ (\d+)$")


def off_by_one(count, tens_shown):
    """A wrong count that still fits the slots shown for the right one."""
    if not tens_shown:
        return count + 1 if count < 9 else count - 1
    return count + 1 if count < 15 else count - 1


class Plan:
    """How the child answers one question: what goes into each slot, which
    pictures are clicked away first, which answers are wrong on purpose."""

    def __init__(self, question, level, counts):
        self.question = question
        self.level = level
        self.counts = counts
        self.total = sum(counts)
        rows = list(range(1, level + 1))

        # Counting aids: now and then a whole row is counted by clicking
        # every picture of it, more often one or two pictures only.
        self.count_whole_row = None
        self.click_away = {}  # row -> picture numbers (1-based)
        if question % 17 == 0:
            self.count_whole_row = rows[(question // 17) % level]
        elif question % 4 == 2:
            row = rows[(question // 4) % level]
            self.click_away[row] = [1, counts[row - 1]]
        elif question % 3 == 1:
            row = rows[(question // 3) % level]
            self.click_away[row] = [counts[row - 1]]

        self.entered = {}
        self.wrong_on_purpose = []
        for r in rows:
            self.entered[r] = counts[r - 1]
        # Every 10th question one count is off by one.
        if question % 10 == 0:
            r = rows[(question // 10 - 1) % level]
            self.entered[r] = off_by_one(counts[r - 1], counts[r - 1] >= 10)
            self.wrong_on_purpose.append(f"row {r} {self.entered[r]} for {counts[r - 1]}")
        self.total_left_empty = False
        self.total_tens_zero = False
        if level >= 2:
            self.entered["total"] = self.total
            if question in (35, 65, 95):
                self.entered["total"] = self.total + 1
                self.wrong_on_purpose.append(f"total {self.total + 1} for {self.total}")
            elif question == 88:
                # Forgot the total: both of its slots stay empty.
                self.total_left_empty = True
                self.entered["total"] = 0
                self.wrong_on_purpose.append(f"total left empty for {self.total}")
            # A total under 10: a "0" in its tens slot, or nothing there.
            self.total_tens_zero = self.entered["total"] < 10 and question % 2 == 1

        self.right = self.wrong = 0
        for r in rows:
            if self.entered[r] == counts[r - 1]:
                self.right += 1
            else:
                self.wrong += 1
        if level >= 2:
            if self.entered["total"] == self.total:
                self.right += level
            else:
                self.wrong += 1

    def slot_captions(self, row):
        """(tens, units) as the slots of `row` should show them after the drags."""
        value = self.entered[row]
        if row == "total":
            if self.total_left_empty:
                return "", ""
            if value >= 10:
                return str(value // 10), str(value % 10)
            return ("0" if self.total_tens_zero else ""), str(value)
        if value >= 10:
            return str(value // 10), str(value % 10)
        return "", str(value)


class WholeGame(walk.Walk):
    """Plays on from the clock's start to the end of the game."""

    def __init__(self, screen, program, form1, form2, shots):
        super().__init__(screen, program, form1, form2)
        self.shots = shots
        self.question = 0
        self.right = self.wrong = 0
        self.wrong_on_purpose = 0
        self.drag_retries = []
        self.clearing_times = []
        self.picture_clicks = 0
        self.rows_counted_by_clicking = 0
        self.clock_started_at = None
        self.minutes_gained = 0
        self.shot_paths = []

    # --- looking -------------------------------------------------------------

    def wait(self, step, expected, check, with_pixels=False, shot=None, timeout=STEP_TIMEOUT):
        """Looks until check() finds nothing wrong; saves a screenshot named
        `shot` if given. Fails naming the question and the step."""
        where = f"question {self.question}, step '{step}'" if self.question else f"step '{step}'"
        deadline = time.monotonic() + timeout
        poll_shot = os.path.join(self.shots, "poll.png")
        while True:
            code = self.screen.program_exit_code()
            if code is not None:
                self.screen.screenshot(f"q{self.question:03d}-{step}-FAILED")
                raise StepFailed(f"{where}: expected {expected}; seen: the program ended with exit code {code}")
            snap = self.program.look()
            if with_pixels:
                self.screen.capture(poll_shot)
                pixels = desktop.Pixels(poll_shot)
                wrong = check(snap, pixels)
            else:
                wrong = check(snap)
            if wrong is None:
                if shot:
                    self.last_shot = (self.screen.keep(poll_shot, shot) if with_pixels
                                      else self.screen.screenshot(shot))
                    self.shot_paths.append(self.last_shot)
                return (snap, pixels) if with_pixels else snap
            if time.monotonic() > deadline:
                failed = self.screen.screenshot(f"q{self.question:03d}-{step}-FAILED")
                raise StepFailed(f"{where}: expected {expected}; seen: {wrong} (screenshot {failed})")
            time.sleep(0.1)

    @staticmethod
    def _description(s, name):
        """What a slot or counter holds, as it tells a screen reader."""
        node = s.find("label", name, "Form2")
        if node is None:
            return None
        said = getattr(node, "description", None)
        if said is not None:
            return said
        try:
            return node.ref.description or ""
        except Exception:  # noqa: BLE001 - gone while being read
            return None

    def _score(self, labels):
        for text in labels:
            if text.startswith("ข้อที่ "):
                return text
        return None

    def _row_pictures(self, s, row):
        prefix = f"รูปแถวที่ {row} "
        return [n for n in self._showing_pictures(s) if n.startswith(prefix)]

    def _picture_pixels_problem(self, px, shown):
        """The pixels of every picture place against what AT-SPI says is
        showing: a showing picture is drawn (and looks like the others of
        its row), a hidden one leaves the frame's blue."""
        # The frame's blue as the screen stores it: its most common colour.
        colours = {}
        for row in px.region(self.form2["Frame2"].inset(4)):
            for p in row:
                colours[p] = colours.get(p, 0) + 1
        back = max(colours, key=colours.get)

        def drawn(rect):
            return sum(1 for row in px.region(rect) for p in row
                       if sum(abs(a - b) for a, b in zip(p, back)) > 24)

        for r in (1, 2, 3, 4):
            first = None
            for k in range(15):
                rect = self.form2[f"Im{r}_{k}"]
                name = picture_name(r, k + 1)
                ink = drawn(rect)
                if name in shown:
                    if ink < 40:
                        return f"{name!r} is showing but only {ink} pixels of it differ from the frame"
                    image = px.region(rect)
                    if first is None:
                        first = image
                    elif image != first:
                        return f"{name!r} does not look like picture 1 of its row"
                elif ink > 4:
                    return f"{name!r} is hidden but {ink} pixels at its place differ from the frame"
        return None

    # --- one question ----------------------------------------------------------

    def next_question(self):
        q = self.question = self.question + 1
        level = level_of(q)
        self.click_control(self.form2, "Cm4")
        started = time.monotonic()
        clock_before = self.clock_now

        def appeared(s, px):
            labels = s.showing_labels("Form2")
            rows = {r: self._row_pictures(s, r) for r in (1, 2, 3, 4)}
            counts = [len(rows[r]) for r in range(1, level + 1)]
            pairs = [
                (score_line(q, self.right, self.wrong, level) in labels,
                 f"no score line {score_line(q, self.right, self.wrong, level)!r}; score line {self._score(labels)!r}"),
                (HINTS[level] in labels, f"no level {level} hint in LB3; labels {labels}"),
                *self._buttons(s, {START_CLOCK: False, NEXT: False, CHECK: True, LEAVE: True}),
                *[(self._enabled("Form2", "label", f"ตัวเลข {d}", s), f"digit tile {d} is not enabled")
                  for d in range(10)],
            ]
            for r in range(1, 5):
                n = len(rows[r])
                if r <= level:
                    pairs += [
                        (2 <= n <= 15, f"{n} pictures in row {r}"),
                        (rows[r] == [picture_name(r, k) for k in range(1, n + 1)],
                         f"row {r} does not show pictures 1 to {n} in order: {rows[r]}"),
                        (self._showing("Form2", "label", tens_name(r), s) == (n >= 10),
                         f"row {r} has {n} pictures and its tens slot is "
                         f"{'showing' if self._showing('Form2', 'label', tens_name(r), s) else 'hidden'}"),
                        (self._showing("Form2", "label", units_name(r), s), f"the units slot of row {r} is hidden"),
                        (self._showing("Form2", "label", counter_name(r), s), f"the counter of row {r} is hidden"),
                        (self._description(s, counter_name(r)) in ("", "0"),
                         f"the counter of row {r} holds {self._description(s, counter_name(r))!r}"),
                    ]
                else:
                    pairs += [(n == 0, f"row {r} shows pictures at level {level}: {rows[r]}")]
                    pairs += [(not self._showing("Form2", "label", name, s), f"{name!r} is showing at level {level}")
                              for name in (tens_name(r), units_name(r), counter_name(r))]
            total_shown = [self._showing("Form2", "label", name, s)
                           for name in (tens_name("total"), units_name("total"), TOTAL_CAPTION)]
            pairs += [(all(total_shown) if level >= 2 else not any(total_shown),
                       f"the total's slots and caption showing {total_shown} at level {level}")]
            pairs += [(self._description(s, name) == "", f"{name!r} holds {self._description(s, name)!r}")
                      for name in ALL_SLOTS]
            clock = self._clock(labels)
            pairs += [(clock is not None and (clock_before is None or clock <= clock_before),
                       f"the clock reads {clock} s, before this question {clock_before} s")]
            wrong = problems(*pairs)
            if wrong is None:
                wrong = self._picture_pixels_problem(px, set(self._showing_pictures(s)))
            if wrong is None:
                self.counts = counts
                self.clock_now = clock
            return wrong

        shot = f"level{level}-first-question" if (q - 1) % PER_LEVEL == 0 else None
        _, pixels = self.wait("question-appears", f"question {q} at level {level} with its rows of pictures "
                              "and slots", appeared, with_pixels=True, shot=shot)
        if self.digits is None:
            # The tiles show every digit in the font of the slots and counters.
            self.digits = desktop.DigitReader(pixels, {str(d): self.form2[f"LB_{d}"].inset(3) for d in range(10)})
        return started

    def count_with_clicks(self, plan):
        for row, numbers in plan.click_away.items():
            counter = ROW_CONTROLS[row][2]
            for k in numbers:
                self.screen.click(*self.form2[f"Im{row}_{k - 1}"].centre())
                self.picture_clicks += 1
                time.sleep(0.15)
            gone = {picture_name(row, k) for k in numbers}
            left = [picture_name(row, k) for k in range(1, plan.counts[row - 1] + 1) if k not in numbers]

            def clicked(s, px, row=row, gone=gone, left=left, counter=counter, n=len(numbers)):
                shown = self._row_pictures(s, row)
                return problems(
                    (shown == left, f"row {row} shows {shown} after clicking {sorted(gone)} away"),
                    (self._description(s, counter_name(row)) == str(n),
                     f"the counter of row {row} holds {self._description(s, counter_name(row))!r}"),
                    (self._read(px, counter) == str(n), f"the counter of row {row} shows {self._read(px, counter)!r}"))
            self.wait("pictures-clicked-away", f"{sorted(gone)} hidden and the counter of row {row} at {len(numbers)}",
                      clicked, with_pixels=True)

        if plan.count_whole_row:
            row = plan.count_whole_row
            counter = ROW_CONTROLS[row][2]
            for k in range(plan.counts[row - 1]):
                self.screen.click(*self.form2[f"Im{row}_{k}"].centre())
                self.picture_clicks += 1
                time.sleep(0.15)
            self.rows_counted_by_clicking += 1
            seen = {}

            def all_clicked(s, px, row=row, counter=counter):
                shown = self._row_pictures(s, row)
                said, drawn = self._description(s, counter_name(row)), self._read(px, counter)
                seen["count"] = drawn
                return problems(
                    (shown == [], f"row {row} still shows {shown} after clicking every picture"),
                    (said == str(plan.counts[row - 1]),
                     f"the counter of row {row} holds {said!r}; {plan.counts[row - 1]} pictures were clicked"),
                    (drawn == said, f"the counter of row {row} shows {drawn!r} and tells {said!r}"))
            self.wait("row-counted-by-clicking", f"row {row} all clicked away and its counter at its count",
                      all_clicked, with_pixels=True)
            # The counter is what the child reads off as the row's count.
            if plan.entered[row] == plan.counts[row - 1]:
                plan.entered[row] = int(seen["count"])

    def drag_answers(self, plan):
        wanted = {}
        rows = list(range(1, plan.level + 1)) + (["total"] if plan.level >= 2 else [])
        for row in rows:
            tens_slot, units_slot = TOTAL_CONTROLS if row == "total" else ROW_CONTROLS[row][:2]
            tens, units = plan.slot_captions(row)
            if tens:
                wanted[tens_slot] = (tens_name(row), tens)
            if units:
                wanted[units_slot] = (units_name(row), units)
            for slot in (tens_slot, units_slot):
                if slot in wanted:
                    self._drag_digit(wanted[slot][1], slot)

        def landed(s):
            return [slot for slot, (name, digit) in wanted.items() if self._description(s, name) != digit]

        # A slot that did not get its digit is dragged to once more, as a
        # child would; it is counted and told in the summary.
        deadline = time.monotonic() + 2.0
        missed = landed(self.program.look())
        while missed and time.monotonic() < deadline:
            time.sleep(0.1)
            missed = landed(self.program.look())
        for slot in missed:
            self.drag_retries.append(f"question {self.question}: {slot}")
            self._drag_digit(wanted[slot][1], slot)

        empty = [name for name in ALL_SLOTS if name not in {n for n, _ in wanted.values()}]

        def shown(s, px):
            pairs = []
            for slot, (name, digit) in wanted.items():
                said = self._description(s, name)
                pairs.append((said == digit, f"{name!r} holds {said!r}, not the dragged {digit!r}"))
                drawn = self._read(px, slot)
                pairs.append((drawn == digit, f"{name!r} shows {drawn!r} on the screen, not {digit!r}"))
            pairs += [(self._description(s, name) == "", f"{name!r} holds {self._description(s, name)!r}")
                      for name in empty]
            clock = self._clock(s.showing_labels("Form2"))
            pairs.append((clock is not None, "no clock line"))
            wrong = problems(*pairs)
            if wrong is None:
                self.clock_now = clock
            return wrong

        self.wait("answer-dragged", "every dragged digit in its slot, on the screen too", shown, with_pixels=True)

    def check_answer(self, plan, started):
        q, level = self.question, plan.level
        self.click_control(self.form2, "Cm3")
        checked_at = time.monotonic()
        self.right += plan.right
        self.wrong += plan.wrong
        self.wrong_on_purpose += len(plan.wrong_on_purpose)
        new_level = level + 1 if q % PER_LEVEL == 0 and level < 4 else level
        answer = correct_answer_text(level, plan.counts)
        clock_before = self.clock_now

        def marked(s):
            labels = s.showing_labels("Form2")
            clock = self._clock(labels)
            wrong = problems(
                (answer in labels, f"LB3 does not show {answer!r}; labels {labels}"),
                (score_line(q, self.right, self.wrong, new_level) in labels,
                 f"expected the score line {score_line(q, self.right, self.wrong, new_level)!r}; "
                 f"seen {self._score(labels)!r}"),
                *self._buttons(s, {CHECK: False, NEXT: False}),
                *[(not self._enabled("Form2", "label", f"ตัวเลข {d}", s), f"digit tile {d} is still enabled")
                  for d in range(10)],
                (clock is not None, "no clock line"),
                (clock is None or new_level == level or clock >= clock_before + 30 * 60 - 5,
                 f"the clock went from {clock_before} s to {clock} s at the level's end; 30 minutes more expected"))
            if wrong is None:
                self.clock_now = clock
            return wrong

        shot = None
        if (q - 1) % PER_LEVEL == 0:
            shot = f"level{level}-correct-answer"
        elif new_level != level:
            shot = f"level-up-to-{new_level}-score-line"
        self.wait("answer-checked", "the correct answer and the score line after the check", marked, shot=shot)
        if new_level != level:
            self.minutes_gained += 30

        def emptied(s):
            labels = s.showing_labels("Form2")
            return problems(
                *self._buttons(s, {NEXT: True, CHECK: False}),
                (not self._showing_pictures(s), f"pictures showing: {self._showing_pictures(s)}"),
                *[(self._description(s, name) == "", f"{name!r} holds {self._description(s, name)!r}")
                  for name in ALL_SLOTS],
                *[(self._description(s, counter_name(r)) == "0",
                   f"the counter of row {r} holds {self._description(s, counter_name(r))!r}")
                  for r in range(1, level + 1)],
                (score_line(q, self.right, self.wrong, new_level) in labels, "the score line changed"))

        self.wait("board-emptied", "the board empty and ทำข้อต่อไป enabled", emptied,
                  timeout=CLEARING_SECONDS + STEP_TIMEOUT)
        cleared = time.monotonic() - checked_at
        self.clearing_times.append(cleared)
        # Qt may fire a timer a little early; 15 ticks 5 % early take 2.85 s.
        if cleared < CLEARING_SECONDS * 0.9:
            raise StepFailed(f"question {q}, step 'board-emptied': the board emptied in {cleared:.1f} s, "
                             f"not in its {CLEARING_SECONDS:.0f} s")
        counts = " + ".join(map(str, plan.counts))
        entered = ", ".join(f"{r}={v}" for r, v in plan.entered.items())
        aids = []
        if plan.click_away:
            aids += [f"clicked row {r} {ks}" for r, ks in plan.click_away.items()]
        if plan.count_whole_row:
            aids.append(f"counted row {plan.count_whole_row} by clicking")
        notes = "; ".join(aids + [f"WRONG ON PURPOSE: {w}" for w in plan.wrong_on_purpose])
        print(f"q{q:3d} L{level} {counts:<16} entered {entered:<34} +{plan.right}/-{plan.wrong} "
              f"-> right {self.right} wrong {self.wrong}  clock {self.clock_now // 60}:{self.clock_now % 60:02d}  "
              f"{time.monotonic() - started:4.1f} s (clearing {cleared:.1f} s){'  ' + notes if notes else ''}",
              flush=True)

    def play_question(self):
        started = self.next_question()
        plan = Plan(self.question, level_of(self.question), self.counts)
        self.count_with_clicks(plan)
        self.drag_answers(plan)
        self.check_answer(plan, started)

    # --- the game -------------------------------------------------------------

    def play(self):
        self.clock_started_at = time.monotonic()
        self.clock_now = self.clock_at_start
        for _ in range(QUESTIONS):
            self.play_question()
        self.game_ends()

    def game_ends(self):
        self.question = QUESTIONS + 1
        self.click_control(self.form2, "Cm4")
        pressed = time.monotonic()
        found = {}

        def message(s):
            texts = [n.name for n in s.in_window(PROGRAM_TITLE) if n.role == "label" and n.name]
            text = next((t for t in texts if t.startswith("จบแล้วครับ")), None)
            wrong = problems(
                (s.has_window(PROGRAM_TITLE), f"no window {PROGRAM_TITLE!r}; windows {s.windows}"),
                (self.screen.window_visible(PROGRAM_TITLE), f"no visible X window titled {PROGRAM_TITLE!r}"),
                (text is not None, f"no text beginning 'จบแล้วครับ' in it; labels {texts}"),
                (text is None or END_MESSAGE.match(text), f"the message reads {text!r}"))
            if wrong is None:
                found["text"] = text
            return wrong

        self.wait("end-message", "the message box 'lumo3' praising the child", message, shot="end-message")
        text = found["text"]
        m = END_MESSAGE.match(text)
        name, minutes, seconds = m.group(1), int(m.group(2)), int(m.group(3))
        question, right, wrong, level = map(int, m.group(4, 5, 6, 7))
        self.time_left = minutes * 60 + seconds
        elapsed = pressed - self.clock_started_at
        self.expected_left = self.clock_at_start + self.minutes_gained * 60 - elapsed
        self.clock_drift = self.time_left - self.expected_left
        lines = text.split("\n")
        print("End message:\n  " + "\n  ".join(lines), flush=True)
        wrong_parts = problems(
            (len(lines) == 4, f"{len(lines)} lines"),
            (name == NAME, f"the name {name!r}, not {NAME!r}"),
            ((question, right, wrong, level) == (QUESTIONS + 1, self.right, self.wrong, 4),
             f"the score line {lines[-1]!r}; expected {score_line(QUESTIONS + 1, self.right, self.wrong, 4)!r}"),
            (abs(self.clock_drift) <= 5 + 0.01 * elapsed,
             f"{self.time_left} s left on the clock; {self.expected_left:.0f} s expected "
             f"after {elapsed:.0f} s of real time"))
        if wrong_parts:
            raise StepFailed(f"step 'end-message': {wrong_parts}")

        self.screen.key("Return")

        def back(s):
            labels = s.showing_labels("Form1")
            return problems(
                (not s.has_window(PROGRAM_TITLE), "the message box is still open"),
                (s.has_window("Form1") and not s.has_window("Form2"), f"windows {s.windows}"),
                (self.screen.window_visible("Form1"), "no visible X window titled Form1"),
                (not self.screen.window_visible("Form2"), "the quiz window is still visible"),
                *[(t in labels, f"no {t!r} on the start screen; labels {labels}") for t in OPENING_TEXTS])
        self.wait("back-at-start", "the start screen back and the quiz screen gone", back,
                  shot="back-at-start-after-the-game")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", default=os.path.join(SOURCE_ROOT, "build/default/lumo3"))
    parser.add_argument("--layouts", default=os.path.join(SOURCE_ROOT, "assets/layout"))
    parser.add_argument("--shots", default=os.path.join(SOURCE_ROOT, "build/default/tests/e2e/whole-game-shots"))
    args = parser.parse_args()
    args.program, args.layouts, args.shots = map(os.path.abspath, (args.program, args.layouts, args.shots))

    if not os.access(args.program, os.X_OK):
        print(f"No program at {args.program}; build it first: "
              "cmake --preset default && cmake --build --preset default", file=sys.stderr)
        return 1
    session = desktop.in_private_session(
        __file__, ["--program", args.program, "--layouts", args.layouts, "--shots", args.shots])
    if session is not None:
        return session

    form1, form2, screen, log_path = desktop.set_up(args)
    began = time.monotonic()
    game = None
    try:
        program = desktop.watched_program(screen, args.program, log_path)
        game = WholeGame(screen, program, form1, form2, args.shots)
        game.start_screen_opens()
        game.host_asks_for_a_name()
        game.quiz_opens()
        game.clock_starts()
        game.play()
        game.the_door_says_goodbye_and_ends()
    except (StepFailed, TimeoutError) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        if game is not None and game.question:
            print(f"(at question {game.question}; tally so far: right {game.right}, wrong {game.wrong})",
                  file=sys.stderr)
        print(f"Screenshots: {args.shots}", file=sys.stderr)
        screen.stop()
        with open(log_path, encoding="utf-8", errors="replace") as log:
            text = log.read().strip()
        if text:
            print("The program's output:\n" + text, file=sys.stderr)
        return 1
    finally:
        screen.stop()
    poll_shot = os.path.join(args.shots, "poll.png")
    if os.path.exists(poll_shot):
        os.remove(poll_shot)

    took = time.monotonic() - began
    times = game.clearing_times
    print(f"PASS: a whole game played, {QUESTIONS} questions and the praise after them, in "
          f"{int(took) // 60} min {int(took) % 60} s")
    print(f"  tally: right {game.right}, wrong {game.wrong} "
          f"({game.wrong_on_purpose} answers wrong on purpose), as the end message says")
    print(f"  clock: {game.time_left // 60} min {game.time_left % 60} s left at the end "
          f"(real time says {game.expected_left:.0f} s; {game.clock_drift:+.0f} s)")
    print(f"  board emptied in {min(times):.1f} to {max(times):.1f} s after each check")
    print(f"  {game.picture_clicks} pictures clicked away, {game.rows_counted_by_clicking} rows counted by clicking")
    print(f"  drags done twice: {', '.join(game.drag_retries) if game.drag_retries else 'none'}")
    print(f"  screenshots in {args.shots}:")
    for path in game.shot_paths:
        print(f"    {os.path.basename(path)}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
