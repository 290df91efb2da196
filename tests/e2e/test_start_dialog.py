# The start dialog: it shows its title picture and its controls; 640x480
# and 16bpp give a 640 x 480 game window, which Escape in the intro brings
# before the movie's end; "&Beenden" (the dialog's cancel, as Escape is) ends
# the program with exit code 0 before any window of the game exists. (Return
# at the defaults gives 1024 x 768: test_playthrough.)
#
# The dialog has no caption, so it is found as the program's unnamed window
# of a plausible size (the X root and Wine's helper windows are unnamed too).
# Its controls are clicked at their places in dialog units, scaled by the
# dialog window's size (239 x 217 units).

import os
import struct
import time

from e2e_lib import (DEPTH_16, DIALOG_UNITS, QUIT_BUTTON, RESOLUTION_640, START_BUTTON, GameRun,
                     check, image_mean_and_deviation, run, run_test, search_windows,
                     window_geometry)

TITLE_PICTURE_HEIGHT = 95


def movie_seconds(args):
    with open(os.path.join(args.game_dir, "data", "avi", "intro.avi"), "rb") as movie:
        header = movie.read(4096)
    # The main AVI header "avih": its size, then microseconds per frame, max
    # bytes per second, padding, flags and the total of frames, shown 36 ms each.
    return struct.unpack_from("<I", header, header.index(b"avih") + 24)[0] * 0.036


def dominant_colour_share(path):
    # Share of the pixels that have the image's most common colour.
    out = run(["convert", path, "-format", "%c", "histogram:info:-"])
    counts = [int(line.split(":")[0]) for line in out.splitlines() if ":" in line]
    return max(counts) / sum(counts)


def check_dialog_picture(game, dialog):
    # The dialog has the proportions of its template, a title picture on
    # top and the flat dialog face with its controls below.
    x, y, width, height = window_geometry(dialog)
    ratio = (width / height) / (DIALOG_UNITS[0] / DIALOG_UNITS[1])
    check(0.9 < ratio < 1.1, "the dialog has its template's proportions (%dx%d)"
          % (width, height))
    game.screenshot("dialog", dialog)
    picture_height = round(TITLE_PICTURE_HEIGHT * height / DIALOG_UNITS[1])
    title = game.shot_of((x + 8, y + 8, width - 16, picture_height - 16), "dialog-title")
    controls = game.shot_of((x + 8, y + picture_height + 8, width - 16,
                             height - picture_height - 16), "dialog-controls")
    _, title_deviation = image_mean_and_deviation(title)
    title_share = dominant_colour_share(title)
    controls_share = dominant_colour_share(controls)
    check(title_deviation > 0.1 and title_share < 0.2,
          "the title picture fills the top (deviation %.3f, commonest colour %.0f%%)"
          % (title_deviation, 100 * title_share))
    check(controls_share > 0.6,
          "below it the plain dialog face with the controls (commonest colour %.0f%%)"
          % (100 * controls_share))


def test(args):
    with GameRun(args, name="start_dialog_640") as game:
        dialog = game.wait_dialog(120)
        check_dialog_picture(game, dialog)
        game.click_control(dialog, RESOLUTION_640)
        game.click_control(dialog, DEPTH_16)
        game.screenshot("dialog-640-16bpp", dialog)
        game.click_control(dialog, START_BUTTON)
        intro = game.wait_window("Brakmoor", timeout=120)
        shown = time.time()
        game.hold_key(intro, "Escape", 0.5)
        _, top, width, height = window_geometry(
            game.wait_window("Brakmoor", timeout=120, exclude=(intro,)))
        took = time.time() - shown
        check(took < movie_seconds(args), "Escape ended the intro before the movie's end (%.2f s)" % took)
        # A windowed game's client area sits below a title bar.
        check((width, height) == (640, 480) and top > 0, "640x480 and 16bpp give a windowed "
              "640 x 480 game (%dx%d at y %d)" % (width, height, top))

    with GameRun(args, name="start_dialog_quit") as game:
        game.click_control(game.wait_dialog(120), QUIT_BUTTON)
        game.until(lambda: game.process.poll() is not None or search_windows("Brakmoor"),
                   "the program's end")
        check(not search_windows("Brakmoor"), "no window of the game after &Beenden")
        check(game.wait_exit(1) == 0, "&Beenden ends with exit code 0")


if __name__ == "__main__":
    run_test(test)
