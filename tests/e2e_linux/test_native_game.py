"""The native Linux program from start to end: the intro window, Escape to
the game window, a walk forward that changes the picture, Escape with exit
code 0, and no error box on the way."""

import time

from e2e_lib import (E2EFailure, NativeGameRun, check, image_mean_and_deviation,
                     pixels_differing, run, run_test, search_windows)


def game_window(game, intro, timeout=60):
    """The game window: the second window titled Brakmoor (the intro's stays
    open behind it)."""
    deadline = time.time() + timeout
    while time.time() < deadline:
        windows = [w for w in search_windows("Brakmoor") if w != intro]
        if windows:
            return windows[0]
        if game.process.poll() is not None:
            raise E2EFailure("the game ended (exit code %s) before its window appeared"
                             % game.process.returncode)
        time.sleep(0.1)
    raise E2EFailure("no game window after the intro")


def play(args):
    with NativeGameRun(args, env={"BRAKMOOR_SEED": "1",
                                  "BRAKMOOR_DIALOG_CHOICE": "1024x768x32"}) as game:
        intro = game.wait_window("Brakmoor", timeout=60)
        # The pointer where mouse look puts it back: the first view looks
        # straight ahead, and keys reach the window under it.
        run(["xdotool", "mousemove", "320", "240"])
        if search_windows("Brakmoor") == [intro]:
            game.hold_key(intro, "Escape", 0.1)
        window = game_window(game, intro)
        time.sleep(3)  # the first frames
        before = game.screenshot("1-game")
        mean, deviation = image_mean_and_deviation(before)
        check(deviation > 0.1, "the game draws a textured scene (deviation %.3f)" % deviation)

        game.hold_key(window, "Up", 1.5)
        time.sleep(0.5)
        after = game.screenshot("2-walked")
        check(pixels_differing(before, after) > 10000, "walking forward changes the picture")

        game.end_with_escape(window)
        check(game.boxes() == [], "no message box (boxes: %s)" % game.boxes())


run_test(play)
