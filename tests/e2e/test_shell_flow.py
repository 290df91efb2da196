"""Closing the intro window (as its title-bar button does) opens a new intro
window, and leaving that one ends the program with exit code 0 without a
game. (The way on from the intro to the game with Escape, the intro window
staying behind the game window, is in every run of test_playthrough.)"""

import time

from e2e_lib import GameRun, check, run, run_test, search_windows


def close_intro(intro):
    """The close request, or Alt+F4 when the request does not reach Wine."""
    run(["xdotool", "windowclose", intro], check_result=False)
    deadline = time.time() + 3
    while time.time() < deadline:
        if intro not in search_windows("Brakmoor"):
            return "close request"
        time.sleep(0.1)
    run(["xdotool", "key", "--window", intro, "alt+F4"])
    return "Alt+F4"


def test(args):
    with GameRun(args, name="shell_flow_close") as game:
        game.enter_dialog(120)
        intro = game.wait_window("Brakmoor", timeout=120)
        check(search_windows("Brakmoor") == [intro], "one intro window after the dialog")
        print("intro closed by", close_intro(intro))
        second = game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
        check(search_windows("Brakmoor") == [second],
              "closing opens a new intro window, and no game window")
        time.sleep(1)
        game.screenshot("1-new-intro")
        # Leaving the new intro (Escape, or the movie's end if it comes
        # first) ends the program: closing the first one cancelled the game.
        game.key(second, "Escape", "keydown", must=False)
        deadline = time.time() + 60
        others = []
        while game.process.poll() is None and time.time() < deadline and not others:
            others = [w for w in search_windows("Brakmoor") if w != second]
            time.sleep(0.2)
        check(not others, "no game window opens after the intro was closed")
        code = game.wait_exit(5)
        check(code == 0, "the program ends with exit code 0 without a game (got %s)" % code)


if __name__ == "__main__":
    run_test(test)
