# Broken and missing data files: for each kind of file the game reads, a
# run without it and one with a damaged copy must end as its row says (the
# boxes, answered with Return, in order; then the game until Escape, no game,
# or the model loader's line and exit code 1), never by a crash, hang or signal.
# Under Wine a box's title is its window's name and its text comes from Wine's
# msgbox trace; the native program answers and traces boxes itself.

import os
import re
import time

from e2e_lib import E2EFailure, all_window_names, check, game_run, run, search_windows, window_name

LEVEL, MOVIE = "data/LEVEL/level1.dat", "data/avi/intro.avi"
TEXTURE, FONT_LARGE, FONT_SMALL = "data/BMP/brick06b.bmp", "data/BMP/font512.bmp", "data/BMP/font256.bmp"
FIGURE = "data/MODELS/gign.mdl"
DAMAGE = {
    "half": lambda data: data[:len(data) // 2],
    "first4096": lambda data: data[:4096],  # a movie's headers only
    "empty": lambda data: b"",
    # Bytes of no format, a fixed pattern so that a failure repeats.
    "noise": lambda data: bytes((index * 131 + 17) % 251 for index in range(len(data))),
    # A BMP with a 124-byte (V5) info header.
    "v5header": lambda data: data[:14] + (124).to_bytes(4, "little") + data[18:],
}


def shown(path):  # the game's own tables spell the folder "Data"
    return path.replace("data/", "Data/", 1)


def error(text):
    return ("Error", text)


INIT_FAILED = ("ERROR", "Initialization Failed.")
GAME, NO_GAME = "the game runs until Escape", "no game"
ROWS = [  # name, file, damage (None: missing), boxes, the end or the loader's line
    # The level: the message, then the game on what the loader left.
    ("level_missing", LEVEL, None, [error("Error Loading Level-File !!!!    ")], GAME),
    # Textures are read once for the intro's context and once by the game's
    # scene set-up, which then fails.
    ("texture_missing", TEXTURE, None, [INIT_FAILED], NO_GAME),
    ("texture_truncated", TEXTURE, "half", [error("Image file conversion error.")] * 2 + [INIT_FAILED],
     NO_GAME),
    ("font512_empty", FONT_LARGE, "empty",
     [error("Failed to open DIB file %s.\n" % shown(FONT_LARGE))] * 2 + [INIT_FAILED], NO_GAME),
    ("font512_missing", FONT_LARGE, None, [INIT_FAILED], NO_GAME),
    ("font256_unknown_header", FONT_SMALL, "v5header",
     [error("Unknown DIB file format.")] * 2 + [INIT_FAILED], NO_GAME),
    # The enemy figure: the process ends with exit code 1 and one line (its
    # two companion files are named alike: the model tests show it).
    ("figure_missing", FIGURE, None, [], "unable to open " + shown(FIGURE)),
    # The movie: a black intro for a moment, then the game.
    ("movie_missing", MOVIE, None, [error("Failed To Open The AVI Stream")], GAME),
    ("movie_truncated", MOVIE, "first4096", [], GAME),
    # Sounds that cannot be played are skipped without a word (the rifle's
    # when the game fires).
    ("intro_sound_missing", "data/wav/intro.wav", None, [], GAME),
    ("rifle_sound_noise", "data/wav/m16.wav", "noise", [], GAME),
]
BOX_TITLES = ("Error", "ERROR", "GL", "SHUTDOWN ERROR")  # every box the program shows
GAME_SETTLE_SECONDS, ROW_TIMEOUT = 3, 120


def drive(game, escape_intro):
    # (titles of the boxes, whether the game ran, exit code) of a run in
    # which each box is answered, the intro ended with Escape and the game, once
    # up for a while with no box in front, fires and ends with Escape.
    titles, answered = [], {}
    intro = game_window = intro_since = quiet_since = None
    escaped_intro = game_ran = False
    run(["xdotool", "mousemove", "320", "240"])
    deadline = time.time() + ROW_TIMEOUT
    while time.time() < deadline:
        if game.process.poll() is not None:
            return titles, game_ran, game.process.returncode
        now, boxes_up, game_visible = time.time(), False, False
        for window in search_windows(".", exact=False):
            name = window_name(window)
            if name in ("Program Error", "Wine") or name.startswith("winedbg"):
                game.screenshot("crash")
                raise E2EFailure("crash dialog %r" % name)
            if name in BOX_TITLES:
                boxes_up = True
                if window not in answered:
                    titles.append(name)
                    game.screenshot("box-%d" % len(titles))
                    answered[window] = 0
                if now - answered[window] >= 2:  # a key sent before the box takes input is lost
                    game.key(window, "Return", must=False)
                    answered[window] = now
            elif name == "Brakmoor":
                if intro is None:
                    intro, intro_since = window, now
                elif window != intro and game_window is None:
                    game_window = window
                game_visible = game_visible or window == game_window
        quiet_since = None if boxes_up or not game_visible else quiet_since or now
        if escape_intro and not (boxes_up or escaped_intro) and intro and not game_window \
                and now - intro_since >= 1:
            game.hold_key(intro, "Escape", 0.2, must=False)
            escaped_intro = True
        if quiet_since and not game_ran and now - quiet_since >= GAME_SETTLE_SECONDS:
            game_ran = True
            game.hold_key(game_window, "Control_R", 0.3, must=False)
            time.sleep(1)
            game.screenshot("game")
            game.hold_key(game_window, "Escape", 0.5, must=False)
        time.sleep(0.25)
    raise E2EFailure("no end within %d s (a hang); visible windows: %s"
                     % (ROW_TIMEOUT, all_window_names()))


def run_row(args, row, native):
    name, path, damage, expected_boxes, end = row
    print("-- %s: %s %s" % (name, path, damage or "missing"))
    content = None
    if damage:
        with open(os.path.join(args.game_dir, path), "rb") as original:
            content = DAMAGE[damage](original.read())
    env = {"BRAKMOOR_SEED": "7", "WINEDEBUG": "-all,+msgbox", "BRAKMOOR_DIALOG_CHOICE": "640x480x32"}
    with game_run(args, ("native_" if native else "") + "broken_data/" + name, {path: content}, env,
                  native) as game:
        game.enter_dialog(timeout=120)
        # Without a playable movie the intro ends by itself at once; an
        # Escape meant for it could still be down when the game reads its keys.
        titles, game_ran, code = drive(game, escape_intro=path != MOVIE)
        log = game.log_text()
    if native:
        boxes = [tuple(box.replace("\\n", "\n").split(": ", 1)) for box in game.boxes()]
    else:
        texts = [match.group(1).encode().decode("unicode_escape")
                 for match in re.finditer(r'trace:msgbox:\w+ L"((?:[^"\\]|\\.)*)"', log)]
        check(len(texts) == len(titles), "%s: the traced box texts %s belong to the boxes seen %s"
              % (name, texts, titles))
        boxes = list(zip(titles, texts))
    loader_line = end not in (GAME, NO_GAME)
    check(code == int(loader_line), "%s: exit code %d" % (name, code))
    check(boxes == expected_boxes, "%s: message boxes %s (expected %s)" % (name, boxes, expected_boxes))
    check(game_ran == (end == GAME), "%s: %s" % (name, GAME if end == GAME else NO_GAME))
    check(not loader_line or end in log, "%s: standard output says %r" % (name, end))
    check("Unhandled exception" not in log and "wine: Unhandled" not in log,
          "%s: no unhandled exception in the log" % name)


def test(args, native=False):
    wanted = os.environ.get("BRAKMOOR_BROKEN_DATA_CASES")  # e.g. level_missing,movie_missing
    rows = [row for row in ROWS if not wanted or row[0] in wanted.split(",")]
    check(rows, "rows to run: %s" % [row[0] for row in rows])
    for row in rows:
        run_row(args, row, native)


if __name__ == "__main__":
    from e2e_lib import run_test
    run_test(test)
