"""Walking the maze: the game shows the textured, fogged maze, holding Up
moves the view, and walking straight into a wall stops there. Escape ends
the game with exit code 0.

The walking bob goes on while the player stands blocked, so two pictures of
a blocked player may differ by the eye height. The bob repeats itself every
37 passes, so a blocked player shows the very same picture again a little
later, while a walking player never does: seeing one identical picture twice
while Up is held all the time proves that the player no longer moves. Only
the middle of the view is compared: the wall right ahead fills it, while
enemies may walk and the health number change elsewhere. A fixed seed starts
every enemy far from the player.
"""

import os
import time

from enemy_places import all_far_from_start, first_seed, read_level
from e2e_lib import (E2EFailure, GameRun, check, image_mean_and_deviation,
                     pixels_differing, run, run_test, window_geometry)

# Longest time the walk to the first wall may take (it is about 10 units,
# a hundred frame passes, at any frame rate the test machine manages).
WALK_TIMEOUT = 150
FIRST_WALK_SECONDS = 0.5


def pixel_hash(path):
    """Digest of the middle third of a picture."""
    return run(["convert", path, "-gravity", "center", "-crop", "33%x33%+0+0", "+repage",
                "-format", "%#", "info:"]).strip()


def seed_with_enemies_far(args):
    level = read_level(os.path.join(args.game_dir, "data", "LEVEL", "level1.dat"))
    return first_seed(level, all_far_from_start(level), "starts every enemy far away")


def walk_until_blocked(game, window, geometry):
    """Holds Up and photographs the view until a picture comes back after
    the view had changed in between (a frozen or undrawn window, or one
    frame caught twice, proves nothing). Returns the two pictures' paths and
    the number of pictures taken."""
    digests = []
    paths = []
    game.key_down(window, "Up")
    try:
        deadline = time.time() + WALK_TIMEOUT
        while time.time() < deadline:
            path = game.shot_of(geometry, "walking-%03d" % len(paths))
            digest = pixel_hash(path)
            if digest in digests:
                first = digests.index(digest)
                if any(d != digest for d in digests[first + 1:]):
                    return path, paths[first], len(paths) + 1
            digests.append(digest)
            paths.append(path)
        raise E2EFailure("holding Up for %d s never brought a picture back: "
                         "the player kept moving (or the view never changed)"
                         % WALK_TIMEOUT)
    finally:
        game.key_up(window, "Up")


def test(args):
    with GameRun(args, env={"BRAKMOOR_SEED": str(seed_with_enemies_far(args))}) as game:
        window = game.start_game()
        geometry = window_geometry(window)
        before = game.shot_of(geometry, "before")
        mean, deviation = image_mean_and_deviation(before)
        check(mean > 0.05, "the maze is not black (mean %.3f)" % mean)
        check(deviation > 0.05, "the maze is not one flat colour (deviation %.3f)" % deviation)

        # Short enough that even at the loop's cap of 100 passes a second
        # (5 units) the player is still well short of the first wall, so the
        # blocked view below must lie further on.
        game.hold_key(window, "Up", FIRST_WALK_SECONDS)
        time.sleep(0.5)
        after = game.shot_of(geometry, "after-walking")
        changed = pixels_differing(before, after)
        area = geometry[2] * geometry[3]
        check(changed > area // 20,
              "holding Up for %.1f s changed the view (%d of %d pixels)"
              % (FIRST_WALK_SECONDS, changed, area))

        repeated, first, count = walk_until_blocked(game, window, geometry)
        print("while Up stayed down, %s showed %s again after %d pictures: "
              "the wall stopped the player" % (os.path.basename(repeated),
                                               os.path.basename(first), count))
        mean, deviation = image_mean_and_deviation(repeated)
        check(deviation > 0.05, "the blocked view still shows the textured wall "
              "(deviation %.3f)" % deviation)
        check(pixels_differing(after, repeated) > area // 20,
              "the blocked view is not the view after the first walk")

        game.hold_key(window, "Escape", 1.0)
        code = game.wait_exit(60)
        check(code == 0, "Escape ends the game with exit code 0 (got %s)" % code)


if __name__ == "__main__":
    run_test(test)
