"""Broken and missing data files in the real program: for each kind of file
the game reads (the level, a wall texture, the two font sheets, the enemy
figure's three model files, the intro movie, two sounds) one run without
the file and one with a damaged copy. Each run must end the way the program
describes for that file: the named message boxes in their order (answered
with Return), the game started or not, the model loader's line on standard
output and the exit code. A crash dialog, a hang or an end by a signal fails
the case.

A box's title is its X window's name; its text comes from Wine's msgbox
trace in the run's wine.log.
"""

import contextlib
import os
import re
import shutil
import time

from e2e_lib import (E2EFailure, GameRun, all_window_names, check,
                     game_folder_with, run, run_test, search_windows,
                     window_name)

LEVEL = "data/LEVEL/level1.dat"
WALL_TEXTURE = "data/BMP/brick06b.bmp"
FONT_LARGE = "data/BMP/font512.bmp"
FONT_SMALL = "data/BMP/font256.bmp"
FIGURE = "data/MODELS/gign.mdl"
FIGURE_TEXTURES = "data/MODELS/gignT.mdl"
FIGURE_GROUP = "data/MODELS/gign01.mdl"
MOVIE = "data/avi/intro.avi"
INTRO_SOUND = "data/wav/intro.wav"
RIFLE_SOUND = "data/wav/m16.wav"

# Titles of every message box the program can show; any other window but
# the start dialog and the "Brakmoor" windows is a fault (Wine's crash
# dialog is "Program Error").
BOX_TITLES = ("Error", "ERROR", "GL", "SHUTDOWN ERROR")
CRASH_TITLES = ("Program Error", "Wine")

LEVEL_BOX = ("Error", "Error Loading Level-File !!!!    ")
INIT_FAILED = ("ERROR", "Initialization Failed.")
CONVERSION_ERROR = ("Error", "Image file conversion error.")
UNKNOWN_FORMAT = ("Error", "Unknown DIB file format.")
NO_MOVIE = ("Error", "Failed To Open The AVI Stream")


def opened_failure(name):
    # The texture table spells the folder "Data".
    return ("Error", "Failed to open DIB file %s.\n" % name.replace("data/", "Data/", 1))


# -- damaged copies of a file's bytes -----------------------------------------
def first_half(data):
    return data[:len(data) // 2]


def first_bytes(count):
    def cut(data):
        return data[:count]
    cut.__name__ = "first_%d_bytes" % count
    return cut


def empty(data):
    return b""


def noise(data):
    """Bytes of no format at all, as long as the file (a fixed pattern, so a
    failure repeats)."""
    return bytes((index * 131 + 17) % 251 for index in range(len(data)))


def bmp_header_size(size):
    """The BMP with another info-header size (a 124-byte V5 header)."""
    def change(data):
        return data[:14] + size.to_bytes(4, "little") + data[18:]
    change.__name__ = "header_size_%d" % size
    return change


# -- the cases ----------------------------------------------------------------
class Case:
    """A game folder with `path` missing (damage None) or damaged, and how
    the run must end: the boxes (title, text) in order, whether the game
    window comes up and runs until Escape, the exit code and a line the
    program writes to standard output. Without a playable movie the intro
    ends by itself at once; Escape pressed there could still be down when
    the game reads its keyboard and end it, so such cases let it end."""

    def __init__(self, name, path, damage, boxes=(), game_runs=False,
                 exit_code=0, output=None, fire=False, escape_intro=True):
        self.name, self.path, self.damage = name, path, damage
        self.boxes, self.game_runs = list(boxes), game_runs
        self.exit_code, self.output, self.fire = exit_code, output, fire
        self.escape_intro = escape_intro


def unable_to_open(path):
    return "unable to open %s" % path.replace("data/", "Data/", 1)


def refused(path):
    return "invalid model file %s: " % path.replace("data/", "Data/", 1)


CASES = [
    # The level: the message, then the game on what the loader left.
    Case("level_missing", LEVEL, None, [LEVEL_BOX], game_runs=True),
    Case("level_noise", LEVEL, noise, game_runs=True),
    Case("level_truncated", LEVEL, first_half, game_runs=True),
    # A texture: read once for the intro's context and once by the game's
    # scene set-up, which then fails.
    Case("texture_missing", WALL_TEXTURE, None, [INIT_FAILED]),
    Case("texture_truncated", WALL_TEXTURE, first_half,
         [CONVERSION_ERROR, CONVERSION_ERROR, INIT_FAILED]),
    Case("font512_empty", FONT_LARGE, empty,
         [opened_failure(FONT_LARGE), opened_failure(FONT_LARGE), INIT_FAILED]),
    Case("font512_missing", FONT_LARGE, None, [INIT_FAILED]),
    Case("font256_missing", FONT_SMALL, None, [INIT_FAILED]),
    Case("font256_unknown_header", FONT_SMALL, bmp_header_size(124),
         [UNKNOWN_FORMAT, UNKNOWN_FORMAT, INIT_FAILED]),
    # The enemy figure: the process ends with exit code 1 and one line.
    Case("figure_missing", FIGURE, None, exit_code=1, output=unable_to_open(FIGURE)),
    Case("figure_truncated", FIGURE, first_bytes(300), exit_code=1, output=refused(FIGURE)),
    Case("figure_textures_missing", FIGURE_TEXTURES, None, exit_code=1,
         output=unable_to_open(FIGURE_TEXTURES)),
    Case("figure_textures_truncated", FIGURE_TEXTURES, first_half, exit_code=1,
         output=refused(FIGURE_TEXTURES)),
    Case("figure_group_missing", FIGURE_GROUP, None, exit_code=1,
         output=unable_to_open(FIGURE_GROUP)),
    Case("figure_group_truncated", FIGURE_GROUP, first_half, exit_code=1,
         output=refused(FIGURE_GROUP)),
    # The movie: a black intro for a moment, then the game.
    Case("movie_missing", MOVIE, None, [NO_MOVIE], game_runs=True, escape_intro=False),
    Case("movie_truncated", MOVIE, first_bytes(4096), game_runs=True, escape_intro=False),
    # Sounds that cannot be played are skipped without a word.
    Case("intro_sound_missing", INTRO_SOUND, None, game_runs=True),
    Case("rifle_sound_noise", RIFLE_SOUND, noise, game_runs=True, fire=True),
]

GAME_SETTLE_SECONDS = 3
CASE_TIMEOUT = 120


def message_box_texts(log_text):
    """The text of each message box in the order Wine showed them, from the
    msgbox trace lines: ...:trace:msgbox:MSGBOX_OnInit L"text"."""
    return [match.group(1).encode().decode("unicode_escape")
            for match in re.finditer(r'trace:msgbox:\w+ L"((?:[^"\\]|\\.)*)"', log_text)]


def hold_if_there(window, key, seconds):
    """Holds a key in a window that may go away meanwhile (the process can
    end at any moment in these runs), so a failed key is no fault."""
    run(["xdotool", "keydown", "--window", window, key], check_result=False)
    time.sleep(seconds)
    run(["xdotool", "keyup", "--window", window, key], check_result=False)


def drive(game, case):
    """Plays the run of one case: answers each message box, skips the intro
    and, once the game window has been up for a while with no box in front,
    fires if asked and ends the game with Escape. Returns (titles of the
    boxes seen, whether the game ran, exit code)."""
    titles, answered = [], {}
    intro = game_window = None
    intro_since = quiet_since = None
    escaped_intro = game_ran = False
    deadline = time.time() + CASE_TIMEOUT
    while time.time() < deadline:
        code = game.process.poll()
        if code is not None:
            return titles, game_ran, code
        now = time.time()
        boxes_up = game_visible = False
        for window in search_windows(".", exact=False):
            name = window_name(window)
            if name in CRASH_TITLES or name.startswith("winedbg"):
                game.screenshot("crash")
                raise E2EFailure("crash dialog %r" % name)
            if name in BOX_TITLES:
                boxes_up = True
                if window not in answered:
                    titles.append(name)
                    game.screenshot("box-%d" % len(titles))
                    answered[window] = 0
                # A key sent before the box takes input is lost: send again.
                if now - answered[window] >= 2:
                    # The box may have gone in the meantime: no check.
                    run(["xdotool", "key", "--window", window, "Return"], check_result=False)
                    answered[window] = now
            elif name == "Brakmoor":
                if intro is None:
                    intro, intro_since = window, now
                elif window != intro and game_window is None:
                    game_window = window
                game_visible = game_visible or window == game_window
        if boxes_up or not game_visible:
            quiet_since = None
        elif quiet_since is None:
            quiet_since = now
        if case.escape_intro and not boxes_up and intro is not None and game_window is None \
                and not escaped_intro and now - intro_since >= 1:
            hold_if_there(intro, "Escape", 0.2)
            escaped_intro = True
        if quiet_since is not None and not game_ran and now - quiet_since >= GAME_SETTLE_SECONDS:
            game_ran = True
            if case.game_runs:
                run(["xdotool", "mousemove", "320", "240"])
                if case.fire:
                    hold_if_there(game_window, "Control_R", 0.3)
                    time.sleep(1)
                game.screenshot("game")
                hold_if_there(game_window, "Escape", 0.5)
        time.sleep(0.25)
    raise E2EFailure("no end within %d s (a hang); visible windows: %s"
                     % (CASE_TIMEOUT, all_window_names()))


@contextlib.contextmanager
def case_folder(args, case):
    """A game folder (removed afterwards) with the case's file missing or
    damaged."""
    print("-- %s: %s %s" % (case.name, case.path,
                             "missing" if case.damage is None else case.damage.__name__))
    real = os.path.join(os.path.abspath(args.game_dir), case.path)
    content = None
    if case.damage is not None:
        with open(real, "rb") as original:
            content = case.damage(original.read())
    folder = game_folder_with(os.path.abspath(args.game_dir), {case.path: content},
                              "brakmoor-%s-" % case.name)
    try:
        yield folder
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def run_case(args, case):
    with case_folder(args, case) as folder:
        env = {"WINEDEBUG": "-all,+msgbox", "BRAKMOOR_SEED": "7"}
        with GameRun(args, name="broken_data/" + case.name, game_dir=folder, env=env) as game:
            game.enter_dialog(timeout=120)
            titles, game_seen, code = drive(game, case)
        with open(os.path.join(game.artifacts, "wine.log"), errors="replace") as log:
            log_text = log.read()
    texts = message_box_texts(log_text)
    check(len(texts) == len(titles),
          "%s: the traced box texts %s belong to the boxes seen %s" % (case.name, texts, titles))
    check_outcome(case, list(zip(titles, texts)), game_seen, code, log_text)


def check_outcome(case, boxes, game_seen, code, log_text):
    """The run ended as the case says: exit code, boxes (title, text) in
    order, whether the game ran, the line on standard output, no crash."""
    check(code == case.exit_code, "%s: exit code %d (expected %d)"
          % (case.name, code, case.exit_code))
    check(boxes == case.boxes, "%s: message boxes %s (expected %s)"
          % (case.name, boxes, case.boxes))
    check(game_seen == case.game_runs, "%s: the game %s" % (
        case.name, "ran until Escape" if case.game_runs else "did not run"))
    if case.output is not None:
        check(case.output in log_text, "%s: standard output says %r" % (case.name, case.output))
    check("wine: Unhandled" not in log_text and "Unhandled exception" not in log_text,
          "%s: no unhandled exception in the log" % case.name)


def selected_cases():
    """Every case, or those BRAKMOOR_BROKEN_DATA_CASES names."""
    wanted = os.environ.get("BRAKMOOR_BROKEN_DATA_CASES")  # e.g. "level_missing,movie_truncated"
    cases = [c for c in CASES if not wanted or c.name in wanted.split(",")]
    check(cases, "cases to run: %s" % [c.name for c in cases])
    return cases


def test(args):
    for case in selected_cases():
        run_case(args, case)


if __name__ == "__main__":
    run_test(test)
