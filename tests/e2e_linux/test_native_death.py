"""The player's death ends the native program by itself with exit code 0:
the playthrough's short corridor, where the enemies start around the player
and shoot."""

from e2e_lib import NativeGameRun, check, run_on_level, run_test
from test_playthrough import CORRIDOR, play_until_death


def die(args):
    with run_on_level(args, "native_death", CORRIDOR, kind=NativeGameRun,
                      env={"BRAKMOOR_DIALOG_CHOICE": "640x480x32"}) as game:
        play_until_death(game)
        check(game.boxes() == [], "no message box (boxes: %s)" % game.boxes())


run_test(die)
