"""Weapons in the real game. In a test level the player stands at the foot
of a short corridor with one soldier standing in the line of fire, while the
other enemies start in a second corridor that a solid wall cuts off. Three
rifle shots kill the soldier: where its body stood, the picture shows the
corridor behind it. The AMMO number goes down with each shot, keys 2 and 1
change the weapon picture and the number, and the display, weapon and
crosshair are on the screen."""

import os
import shutil
import time

from e2e_lib import (E2EFailure, GameRun, check, game_folder_with, run,
                     run_test, window_geometry)
from enemy_places import parse_level, spawned_enemies

SOLDIER_ROW = 4  # six units ahead of the eye: each rifle hit costs 9 of 25


def level_text():
    rows = ["%s0%s" % ("1" if y <= 6 else "0", "1") for y in range(30, 0, -1)]
    return "X 3\nY 30\nP 1 1\nLevel\n" + "\n".join(rows) + "\n"


def seed_with_one_soldier(level):
    for seed in range(1, 200000):
        enemies = spawned_enemies(seed, level)
        in_reach = [e for e in enemies if e[0] == 1]
        if len(in_reach) == 1 and in_reach[0][1] == SOLDIER_ROW and in_reach[0][2] == 4:
            return seed, enemies
    raise E2EFailure("no seed puts a single standing soldier in the corridor")


def count_pixels(path, box, expression):
    """Pixels inside box (x, y, width, height) for which the ImageMagick
    expression is true."""
    x, y, width, height = box
    out = run(["convert", path, "-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage",
               "-fx", expression, "-format", "%[fx:mean*w*h]", "info:"])
    return round(float(out))


def differing(path_a, path_b, box):
    x, y, width, height = box
    out = run(["convert", path_a, path_b, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
               "+repage", "-compose", "difference", "-composite", "-threshold", "4%",
               "-format", "%[fx:mean*w*h]", "info:"])
    return round(float(out))


# The soldier's blue uniform; bricks, tiles, ceiling and fog are not blue.
UNIFORM = "b > r + 0.03 && b > g + 0.02 ? 1 : 0"
LIT = "r + g + b > 0.1 ? 1 : 0"


def fire_once(game, window):
    game.hold_key(window, "Control_R", 0.12)
    time.sleep(0.35)


def test(args):
    text = level_text()
    seed, enemies = seed_with_one_soldier(parse_level(text))
    print("seed %d: enemies start at %s" % (seed, enemies))
    folder = game_folder_with(os.path.abspath(args.game_dir),
                              {"data/LEVEL/level1.dat": text}, "brakmoor-weapons-")
    try:
        with GameRun(args, name="weapons", game_dir=folder,
                     env={"BRAKMOOR_SEED": str(seed)}) as game:
            window = game.start_game(settle_seconds=2, skip_intro=True)
            x, y, width, height = window_geometry(window)
            shot = lambda name: game.shot_of((x, y, width, height), name)
            # The body from the eye height down to the knees, in the middle.
            body = (int(width * 0.44), int(height * 0.47), int(width * 0.12), int(height * 0.09))
            # The numbers, 130 pixels from the right edge, 100 and 50 above the bottom.
            health = (width - 130, height - 132, 110, 34)
            ammo = (width - 130, height - 82, 110, 34)
            weapon = (int(width * 0.4), int(height * 0.8), int(width * 0.2), int(height * 0.2))
            crosshair = (width // 2 - 12, height // 2 - 12, 24, 24)

            before = shot("before")
            uniform_before = count_pixels(before, body, UNIFORM)
            check(uniform_before > 100, "the soldier stands in the corridor (%d uniform pixels)"
                  % uniform_before)
            check(count_pixels(before, crosshair, "g > r + 0.2 ? 1 : 0") > 5, "the crosshair shows")
            check(count_pixels(before, weapon, LIT) > 500, "the weapon picture shows")
            check(count_pixels(before, health, "g > 0.3 || r > 0.3 ? 1 : 0") > 30,
                  "the health number shows")

            for _ in range(3):
                fire_once(game, window)
            time.sleep(3)  # the fall takes about half a second
            after = shot("after-three-shots")
            uniform_after = count_pixels(after, body, UNIFORM)
            print("uniform pixels where the body stood: %d before, %d after three shots"
                  % (uniform_before, uniform_after))
            check(uniform_after < uniform_before // 5, "three rifle hits killed the soldier: "
                  "its body no longer stands there")
            check(differing(before, after, ammo) > 30, "the AMMO number went down")

            game.hold_key(window, "2", 0.2)
            time.sleep(0.5)
            laser = shot("laser")
            check(differing(after, laser, weapon) > 300, "key 2 shows the laser's picture")
            check(differing(after, laser, ammo) > 30, "key 2 shows the laser's shots")
            game.hold_key(window, "1", 0.2)
            time.sleep(0.5)
            rifle = shot("rifle-again")
            check(differing(after, rifle, weapon) < 100, "key 1 brings the rifle back")
            check(differing(after, rifle, ammo) < 10, "and its 27 shots")

            game.hold_key(window, "Escape", 1.0)
            check(game.wait_exit(60) == 0, "Escape ends the game with exit code 0")
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    run_test(test)
