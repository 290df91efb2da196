"""Frame rate and start-up time of the native Linux program and of
Brakmoor.exe under Wine, measured from outside on the same X display, in the
shipped level at 1024x768x32 looking down the first corridor (each program
with the same seed, which puts every enemy far away in both).

Start-up: from the moment Escape goes down in the intro to the first
screenshot of the game window that shows the textured maze (screenshots are
taken back to back, a few per second, so the figure is good to about 0.3 s).
Frame rate: the game's own frame-rate text (key F; the frame limiter is off
while it shows), photographed every few seconds for SECONDS seconds; the
numbers are read from the cropped pictures by eye (no OCR here). Run by
hand, on a display (e.g. through a private Xvfb):

  PYTHONPATH=scripts:tests/e2e python3 scripts/measure_programs.py \\
      --native-dir build/linux-game --windows-dir build-win/game --artifacts out/measure
"""

import argparse
import os
import time

from e2e_lib import (GAME_WINDOWS, GameRun, NativeGameRun, image_mean_and_deviation, run,
                     search_windows, window_geometry)

FPS_TEXT = (0, 0, 240, 80)  # the frame-rate text's corner of the window
SAMPLES = 8


def first_game_picture(game, intro, started):
    """(window, seconds since `started`) of the first game picture."""
    while True:
        windows = [w for w in search_windows(GAME_WINDOWS, exact=False) if w != intro]
        if windows:
            window = max(windows, key=int)
            shot = game.shot_of_window(window, "first-picture")
            if image_mean_and_deviation(shot)[1] > 0.1:
                return window, time.time() - started
        if time.time() - started > 120:
            raise RuntimeError("no game picture within 120 s")
        time.sleep(0.05)


def measure(kind, game_dir, artifacts, seconds):
    native = kind == "native"
    # Seed 1 starts every enemy far from the player in the shipped level.
    env = {"BRAKMOOR_SEED": "1"}
    if native:
        env["BRAKMOOR_DIALOG_CHOICE"] = "1024x768x32"
    args = argparse.Namespace(game_dir=game_dir, artifacts=artifacts)
    with (NativeGameRun if native else GameRun)(args, name=kind, env=env) as game:
        game.enter_dialog(timeout=120)
        intro = game.wait_window("Brakmoor", timeout=120)
        run(["xdotool", "mousemove", "320", "240"])
        time.sleep(2)
        started = time.time()
        game.hold_key(intro, "Escape", 0.2)
        window, startup = first_game_picture(game, intro, started)
        time.sleep(2)
        game.hold_key(window, "f", 0.2)
        geometry = window_geometry(window)
        shots = []
        for index in range(SAMPLES):
            time.sleep(seconds / SAMPLES)
            corner = (geometry[0] + FPS_TEXT[0], geometry[1] + FPS_TEXT[1]) + FPS_TEXT[2:]
            shots.append(game.shot_of(corner, "fps-text-%d" % index))
        game.hold_key(window, "Escape", 1.0)
        game.wait_exit(60, expected_boxes=("GL",))
    return startup, shots


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--native-dir", required=True)
    parser.add_argument("--windows-dir", required=True)
    parser.add_argument("--artifacts", required=True)
    parser.add_argument("--seconds", type=float, default=20)
    args = parser.parse_args()
    for kind, folder in (("native", args.native_dir), ("windows", args.windows_dir)):
        startup, shots = measure(kind, os.path.abspath(folder), args.artifacts, args.seconds)
        print("%s: Escape in the intro to the first game picture: %.2f s" % (kind, startup))
        print("%s: frame-rate text pictures (read them): %s" % (kind, " ".join(shots)))


if __name__ == "__main__":
    main()
