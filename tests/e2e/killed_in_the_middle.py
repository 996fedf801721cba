#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 The lumo3 authors
# SPDX-License-Identifier: GPL-3.0-or-later
"""End-to-end: the real lumo3, set up for a class by the computer's and the
user's settings files, is played from outside on its own X screen and
killed with SIGKILL in the middle of a game, as a power cut would stop it.
Afterwards the results file holds every answer that was checked, as it
was checked, and the teacher's window (`lumo3 --results`) shows the game
as unfinished.

    killed_in_the_middle.py --program PATH/lumo3 --layouts assets/layout --shots DIR

The program is driven only as a child drives it (xdotool) and read only as
a screen reader reads it (AT-SPI); nothing in the program knows it is under
test. The settings: the computer's file starts games at level 3 with a
45-minute clock, the user's file turns the clock off and gives a class
list, so the game begins after question 50 and counts the time used.
"""

import argparse
import json
import os
import re
import signal
import sqlite3
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import desktop  # noqa: E402
from desktop import StepFailed  # noqa: E402
import walk_through_a_game as walk  # noqa: E402
from walk_through_a_game import CHECK, NAME, NEXT, PROMPT_TITLE, START_CLOCK, problems, score_line  # noqa: E402

STEP_TIMEOUT = 10.0
LEVEL = 3
QUESTIONS = 4
FIRST = 25 * (LEVEL - 1) + 1
CLASS_LIST = ["ด.ช. สมชาย รักเรียน", "ด.ญ. มาลี ใจดี"]
COMPUTER_SETTINGS = "[class]\nstart_level=3\nclock=true\nclock_minutes=45\n"
USER_SETTINGS = "[class]\nclock=false\nnames=" + ", ".join(CLASS_LIST) + "\n"
TIME_USED_LINE = re.compile(r"^น้อง " + NAME + r"\n ใช้เวลาไป (\d+) นาที (\d+) วินาที$")
UNFINISHED = "ถูกตัดกลางคัน"
TEACHERS_WINDOW = "ผลการทดสอบ"

# The answer slots, tens then units, of rows 1 to 4 and of the total.
SLOTS = ["LB6", "LB7", "LB8", "LB9", "LB10", "LB11", "LB12", "LB13", "LB14", "LB15"]
UNITS_NAMES = {1: "ช่องหลักหน่วย แถวที่ 1", 3: "ช่องหลักหน่วย แถวที่ 3", 5: "ช่องหลักหน่วย ผลรวม"}


class Answer:
    """What the child puts in the slots of question k (1-based in this
    game): row 1 right, row 2 left empty, the digit k in the units of
    row 3, the total right on even k and left empty otherwise."""

    def __init__(self, k, counts):
        self.counts = counts
        self.slots = [""] * 10
        self.drops = []  # (digit, slot index)

        def put(slot_pair, value):
            if value >= 10:
                self.slots[2 * slot_pair] = str(value // 10)
                self.drops.append((value // 10, 2 * slot_pair))
            self.slots[2 * slot_pair + 1] = str(value % 10)
            self.drops.append((value % 10, 2 * slot_pair + 1))

        put(0, counts[0])
        self.slots[5] = str(k)
        self.drops.append((k, 5))
        total_right = k % 2 == 0
        if total_right:
            put(4, sum(counts))
        self.right = 1 + (counts[2] == k) + (LEVEL if total_right else 0)
        self.wrong = 1 + (counts[2] != k) + (0 if total_right else 1)


class KilledGame(walk.Walk):
    def __init__(self, screen, program, form1, form2):
        super().__init__(screen, program, form1, form2)
        self.right = self.wrong = 0
        self.answers = []

    def prompt_offers_the_class_list(self):
        self.click_control(self.form1, "Im1")

        def check(s):
            nodes = s.in_window(PROMPT_TITLE)
            field = self._name_field(s)
            names = [n.name for n in nodes if n.role == "push button" and n.showing]
            return problems(
                (s.has_window(PROMPT_TITLE), f"windows {s.windows}"),
                (field is not None and field.text == "No Name",
                 f"the name field holds {field.text if field else None!r}, not 'No Name'"),
                (all(name in names for name in CLASS_LIST), f"the prompt's buttons are {names}"))
        self.step("class-list-prompt", f"the prompt offering {CLASS_LIST} as buttons, 'No Name' in its field",
                  check)

        def typed(s):
            field = self._name_field(s)
            return problems((field is not None and field.text == NAME,
                             f"the text field holds {field.text if field else None!r}"))

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

        def greeted(s):
            labels = s.showing_labels("Form1")
            return problems((not s.has_window(PROMPT_TITLE), "the prompt is still open"),
                            ("สวัสดีครับ น้อง " + NAME in labels, f"labels {labels}"))
        self.step("greeting", "the greeting with the typed name", greeted)

    def clock_starts_counting_up(self):
        self.click_control(self.form2, "Cm1")

        def check(s):
            labels = s.showing_labels("Form2")
            return problems(
                (score_line(FIRST - 1, 0, 0, LEVEL) in labels, f"labels {labels}"),
                (any(TIME_USED_LINE.match(t) for t in labels), f"no time-used line in {labels}"),
                *self._buttons(s, {START_CLOCK: False, NEXT: True}))
        self.step("clock-counts-up", f"question {FIRST - 1} at level {LEVEL} and the time used counting", check)

    def question_is_answered_and_checked(self, k):
        question = FIRST + k - 1
        self.click_control(self.form2, "Cm4")
        counts = []

        def shown(s):
            rows = [len([n for n in self._showing_pictures(s) if n.startswith(f"รูปแถวที่ {g} ")])
                    for g in (1, 2, 3, 4)]
            wrong = problems(
                (score_line(question, self.right, self.wrong, LEVEL) in s.showing_labels("Form2"),
                 f"labels {s.showing_labels('Form2')}"),
                *self._buttons(s, {CHECK: True}),
                (all(2 <= n <= 15 for n in rows[:3]) and rows[3] == 0, f"rows of {rows} pictures"))
            if wrong is None:
                counts[:] = rows[:3]
            return wrong
        self.step(f"question-{question}", f"question {question} with three rows of pictures", shown)

        answer = Answer(k, counts)
        for digit, slot in answer.drops:
            self.screen.drag(self.form2[f"LB_{digit}"].centre(), self.form2[SLOTS[slot]].centre())

        def filled(s):
            said = {slot: self._said(s, name) for slot, name in UNITS_NAMES.items()}
            want = {slot: answer.slots[2 * slot - 1] for slot in UNITS_NAMES}
            return problems((said == want, f"the units slots tell {said}, not {want}"))
        self.step(f"answer-{question}", "the digits in their slots", filled)

        self.click_control(self.form2, "Cm3")
        self.right += answer.right
        self.wrong += answer.wrong
        self.answers.append(answer)

        def checked(s):
            return problems((score_line(question, self.right, self.wrong, LEVEL) in s.showing_labels("Form2"),
                             f"labels {s.showing_labels('Form2')}"))
        self.step(f"checked-{question}", f"the score line with {self.right} right and {self.wrong} wrong",
                  checked)

    def board_empties(self):
        def check(s):
            return problems((not self._showing_pictures(s), "pictures still showing"),
                            *self._buttons(s, {NEXT: True}))
        self.step("board-empty", "the board empty and ทำข้อต่อไป enabled", check, timeout=STEP_TIMEOUT)


def check_the_store(data_home, answers, right, wrong):
    """Every checked answer is in the file as it was checked; the game has no end."""
    path = os.path.join(data_home, "lumo3", "results.sqlite")
    db = sqlite3.connect(path)
    try:
        ok = db.execute("PRAGMA integrity_check").fetchone()[0]
        if ok != "ok":
            raise StepFailed(f"the results file is damaged after the kill: {ok}")
        games = db.execute("SELECT id, player, start_level, clock_minutes, outcome, ended_utc, program_version, "
                           "questions, right_points, wrong_points, settings FROM games").fetchall()
        if len(games) != 1:
            raise StepFailed(f"{len(games)} games recorded, not one")
        gid, player, start_level, clock, outcome, ended, version, questions, r, w, settings = games[0]
        expected = (NAME, LEVEL, None, None, None, "3.1.0", FIRST + len(answers) - 1, right, wrong)
        seen = (player, start_level, clock, outcome, ended, version, questions, r, w)
        if seen != expected:
            raise StepFailed(f"the game is recorded as {seen}, not {expected}")
        if json.loads(settings) != {"startLevel": LEVEL, "clockMinutes": None, "fullscreen": False,
                                    "classListSize": len(CLASS_LIST)}:
            raise StepFailed(f"the game's settings are recorded as {settings}")
        rows = db.execute("SELECT question, level, count1, count2, count3, count4, total, slots, "
                          "right_points, wrong_points FROM answers WHERE game_id = ? ORDER BY question",
                          (gid,)).fetchall()
        if len(rows) != len(answers):
            raise StepFailed(f"{len(rows)} answers in the file, {len(answers)} were checked")
        for k, (row, answer) in enumerate(zip(rows, answers), start=1):
            expected = (FIRST + k - 1, LEVEL, *answer.counts, None, sum(answer.counts), answer.slots,
                        answer.right, answer.wrong)
            seen = (*row[:7], json.loads(row[7]), *row[8:])
            if seen != expected:
                raise StepFailed(f"answer {k} is recorded as {seen}, not {expected}")
    finally:
        db.close()


def teachers_window_shows_it_unfinished(screen, program_path, log_path):
    screen.start_program(program_path, log_path, args=["--results"])
    import accessible
    results = accessible.Program("lumo3")

    def check(s):
        cells = [n.name for n in s.in_window(TEACHERS_WINDOW) if n.role == "table cell"]
        return problems((s.has_window(TEACHERS_WINDOW), f"windows {s.windows}"),
                        (NAME in cells and UNFINISHED in cells, f"table cells {cells}"))
    deadline = time.monotonic() + STEP_TIMEOUT
    while True:
        wrong = check(results.look())
        if wrong is None:
            return screen.screenshot("teachers-window-unfinished")
        if time.monotonic() > deadline:
            shot = screen.screenshot("teachers-window-FAILED")
            raise StepFailed(f"step 'teachers-window': expected the game of {NAME} as {UNFINISHED!r}; "
                             f"seen: {wrong} (screenshot {shot})")
        time.sleep(0.2)


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
        program = desktop.watched_program(screen, args.program, log_path, user_settings=USER_SETTINGS,
                                          computer_settings=COMPUTER_SETTINGS)
        game = KilledGame(screen, program, form1, form2)
        game.start_screen_opens()
        game.prompt_offers_the_class_list()
        game.quiz_opens()
        game.clock_starts_counting_up()
        for k in range(1, QUESTIONS + 1):
            game.question_is_answered_and_checked(k)
            if k < QUESTIONS:
                game.board_empties()
        # The last check is on the screen: the power goes at once.
        os.kill(screen.program.pid, signal.SIGKILL)
        if screen.program.wait(10) != -signal.SIGKILL:
            raise StepFailed(f"the program ended with {screen.program.returncode}, not by SIGKILL")
        screen.log.close()
        with open(log_path, encoding="utf-8", errors="replace") as log:
            # The test's display has no sound card: that one is expected.
            warnings = [line for line in log
                        if line.startswith("lumo3:") and "no sound output" not in line]
        if warnings:
            raise StepFailed(f"the program warned: {warnings}")
        check_the_store(os.path.join(screen.home, "data"), game.answers, game.right, game.wrong)
        teachers_window_shows_it_unfinished(screen, args.program, os.path.join(args.shots, "results.log"))
    except (StepFailed, TimeoutError) as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        print(f"Screenshots: {args.shots}", file=sys.stderr)
        return 1
    finally:
        screen.stop()
    print(f"PASS: {QUESTIONS} checked answers kept after SIGKILL, the game shown unfinished; "
          f"screenshots in {args.shots}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
