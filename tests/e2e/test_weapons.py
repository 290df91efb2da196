"""Weapons in the real game. In a test level the player stands at the foot
of a short corridor with one soldier standing in the line of fire, while the
other enemies start in a second corridor that a solid wall cuts off. Three
rifle shots kill the soldier: where its body stood, the picture shows the
corridor behind it. The AMMO number goes down with each shot, keys 2 and 1
change the weapon picture and the number, and the display, weapon and
crosshair are on the screen."""

import time

from e2e_lib import (check, count_pixels, differing_in,
                     run_on_level, run_test, window_geometry)
from enemy_places import (corridor_beside_enemy_hall, first_seed, parse_level,
                          spawned_enemies)

SOLDIER_ROW = 4  # six units ahead of the eye: each rifle hit costs 9 of 25


def one_soldier_ahead(enemies):
    in_reach = [e for e in enemies if e[0] == 1]
    return len(in_reach) == 1 and in_reach[0][1] == SOLDIER_ROW and in_reach[0][2] == 4


# The soldier's blue uniform; bricks, tiles, ceiling and fog are not blue.
UNIFORM = "b > r + 0.03 && b > g + 0.02 ? 1 : 0"
LIT = "r + g + b > 0.1 ? 1 : 0"


def fire_once(game, window):
    game.hold_key(window, "Control_R", 0.12)
    time.sleep(0.35)


def test(args):
    text = corridor_beside_enemy_hall()
    level = parse_level(text)
    seed = first_seed(level, one_soldier_ahead, "puts one standing soldier in the corridor")
    print("seed %d: enemies start at %s" % (seed, spawned_enemies(seed, level)))
    with run_on_level(args, "weapons", text, seed) as game:
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
        check(differing_in(before, after, ammo) > 30, "the AMMO number went down")

        game.hold_key(window, "2", 0.2)
        time.sleep(0.5)
        laser = shot("laser")
        check(differing_in(after, laser, weapon) > 300, "key 2 shows the laser's picture")
        check(differing_in(after, laser, ammo) > 30, "key 2 shows the laser's shots")
        game.hold_key(window, "1", 0.2)
        time.sleep(0.5)
        rifle = shot("rifle-again")
        check(differing_in(after, rifle, weapon) < 100, "key 1 brings the rifle back")
        check(differing_in(after, rifle, ammo) < 10, "and its 27 shots")

        game.end_with_escape(window)


if __name__ == "__main__":
    run_test(test)
