# One whole game of the Windows program under Wine as a player plays it:
# the start dialog accepted with Return at its defaults (1024x768), the intro
# movie's changing frames, Escape to end the intro, a walk forward, a turn
# with the mouse, a shot that lowers the ammunition number (and is heard),
# F1 there and back (the display has no 1024x768 mode: the "GL" question is
# answered Yes and the game stays in a window) and Escape with exit code 0.
# What the game makes of its keys (every switch, both weapons, enemies, the
# player's death) is proved by the demos in tests/demos; this run proves that
# the real window, movie, keys, mouse, sound and mode switch reach the game.
# (An intro that runs out ends by itself: the broken-data movie rows.)
# test_native_game plays the same with the native program.

import os
import re
import time

from e2e_lib import (GameRun, check, image_mean_and_deviation, pixels_differing, run, run_test,
                     window_geometry)

# Seed 1 starts every enemy 14 or more cells from the player in the shipped
# level (the walk and switch demos use it too): nobody walks into the pictures.
SEED = "1"


def play(game):
    game.enter_dialog(timeout=120)
    check(game.dialog is not None, "the start dialog came up")
    intro = game.wait_window("Brakmoor", timeout=120)
    time.sleep(1)
    first = game.shot_of_window(intro, "0-intro-1")
    time.sleep(1)
    second = game.shot_of_window(intro, "0-intro-2")
    check(image_mean_and_deviation(second)[0] > 0.05 and pixels_differing(first, second) > 1000,
          "the intro shows the movie, moving")
    window = game.start_game(skip_intro=True)
    geometry = window_geometry(window)
    check(geometry[2:] == (1024, 768), "Return took the default size 1024x768 (%s)" % (geometry[2:],))
    start = game.shot_of(geometry, "1-start")
    check(image_mean_and_deviation(start)[1] > 0.1, "the game draws a textured scene")

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
    # The HUD writes the ammunition number in the bottom right corner.
    ammunition = (geometry[2] - 140, geometry[3] - 90, 140, 90)
    check(pixels_differing(turned, fired, 4, ammunition) > 20, "a shot lowers the ammunition number")


    for turn in ("there", "back"):
        window = game.switch_full_screen(window)
        geometry = window_geometry(window)
        shot = game.shot_of(geometry, "6-f1-%s" % turn)
        check(geometry[2:] == (1024, 768) and image_mean_and_deviation(shot)[1] > 0.05,
              "after F1 %s the maze is drawn in a 1024x768 window" % turn)
    game.end_with_escape(window, expected_boxes=("GL",))
    boxes = game.boxes() if game.native else re.findall(r'trace:msgbox:\w+ L"([^"]*)"',
                                                        game.log_text())
    check(len(boxes) == 1 and "Use Windowed Mode Instead?" in boxes[0],
          "the one box was the GL question on the way to full screen (%s)" % boxes)


def test(args):
    # The run is recorded as a demo too: the Windows program takes its demo
    # from the environment (playback itself is the same code natively).
    run = GameRun(args, env={"BRAKMOOR_SEED": SEED, "WINEDEBUG": "-all,+msgbox,trace+winmm"})
    demo = os.path.join(run.artifacts, "playthrough.dem")
    run.env["BRAKMOOR_RECORD"] = "Z:" + demo
    with run as game:
        play(game)
        check("m16.wav" in game.log_text(), "the rifle's shot was played through winmm")
        check(re.search(r"Recorded \d+ frames into ", game.log_text()) and os.path.getsize(demo) > 1000,
              "BRAKMOOR_RECORD recorded the game as a demo")


if __name__ == "__main__":
    run_test(test)
