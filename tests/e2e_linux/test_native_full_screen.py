"""F1 at 1280x1024, the screen's own mode: the native program really goes
to full screen (no "GL" question; the window carries the full-screen state)
and F1 brings it back to a window; Escape ends with exit code 0."""

from e2e_lib import NativeGameRun, check, run, run_test


def full_screen(window):
    return "_NET_WM_STATE_FULLSCREEN" in run(["xprop", "-id", window, "_NET_WM_STATE"],
                                             check_result=False)


def switch(args):
    with NativeGameRun(args, env={"BRAKMOOR_DIALOG_CHOICE": "1280x1024x32",
                                  "BRAKMOOR_SEED": "1"}) as game:
        window = game.start_game(skip_intro=True)
        check(not full_screen(window), "the game starts in a window")
        window = game.switch_full_screen(window)
        game.shot_of((0, 0, 1280, 1024), "full-screen")
        check(full_screen(window), "F1 makes a full-screen window")
        window = game.switch_full_screen(window)
        check(not full_screen(window), "F1 again makes a window")
        check(game.boxes() == [], "no message box, not even the GL question (boxes: %s)"
              % game.boxes())
        game.end_with_escape(window)


run_test(switch)
