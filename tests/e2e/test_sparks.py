"""Shot sparks in the real game: in a corridor with no enemy in it, a rifle
shot at the end wall marks the impact point; while the fire key stays down a
new burst of sparks flies from there in every frame. A picture taken during
the rapid fire shows them around the impact point; two seconds after the key
is released they are gone and the wall looks as before."""

import time

from e2e_lib import (check, differing_in, run_on_level, run_test,
                     window_geometry)
from enemy_places import corridor_beside_enemy_hall, first_seed, none_in_column, parse_level


def test(args):
    text = corridor_beside_enemy_hall()
    seed = first_seed(parse_level(text), none_in_column(1), "keeps the corridor empty")
    with run_on_level(args, "sparks", text, seed) as game:
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
        changed = max(differing_in(before, picture, around_impact) for picture in during)
        print("pixels changed around the impact point during rapid fire: %d" % changed)
        check(changed > 100, "sparks fly around the impact point during rapid fire")
        time.sleep(2.5)
        after = game.shot_of(geometry, "after")
        left = differing_in(before, after, around_impact)
        check(left < 10, "the sparks are gone two seconds after the key is released "
              "(%d pixels differ)" % left)
        game.end_with_escape(window)


if __name__ == "__main__":
    run_test(test)
