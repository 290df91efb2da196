"""Helpers for end-to-end tests and the scripted visit: the real
Brakmoor.exe under Wine on the X display that scripts/test provides
(DISPLAY), driven with xdotool and photographed with ImageMagick. The tests
in tests/e2e find this file through PYTHONPATH, which CTest sets to
scripts/ (by hand: PYTHONPATH=scripts python3 tests/e2e/test_....py ...).

A test script looks like this:

    from e2e_lib import GameRun, main_args, check
    args = main_args()
    with GameRun(args) as game:
        game.enter_dialog()                 # accept the start dialog
        intro = game.wait_window("Brakmoor")
        ...
        check(game.wait_exit(30) == 0, "Escape ends with exit code 0")

Every failure raises E2EFailure with a clear reason; a message box that
appears unexpectedly is reported by its title instead of hanging the test.
"""

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

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WINE_RUN = os.path.join(REPO, "scripts", "wine-run")


class E2EFailure(Exception):
    pass


def check(condition, what):
    """Fails the test with `what` when `condition` is false."""
    if not condition:
        raise E2EFailure(what)
    print("ok:", what)


def main_args():
    parser = argparse.ArgumentParser()
    parser.add_argument("--game-dir", required=True,
                        help="folder with Brakmoor.exe, coldet.dll and data/")
    parser.add_argument("--artifacts", required=True,
                        help="folder for screenshots")
    return parser.parse_args()


def run(command, check_result=True, timeout=30):
    result = subprocess.run(command, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, text=True, timeout=timeout)
    if check_result and result.returncode != 0:
        raise E2EFailure("%s failed: %s" % (" ".join(command), result.stderr.strip()))
    return result.stdout


def search_windows(title, exact=True):
    """Visible X windows whose name is `title` (a regular expression when
    exact is False)."""
    pattern = "^%s$" % title if exact else title
    out = run(["xdotool", "search", "--onlyvisible", "--name", pattern],
              check_result=False)
    return [line.strip() for line in out.splitlines() if line.strip()]


def window_name(window):
    return run(["xdotool", "getwindowname", window], check_result=False).strip()


def window_geometry(window):
    """(x, y, width, height) of an X window."""
    out = run(["xdotool", "getwindowgeometry", "--shell", window])
    values = dict(line.split("=", 1) for line in out.splitlines() if "=" in line)
    return (int(values["X"]), int(values["Y"]), int(values["WIDTH"]),
            int(values["HEIGHT"]))


def all_window_names():
    out = run(["xdotool", "search", "--onlyvisible", "--name", "."],
              check_result=False)
    names = []
    for window in out.split():
        name = window_name(window)
        if name:
            names.append(name)
    return names


def image_mean_and_deviation(path):
    """Mean and standard deviation of all channels, each 0..1."""
    out = run(["convert", path, "-format",
               "%[fx:mean] %[fx:standard_deviation]", "info:"])
    mean, deviation = out.split()
    return float(mean), float(deviation)


def pixels_differing(path_a, path_b, fuzz_percent=2):
    """Number of pixels that differ by more than `fuzz_percent`."""
    result = subprocess.run(["compare", "-metric", "AE", "-fuzz",
                             "%d%%" % fuzz_percent, path_a, path_b, "null:"],
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            text=True, timeout=60)
    # compare prints the metric on stderr; exit code 1 just means "differ".
    text = result.stderr.strip().split()[0] if result.stderr.strip() else "0"
    return int(float(text))


def crop_args(box):
    x, y, width, height = box
    return ["-crop", "%dx%d+%d+%d" % (width, height, x, y), "+repage"]


def differing_in(path_a, path_b, box, fuzz_percent=4):
    """Pixels inside box (x, y, width, height) of two pictures that differ
    by more than `fuzz_percent`."""
    out = run(["convert", path_a, path_b] + crop_args(box) +
              ["-compose", "difference", "-composite", "-threshold", "%d%%" % fuzz_percent,
               "-format", "%[fx:mean*w*h]", "info:"])
    return round(float(out))


def count_pixels(path, box, expression):
    """Pixels inside box (x, y, width, height) for which the ImageMagick -fx
    expression is true (1)."""
    out = run(["convert", path] + crop_args(box) +
              ["-fx", expression, "-format", "%[fx:mean*w*h]", "info:"])
    return round(float(out))


# The start dialog's size and the centres of its controls, in dialog units;
# clicks are placed by scaling them to the dialog window's size.
DIALOG_UNITS = (239, 217)
RESOLUTION_640 = (21 + 58 / 2, 125 + 9 / 2)
DEPTH_16 = (109 + 36 / 2, 120 + 10 / 2)
START_BUTTON = (175 + 53 / 2, 110 + 13 / 2)
QUIT_BUTTON = (175 + 53 / 2, 130 + 13 / 2)


def dialog_point(dialog, units):
    x, y, width, height = window_geometry(dialog)
    return (x + round(units[0] * width / DIALOG_UNITS[0]),
            y + round(units[1] * height / DIALOG_UNITS[1]))


def game_folder_with(game_dir, changes, prefix="brakmoor-"):
    """A game folder like `game_dir` in which the files named in `changes`
    (paths relative to the folder, e.g. "data/LEVEL/level1.dat") hold the
    given bytes or text, or are missing where the value is None. Everything
    else is a link to the real file, so the exe and dll sit beside the data
    as in the release folder."""
    folder = tempfile.mkdtemp(prefix=prefix)

    def mirror(source, target, relative):
        os.makedirs(target, exist_ok=True)
        for name in os.listdir(source):
            path = os.path.join(relative, name) if relative else name
            touched = [c for c in changes if c == path or c.startswith(path + "/")]
            if not touched:
                os.symlink(os.path.join(source, name), os.path.join(target, name))
            elif os.path.isdir(os.path.join(source, name)) and path not in changes:
                mirror(os.path.join(source, name), os.path.join(target, name), path)
        for path, content in changes.items():
            if content is None or os.path.dirname(path) != relative:
                continue
            mode = "w" if isinstance(content, str) else "wb"
            with open(os.path.join(target, os.path.basename(path)), mode) as out:
                out.write(content)

    mirror(game_dir, folder, "")
    return folder


class GameRun:
    """One run of Brakmoor.exe. Use as a context manager: the process and
    the Wine server are stopped at the end whatever happened."""

    def __init__(self, args, name=None, game_dir=None, env=None):
        self.game_dir = os.path.abspath(game_dir or args.game_dir)
        self.name = name or os.path.splitext(os.path.basename(sys.argv[0]))[0]
        self.artifacts = os.path.join(os.path.abspath(args.artifacts), self.name)
        shutil.rmtree(self.artifacts, ignore_errors=True)
        os.makedirs(self.artifacts, exist_ok=True)
        self.process = None
        self.exe = os.path.join(self.game_dir, "Brakmoor.exe")
        # Stopping the Wine server needs the prefix of the program's kind.
        self.env = dict(os.environ, BRAKMOOR_WINE_ARCH=pe_arch(self.exe) or "win32")
        self.env.update(env or {})
        if "DISPLAY" not in os.environ:
            raise E2EFailure("no X display: run the e2e tests through scripts/test")

    def __enter__(self):
        if not os.path.exists(self.exe):
            raise E2EFailure("missing %s" % self.exe)
        log = open(os.path.join(self.artifacts, "wine.log"), "w")
        self.process = subprocess.Popen([WINE_RUN, self.exe], cwd=self.game_dir,
                                        stdout=log, stderr=subprocess.STDOUT,
                                        start_new_session=True, env=self.env)
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
            try:
                os.killpg(self.process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            self.process.wait(timeout=10)
        # Ends the Wine server of the prefix and every program still in it.
        subprocess.run([WINE_RUN, "wineserver", "-k"], stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=30, cwd=self.game_dir,
                       env=self.env)

    # -- windows ---------------------------------------------------------
    def wait_window(self, title, timeout=60, exact=True, exclude=()):
        """The first visible window named `title` (not in `exclude`).
        Fails early when the process ends or a different message box shows."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = [w for w in search_windows(title, exact) if w not in exclude]
            if found:
                return found[0]
            if self.process.poll() is not None:
                raise E2EFailure("the game ended (exit code %s) before window %r appeared"
                                 % (self.process.returncode, title))
            time.sleep(0.25)
        raise E2EFailure("window %r did not appear within %d s; visible windows: %s"
                         % (title, timeout, all_window_names()))

    def wait_no_window(self, title, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            if not search_windows(title):
                return
            time.sleep(0.25)
        raise E2EFailure("window %r still open after %d s" % (title, timeout))

    def enter_dialog(self, timeout=60):
        """Accepts the start dialog with Enter (its default button)."""
        dialog = self.wait_dialog(timeout)
        self.key(dialog, "Return")
        return dialog

    def wait_dialog(self, timeout=60):
        """The start dialog: a window of the game's class (Wine names the
        class after the program) with no caption and a real size."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            out = run(["xdotool", "search", "--onlyvisible", "--classname",
                       "brakmoor.exe"], check_result=False)
            for window in out.split():
                if window_name(window) == "" and window_geometry(window)[2] >= 100:
                    time.sleep(1)  # let it paint
                    return window
            if self.process.poll() is not None:
                raise E2EFailure("the game ended before the start dialog appeared")
            time.sleep(0.25)
        raise E2EFailure("the start dialog did not appear within %d s" % timeout)

    def start_game(self, settle_seconds=3, skip_intro=False):
        """Accepts the start dialog and lets the intro movie run out (or
        ends it with Escape), which starts the game. Returns the game window."""
        self.enter_dialog(timeout=120)
        if skip_intro:
            intro = self.wait_window("Brakmoor", timeout=120)
            run(["xdotool", "mousemove", "320", "240"])
            time.sleep(0.5)
            self.hold_key(intro, "Escape", 0.2)
        # The intro window stays open behind the game window and has the same
        # title; the game window is the one made later (the larger X id).
        deadline = time.time() + 120
        while time.time() < deadline:
            # The game turns the view by the cursor's distance from (320, 240);
            # keeping the pointer there keeps the first view straight ahead.
            run(["xdotool", "mousemove", "320", "240"])
            windows = search_windows("Brakmoor")
            if len(windows) >= 2:
                window = max(windows, key=int)
                # The first frames need the textures and the world; give them time.
                time.sleep(settle_seconds)
                return window
            if self.process.poll() is not None:
                raise E2EFailure("the game ended (exit code %s) before its window appeared"
                                 % self.process.returncode)
            time.sleep(0.25)
        raise E2EFailure("no game window after the intro; visible windows: %s"
                         % all_window_names())

    # -- input -----------------------------------------------------------
    def key(self, window, key):
        run(["xdotool", "key", "--window", window, key])

    def key_down(self, window, key):
        run(["xdotool", "keydown", "--window", window, key])

    def key_up(self, window, key):
        run(["xdotool", "keyup", "--window", window, key])

    def hold_key(self, window, key, seconds):
        self.key_down(window, key)
        try:
            time.sleep(seconds)
        finally:
            self.key_up(window, key)

    def click(self, x, y):
        run(["xdotool", "mousemove", str(x), str(y), "click", "1"])

    def click_control(self, dialog, units):
        """Clicks the dialog control centred at `units` (dialog units)."""
        self.click(*dialog_point(dialog, units))
        time.sleep(0.3)

    def close_window(self, window):
        """Asks the window to close, as the title-bar button does."""
        run(["xdotool", "windowclose", window], check_result=False)

    # -- pictures --------------------------------------------------------
    def screenshot(self, name):
        path = os.path.join(self.artifacts, name + ".png")
        run(["import", "-window", "root", path])
        print("screenshot:", path)
        return path

    def screenshot_window(self, window, name):
        path = os.path.join(self.artifacts, name + ".png")
        run(["import", "-window", window, path])
        print("screenshot:", path)
        return path

    def crop(self, path, geometry, name):
        """The part (x, y, width, height) of a picture, as its own file."""
        x, y, width, height = geometry
        out = os.path.join(self.artifacts, name + ".png")
        run(["convert", path, "-crop", "%dx%d+%d+%d" % (width, height, x, y),
             "+repage", out])
        return out

    def shot_of(self, geometry, name):
        """A screenshot cut to `geometry` (x, y, width, height). OpenGL
        pictures are not in a window's own X image under every server, so
        the whole screen is taken and cut."""
        return self.crop(self.screenshot(name + "-screen"), geometry, name)

    def shot_of_window(self, window, name):
        return self.shot_of(window_geometry(window), name)

    # -- the end ---------------------------------------------------------
    def end_with_escape(self, window):
        """Escape ends the game; the exit code must be 0."""
        self.hold_key(window, "Escape", 1.0)
        code = self.wait_exit(60)
        check(code == 0, "Escape ends the game with exit code 0 (got %s)" % code)

    def answer_message_box(self, title, key="Return", timeout=30):
        box = self.wait_window(title, timeout)
        self.key(box, key)
        return box

    def wait_exit(self, timeout=60, expected_boxes=()):
        """The exit code of the game. A message box that blocks the end is
        named in the failure (boxes whose titles are in `expected_boxes` are
        answered with Return)."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            code = self.process.poll()
            if code is not None:
                return code
            for title in expected_boxes:
                for box in search_windows(title):
                    self.key(box, "Return")
            time.sleep(0.25)
        raise E2EFailure("the game did not end within %d s; visible windows: %s"
                         % (timeout, all_window_names()))


GAME_WINDOWS = "^Brakmoor( - Level 1)?$"


class NativeGameRun(GameRun):
    """One run of the native Linux program build/linux-game/brakmoor: no
    Wine, no sound card needed (SDL's dummy audio driver), message boxes
    answered at once and written to the log (game.log) as "box: <title>:
    <text>". Keys go through XTEST to the window under the pointer (no
    window manager: the focus follows the pointer); a key sent to a named
    window would be a synthetic event that SDL's key state does not keep in
    step with the X server's."""

    def __init__(self, args, name=None, game_dir=None, env=None):
        super().__init__(args, name, game_dir, env)
        self.exe = os.path.join(self.game_dir, "brakmoor")
        self.env.update({"SDL_AUDIODRIVER": "dummy", "BRAKMOOR_TRACE_BOXES": "1",
                         "BRAKMOOR_ANSWER_BOXES": "ok"})
        self.env.update(env or {})
        self.log_path = os.path.join(self.artifacts, "game.log")
        self.dialog = None  # the start dialog's window, once accepted

    def __enter__(self):
        if not os.path.exists(self.exe):
            raise E2EFailure("missing %s" % self.exe)
        log = open(self.log_path, "w")
        self.process = subprocess.Popen([self.exe], cwd=self.game_dir, stdout=log,
                                        stderr=subprocess.STDOUT, start_new_session=True,
                                        env=self.env)
        return self

    def stop(self):
        if self.process is not None and self.process.poll() is None:
            os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait(timeout=10)

    def enter_dialog(self, timeout=60):
        """Accepts the GTK start dialog with Return (its default button) and
        waits until it has gone; None when BRAKMOOR_DIALOG_CHOICE skips it.
        The dialog's window is named Brakmoor like the game's windows, but it
        is the only window of the process until it closes."""
        if "BRAKMOOR_DIALOG_CHOICE" in self.env:
            return None
        dialog = self.wait_window("Brakmoor", timeout)
        x, y, width, height = window_geometry(dialog)
        run(["xdotool", "mousemove", str(x + width // 2), str(y + height // 2)])
        time.sleep(1)  # let it paint and take keys
        self.screenshot("start-dialog")
        self.key(dialog, "Return")
        self.dialog = dialog
        deadline = time.time() + timeout
        while dialog in search_windows("Brakmoor"):
            if time.time() > deadline:
                raise E2EFailure("the start dialog did not close on Return")
            time.sleep(0.1)
        return dialog

    def switch_full_screen(self, window, timeout=60):
        """F1: the game replaces its window by a new one (full screen or, where
        the mode is missing and the "GL" question is answered Yes, a window
        again); returns the new window."""
        before = search_windows(GAME_WINDOWS, exact=False)
        self.hold_key(window, "F1", 0.15)
        deadline = time.time() + timeout
        while time.time() < deadline:
            windows = [w for w in search_windows(GAME_WINDOWS, exact=False) if w not in before]
            if windows:
                time.sleep(1)  # the first frames
                return max(windows, key=int)
            if self.process.poll() is not None:
                raise E2EFailure("the game ended (exit code %s) after F1" % self.process.returncode)
            time.sleep(0.1)
        raise E2EFailure("no new game window after F1; visible windows: %s" % all_window_names())

    def boxes(self):
        """The message boxes shown so far, as "<title>: <text>"."""
        with open(self.log_path) as log:
            return [line[len("box: "):].rstrip("\n") for line in log if line.startswith("box: ")]

    def key(self, window, key):
        run(["xdotool", "key", key])

    def key_down(self, window, key):
        run(["xdotool", "keydown", key])

    def key_up(self, window, key):
        run(["xdotool", "keyup", key])


@contextlib.contextmanager
def run_on_level(args, name, level_text, seed=None, env=None, kind=None):
    """A GameRun (or a run of `kind`, e.g. NativeGameRun; entered) of a game
    folder whose level is `level_text`, with BRAKMOOR_SEED fixed when `seed`
    is given; the folder is removed afterwards."""
    folder = game_folder_with(os.path.abspath(args.game_dir),
                              {"data/LEVEL/level1.dat": level_text}, "brakmoor-%s-" % name)
    settings = dict(env or {})
    if seed is not None:
        settings["BRAKMOOR_SEED"] = str(seed)
    try:
        with (kind or GameRun)(args, name=name, game_dir=folder, env=settings) as game:
            yield game
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def run_test(body):
    """Runs `body(args)` and turns E2EFailure into a clear exit code 1."""
    args = main_args()
    try:
        body(args)
    except E2EFailure as failure:
        print("FAIL:", failure)
        sys.exit(1)
    print("PASS")
