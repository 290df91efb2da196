"""The intro movie: the intro window shows the movie's changing frames, the
movie ends the intro by itself after its frames at 36 ms each, and Escape
during the intro starts the game at once. Without the movie file the
program says so and the game still starts after a short black intro."""

import os
import struct
import time

from e2e_lib import GameRun, check, game_run, image_mean_and_deviation, pixels_differing, run_test


def test(args):
    with open(os.path.join(args.game_dir, "data", "avi", "intro.avi"), "rb") as movie:
        header = movie.read(4096)
    # The main AVI header "avih": its size, then microseconds per frame, max
    # bytes per second, padding, flags and the total of frames, shown 36 ms each.
    frames = struct.unpack_from("<I", header, header.index(b"avih") + 24)[0]
    movie_seconds = frames * 0.036
    check(movie_seconds > 3, "the movie has %d frames (%.2f s)" % (frames, movie_seconds))

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
        game.enter_dialog(120)
        intro = game.wait_window("Brakmoor", timeout=120)
        shown = time.time()
        time.sleep(1)
        game.hold_key(intro, "Escape", 0.5)
        game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
        took = time.time() - shown
        print("with Escape the game window came %.2f s after the intro window" % took)
        check(took < movie_seconds, "Escape ended the intro before the movie's end "
              "(%.2f s < %.2f s)" % (took, movie_seconds))

    with game_run(args, "intro_without_movie", {"data/avi/intro.avi": None}) as game:
        game.enter_dialog(120)
        intro = game.wait_window("Brakmoor", timeout=120)
        box = game.wait_window("Error", timeout=60)
        game.screenshot("missing-movie-message")
        game.key(box, "Return")
        answered = time.time()
        game.wait_window("Brakmoor", timeout=60, exclude=(intro,))
        took = time.time() - answered
        check(took < 15, "without the movie the game starts %.2f s after the message" % took)


if __name__ == "__main__":
    run_test(test)
