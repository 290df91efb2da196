# The playthrough of tests/e2e/test_playthrough.py with the native Linux
# program: the GTK start dialog (a window named Brakmoor) accepted with Return,
# then real X key and mouse events through SDL, the "GL" question on F1
# answered Yes, and Escape with exit code 0.

from e2e_lib import NativeGameRun, run_test
from test_playthrough import SEED, play


def test(args):
    with NativeGameRun(args, env={"BRAKMOOR_SEED": SEED, "BRAKMOOR_ANSWER_BOXES": "yes"}) as game:
        play(game)


run_test(test)
