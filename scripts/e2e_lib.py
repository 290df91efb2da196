# The driver of the end-to-end tests, the soak run and the scripted visit:
# the real Brakmoor.exe under Wine (GameRun) or the native Linux program
# (NativeGameRun) on the X display in DISPLAY, driven with xdotool and
# photographed with ImageMagick. Every failure raises E2EFailure with its
# reason; run_test turns it into exit code 1.

import argparse
import contextlib
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

from pe_arch import pe_arch

WINE_RUN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "wine-run")
GAME_WINDOWS = "^Brakmoor( - Level 1)?$"


class E2EFailure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise E2EFailure(what)
    print("ok:", what)


def run(command, check_result=True, timeout=30):
    result = subprocess.run(command, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, timeout=timeout)
    if check_result and result.returncode != 0:
        raise E2EFailure("%s failed: %s" % (" ".join(command), result.stderr.strip()))
    return result.stdout


def search_windows(title, exact=True):
    # Visible X windows named `title` (a regular expression unless exact).
    pattern = "^%s$" % title if exact else title
    return run(["xdotool", "search", "--onlyvisible", "--name", pattern],
               check_result=False).split()


def window_name(window):
    return run(["xdotool", "getwindowname", window], check_result=False).strip()


def window_geometry(window):
    # (x, y, width, height) of an X window.
    out = run(["xdotool", "getwindowgeometry", "--shell", window])
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return tuple(int(values[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))


def all_window_names():
    return [name for name in map(window_name, search_windows(".", exact=False)) if name]


def image_mean_and_deviation(path):
    # Mean and standard deviation of all channels, each 0..1.
    out = run(["convert", path, "-format", "%[fx:mean] %[fx:standard_deviation]", "info:"])
    return tuple(float(value) for value in out.split())


def pixels_differing(path_a, path_b, fuzz_percent=2, box=None):
    # Pixels (inside box (x, y, width, height), if given) that differ by
    # more than `fuzz_percent`.
    crop = "[%dx%d+%d+%d]" % (box[2], box[3], box[0], box[1]) if box else ""
    # compare prints the metric on stderr; exit code 1 just means "differ".
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz", "%d%%" % fuzz_percent,
                             path_a + crop, path_b + crop, "null:"], stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, timeout=60)
    return int(float((result.stderr.split() or ["0"])[0]))


def crop_args(box):
    return ["-crop", "%dx%d+%d+%d" % (box[2], box[3], box[0], box[1]), "+repage"]


# The start dialog's size and the centres of its controls, in dialog units;
# clicks are placed by scaling them to the dialog window's size.
DIALOG_UNITS = (239, 217)
RESOLUTION_640 = (21 + 58 / 2, 125 + 9 / 2)
DEPTH_16 = (109 + 36 / 2, 120 + 10 / 2)
START_BUTTON = (175 + 53 / 2, 110 + 13 / 2)
QUIT_BUTTON = (175 + 53 / 2, 130 + 13 / 2)


@contextlib.contextmanager
def game_run(args, name, changes, env=None, native=False):
    # An entered GameRun (NativeGameRun when `native`) in a copy of the game
    # folder, removed afterwards, in which the files named in `changes` (e.g.
    # "data/LEVEL/level1.dat") hold the given bytes, or are missing where the
    # value is None. The other files are links to the real ones.
    folder = tempfile.mkdtemp(prefix="brakmoor-")
    try:
        for root, _, files in os.walk(args.game_dir, followlinks=True):
            relative = os.path.relpath(root, args.game_dir)
            os.makedirs(os.path.join(folder, relative), exist_ok=True)
            for path in (os.path.normpath(os.path.join(relative, name)) for name in files):
                if path not in changes:
                    os.symlink(os.path.abspath(os.path.join(args.game_dir, path)),
                               os.path.join(folder, path))
                elif changes[path] is not None:
                    with open(os.path.join(folder, path), "wb") as out:
                        out.write(changes[path])
        with (NativeGameRun if native else GameRun)(args, name, folder, env) as game:
            yield game
    finally:
        shutil.rmtree(folder, ignore_errors=True)


class GameRun:
    # One run of Brakmoor.exe under Wine. As a context manager it stops the
    # process and the Wine server at the end whatever happened.
    native = False
    program, log_name = "Brakmoor.exe", "wine.log"

    def __init__(self, args, name=None, game_dir=None, env=None):
        if "DISPLAY" not in os.environ:
            raise E2EFailure("no X display: run the e2e tests through scripts/test")
        self.game_dir = os.path.abspath(game_dir or args.game_dir)
        self.name = name or os.path.splitext(os.path.basename(sys.argv[0]))[0]
        self.artifacts = os.path.join(os.path.abspath(args.artifacts), self.name)
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts, exist_ok=True)
        self.log_path = os.path.join(self.artifacts, self.log_name)
        self.exe = os.path.join(self.game_dir, self.program)
        self.process = self.dialog = None
        self.env = dict(os.environ)
        if self.native:
            self.env.update(SDL_AUDIODRIVER="dummy", BRAKMOOR_TRACE_BOXES="1",
                            BRAKMOOR_ANSWER_BOXES="ok")
        else:  # stopping the Wine server needs the prefix of the program's kind
            self.env["BRAKMOOR_WINE_ARCH"] = pe_arch(self.exe) or "win32"
        self.env.update(env or {})

    def __enter__(self):
        if not os.path.exists(self.exe):
            raise E2EFailure("missing %s" % self.exe)
        command = [self.exe] if self.native else [WINE_RUN, self.exe]
        with open(self.log_path, "w") as log:
            self.process = subprocess.Popen(command, cwd=self.game_dir, stdout=log,
                                            stderr=subprocess.STDOUT, start_new_session=True,
                                            env=self.env)
        return self

    def __exit__(self, kind, value, traceback):
        if kind is not None:
            try:
                self.screenshot("failure")
                print("windows at failure:", all_window_names())
            except Exception as error:  # the display may be gone too
                print("no failure screenshot:", error)
        self.stop()
        return False

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(timeout=10)
        if not self.native:  # ends the prefix's Wine server and what still runs in it
            subprocess.run([WINE_RUN, "wineserver", "-k"], stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30, cwd=self.game_dir,
                           env=self.env)

    def log_text(self):
        with open(self.log_path, errors="replace") as log:
            return log.read()

    def fail_if_ended(self, what):
        if self.process.poll() is not None:
            raise E2EFailure("the game ended (exit code %s) %s; visible windows: %s"
                             % (self.process.returncode, what, all_window_names()))

    def until(self, find, what, timeout=60):
        # The first true result of `find`; fails on the timeout or the game's end.
        deadline = time.time() + timeout
        while time.time() < deadline:
            ended = self.process.poll() is not None  # before `find`, which may look for the end
            found = find()
            if found:
                return found
            if ended:
                self.fail_if_ended("waiting for " + what)
            time.sleep(0.25)
        raise E2EFailure("no %s within %d s; visible windows: %s"
                         % (what, timeout, all_window_names()))

    # -- windows ---------------------------------------------------------
    def wait_window(self, title, timeout=60, exact=True, exclude=()):
        # The first visible window named `title` that is not in `exclude`.
        return self.until(lambda: [w for w in search_windows(title, exact) if w not in exclude],
                          "window %r" % title, timeout)[0]

    def wait_dialog(self, timeout=60):
        # The start dialog: a window of the game's class (Wine names the
        # class after the program) with no caption and a real size.
        dialog = self.until(lambda: [w for w in run(
            ["xdotool", "search", "--onlyvisible", "--classname", "brakmoor.exe"],
            check_result=False).split() if window_name(w) == "" and window_geometry(w)[2] >= 100],
            "start dialog", timeout)[0]
        time.sleep(1)  # let it paint
        return dialog

    def enter_dialog(self, timeout=60):
        # Accepts the start dialog with Return (its default button).
        self.dialog = self.wait_dialog(timeout)
        self.key(self.dialog, "Return")
        return self.dialog

    def start_game(self, settle_seconds=3, skip_intro=False):
        # Accepts the start dialog (unless done already) and lets the intro
        # run out (or ends it with Escape); returns the game window.
        if self.dialog is None:
            self.enter_dialog(timeout=120)
        # The game turns the view by the pointer's distance from (320, 240):
        # the pointer stays there to keep the first view straight ahead.
        run(["xdotool", "mousemove", "320", "240"])
        if skip_intro:
            time.sleep(0.5)
            self.hold_key(self.wait_window("Brakmoor", timeout=120), "Escape", 0.2)
        # The intro window stays open behind the game window with the same
        # title; the game window is the one made later (the larger X id).
        def intro_and_game():
            windows = search_windows("Brakmoor")
            return windows if len(windows) >= 2 else None
        windows = self.until(intro_and_game, "game window after the intro", 120)
        time.sleep(settle_seconds)  # the first frames load the world
        return max(windows, key=int)

    def switch_full_screen(self, window, seconds=0.15, timeout=60):
        # F1: the game replaces its window by a new one (full screen or, where
        # the mode is missing and the "GL" question is answered Yes, a window
        # again); returns the new window.
        before = search_windows(GAME_WINDOWS, exact=False)
        self.hold_key(window, "F1", seconds, must=False)  # the window may go before the key is up
        def new_window():
            self.answer_boxes(("GL",))
            return [w for w in search_windows(GAME_WINDOWS, exact=False) if w not in before]
        windows = self.until(new_window, "new game window after F1", timeout)
        time.sleep(1)  # the first frames
        return max(windows, key=int)

    def answer_boxes(self, titles):
        for title in titles:
            for box in search_windows(title):
                self.key(box, "Return", must=False)  # it may have closed meanwhile

    # -- input -----------------------------------------------------------
    def key(self, window, key, action="key", must=True):  # action: key, keydown or keyup
        run(["xdotool", action, "--window", window, key], check_result=must)

    def hold_key(self, window, key, seconds, must=True):
        self.key(window, key, "keydown", must)
        try:
            time.sleep(seconds)
        finally:
            self.key(window, key, "keyup", must)

    def click_control(self, dialog, units):
        # Clicks the dialog control centred at `units` (dialog units).
        x, y, width, height = window_geometry(dialog)
        run(["xdotool", "mousemove", str(x + round(units[0] * width / DIALOG_UNITS[0])),
             str(y + round(units[1] * height / DIALOG_UNITS[1])), "click", "1"])
        time.sleep(0.3)

    # -- pictures --------------------------------------------------------
    def screenshot(self, name, window="root"):
        path = os.path.join(self.artifacts, name + ".png")
        run(["import", "-window", window, path])
        print("screenshot:", path)
        return path

    def shot_of(self, geometry, name, kind="png"):
        # The screen within `geometry`: OpenGL pictures are not in a
        # window's own X image under every server.
        path = os.path.join(self.artifacts, "%s.%s" % (name, kind))
        run(["import", "-window", "root"] + crop_args(geometry) + [path])
        return path

    def shot_of_window(self, window, name):
        return self.shot_of(window_geometry(window), name)

    # -- the end ---------------------------------------------------------
    def end_with_escape(self, window, expected_boxes=()):
        self.hold_key(window, "Escape", 1.0)
        code = self.wait_exit(60, expected_boxes)
        check(code == 0, "Escape ends the game with exit code 0 (got %s)" % code)

    def wait_exit(self, timeout=60, expected_boxes=()):
        # The exit code; boxes named in `expected_boxes` are answered with
        # Return, any other blocking window is named in the failure.
        self.until(lambda: self.answer_boxes(expected_boxes) or self.process.poll() is not None,
                   "end of the game", timeout)
        return self.process.returncode


class NativeGameRun(GameRun):
    # One run of the native Linux program (build/linux-game/brakmoor): no
    # sound card needed (SDL's dummy driver), message boxes answered at once
    # and written to its log as "box: <title>: <text>". Keys go through XTEST
    # to the window under the pointer (without a window manager the focus
    # follows the pointer): a key sent to a named window would be a synthetic
    # event that SDL's key state does not keep in step with the X server's.
    native = True
    program, log_name = "brakmoor", "game.log"

    def enter_dialog(self, timeout=60):
        # Accepts the GTK start dialog (a window named Brakmoor, the only
        # one of the process until it closes) with Return and waits until it
        # has gone; None when BRAKMOOR_DIALOG_CHOICE replaces it.
        if "BRAKMOOR_DIALOG_CHOICE" in self.env:
            return None
        dialog = self.wait_window("Brakmoor", timeout)
        x, y, width, height = window_geometry(dialog)
        run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2)])
        time.sleep(1)  # let it paint and take keys
        self.screenshot("start-dialog")
        self.key(dialog, "Return")
        self.until(lambda: dialog not in search_windows("Brakmoor"), "end of the dialog on Return")
        self.dialog = dialog
        return dialog

    def boxes(self):
        # The message boxes shown so far, as "<title>: <text>".
        return [line[len("box: "):].rstrip("\n") for line in self.log_text().splitlines()
                if line.startswith("box: ")]

    def key(self, window, key, action="key", must=True):
        run(["xdotool", action, key], check_result=must)


def run_test(body, parser=None):
    # Runs `body(args)` with the command line's game folder and artifacts
    # folder (and the options of `parser`, if given); an E2EFailure becomes
    # exit code 1.
    parser = parser or argparse.ArgumentParser()
    parser.add_argument("--game-dir", required=True, help="the game folder")
    parser.add_argument("--artifacts", required=True, help="folder for screenshots")
    try:
        body(parser.parse_args())
    except E2EFailure as failure:
        print("FAIL:", failure)
        sys.exit(1)
    print("PASS")
