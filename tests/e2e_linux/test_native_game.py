# The playthrough of tests/e2e/test_playthrough.py with the native Linux
# program: the GTK start dialog (a window named Brakmoor) accepted with Return,
# then real X key and mouse events through SDL, the "GL" question on F1
# answered Yes, and Escape with exit code 0. Before it, a command line the
# program does not take ends at once with its usage and exit code 2.

import os
import subprocess

from e2e_lib import NativeGameRun, check, run_test
from test_playthrough import SEED, play


def test(args):
    wrong = subprocess.run([os.path.join(args.game_dir, "brakmoor"), "--play"], capture_output=True,
                           text=True)
    check(wrong.returncode == 2 and wrong.stderr.startswith("usage: brakmoor"),
          "a wrong command line gives its usage and exit code 2 (%d: %r)"
          % (wrong.returncode, wrong.stderr))
    with NativeGameRun(args, env={"BRAKMOOR_SEED": SEED, "BRAKMOOR_ANSWER_BOXES": "yes"}) as game:
        play(game)


run_test(test)
