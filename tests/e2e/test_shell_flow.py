"""The run sequence as a player meets it: the intro window appears after the
start dialog, Escape leads to the game window titled "Brakmoor" and Escape
there ends the program with exit code 0. Closing the intro window opens a new
intro window, and leaving that one ends the program without a game."""

import time

from e2e_lib import (START_BUTTON, E2EFailure, GameRun, check, run, run_test, search_windows,
                     window_name)
# The start dialog has no caption; its own test knows how to find it.


def start_from_the_dialog(game):
    game.click_control(game.wait_dialog(120), START_BUTTON)


def close_intro(game, intro):
    """Closes the intro window the way the title-bar button does; Alt+F4
    when the window manager request does not reach Wine."""
    game.close_window(intro)
    deadline = time.time() + 3
    while time.time() < deadline:
        if intro not in search_windows("Brakmoor"):
            return "close request"
        time.sleep(0.1)
    run(["xdotool", "key", "--window", intro, "alt+F4"])
    return "Alt+F4"


def escape_to_the_game(args):
    with GameRun(args, name="shell_flow_escape") as game:
        start_from_the_dialog(game)
        intro = game.wait_window("Brakmoor", timeout=120)
        check(len(search_windows("Brakmoor")) == 1, "one intro window after the dialog")
        time.sleep(1)  # the first frames
        game.screenshot("1-intro")

        game.hold_key(intro, "Escape", 0.5)
        window = game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
        check(window_name(window) == "Brakmoor", "the game window is titled Brakmoor")
        time.sleep(2)
        game.screenshot("2-game")
        check(intro in search_windows("Brakmoor"),
              "the intro window stays behind the game window")

        game.hold_key(window, "Escape", 1.0)
        code = game.wait_exit(60)
        game.screenshot("3-after-exit")
        check(code == 0, "Escape in the game ends the program with exit code 0 (got %s)"
              % code)


def close_the_intro(args):
    with GameRun(args, name="shell_flow_close") as game:
        start_from_the_dialog(game)
        intro = game.wait_window("Brakmoor", timeout=120)
        how = close_intro(game, intro)
        print("intro closed by", how)
        second = game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
        check(intro not in search_windows("Brakmoor"), "the closed intro window is gone")
        check(search_windows("Brakmoor") == [second],
              "closing opens a new intro window, and no game window")
        time.sleep(1)
        game.screenshot("1-new-intro")

        # Leaving the new intro (Escape, or the movie's end if it comes
        # first) ends the program: closing the first one cancelled the game.
        try:
            game.key_down(second, "Escape")
        except E2EFailure:
            pass  # the intro may already have ended with its movie
        deadline = time.time() + 60
        others = []
        while game.process.poll() is None and time.time() < deadline and not others:
            others = [w for w in search_windows("Brakmoor") if w != second]
            time.sleep(0.2)
        check(not others, "no game window opens after the intro was closed")
        code = game.wait_exit(5)
        check(code == 0, "the program ends with exit code 0 without a game (got %s)" % code)


def test(args):
    escape_to_the_game(args)
    close_the_intro(args)


if __name__ == "__main__":
    run_test(test)
