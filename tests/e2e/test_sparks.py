"""Shot sparks in the real game: in a corridor with no enemy in it, a rifle
shot at the end wall marks the impact point; while the fire key stays down a
new burst of sparks flies from there in every frame. A picture taken during
the rapid fire shows them around the impact point; two seconds after the key
is released they are gone and the wall looks as before."""

import os
import shutil
import time

from e2e_lib import (E2EFailure, GameRun, check, game_folder_with, run,
                     run_test, window_geometry)
from enemy_places import parse_level, spawned_enemies


def level_text():
    # The corridor (column 1, rows 1 to 6) and, behind a solid column, a
    # long one where the enemies walk without ever seeing the player.
    rows = ["%s0%s" % ("1" if y <= 6 else "0", "1") for y in range(30, 0, -1)]
    return "X 3\nY 30\nP 1 1\nLevel\n" + "\n".join(rows) + "\n"


def seed_with_empty_corridor(level):
    for seed in range(1, 10000):
        if all(x != 1 for x, _, _ in spawned_enemies(seed, level)):
            return seed
    raise E2EFailure("no seed keeps the enemies out of the corridor")


def differing(path_a, path_b, box):
    x, y, width, height = box
    out = run(["convert", path_a, path_b, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
               "+repage", "-compose", "difference", "-composite", "-threshold", "4%",
               "-format", "%[fx:mean*w*h]", "info:"])
    return round(float(out))


def test(args):
    text = level_text()
    seed = seed_with_empty_corridor(parse_level(text))
    folder = game_folder_with(os.path.abspath(args.game_dir),
                              {"data/LEVEL/level1.dat": text}, "brakmoor-sparks-")
    try:
        with GameRun(args, name="sparks", game_dir=folder,
                     env={"BRAKMOOR_SEED": str(seed)}) as game:
            window = game.start_game(settle_seconds=2, skip_intro=True)
            geometry = window_geometry(window)
            width, height = geometry[2], geometry[3]
            # Around the middle of the end wall, eleven units ahead at eye height.
            around_impact = (int(width * 0.3), int(height * 0.3), int(width * 0.4), int(height * 0.35))
            before = game.shot_of(geometry, "before")
            game.key_down(window, "Control_R")
            try:
                time.sleep(1.0)
                during = [game.shot_of(geometry, "rapid-fire-%d" % i) for i in range(3)]
            finally:
                game.key_up(window, "Control_R")
            changed = max(differing(before, picture, around_impact) for picture in during)
            print("pixels changed around the impact point during rapid fire: %d" % changed)
            check(changed > 100, "sparks fly around the impact point during rapid fire")
            time.sleep(2.5)
            after = game.shot_of(geometry, "after")
            left = differing(before, after, around_impact)
            check(left < 10, "the sparks are gone two seconds after the key is released "
                  "(%d pixels differ)" % left)
            game.hold_key(window, "Escape", 1.0)
            check(game.wait_exit(60) == 0, "Escape ends the game with exit code 0")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    run_test(test)
