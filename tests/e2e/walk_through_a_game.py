#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the real lumo3 on its own X screen, played from outside as
a child would, three questions and back out: the first by dragging the
digit tiles, the second by the keyboard alone (the keypad, and the number
row of the Thai layout), the third by a tap on a tile and then on a slot.
What a screen reader is told is heard through AT-SPI as it happens.

    walk_through_a_game.py --program PATH/lumo3 --layouts assets/layout --shots DIR

Every step waits (with a time limit) until the screen shows what it should,
saves a screenshot DIR/NN-step.png and goes on; the first step that does not
get there fails the test with what was expected and what was seen.
"""

import argparse
import os
import re
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import desktop  # noqa: E402
from desktop import StepFailed  # noqa: E402

NAME = "สมหญิง"
STEP_TIMEOUT = 10.0

OPENING_TEXTS = [
    "ยินดีต้อนรับ",
    "คณิตศาสตร์ สำหรับนักเรียน ชั้นประถม 1 - 4",
    "พี่ 'ปิโก' ดูแลการเล่นในเกมส์นี้ คลิกที่รูป พี่ 'ปิโก' ครับ",
]
HOST = "พี่ ปิโก"
EXIT_PICTURE = "ออกจากโปรแกรม"
PROMPT_TITLE = "ชื่อผู้ทำการทดสอบ"
START_CLOCK, NEXT, CHECK, LEAVE = "จับเวลา", "ทำข้อต่อไป", "ตรวจคำตอบ", "ออกจากห้องสอบ"
CLOCK_LINE = re.compile(r"^น้อง " + NAME + r"\n เหลือยเวลา (\d+) นาที (\d+) วินาที$")
TENS_1, UNITS_1, COUNTER_1 = "ช่องหลักสิบ แถวที่ 1", "ช่องหลักหน่วย แถวที่ 1", "ตัวนับ แถวที่ 1"
LEVEL_1_HINT = ("นำตัวเลขจากข้างล่างนี้ไปใส่ในกรอบ ซ้ายมือบนครับ "
                "หรือจะคลิกที่รูป เพื่อนับดูให้แน่ใจว่ามีรูปเท่าไหร่ก็ได้ครับ")


def picture_name(row, number):
    return f"รูปแถวที่ {row} รูปที่ {number}"


def score_line(question, right, wrong, level):
    return f"ข้อที่ {question} ทำถูก {right} ทำผิด {wrong} ระดับ {level}"


def problems(*pairs):
    """The first failed (condition, what was seen) pair's description, or None."""
    for ok, seen in pairs:
        if not ok:
            return seen
    return None


class Walk:
    def __init__(self, screen, program, form1, form2, voice=None):
        self.screen = screen
        self.program = program
        # What a screen reader hears (accessible.Voice), where a step asks.
        self.voice = voice
        self.form1 = form1
        self.form2 = form2
        self.digits = None
        self.last_shot = None

    # --- waiting for the screen ---------------------------------------------

    def step(self, name, expected, check, with_pixels=False, timeout=STEP_TIMEOUT):
        """Looks at the program until check() finds nothing wrong (it returns
        None) and saves the step's screenshot; fails after `timeout`."""
        deadline = time.monotonic() + timeout
        while True:
            code = self.screen.program_exit_code()
            if code is not None:
                self.screen.screenshot(name + "-FAILED")
                raise StepFailed(f"step '{name}': expected {expected}; "
                                 f"seen: the program ended with exit code {code}")
            if self.voice:
                self.voice.listen()
            snap = self.program.look()
            if with_pixels:
                poll_shot = os.path.join(self.screen.shots_dir, "poll.png")
                self.screen.capture(poll_shot)
                wrong = check(snap, desktop.Pixels(poll_shot))
            else:
                wrong = check(snap)
            if wrong is None:
                self.last_shot = (self.screen.keep(poll_shot, name) if with_pixels
                                  else self.screen.screenshot(name))
                return snap
            if time.monotonic() > deadline:
                shot = self.screen.screenshot(name + "-FAILED")
                raise StepFailed(f"step '{name}': expected {expected}; seen: {wrong} "
                                 f"(screenshot {shot})")
            time.sleep(0.15)

    def click_control(self, layout, control):
        self.screen.click(*layout[control].centre())

    # --- the walk -----------------------------------------------------------

    def start_screen_opens(self):
        def check(s):
            return problems(
                (s.has_window("Form1"), f"windows {s.windows}"),
                (self.screen.window_visible("Form1"), "no visible X window titled Form1"),
                *[(t in s.showing_labels("Form1"), f"labels {s.showing_labels('Form1')}")
                  for t in OPENING_TEXTS],
                (self._showing("Form1", "image", HOST, s), "the host picture is not showing"),
                (self._showing("Form1", "image", EXIT_PICTURE, s), "the exit picture is not showing"))
        self.step("start-screen", "the start screen with its opening texts", check)

    def host_asks_for_a_name(self):
        self.click_control(self.form1, "Im1")

        def check(s):
            field = self._name_field(s)
            return problems(
                (s.has_window(PROMPT_TITLE), f"windows {s.windows}"),
                (field is not None, "no text field in the prompt"),
                (field is not None and field.focused, "the prompt's text field has no keyboard focus"))
        self.step("name-prompt", f"the prompt '{PROMPT_TITLE}' with a focused text field", check)

        def typed(s):
            field = self._name_field(s)
            return problems((field is not None and field.text == NAME,
                             f"the text field holds {field.text if field else None!r}"))

        # xdotool types Thai letters by lending them a spare key for a moment;
        # a program slowed down by a busy machine may read such a key after it
        # has been handed back, so a name that came out wrong is typed again.
        for attempt in range(1, 4):
            self.screen.key("ctrl+a")
            self.screen.type_text(NAME)
            try:
                self.step("name-typed", f"the text field holding {NAME!r}", typed, timeout=STEP_TIMEOUT / 2)
                break
            except StepFailed:
                if attempt == 3:
                    raise
        self.screen.key("Return")

        greeting = "สวัสดีครับ น้อง " + NAME

        def greeted(s):
            labels = s.showing_labels("Form1")
            return problems(
                (not s.has_window(PROMPT_TITLE), "the prompt is still open"),
                (greeting in labels, f"labels {labels}"),
                (any(t.startswith("วันนี้ ") and " เวลา " in t for t in labels),
                 f"no date line 'วันนี้ ... เวลา ...' among {labels}"))
        self.step("greeting", f"the greeting {greeting!r} and the date line", greeted)

    def quiz_opens(self):
        self.click_control(self.form1, "Im1")
        ready = ("สวัสดีครับ น้อง " + NAME + "\nพร้อมเริ่มบททดสอบ คณิตสาสตร์ หรือยังครับถ้าพร้อมแล้ว "
                 "กดปุ่มเพื่อเริ่มจับเวลา ได้แล้วครับ")

        def check(s):
            labels = s.showing_labels("Form2")
            return problems(
                (s.has_window("Form2") and not s.has_window("Form1"), f"windows {s.windows}"),
                (self.screen.window_visible("Form2"), "no visible X window titled Form2"),
                (not self.screen.window_visible("Form1"), "the start screen's window is still visible"),
                (NAME in labels, f"the name is not in LB1; labels {labels}"),
                (ready in labels, f"no ready text in LB3; labels {labels}"),
                *self._buttons(s, {START_CLOCK: True, NEXT: False, CHECK: False, LEAVE: True}),
                (not self._showing_pictures(s), f"pictures showing: {self._showing_pictures(s)}"))
        self.step("quiz-screen", "the quiz screen Form2 ready to start the clock", check)

    def clock_starts(self):
        self.click_control(self.form2, "Cm1")
        self.clock_at_start = None

        def check(s):
            labels = s.showing_labels("Form2")
            clock = self._clock(labels)
            return problems(
                (score_line(0, 0, 0, 1) in labels, f"no score line {score_line(0, 0, 0, 1)!r}; labels {labels}"),
                ("กดปุ่มมุมขวาล่าง เพื่อเริ่มทำข้อแรก" in labels, f"no first-question hint; labels {labels}"),
                *self._buttons(s, {START_CLOCK: False, NEXT: True, CHECK: False}),
                (clock is not None, f"no clock line 'น้อง {NAME}' + ' เหลือยเวลา ...' in LB1; labels {labels}"),
                (clock is not None and 0 < clock <= 30 * 60, f"clock at {clock} seconds"))
        snap = self.step("clock-started", "the score line of question 0 and the clock running", check)
        self.clock_at_start = self._clock(snap.showing_labels("Form2"))

    def question_appears(self, number=1, right=0, ask=None):
        """Question `number` asked (by a click on ทำข้อต่อไป unless `ask`
        says otherwise) with `right` points so far."""
        if ask is None:
            self.click_control(self.form2, "Cm4")
        else:
            ask()
        self.count = None
        clock_before = self._clock(self.program.look().showing_labels("Form2")) if number > 1 else None

        def check(s):
            labels = s.showing_labels("Form2")
            shown = self._showing_pictures(s)
            row1 = [n for n in shown if n.startswith("รูปแถวที่ 1 ")]
            count = len(row1)
            tens = self._showing("Form2", "label", TENS_1, s)
            clock = self._clock(labels)
            wrong = problems(
                (score_line(number, right, 0, 1) in labels,
                 f"no score line {score_line(number, right, 0, 1)!r}; labels {labels}"),
                (LEVEL_1_HINT in labels, f"no level 1 hint in LB3; labels {labels}"),
                *self._buttons(s, {START_CLOCK: False, NEXT: False, CHECK: True}),
                *[(self._enabled("Form2", "label", f"ตัวเลข {d}", s), f"digit tile {d} is not enabled")
                  for d in range(10)],
                (2 <= count <= 15, f"{count} pictures in row 1"),
                (row1 == [picture_name(1, k) for k in range(1, count + 1)],
                 f"row 1 does not show pictures 1 to {count} in order: {row1}"),
                (len(shown) == count, f"pictures of other rows showing: {shown[count:]}"),
                (tens == (count >= 10), f"{count} pictures, and the tens slot is "
                                        f"{'showing' if tens else 'hidden'}"),
                (self._showing("Form2", "label", UNITS_1, s), "the units slot is hidden"),
                *[(not self._showing("Form2", "label", name, s), f"{name!r} is showing at level 1")
                  for name in ("ช่องหลักสิบ แถวที่ 2", "ช่องหลักหน่วย แถวที่ 2", "ช่องหลักสิบ ผลรวม",
                               "ช่องหลักหน่วย ผลรวม", "ตัวนับ แถวที่ 2")],
                (clock is not None and clock < (clock_before or self.clock_at_start),
                 f"the clock has not moved from {clock_before or self.clock_at_start} s (now {clock} s)"))
            if wrong is None:
                self.count = count
            return wrong
        self.step(f"question-{number}", f"question {number} with one row of 2 to 15 pictures and its slots", check)

    def answer_is_dragged_in(self):
        # The tiles show every digit in the font of the slots and counters.
        self.digits = desktop.DigitReader(
            desktop.Pixels(self.last_shot), {str(d): self.form2[f"LB_{d}"].inset(3) for d in range(10)})
        tens, units = divmod(self.count, 10)
        if self.count >= 10:
            self._drag_digit(tens, "LB6")
        self._drag_digit(units, "LB7")
        want_tens = str(tens) if self.count >= 10 else ""

        def check(s, px):
            want = (want_tens, str(units))
            said = (self._said(s, TENS_1), self._said(s, UNITS_1))
            seen = (self._read(px, "LB6"), self._read(px, "LB7"))
            return problems(
                (said == want, f"the slots tell tens {said[0]!r} and units {said[1]!r}"),
                (seen == want, f"the screen shows tens {seen[0]!r} and units {seen[1]!r} in the slots"),
                *self._counter_is(s, px, ""))
        self.step("answer-dragged", f"the slots showing {self.count} after dragging the digit tiles",
                  check, with_pixels=True)

    def pictures_are_counted_away(self):
        first, last = picture_name(1, 1), picture_name(1, self.count)
        last_spot = self.form2[f"Im1_{self.count - 1}"]
        self.screen.click(*last_spot.centre())

        def one_gone(s, px):
            return problems(
                (not self._showing("Form2", "image", last, s), f"{last!r} is still showing"),
                *self._counter_is(s, px, "1"))
        self.step("picture-counted", f"{last!r} hidden and the counter at 1", one_gone, with_pixels=True)

        # Where the counted picture was, a click counts nothing; the next
        # picture counts as the second.
        self.screen.click(*last_spot.centre())
        self.click_control(self.form2, "Im1_0")

        def two_gone(s, px):
            row1 = [n for n in self._showing_pictures(s) if n.startswith("รูปแถวที่ 1 ")]
            expected_row = [picture_name(1, k) for k in range(2, self.count)]
            return problems(
                (row1 == expected_row, f"row 1 shows {row1}"),
                *self._counter_is(s, px, "2"))
        self.step("pictures-counted", f"{first!r} hidden too and the counter at 2 "
                  "(a click on an empty spot counts nothing)", two_gone, with_pixels=True)

    def answer_is_checked(self, number=1, check_by=None):
        """The check pressed (by a click unless `check_by` says otherwise)
        on question `number`, every answer so far right."""
        if check_by is None:
            self.click_control(self.form2, "Cm3")
        else:
            check_by()
        answer = f"คำตอบที่ถูก คือ {self.count} ครับ "

        def check(s):
            labels = s.showing_labels("Form2")
            return problems(
                (answer in labels, f"no {answer!r} in LB3; labels {labels}"),
                (score_line(number, number, 0, 1) in labels,
                 f"no score line {score_line(number, number, 0, 1)!r}; labels {labels}"),
                (self._buttons_state(s, CHECK) is False, "ตรวจคำตอบ is still enabled"),
                *[(not self._enabled("Form2", "label", f"ตัวเลข {d}", s), f"digit tile {d} is still enabled")
                  for d in range(10)],
                (self._mark_showing(s), "no mark 'แถวที่ 1: ถูก' over the row's slots"),
                # A screen reader hears the correct answer, that the row was
                # right, and the score line together.
                (self._heard(answer.strip() + "\nแถวที่ 1: ถูก\n" + score_line(number, number, 0, 1)),
                 f"the answer was not told to a screen reader; heard {self.voice.heard[-3:]}"))
        self.step(f"answer-{number}-checked", f"the correct answer {answer!r} and 'ทำถูก {number}'", check)

    def board_empties(self, right=1):
        def check(s, px):
            said = [self._said(s, slot) for slot in (TENS_1, UNITS_1)]
            seen = [self._read(px, slot) for slot in ("LB6", "LB7")]
            return problems(
                (not self._showing_pictures(s), f"pictures showing: {self._showing_pictures(s)}"),
                (said == ["", ""], f"the slots tell {said}"),
                (seen == ["", ""], f"the screen shows {seen} in the slots"),
                (not self._mark_showing(s), "the row's mark is still showing"),
                *self._counter_is(s, px, "0"),
                *self._buttons(s, {NEXT: True, CHECK: False}),
                (score_line(right, right, 0, 1) in s.showing_labels("Form2"), "the score line changed"))
        self.step(f"board-empty-{right}", "an empty board, empty slots, the counter at 0 and ทำข้อต่อไป enabled",
                  check, with_pixels=True)

    def answer_by_keyboard_alone(self):
        """Question 2 without a pointer. The emptied board has handed the
        focus to ทำข้อต่อไป: Enter asks, the focus is on the first shown
        slot, the tens go in on the keypad, Tab, the units with the Thai
        layout's number row, Tab on to ตรวจคำตอบ and Enter."""
        def on_next(s):
            return problems((self._focused(s) == ("push button", NEXT), f"the focus is on {self._focused(s)}"))
        self.step("focus-on-next", "the keyboard focus on ทำข้อต่อไป", on_next)
        self.question_appears(2, 1, ask=lambda: self.screen.key("Return"))
        tens, units = divmod(self.count, 10)
        first = TENS_1 if self.count >= 10 else UNITS_1

        def on_first_slot(s):
            return problems((self._focused(s) == ("label", first), f"the focus is on {self._focused(s)}"))
        self.step("focus-on-slot", f"the keyboard focus on {first!r}", on_first_slot)
        if self.count >= 10:
            self.screen.key(f"KP_{tens}", "Tab")
        self.screen.thai_number_row_key(units)

        def typed(s, px):
            want = (str(tens) if self.count >= 10 else "", str(units))
            said = (self._said(s, TENS_1), self._said(s, UNITS_1))
            seen = (self._read(px, "LB6"), self._read(px, "LB7"))
            return problems(
                (said == want, f"the slots tell tens {said[0]!r} and units {said[1]!r}"),
                (seen == want, f"the screen shows tens {seen[0]!r} and units {seen[1]!r} in the slots"),
                (self._heard(f"{UNITS_1}: {units}"),
                 f"the units slot's digit was not told to a screen reader; heard {self.voice.heard[-3:]}"))
        self.step("answer-typed", f"the slots showing {self.count}, typed", typed, with_pixels=True)
        self.answer_is_checked(2, check_by=self._tab_to_check_and_press_enter)

    def answer_by_two_taps(self):
        """Question 3 by tapping: a digit tile, then the slot it goes in."""
        self.question_appears(3, 2)
        tens, units = divmod(self.count, 10)
        for digit, slot in ([(tens, "LB6")] if self.count >= 10 else []) + [(units, "LB7")]:
            self.click_control(self.form2, f"LB_{digit}")

            def selected(s, px, digit=digit):
                back = desktop.most_common_colour(px, self.form2[f"LB_{digit}"].inset(6))
                return problems(
                    (back == (255, 128, 0), f"the tile {digit} shows the colour {back}, not its selected orange"),
                    (self._heard(f"เลือก ตัวเลข {digit}"),
                     f"the selection was not told; heard {self.voice.heard[-3:]}"))
            self.step(f"tile-{digit}-selected", f"the tile {digit} marked as selected", selected, with_pixels=True)
            self.click_control(self.form2, slot)

        def placed(s, px):
            want = (str(tens) if self.count >= 10 else "", str(units))
            said = (self._said(s, TENS_1), self._said(s, UNITS_1))
            seen = (self._read(px, "LB6"), self._read(px, "LB7"))
            return problems(
                (said == want, f"the slots tell tens {said[0]!r} and units {said[1]!r}"),
                (seen == want, f"the screen shows tens {seen[0]!r} and units {seen[1]!r} in the slots"))
        self.step("answer-tapped", f"the slots showing {self.count}, tapped in", placed, with_pixels=True)
        self.answer_is_checked(3)

    def _tab_to_check_and_press_enter(self):
        for _ in range(12):
            if self._focused(self.program.look()) == ("push button", CHECK):
                break
            self.screen.key("Tab")
        self.screen.key("Return")

    def leaving_returns_to_the_start(self):
        self.click_control(self.form2, "Cm6")

        def check(s):
            labels = s.showing_labels("Form1")
            return problems(
                (s.has_window("Form1") and not s.has_window("Form2"), f"windows {s.windows}"),
                (self.screen.window_visible("Form1"), "no visible X window titled Form1"),
                (not self.screen.window_visible("Form2"), "the quiz window is still visible"),
                *[(t in labels, f"labels {labels}") for t in OPENING_TEXTS])
        self.step("back-at-start", "the start screen again with its opening texts", check)

    def the_door_says_goodbye_and_ends(self):
        self.click_control(self.form1, "Image1")
        goodbye = "บ๊าย บาย...แล้วอย่าลืม มาเล่นเกมส์ด้วยกันอีกนะครับ สวัสดีครับ"

        def check(s):
            labels = s.showing_labels("Form1")
            return problems(
                ("แล้วพบกันใหม่" in labels, f"labels {labels}"),
                (goodbye in labels, f"labels {labels}"),
                (not self._enabled("Form1", "image", HOST, s), "the host can still be clicked"))
        self.step("goodbye", "the goodbye texts, the program still running", check)

        self.click_control(self.form1, "Image1")
        deadline = time.monotonic() + STEP_TIMEOUT
        while self.screen.program_exit_code() is None and time.monotonic() < deadline:
            time.sleep(0.1)
        self.screen.screenshot("ended")
        code = self.screen.program_exit_code()
        if code != 0:
            seen = "the program is still running" if code is None else f"exit code {code}"
            raise StepFailed(f"step 'ended': expected the program to end with exit code 0; seen: {seen}")

    # --- reading ------------------------------------------------------------

    def _counter_is(self, s, px, number):
        """The row 1 counter, as told to a screen reader and as drawn."""
        said, seen = self._said(s, COUNTER_1), self._read(px, "LB4")
        return [(said == number, f"the counter tells {said!r}"),
                (seen == number, f"the screen shows {seen!r} in the counter")]

    def _heard(self, text):
        return self.voice is not None and any(text in told for told in self.voice.heard)

    @staticmethod
    def _focused(s):
        node = next((n for n in s.in_window("Form2") if n.focused and n.role != "frame"), None)
        return None if node is None else (node.role, node.name)

    @staticmethod
    def _said(s, name):
        node = s.find("label", name, "Form2")
        return None if node is None else node.description

    def _read(self, pixels, control):
        # Clear of the focus ring, which may lie over a slot's edge.
        return self.digits.read(pixels, self.form2[control].inset(6))

    def _drag_digit(self, digit, slot):
        self.screen.drag(self.form2[f"LB_{digit}"].centre(), self.form2[slot].centre())

    @staticmethod
    def _name_field(s):
        return next((n for n in s.in_window(PROMPT_TITLE) if n.role == "text"), None)

    @staticmethod
    def _mark_showing(s):
        """Whether the mark over row 1's slots tells that it was right."""
        return any(n.name == "แถวที่ 1: ถูก" and n.showing for n in s.in_window("Form2"))

    @staticmethod
    def _showing(window, role, name, s):
        node = s.find(role, name, window)
        return node is not None and node.showing

    @staticmethod
    def _enabled(window, role, name, s):
        node = s.find(role, name, window)
        return node is not None and node.enabled

    @staticmethod
    def _showing_pictures(s):
        return [n.name for n in s.in_window("Form2")
                if n.role == "image" and n.showing and n.name.startswith("รูปแถวที่ ")]

    @staticmethod
    def _buttons_state(s, caption):
        node = s.find("push button", caption, "Form2")
        return None if node is None else node.enabled

    def _buttons(self, s, wanted):
        pairs = []
        for caption, enabled in wanted.items():
            state = self._buttons_state(s, caption)
            seen = "missing" if state is None else ("enabled" if state else "disabled")
            pairs.append((state is enabled, f"the button {caption} is {seen}"))
        return pairs

    @staticmethod
    def _clock(labels):
        for text in labels:
            m = CLOCK_LINE.match(text)
            if m:
                return int(m.group(1)) * 60 + int(m.group(2))
        return None


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--layouts", required=True)
    parser.add_argument("--shots", required=True)
    args = parser.parse_args()

    session = desktop.in_private_session(__file__, sys.argv[1:])
    if session is not None:
        return session

    form1, form2, screen, log_path = desktop.set_up(args)
    try:
        program = desktop.watched_program(screen, args.program, log_path)
        import accessible
        walk = Walk(screen, program, form1, form2, accessible.Voice())
        walk.start_screen_opens()
        walk.host_asks_for_a_name()
        walk.quiz_opens()
        walk.clock_starts()
        walk.question_appears()
        walk.answer_is_dragged_in()
        walk.pictures_are_counted_away()
        walk.answer_is_checked()
        walk.board_empties()
        walk.answer_by_keyboard_alone()
        walk.board_empties(2)
        walk.answer_by_two_taps()
        walk.leaving_returns_to_the_start()
        walk.the_door_says_goodbye_and_ends()
    except (StepFailed, TimeoutError) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        print(f"Screenshots: {args.shots}", file=sys.stderr)
        screen.stop()
        with open(log_path, encoding="utf-8", errors="replace") as log:
            text = log.read().strip()
        if text:
            print("The program's output:\n" + text, file=sys.stderr)
        return 1
    finally:
        screen.stop()
    print(f"PASS: three questions played (dragged, typed, tapped) and the program ended; "
          f"screenshots in {args.shots}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
