"""A short scripted visit of the game on a private display: accept the start
dialog, Escape through the intro, look at a soldier standing in the corridor
ahead (the seed is fixed so that one stands there), fire at a wall, walk up
to the soldier and on to the wall, switch each drawing mode on and off,
Escape; all of it at 640x480 and again at 1280x1024. Prints the paths of
the screenshots it saves, and writes small copies of three of them for the
README. With --native the same visit is made in the native Linux program
(--game-dir is then its folder, build/linux-game; the sizes are chosen
through BRAKMOOR_DIALOG_CHOICE, no README pictures)."""
import os
import sys
import time

from e2e_lib import RESOLUTION_640, GameRun, NativeGameRun, run, run_test, window_geometry

# In the shipped level seed 429 puts one soldier, standing, in the corridor
# ahead of the start and every other enemy far away.
SEED = 429

# The start dialog's 1280x1024 choice, in dialog units (see e2e_lib).
RESOLUTION_1280 = (21 + 58 / 2, 170 + 9 / 2)

# The switches a player can flip while playing: blend, wireframe, texture
# environment, frame-rate text, crosshair.
SWITCHES = (("b", "blend"), ("w", "wireframe"), ("d", "collision-debug"),
            ("s", "texture-env"), ("f", "frame-rate"), ("h", "no-crosshair"))
NATIVE = "--native" in sys.argv
if NATIVE:
    sys.argv.remove("--native")


def press(game, window, key):
    # The game polls the keyboard state once a frame: hold the key long
    # enough to be seen.
    game.hold_key(window, key, 0.3)
    time.sleep(0.5)


def turn(degrees):
    """Turns the view right by `degrees`: the game turns by 0.05 degrees for
    each pixel the cursor lies away from (320, 240), and puts it back there
    every frame."""
    for _ in range(round(abs(degrees) / 15)):
        run(["xdotool", "mousemove", "620" if degrees > 0 else "20", "240"])
        time.sleep(0.2)


def enter_game(game, resolution, prefix):
    if NATIVE:
        return game.start_game(skip_intro=True)
    dialog = game.wait_dialog()
    time.sleep(1)
    if prefix == "640":
        game.screenshot("1-start-dialog")
    game.click_control(dialog, resolution)
    game.key(dialog, "Return")
    intro = game.wait_window("Brakmoor")
    time.sleep(2)
    if prefix == "640":
        game.screenshot("2-intro")
    # The game turns the view by the cursor's distance from (320, 240).
    run(["xdotool", "mousemove", "320", "240"])
    game.hold_key(intro, "Escape", 0.2)
    window = game.wait_window("Brakmoor", exclude=(intro,))
    run(["xdotool", "mousemove", "320", "240"])
    time.sleep(3)
    return window


def one_run(args, seed, resolution, prefix):
    env = {"BRAKMOOR_SEED": str(seed)}
    if NATIVE:
        env["BRAKMOOR_DIALOG_CHOICE"] = "%sx32" % {"640": "640x480", "1280": "1280x1024"}[prefix]
    name = ("native-" if NATIVE else "") + ("visit" if prefix == "640" else "visit-" + prefix)
    with (NativeGameRun if NATIVE else GameRun)(args, name=name, env=env) as game:
        window = enter_game(game, resolution, prefix)
        geometry = window_geometry(window)
        game.shot_of(geometry, prefix + "-3-game")
        # Turn toward the right-hand wall, past the soldier, and fire at it:
        # sparks fly while the key is down.
        turn(30)
        game.key(window, "Control_R", "keydown")
        try:
            time.sleep(0.6)
            game.shot_of(geometry, prefix + "-4-sparks")
        finally:
            game.key(window, "Control_R", "keyup")
        time.sleep(1)
        turn(-30)
        game.hold_key(window, "Up", 1.5)
        game.shot_of(geometry, prefix + "-5-near-soldier")
        game.hold_key(window, "Up", 3)
        game.shot_of(geometry, prefix + "-6-at-the-wall")
        game.hold_key(window, "Left", 1)
        game.shot_of(geometry, prefix + "-7-stepped-left")
        # Last, as S leaves the texture environment changed.
        for key, name in SWITCHES:
            press(game, window, key)
            game.shot_of(geometry, "%s-8-%s" % (prefix, name))
            press(game, window, key)
        game.hold_key(window, "Escape", 1.0)
        print("exit code:", game.wait_exit(60))


def visit(args):
    one_run(args, SEED, RESOLUTION_640, "640")
    one_run(args, SEED, RESOLUTION_1280, "1280")
    if not NATIVE:
        readme_pictures(os.path.abspath(args.artifacts))


# The README's pictures (docs/screenshots), small enough to commit.
README_PICTURES = (("visit/640-3-game.png", "hud-corridor.png"),
                   ("visit-1280/1280-5-near-soldier.png", "soldier.png"),
                   ("visit/640-4-sparks.png", "sparks.png"))


def readme_pictures(artifacts):
    folder = os.path.join(artifacts, "readme-screenshots")
    os.makedirs(folder, exist_ok=True)
    for source, name in README_PICTURES:
        path = os.path.join(folder, name)
        run(["convert", os.path.join(artifacts, source), "-resize", "640x", "-colors", "96",
             "-dither", "None", "-strip", "PNG8:" + path])
        print("README picture:", path)


run_test(visit)
