"""The player's death ends the native program by itself with exit code 0:
a short corridor where the enemies start around the player and shoot."""

import time

from e2e_lib import E2EFailure, NativeGameRun, check, run_on_level, run_test
from test_playthrough import CORRIDOR


def die(args):
    with run_on_level(args, "native_death", CORRIDOR, kind=NativeGameRun,
                      env={"BRAKMOOR_DIALOG_CHOICE": "640x480x32"}) as game:
        window = game.start_game(settle_seconds=0.5, skip_intro=True)
        started = time.time()
        try:
            game.hold_key(window, "Control_R", 0.12)
        except E2EFailure:
            pass  # the player may already be dead and the window gone
        code = game.wait_exit(120)
        print("the player died %.1f s after the game started" % (time.time() - started))
        check(code == 0, "the player's death ends the game with exit code 0 (got %s)" % code)
        check(game.boxes() == [], "no message box (boxes: %s)" % game.boxes())


run_test(die)
