"""The broken-data table of tests/e2e/test_broken_data.py run with the native
Linux program: each case's game folder, the same expected boxes, outcome and
exit code. The boxes come from the program's trace lines (they are answered
at once); the intro is ended with Escape where the case says so, and a game
window that stays up for a while is played as the Windows run does (a shot
if asked, then Escape)."""

import time

from e2e_lib import E2EFailure, NativeGameRun, check, run, run_test, search_windows
from test_broken_data import (CASE_TIMEOUT, GAME_SETTLE_SECONDS, case_folder,
                              check_outcome, selected_cases)


def press_if_there(key, seconds):
    """A key for a window that may go away meanwhile (no check)."""
    run(["xdotool", "keydown", key], check_result=False)
    time.sleep(seconds)
    run(["xdotool", "keyup", key], check_result=False)


def drive(game, case):
    """(whether the game window ran, exit code) of one case's run."""
    intro = game_since = None
    game_ran = False
    run(["xdotool", "mousemove", "320", "240"])
    deadline = time.time() + CASE_TIMEOUT
    while time.time() < deadline:
        code = game.process.poll()
        if code is not None:
            return game_ran, code
        windows = search_windows("Brakmoor")
        if intro is None and windows:
            intro = windows[0]
            if case.escape_intro:
                time.sleep(1)
                press_if_there("Escape", 0.2)
        if game_since is None and [w for w in windows if w != intro]:
            game_since = time.time()
        if game_since and not game_ran and time.time() - game_since >= GAME_SETTLE_SECONDS:
            game_ran = True
            if case.game_runs:
                if case.fire:
                    press_if_there("Control_R", 0.3)
                    time.sleep(1)
                game.screenshot("game")
                press_if_there("Escape", 0.5)
        time.sleep(0.1)
    raise E2EFailure("%s: no end within %d s (a hang)" % (case.name, CASE_TIMEOUT))


def box_pair(line):
    title, text = line.split(": ", 1)
    return title, text.replace("\\n", "\n")



def run_case(args, case):
    with case_folder(args, case) as folder:
        with NativeGameRun(args, name="native_broken_data/" + case.name, game_dir=folder,
                           env={"BRAKMOOR_SEED": "7",
                                "BRAKMOOR_DIALOG_CHOICE": "640x480x32"}) as game:
            game_seen, code = drive(game, case)
            with open(game.log_path, errors="replace") as log:
                log_text = log.read()
            boxes = [box_pair(line) for line in game.boxes()]
    check_outcome(case, boxes, game_seen, code, log_text)


def test(args):
    for case in selected_cases():
        run_case(args, case)


run_test(test)
