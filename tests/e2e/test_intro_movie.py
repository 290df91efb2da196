"""The intro movie: the intro window shows the movie's changing frames and
the movie ends the intro by itself after its frames at 36 ms each. (Escape
during the intro: test_start_dialog; a missing movie: test_broken_data.)"""

import os
import struct
import time

from e2e_lib import GameRun, check, image_mean_and_deviation, pixels_differing, run_test


def movie_seconds(args):
    with open(os.path.join(args.game_dir, "data", "avi", "intro.avi"), "rb") as movie:
        header = movie.read(4096)
    # The main AVI header "avih": its size, then microseconds per frame, max
    # bytes per second, padding, flags and the total of frames, shown 36 ms each.
    frames = struct.unpack_from("<I", header, header.index(b"avih") + 24)[0]
    check(frames * 0.036 > 3, "the movie has %d frames (%.2f s)" % (frames, frames * 0.036))
    return frames * 0.036


def test(args):
    seconds = movie_seconds(args)
    with GameRun(args, name="intro_plays_and_ends") as game:
        game.enter_dialog(120)
        intro = game.wait_window("Brakmoor", timeout=120)
        shown = time.time()
        time.sleep(1)
        first = game.shot_of_window(intro, "intro-1")
        time.sleep(1)
        second = game.shot_of_window(intro, "intro-2")
        mean, _ = image_mean_and_deviation(second)
        check(mean > 0.05, "the intro picture is not black (mean %.3f)" % mean)
        changed = pixels_differing(first, second)
        check(changed > 1000, "the movie moves: %d pixels changed in a second" % changed)
        game.wait_window("Brakmoor", timeout=seconds + 60, exclude=(intro,))
        took = time.time() - shown
        print("the game window came %.2f s after the intro window" % took)
        check(took >= seconds - 0.5,
              "the intro ran its %.2f s before the game (%.2f s)" % (seconds, took))
        check(took <= seconds + 15,
              "without a key the intro ended by itself (%.2f s)" % took)
        game.screenshot("game")


if __name__ == "__main__":
    run_test(test)
