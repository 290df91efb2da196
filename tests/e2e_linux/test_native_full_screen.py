# F1 at 1280x1024, the screen's own mode: the native program finds the mode
# and goes to full screen without the "GL" question (with no window manager a
# full-screen window looks like any window covering the screen, so the
# question's absence is the proof; test_native_game sees the question where
# the mode is missing), and F1 brings a window back; Escape ends with exit
# code 0.

from e2e_lib import NativeGameRun, check, image_mean_and_deviation, run_test, window_geometry


def switch(args):
    with NativeGameRun(args, env={"BRAKMOOR_DIALOG_CHOICE": "1280x1024x32",
                                  "BRAKMOOR_SEED": "1"}) as game:
        window = game.start_game(skip_intro=True)
        for turn in ("full-screen", "window-again"):
            window = game.switch_full_screen(window)
            shot = game.shot_of_window(window, turn)
            check(window_geometry(window) == (0, 0, 1280, 1024) and
                  image_mean_and_deviation(shot)[1] > 0.05,
                  "F1 (%s): a new window covering the screen draws the maze" % turn)
        check(game.boxes() == [], "no message box, not even the GL question (boxes: %s)"
              % game.boxes())
        game.end_with_escape(window)


run_test(switch)
