"""A wall picture seen from eleven units: the game runs on a copy of the data
tree whose level is a straight corridor with a W picture on its end wall,
eleven units ahead of the start. The first view, straight down the corridor,
must show the picture where it hangs, not the bricks behind it: the picture
stands only 0.001 in front of the wall, which a coarse depth buffer cannot
tell apart at that distance.

Pixels are judged by colour: the picture's region of the screenshot must be
nearer the picture texture's mean colour than the wall texture's, and a patch
of bare wall beside it the other way round, both as the game's material and
grey fog turn them.
"""

import math
import os
import shutil

from e2e_lib import (GameRun, check, game_folder_with, run, run_test,
                     window_geometry)
from enemy_places import first_seed, none_in_column, parse_level

# A corridor of six style-1 cells, x = 1, from the start (1, 1) toward the
# Top; the picture hangs on the Top wall of (1, 6), eleven units from the
# start's centre. Enemies stand on random open cells: the wide field of value
# 3 cells (no geometry) behind the corridor's solid neighbours keeps them out
# of sight, and a fixed seed that starts none of them in the corridor keeps
# them out of it.
SIZE = 200
CORRIDOR_LENGTH = 6


def level_text():
    rows = []
    for y in range(SIZE, 0, -1):  # the first grid line is the top row
        first = "1" if y <= CORRIDOR_LENGTH else "0"
        rows.append(first + "0" + "3" * (SIZE - 2))
    return ("# A corridor with a picture on its end wall.\nX %d\nY %d\nP 1 1\nLevel\n"
            "%s\nW 1 %d O\n" % (SIZE, SIZE, "\n".join(rows), CORRIDOR_LENGTH))


DISTANCE = 11.0 - 0.001  # from the eye to the picture plane
EYE_HEIGHT = 0.8
PICTURE_CENTRE_HEIGHT = 1.0
PICTURE_SIZE = 1.0
# The game window's projection: 45 degrees vertically, the window's aspect.
# The 47 degrees at aspect 1.26 that loading the enemy figure sets scale a
# 1024 x 768 view by under 5 percent, well inside the judged middle.
FIELD_OF_VIEW = 45.0
# Linear fog from 8 to 15 towards grey 0.5, over the surface material 0.75.
FOG_START, FOG_END, FOG_GREY, MATERIAL = 8.0, 15.0, 0.5, 0.75
# The middle of the picture (and the same share of its texture) is judged,
# away from its edges and from small differences in the projection.
INNER = 0.6

WALL_TEXTURE = "brick06b.bmp"
PICTURE_TEXTURE = "windows-logo.bmp"


def mean_colour(path, crop=None):
    """Mean (r, g, b) of a picture, or of its part (x, y, width, height)."""
    command = ["convert", path]
    if crop is not None:
        x, y, width, height = crop
        command += ["-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage"]
    out = run(command + ["-format", "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]", "info:"])
    return tuple(float(value) for value in out.split())


def texture_centre_mean(path, share):
    width, height = map(int, run(["identify", "-format", "%w %h", path]).split())
    inner_w, inner_h = round(width * share), round(height * share)
    return mean_colour(path, ((width - inner_w) // 2, (height - inner_h) // 2,
                              inner_w, inner_h))


def as_seen(texture_mean):
    """A texture colour as the game shows it at the picture's distance."""
    fog = min(1.0, max(0.0, (FOG_END - DISTANCE) / (FOG_END - FOG_START)))
    return tuple(fog * MATERIAL * c + (1.0 - fog) * FOG_GREY for c in texture_mean)


def distance(a, b):
    return math.sqrt(sum((x - y) ** 2 for x, y in zip(a, b)))


def screen_box(width, height, centre_x, centre_y, size):
    """The screen rectangle (x, y, width, height) of a square of `size` units on the
    end wall centred at (centre_x, centre_y) units from the eye's line."""
    pixels_per_unit = (height / 2) / (math.tan(math.radians(FIELD_OF_VIEW / 2)) * DISTANCE)
    side = round(size * pixels_per_unit)
    x = round(width / 2 + centre_x * pixels_per_unit - side / 2)
    y = round(height / 2 - centre_y * pixels_per_unit - side / 2)
    return (x, y, side, side)


def test(args):
    bmp = os.path.join(args.game_dir, "data", "BMP")
    picture_colour = as_seen(texture_centre_mean(os.path.join(bmp, PICTURE_TEXTURE), INNER))
    wall_colour = as_seen(mean_colour(os.path.join(bmp, WALL_TEXTURE)))
    print("expected colours at %.1f units: picture %s, wall %s"
          % (DISTANCE, picture_colour, wall_colour))

    text = level_text()
    seed = first_seed(parse_level(text), none_in_column(1), "keeps the corridor empty", 10000)
    folder = game_folder_with(os.path.abspath(args.game_dir),
                              {"data/LEVEL/level1.dat": text}, "brakmoor-picture-")
    try:
        with GameRun(args, game_dir=folder, env={"BRAKMOOR_SEED": str(seed)}) as game:
            window = game.start_game()
            geometry = window_geometry(window)
            shot = game.shot_of(geometry, "corridor")
            width, height = geometry[2], geometry[3]
            above_eye = PICTURE_CENTRE_HEIGHT - EYE_HEIGHT
            picture_box = screen_box(width, height, 0.0, above_eye, PICTURE_SIZE * INNER)
            # Bare wall left of the picture: x from 0.1 to 0.4 in its cell.
            wall_box = screen_box(width, height, -0.75, above_eye, 0.3)
            seen_picture = mean_colour(shot, picture_box)
            seen_wall = mean_colour(shot, wall_box)
            print("picture region %s: %s; wall region %s: %s"
                  % (picture_box, seen_picture, wall_box, seen_wall))
            game.crop(shot, picture_box, "picture-region")
            check(distance(seen_picture, picture_colour) < distance(seen_picture, wall_colour),
                  "the picture's region shows the picture (%.3f from its colour, "
                  "%.3f from the wall's)" % (distance(seen_picture, picture_colour),
                                             distance(seen_picture, wall_colour)))
            check(distance(seen_wall, wall_colour) < distance(seen_wall, picture_colour),
                  "the wall beside it shows the wall (%.3f from its colour, "
                  "%.3f from the picture's)" % (distance(seen_wall, wall_colour),
                                                distance(seen_wall, picture_colour)))
            game.hold_key(window, "Escape", 1.0)
            code = game.wait_exit(60)
            check(code == 0, "Escape ends the game with exit code 0 (got %s)" % code)
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    run_test(test)
