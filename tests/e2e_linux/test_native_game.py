"""The native Linux program as a player starts it: the GTK start dialog
(a window named Brakmoor) accepted with Return at its defaults (1024x768),
the intro ended with Escape, then the game: a walk forward, a turn with the
mouse, a shot at the wall that lowers the ammunition number, each drawing
switch (B, W, S, F, H, D) on and off, F1 there and back (the screen has no
1024x768 mode: the "GL" question is answered Yes and the game stays in a
window) and Escape with exit code 0."""

import os
import time

from e2e_lib import (NativeGameRun, check, differing_in, image_mean_and_deviation,
                     pixels_differing, run, run_test, window_geometry)
from enemy_places import all_far_from_start, first_seed, read_level

SWITCHES = ["b", "w", "s", "f", "h", "d"]
GL_QUESTION = "GL: "


def ammunition_box(geometry):
    """Where the HUD writes the ammunition number (x, y, width, height): the
    bottom right corner, below the health number."""
    return (geometry[2] - 140, geometry[3] - 90, 140, 90)


def play(args):
    level = read_level(os.path.join(args.game_dir, "data", "LEVEL", "level1.dat"))
    seed = first_seed(level, all_far_from_start(level), "starts every enemy far away")
    with NativeGameRun(args, env={"BRAKMOOR_SEED": str(seed),
                                  "BRAKMOOR_ANSWER_BOXES": "yes"}) as game:
        window = game.start_game(skip_intro=True)
        check(game.dialog is not None, "the start dialog came up as a window named Brakmoor")
        geometry = window_geometry(window)
        check(geometry[2:] == (1024, 768), "Return took the default size 1024x768 (%s)"
              % (geometry[2:],))
        start = game.shot_of(geometry, "1-start")
        mean, deviation = image_mean_and_deviation(start)
        check(deviation > 0.1, "the game draws a textured scene (deviation %.3f)" % deviation)

        game.hold_key(window, "Up", 1.0)
        time.sleep(0.5)
        walked = game.shot_of(geometry, "2-walked")
        check(pixels_differing(start, walked) > 10000, "walking forward changes the picture")
        # The game turns by the pointer's distance from (320, 240) each frame.
        run(["xdotool", "mousemove", "420", "240"])
        time.sleep(0.5)
        turned = game.shot_of(geometry, "3-turned")
        check(pixels_differing(walked, turned) > 10000, "the mouse turns the view")

        game.hold_key(window, "Control_R", 0.12)
        time.sleep(1.5)  # the sparks die away
        fired = game.shot_of(geometry, "4-fired")
        check(differing_in(turned, fired, ammunition_box(geometry)) > 20,
              "a shot at the wall lowers the ammunition number")

        for key in SWITCHES:
            game.hold_key(window, key, 0.15)
            time.sleep(0.5)
            switched = game.shot_of(geometry, "5-switch-%s" % key)
            check(pixels_differing(fired, switched) > 50,
                  "key %s changes the picture" % key.upper())
            game.hold_key(window, key, 0.15)
            time.sleep(0.3)

        for turn in ("there", "back"):
            window = game.switch_full_screen(window)
            geometry = window_geometry(window)
            shot = game.shot_of(geometry, "6-f1-%s" % turn)
            check(geometry[2:] == (1024, 768) and image_mean_and_deviation(shot)[1] > 0.05,
                  "after F1 %s the maze is drawn in a 1024x768 window" % turn)
        questions = [box for box in game.boxes() if box.startswith(GL_QUESTION)]
        check(len(questions) == 1 and questions == game.boxes(),
              "the one box is the GL question on the way to full screen (boxes: %s)"
              % game.boxes())
        game.end_with_escape(window)


run_test(play)
