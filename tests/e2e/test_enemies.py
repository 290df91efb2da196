"""Enemies in the real game. With a fixed seed the enemies' places are known
in advance (the seed goes through BRAKMOOR_SEED; the game's generator is
replayed here): in the shipped level a soldier standing in the corridor ahead
of the start shows in the picture exactly where a run without any enemy near
shows bare maze. (The player's death is the second run of the playthrough
test.)"""

import os

from e2e_lib import E2EFailure, GameRun, check, differing_in, run_test, window_geometry
from enemy_places import far_from, read_level, spawned_enemies


def find_seeds(level):
    """A seed that puts one standing soldier in the open corridor straight
    ahead of the start (the view looks toward growing y) and every other
    enemy far away, and a seed that puts every enemy far away."""
    start, open_cells = level[2], level[3]
    ahead = []
    for steps in range(1, 6):
        cell = (start[0], start[1] + steps)
        if cell not in open_cells:
            break
        ahead.append(cell)
    with_soldier = without = None
    for seed in range(1, 200000):
        enemies = spawned_enemies(seed, level)
        far = [far_from(e, start, 14) for e in enemies]
        standing = [(e[0], e[1]) in ahead[2:] and e[2] == 4 for e in enemies]
        if without is None and all(far):
            without = seed
        if with_soldier is None and sum(standing) == 1 and \
                all(f or s for f, s in zip(far, standing)):
            with_soldier = seed
        if with_soldier and without:
            return with_soldier, without, enemies
    raise E2EFailure("no seeds found for the shipped level")


def view_of_seed(args, seed, name):
    with GameRun(args, name=name, env={"BRAKMOOR_SEED": str(seed)}) as game:
        window = game.start_game(settle_seconds=4, skip_intro=True)
        geometry = window_geometry(window)
        picture = game.shot_of(geometry, "view")
        game.hold_key(window, "Escape", 1.0)
        check(game.wait_exit(60) == 0, "Escape ends the game with exit code 0")
        return picture, geometry


def soldier_in_the_shipped_level(args):
    level = read_level(os.path.join(args.game_dir, "data", "LEVEL", "level1.dat"))
    with_soldier, without, enemies = find_seeds(level)
    print("seed %d puts a standing soldier ahead (%s); seed %d keeps all away"
          % (with_soldier, enemies, without))
    soldier, geometry = view_of_seed(args, with_soldier, "enemies_soldier_ahead")
    empty, _ = view_of_seed(args, without, "enemies_none_near")
    width, height = geometry[2], geometry[3]
    # The soldier stands on the floor in the middle of the view: from the eye
    # height (the middle row) down, a narrow band of columns.
    figure_box = (int(width * 0.4), int(height * 0.45), int(width * 0.2), int(height * 0.3))
    in_figure = differing_in(soldier, empty, figure_box)
    # Above the middle nothing changes (the soldier is no taller than the eye).
    above_box = (0, 0, width, int(height * 0.45))
    above = differing_in(soldier, empty, above_box)
    print("differing pixels: %d where the soldier stands, %d above the eye" % (in_figure, above))
    check(in_figure > 150, "the soldier shows where it stands (%d pixels differ)" % in_figure)
    check(above < in_figure // 10, "the pictures agree above the eye height (%d pixels)" % above)


def test(args):
    soldier_in_the_shipped_level(args)


if __name__ == "__main__":
    run_test(test)
