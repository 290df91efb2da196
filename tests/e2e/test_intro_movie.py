"""The intro movie: the intro window shows the movie's changing frames, the
movie ends the intro by itself after its frames at 36 ms each, and Escape
during the intro starts the game at once. Without the movie file the
program says so and the game still starts after a short black intro."""

import os
import shutil
import struct
import time

from e2e_lib import (E2EFailure, GameRun, check, game_folder_with,
                     image_mean_and_deviation, pixels_differing, run, run_test,
                     window_geometry)

MILLISECONDS_PER_FRAME = 36


def movie_frame_count(game_dir):
    """Total frames from the main AVI header of data/avi/intro.avi."""
    path = os.path.join(game_dir, "data", "avi", "intro.avi")
    with open(path, "rb") as movie:
        data = movie.read(4096)
    at = data.find(b"avih")
    if data[:4] != b"RIFF" or at < 0:
        raise E2EFailure("%s is not an AVI file" % path)
    # avih: size, then microseconds per frame, max bytes per second,
    # padding, flags, total frames.
    return struct.unpack_from("<I", data, at + 8 + 16)[0]


def accept_dialog(game):
    game.key(game.wait_dialog(120), "Return")


def test(args):
    frames = movie_frame_count(args.game_dir)
    movie_seconds = frames * MILLISECONDS_PER_FRAME / 1000.0
    check(movie_seconds > 3, "the movie has %d frames (%.2f s)" % (frames, movie_seconds))

    with GameRun(args, name="intro_plays_and_ends") as game:
        accept_dialog(game)
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
        window = game.wait_window("Brakmoor", timeout=movie_seconds + 60,
                                  exclude=(intro,))
        took = time.time() - shown
        print("the game window came %.2f s after the intro window" % took)
        check(took >= movie_seconds - 0.5,
              "the intro ran its %.2f s before the game (%.2f s)" % (movie_seconds, took))
        check(took <= movie_seconds + 15,
              "without a key the intro ended by itself (%.2f s)" % took)
        game.screenshot("game")

    with GameRun(args, name="intro_escape") as game:
        accept_dialog(game)
        intro = game.wait_window("Brakmoor", timeout=120)
        shown = time.time()
        time.sleep(1)
        game.hold_key(intro, "Escape", 0.5)
        game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
        took = time.time() - shown
        print("with Escape the game window came %.2f s after the intro window" % took)
        check(took < movie_seconds, "Escape ended the intro before the movie's end "
              "(%.2f s < %.2f s)" % (took, movie_seconds))

    no_movie = game_folder_with(os.path.abspath(args.game_dir),
                                {"data/avi/intro.avi": None}, "brakmoor-no-movie-")
    try:
        with GameRun(args, name="intro_without_movie", game_dir=no_movie) as game:
            accept_dialog(game)
            intro = game.wait_window("Brakmoor", timeout=120)
            box = game.wait_window("Error", timeout=60)
            game.screenshot("missing-movie-message")
            game.key(box, "Return")
            answered = time.time()
            game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
            took = time.time() - answered
            check(took < 15, "without the movie the game starts %.2f s after the "
                  "message" % took)
    finally:
        shutil.rmtree(no_movie, ignore_errors=True)


if __name__ == "__main__":
    run_test(test)
