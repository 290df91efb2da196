"""A short scripted visit of the game on a private display: accept the start
dialog, Escape through the intro, walk a few seconds, Escape. Prints the
paths of the screenshots it saves."""
import time

from e2e_lib import GameRun, run_test


def visit(args):
    with GameRun(args, name="visit") as game:
        dialog = game.wait_dialog()
        time.sleep(1)
        game.screenshot("1-start-dialog")
        game.key(dialog, "Return")
        intro = game.wait_window("Brakmoor")
        time.sleep(2)
        game.screenshot("2-intro")
        game.key(intro, "Escape")
        window = game.wait_window("Brakmoor", exclude=(intro,))
        time.sleep(2)
        game.screenshot("3-game")
        game.hold_key(window, "Up", 3)
        game.screenshot("4-walked")
        game.hold_key(window, "Left", 1)
        game.screenshot("5-stepped-left")
        # The game polls the keyboard state once a frame: hold the key long
        # enough to be seen.
        game.hold_key(window, "Escape", 1.0)
        print("exit code:", game.wait_exit(60))


run_test(visit)
