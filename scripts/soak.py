"""The soak run: the real game under Wine for many minutes of random play
(walking, turning, firing, weapon and key switches, a switch between window
and full screen every few seconds), watched for a crash, a hang, an
unexpected message box and memory that keeps growing.

The level keeps the player alive for the whole run: the player's start is a
single open cell inside a solid block 60 cells deep, and every other open
cell lies far beyond fire range (15 units, 7.5 cells). The room's walls do
not hold the player (in a corner the wall contact slides along one wall,
through the other), so the walks go there and back again and the block is
deep enough for what is left of them to drift. Enemies re-spawn on a random
open cell after every switch; only a spawn on the player's very cell could
hurt, and the large enemy region makes that about one chance in fifty
thousand per enemy.

Used by scripts/soak (30 minutes by default) and by the short e2e run in
tests/e2e/test_soak_short.py. With --native the native Linux program is
soaked instead (its boxes answered at once and traced to its log; memory is
its own process's)."""

import argparse
import os
import random
import shutil
import sys
import time

from e2e_lib import (E2EFailure, GameRun, NativeGameRun, all_window_names, game_folder_with,
                     pixels_differing, run, run_test, search_windows, window_geometry)
from enemy_places import far_from, parse_level, spawned_enemies

GAME_WINDOWS = "^Brakmoor( - Level 1)?$"
EXPECTED_NAMES = {"Brakmoor", "Brakmoor - Level 1", "GL"}
HANG_SECONDS = 10
SWITCH_KEYS = ["b", "f", "c", "d", "h", "w", "s", "m"]
# Walks go there and back again, so a walk that got through a wall (collision
# left off by a press the game missed) does not carry the player away.
# The way back is walked at twice the speed (backward in the open), so it
# takes half the time.
WALK_PAIRS = [(("Up", 1.0), ("Down", 0.5)), (("Down", 0.5), ("Up", 1.0)),
              (("Left", 1.0), ("Right", 1.0)), (("Right", 1.0), ("Left", 1.0))]
# The game reads the keyboard once a frame and switches on a key that is
# down: a press must outlast the slowest frame of a loaded machine, or the
# switch is missed and a pair leaves it on.
SWITCH_PRESS_SECONDS = 0.4
# Solid cells around the player's cell: 9 would keep a player standing in
# the cell beyond the enemies' 15-unit range; the rest is room to drift.
GUARD_CELLS = 60
LEVEL_SIDE = 253


def safe_level(side=LEVEL_SIDE, guard=GUARD_CELLS):
    """A level text: the player's single cell (value 1, a floor and a
    ceiling) in the middle of a solid square, and open cells of value 3 (no
    floor, nothing to draw) everywhere else."""
    centre = side // 2
    rows = []
    for y in range(side, 0, -1):
        row = []
        for x in range(1, side + 1):
            if (x, y) == (centre, centre):
                row.append("1")
            elif max(abs(x - centre), abs(y - centre)) <= guard:
                row.append("0")
            else:
                row.append("3")
        rows.append("".join(row))
    return "X %d\nY %d\nP %d %d\nLevel\n%s\n" % (side, side, centre, centre, "\n".join(rows))


def seed_for(level):
    """A seed whose first enemies all start far from the player (with the
    level above, any seed that does not hit the player's cell)."""
    for seed in range(1, 100000):
        enemies = spawned_enemies(seed, level)
        if all(far_from(enemy, level[2], GUARD_CELLS) for enemy in enemies):
            return seed
    raise E2EFailure("no seed starts every enemy far from the player")


# -- the game process ------------------------------------------------------
def game_process_id(session):
    """The Wine process of Brakmoor.exe among the processes of the run's
    session (the wine-run script and the Wine server are not it)."""
    best = None
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open("/proc/%s/stat" % name) as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
            with open("/proc/%s/cmdline" % name, "rb") as cmdline:
                command = cmdline.read().decode(errors="replace").lower()
        except OSError:
            continue
        # Fields after the name: state, ppid, pgrp, session, ...
        if int(fields[3]) != session or "brakmoor.exe" not in command:
            continue
        if "wine-run" in command:
            continue
        if best is None or int(name) > best:
            best = int(name)
    return best


def process_sample(pid):
    """(resident memory in MB, open descriptors, threads) of a process, or
    None when it is gone."""
    try:
        with open("/proc/%d/status" % pid) as status:
            values = dict(line.split(":", 1) for line in status if ":" in line)
        descriptors = len(os.listdir("/proc/%d/fd" % pid))
    except OSError:
        return None
    rss_kb = int(values["VmRSS"].split()[0])
    return rss_kb / 1024.0, descriptors, int(values["Threads"])


def memory_verdict(samples, minutes, settled_minute=5):
    """None when the memory stayed flat, else the reason. From ten minutes
    on, the last sample may lie at most 5% above the one at `settled_minute`
    (the first minutes fill caches and pools: Wine's take about five);
    shorter runs compare against the first minute and allow 20%."""
    if not samples:
        return "no memory sample was taken"
    if minutes >= 10 and len(samples) >= settled_minute:
        base_minute, allowed = settled_minute, 0.05
    else:
        base_minute, allowed = 1, 0.20
    base = samples[base_minute - 1]["rss"]
    last = samples[-1]["rss"]
    if last > base * (1.0 + allowed):
        return ("memory grew from %.1f MB at minute %d to %.1f MB at minute %d (over %d%%)"
                % (base, base_minute, last, samples[-1]["minute"], round(allowed * 100)))
    return None


def sample_table(samples):
    lines = ["minute  RSS MB  fds  threads  pictures  new  F1 switches"]
    for s in samples:
        lines.append("%6d  %6.1f  %3d  %7d  %8d  %3d  %11d" % (
            s["minute"], s["rss"], s["fds"], s["threads"], s["pictures"], s["new"], s["switches"]))
    return "\n".join(lines)


# -- play ------------------------------------------------------------------
class SoakPlay:
    """Random play in one game, with the watch kept between actions."""

    def __init__(self, game, rng):
        self.game = game
        self.rng = rng
        self.window = None
        self.geometry = None
        self.last_picture = None
        self.last_new_picture_time = time.time()
        self.picture_index = 0
        self.pictures = self.new_pictures = self.switches = 0
        self.slowest_switch = 0.0
        self.longest_wait = 0.0  # between two new pictures

    def watch(self):
        """Fails on a crash or on a window the game should not show; answers
        the full-screen question."""
        if self.game.process.poll() is not None:
            raise E2EFailure("the game ended (exit code %s) during the soak run"
                             % self.game.process.returncode)
        for box in search_windows("GL"):
            # The box may close between the search and the key (answered
            # already): that is no failure.
            run(["xdotool", "key", "--window", box, "Return"], check_result=False)
        unexpected = [n for n in all_window_names() if n not in EXPECTED_NAMES]
        if unexpected:
            raise E2EFailure("unexpected window(s): %s" % unexpected)

    def find_game_window(self, previous=()):
        deadline = time.time() + 60
        while time.time() < deadline:
            self.watch()
            windows = [w for w in search_windows(GAME_WINDOWS, exact=False) if w not in previous]
            if windows:
                self.window = max(windows, key=int)
                self.geometry = window_geometry(self.window)
                return
            time.sleep(0.2)
        raise E2EFailure("no game window; visible windows: %s" % all_window_names())

    def check_picture(self):
        """Turns the view and takes a picture; a hang is no new picture for
        HANG_SECONDS."""
        self.turn()
        time.sleep(0.3)
        self.picture_index += 1
        shot = self.take_picture("picture-%d" % (self.picture_index % 2))
        self.pictures += 1
        now = time.time()
        idle = now - self.last_new_picture_time
        if self.last_picture is not None and not self.differs(self.last_picture, shot):
            # Out of the room the view may be all black whatever the turn:
            # the crosshair switched off shows whether the game still draws.
            self.game.hold_key(self.window, "h", SWITCH_PRESS_SECONDS)
            time.sleep(0.2)
            probe = self.take_picture("probe-%d" % (self.picture_index % 2))
            self.game.hold_key(self.window, "h", SWITCH_PRESS_SECONDS)
            if self.differs(shot, probe):
                shot = probe
        if self.last_picture is None or self.differs(self.last_picture, shot):
            self.new_pictures += 1
            self.longest_wait = max(self.longest_wait, idle)
            self.last_new_picture_time = now
        elif idle > HANG_SECONDS:
            run(["convert", shot, os.path.join(self.game.artifacts, "hang.png")])
            raise E2EFailure("no new picture for %.0f s (hang)" % idle)
        self.last_picture = shot

    @staticmethod
    def differs(picture_a, picture_b):
        return pixels_differing(picture_a, picture_b) > 100

    def take_picture(self, name):
        """The game window's part of the screen (OpenGL pictures are not in
        the window's own X image under every server), uncompressed: a
        picture every few seconds for half an hour must stay cheap."""
        x, y, width, height = self.geometry
        path = os.path.join(self.game.artifacts, name + ".ppm")
        run(["import", "-window", "root", "-crop",
             "%dx%d+%d+%d" % (width, height, x, y), "+repage", path])
        return path

    def turn(self):
        dx = self.rng.choice((-1, 1)) * self.rng.randint(60, 200)
        dy = self.rng.randint(-20, 20)
        run(["xdotool", "mousemove", str(320 + dx), str(240 + dy)])

    def walk(self):
        seconds = self.rng.uniform(0.2, 0.8)
        for key, share in self.rng.choice(WALK_PAIRS):
            self.game.hold_key(self.window, key, seconds * share)

    def fire(self):
        self.game.hold_key(self.window, self.rng.choice(("1", "2")), 0.12)
        for _ in range(self.rng.randint(1, 3)):
            self.game.hold_key(self.window, "Control_R", 0.12)
            time.sleep(0.2)

    def key_switch(self):
        """A switch on and off again shortly after: collision off (C) must
        not last while the player walks, or the player leaves the safe cell."""
        key = self.rng.choice(SWITCH_KEYS)
        self.game.hold_key(self.window, key, SWITCH_PRESS_SECONDS)
        self.turn()
        time.sleep(self.rng.uniform(0.2, 0.6))
        self.game.hold_key(self.window, key, SWITCH_PRESS_SECONDS)

    def full_screen_switch(self):
        before = search_windows(GAME_WINDOWS, exact=False)
        started = time.time()
        self.game.key_down(self.window, "F1")
        time.sleep(SWITCH_PRESS_SECONDS)
        try:
            self.game.key_up(self.window, "F1")
        except E2EFailure:
            pass  # the game may have destroyed the window the key went to already
        old_geometry = self.geometry
        self.find_game_window(previous=before)
        self.slowest_switch = max(self.slowest_switch, time.time() - started)
        self.switches += 1
        if self.geometry != old_geometry:
            self.last_picture = None  # pictures of other sizes do not compare
        time.sleep(0.5)

    def step(self, now, next_switch):
        """One random action, then the watch and a picture."""
        if now >= next_switch:
            self.full_screen_switch()
        else:
            self.rng.choice((self.walk, self.walk, self.fire, self.key_switch))()
        self.watch()
        self.check_picture()


def soak(args, minutes, name="soak", native=False):
    """Plays for `minutes`, prints the sample table and fails (E2EFailure) on
    a crash, hang, unexpected window or growing memory."""
    level_text = safe_level()
    level = parse_level(level_text)
    seed = seed_for(level)
    folder = game_folder_with(os.path.abspath(args.game_dir),
                              {"data/LEVEL/level1.dat": level_text}, "brakmoor-soak-")
    samples = []
    try:
        with (NativeGameRun if native else GameRun)(args, name=name, game_dir=folder,
                                                    env={"BRAKMOOR_SEED": str(seed)}) as game:
            play = SoakPlay(game, random.Random(seed))
            game.start_game(settle_seconds=2, skip_intro=True)
            play.find_game_window()
            pid = game.process.pid if native else game_process_id(game.process.pid)
            if pid is None:
                raise E2EFailure("no Brakmoor.exe process in the run's session")
            print("soak: %d minutes, seed %d, game process %d" % (minutes, seed, pid))
            started = time.time()
            next_switch = started + play.rng.uniform(4, 8)
            try:
                while len(samples) < minutes:
                    now = time.time()
                    play.step(now, next_switch)
                    if now >= next_switch:
                        next_switch = time.time() + play.rng.uniform(4, 8)
                    if time.time() - started >= 60 * (len(samples) + 1):
                        sample = process_sample(pid)
                        if sample is None:
                            raise E2EFailure("the game process is gone")
                        samples.append({"minute": len(samples) + 1, "rss": sample[0],
                                        "fds": sample[1], "threads": sample[2],
                                        "pictures": play.pictures, "new": play.new_pictures,
                                        "switches": play.switches})
                        play.pictures = play.new_pictures = play.switches = 0
                        print(sample_table(samples[-1:]).splitlines()[1], flush=True)
            finally:
                if samples:
                    print(sample_table(samples))
                print("slowest F1 switch: %.1f s; longest wait for a new picture: %.1f s"
                      % (play.slowest_switch, play.longest_wait))
            game.hold_key(play.window, "Escape", 1.0)
            code = game.wait_exit(60, expected_boxes=("GL",))
            if code != 0:
                raise E2EFailure("Escape ended the soak run with exit code %s" % code)
            if native:
                unexpected = [b for b in game.boxes() if not b.startswith("GL: ")]
                if unexpected:
                    raise E2EFailure("unexpected message boxes: %s" % unexpected)
        verdict = memory_verdict(samples, minutes, settled_minute=2 if native else 5)
        if verdict:
            raise E2EFailure(verdict)
        print("ok: %d minutes without crash, hang or unexpected window; memory flat" % minutes)
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    return samples


def main():
    parser = argparse.ArgumentParser(add_help=False)
    parser.add_argument("--minutes", type=int, default=30)
    parser.add_argument("--native", action="store_true")
    known, rest = parser.parse_known_args()
    # The rest (--game-dir, --artifacts) is read by the e2e driver.
    sys.argv = [sys.argv[0]] + rest
    run_test(lambda args: soak(args, known.minutes, "soak-native" if known.native else "soak",
                               known.native))


if __name__ == "__main__":
    main()
