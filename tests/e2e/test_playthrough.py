"""A whole game as a player plays it. First run, in the shipped level with
the enemies starting far away: walk, turn with the mouse, fire the rifle and
the laser, switch every key switch on and off again (B, F, C, D, H, W, S, M;
each one changes the picture, or for M leaves it standing), go to full
screen with F1 and back, and end with Escape. Second run, in a short
corridor: the player fires both weapons while the enemies shoot back, and
the game ends by the player's death. Both runs end with exit code 0 and show
no message box but the full-screen question ("GL"), which a display that
cannot switch modes asks and which is answered Yes (stay in a window)."""

import os
import time

from e2e_lib import (E2EFailure, GameRun, all_window_names, check,
                     image_mean_and_deviation, pixels_differing, run, run_on_level, run_test,
                     search_windows, window_geometry)
from enemy_places import all_far_from_start, first_seed, read_level

EXPECTED_BOXES = ("GL",)
SWITCHES = ["b", "f", "c", "d", "h", "w", "s"]


def game_window(game, previous=()):
    """The newest window named Brakmoor (the game window; the intro's stays behind it)."""
    deadline = time.time() + 60
    while time.time() < deadline:
        answer_expected_boxes(game)
        windows = [w for w in search_windows("^Brakmoor( - Level 1)?$", exact=False)
                   if w not in previous]
        if windows:
            return max(windows, key=int)
        time.sleep(0.25)
    raise E2EFailure("no game window; visible windows: %s" % all_window_names())


def answer_expected_boxes(game):
    for title in EXPECTED_BOXES:
        for box in search_windows(title):
            game.key(box, "Return")
    if game.process.poll() is not None:
        raise E2EFailure("the game ended (exit code %s) during the playthrough"
                         % game.process.returncode)


def first_run(args):
    level = read_level(os.path.join(args.game_dir, "data", "LEVEL", "level1.dat"))
    seed = first_seed(level, all_far_from_start(level), "starts every enemy far away")
    with GameRun(args, name="playthrough", env={"BRAKMOOR_SEED": str(seed)}) as game:
        window = game.start_game(settle_seconds=3, skip_intro=True)
        geometry = window_geometry(window)
        area = geometry[2] * geometry[3]
        start = game.shot_of(geometry, "start")

        game.hold_key(window, "Up", 0.4)
        for x in (360, 400, 300):  # each move turns the view by 0.05 degrees per pixel
            run(["xdotool", "mousemove", str(x), "240"])
            time.sleep(0.3)
        turned = game.shot_of(geometry, "walked-and-turned")
        check(pixels_differing(start, turned) > area // 20, "walking and the mouse move the view")

        for weapon in ("1", "2"):
            game.hold_key(window, weapon, 0.2)
            for _ in range(2):
                game.hold_key(window, "Control_R", 0.12)
                time.sleep(0.6)
        game.hold_key(window, "1", 0.2)
        time.sleep(2)  # sparks die away
        base = game.shot_of(geometry, "after-firing")

        for key in SWITCHES:
            game.hold_key(window, key, 0.15)
            time.sleep(0.6)
            switched = game.shot_of(geometry, "switch-%s-on" % key)
            answer_expected_boxes(game)
            check(pixels_differing(base, switched) > 50, "key %s changes the picture" % key.upper())
            game.hold_key(window, key, 0.15)
            time.sleep(0.6)
        # S pressed twice leaves the decal texture mode, not the first
        # modulated one, so the picture is not quite the first again.
        restored = game.shot_of(geometry, "switches-off-again")
        mean, deviation = image_mean_and_deviation(restored)
        check(deviation > 0.05, "with every switch off again the maze is drawn")
        game.hold_key(window, "m", 0.15)
        time.sleep(0.3)
        game.hold_key(window, "m", 0.15)

        for _ in range(2):
            before = search_windows("^Brakmoor( - Level 1)?$", exact=False)
            game.hold_key(window, "F1", 0.15)
            window = game_window(game, previous=before)
            time.sleep(3)
            answer_expected_boxes(game)
            geometry = window_geometry(window)
            shot = game.shot_of(geometry, "after-f1")
            mean, deviation = image_mean_and_deviation(shot)
            check(deviation > 0.05, "after F1 the new window shows the maze")

        game.hold_key(window, "Escape", 1.0)
        code = game.wait_exit(60, expected_boxes=EXPECTED_BOXES)
        check(code == 0, "Escape ends the playthrough with exit code 0 (got %s)" % code)


CORRIDOR = "X 1\nY 7\nP 1 1\nLevel\n" + "1\n" * 7


def play_until_death(game):
    """Starts the game of a run in CORRIDOR, fires both weapons and waits
    for the end by the player's death: exit code 0."""
    window = game.start_game(settle_seconds=0.5, skip_intro=True)
    started = time.time()
    try:
        for weapon in ("1", "2"):
            game.hold_key(window, weapon, 0.1)
            game.hold_key(window, "Control_R", 0.12)
    except E2EFailure:
        pass  # the player may already be dead and the window gone
    code = game.wait_exit(120)
    print("the player died %.1f s after the game started" % (time.time() - started))
    check(code == 0, "the player's death ends the game with exit code 0 (got %s)" % code)


def second_run(args):
    with run_on_level(args, "playthrough_death", CORRIDOR,
                      env={"WINEDEBUG": "-all,trace+winmm"}) as game:
        play_until_death(game)
        with open(os.path.join(game.artifacts, "wine.log"), errors="replace") as log:
            sounds = log.read()
        check("hit.wav" in sounds, "the enemies' hits were heard")
        check("death.wav" in sounds, "the death sound was played")


def test(args):
    first_run(args)
    second_run(args)


if __name__ == "__main__":
    run_test(test)
